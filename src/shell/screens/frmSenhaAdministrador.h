#pragma once

#include "common/screens/ScreenBase.h"

class QLineEdit;
class QToolButton;

// Asked once, when the program makes a new home: the password the built-in administrator
// BRISKO will log in with, typed twice. Typed through the login's key filter, so it is the
// text the login screen will produce. Accepted only with two equal, non-empty passwords.
class frmSenhaAdministrador : public ScreenBase {
    Q_OBJECT
public:
    explicit frmSenhaAdministrador(MessageBoxes& messages, QWidget* parent = nullptr);

    QLineEdit* txtSenha() const { return m_txtSenha; }
    QLineEdit* txtConfirmacao() const { return m_txtConfirmacao; }
    QToolButton* imgConfirmar() const { return m_imgConfirmar; }
    QToolButton* imgCancelar() const { return m_imgCancelar; }
    // The password, once the screen has been accepted.
    QString senha() const;

public Q_SLOTS:
    void imgConfirmar_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* makeField(const QString& name);
    void aviso(const QString& text, QLineEdit* focus);

    QLineEdit* m_txtSenha;
    QLineEdit* m_txtConfirmacao;
    QToolButton* m_imgConfirmar;
    QToolButton* m_imgCancelar;
};
