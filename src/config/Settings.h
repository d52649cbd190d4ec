#pragma once

#include <QString>

// The shared settings of section Geral of Configuracao.ini, read once at start-up. The field
// names are the ones every screen knows them by.
class Settings {
public:
    static inline const QString kSection = QStringLiteral("Geral");
    static inline const QString kServicoCepKey = QStringLiteral("ServicoCep");
    static inline const QString kCodificacaoCupomKey = QStringLiteral("CodificacaoCupom");
    static inline const QString kFonteChamadaKey = QStringLiteral("FonteChamada");
    static inline const QString kDispositivoChamadaKey = QStringLiteral("DispositivoChamada");
    static inline const QString kServidorRemotoKey = QStringLiteral("ServidorRemoto");

    // Reads keys 1, 2, 3, 4, 5, 6, 8, 9, 13, 14 and 15 in that order and unscrambles the
    // scrambled ones, then the plain keys. A missing file gives every default.
    static Settings read(const QString& iniPath);

    // The scrambled keys; the others are stored as they are.
    static bool isScrambled(int key);

    // Writes one numbered key, scrambling it when that key is stored scrambled.
    static void write(const QString& iniPath, int key, const QString& value);

    QString gNomeProprietario;
    QString gNomeEmpresa;
    QString gTelefoneEmpresa;
    QString gEnderecoEmpresa;
    QString gCaminhoBanco; // as read; resolved by the database location
    QString gImpressora;
    bool gImprimeCabecalho = false;
    QString gImagemFundo;
    QString gIdentificaChamada;
    QString gCodigoEmpresa;
    QString gBackupOnline;
    QString gModoServidor; // "servidor" on the workstation that holds the database
    bool gFormatoServidor = false;
    // The postal-code service's host or base URL; empty means the built-in default.
    QString gServicoCep;
    // The receipt printer's code page: "windows-1252" (empty), "cp850" or "cp860".
    QString gCodificacaoCupom;
    // Where caller numbers come from: "som" (empty: the sound input) or "nenhuma"; and the
    // sound input device's description (empty: the system's default input).
    QString gFonteChamada;
    QString gDispositivoChamada;
    // The online backup's server: a postgresql:// URI or an ODBC connection string.
    QString gServidorRemoto;

    bool identificaChamadaAtiva() const { return gIdentificaChamada == QLatin1String("S"); }
    bool backupOnlineAtivo() const { return gBackupOnline != QLatin1String("N"); }
};
