#pragma once

#include "common/screens/ScreenBase.h"
#include "shell/Authentication.h"

class QLabel;
class QLineEdit;
class QToolButton;
struct ScreenContext;

// The login, the first screen of the run and the one a user switch comes back to. Opens the
// database when shown, lets a user of TB_Usuario or the built-in administrator in, and ends
// the program after the run's third failed attempt.
class frmAutenticacao : public ScreenBase {
    Q_OBJECT
public:
    static inline const QString kVersao = QStringLiteral("3.2.0");
    static inline const QString kSuporteRemoto = QStringLiteral("TeamViewerQS_pt.exe");
    static constexpr int kSaidaCancelar = 0;
    static constexpr int kSaidaTentativas = 1;

    explicit frmAutenticacao(ScreenContext& context, QWidget* parent = nullptr);

    QLineEdit* txtUsuario() const { return m_txtUsuario; }
    QLineEdit* txtSenha() const { return m_txtSenha; }
    QToolButton* imgEntrar() const { return m_imgEntrar; }
    QToolButton* imgCancelar() const { return m_imgCancelar; }
    QLabel* lblVersao() const { return m_lblVersao; }
    QLabel* lblIdEmpresa() const { return m_lblIdEmpresa; }

public Q_SLOTS:
    void imgEntrar_Click();
    void imgCancelar_Click();
    void lblVersao_Click();

Q_SIGNALS:
    // The session holds the new user; the screen closes right after.
    void autenticado();
    // The program must end with this exit code; nothing has been closed yet.
    void encerrarPrograma(int code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* makeField(const QString& name);
    void atualizaTamanhoNomeItem(Database& db);
    void entra(const Authentication::Result& result, const QString& usuario, const QString& senha);
    void recusa();
    void aviso(const QString& text);
    void encerra(int code);

    ScreenContext& m_context;
    Authentication m_authentication;
    QLineEdit* m_txtUsuario;
    QLineEdit* m_txtSenha;
    QToolButton* m_imgEntrar;
    QToolButton* m_imgCancelar;
    QLabel* m_lblVersao;
    QLabel* m_lblIdEmpresa;
    bool m_carregado = false;
    // Once in or on the way out, closing the screen no longer ends the program.
    bool m_concluido = false;
};
