#include "config/Settings.h"

#include "config/EmbaralhaTexto.h"
#include "config/IniFile.h"

#include <array>

namespace {

constexpr std::array<int, 9> kScrambledKeys = {1, 2, 3, 4, 5, 9, 13, 14, 15};

// True exactly when the text is a number equal to 1 ("1", "01", "1.0").
bool numericallyOne(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && value == 1.0;
}

} // namespace

bool Settings::isScrambled(int key) {
    for (const int k : kScrambledKeys) {
        if (k == key) {
            return true;
        }
    }
    return false;
}

Settings Settings::read(const QString& iniPath) {
    const auto get = [&iniPath](int key) {
        const QString raw = LeIni(iniPath, kSection, QString::number(key));
        return isScrambled(key) ? EmbaralhaTexto(raw) : raw;
    };
    Settings s;
    s.gNomeProprietario = get(1);
    s.gNomeEmpresa = get(2);
    s.gTelefoneEmpresa = get(3);
    s.gEnderecoEmpresa = get(4);
    s.gCaminhoBanco = get(5);
    s.gImpressora = get(6);
    s.gImprimeCabecalho = numericallyOne(get(8));
    s.gImagemFundo = get(9);
    s.gIdentificaChamada = get(13);
    s.gCodigoEmpresa = get(14);
    s.gBackupOnline = get(15);
    s.gServicoCep = LeIni(iniPath, kSection, kServicoCepKey).trimmed();
    s.gCodificacaoCupom = LeIni(iniPath, kSection, kCodificacaoCupomKey).trimmed().toLower();
    s.gFonteChamada = LeIni(iniPath, kSection, kFonteChamadaKey).trimmed().toLower();
    s.gDispositivoChamada = LeIni(iniPath, kSection, kDispositivoChamadaKey).trimmed();
    s.gServidorRemoto = LeIni(iniPath, kSection, kServidorRemotoKey).trimmed();
    return s;
}

void Settings::write(const QString& iniPath, int key, const QString& value) {
    GravaIni(iniPath, kSection, QString::number(key),
             isScrambled(key) ? EmbaralhaTexto(value) : value);
}
