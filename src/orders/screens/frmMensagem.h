#pragma once

#include "common/screens/ScreenBase.h"

class QPlainTextEdit;
struct ScreenContext;

// The order's message to the delivery person, typed while the order is taken (modeless).
class frmMensagem : public ScreenBase {
    Q_OBJECT
public:
    frmMensagem(ScreenContext& context, QWidget* parent = nullptr);

    QPlainTextEdit* txtMensagem() const { return m_txtMensagem; }
    QPushButton* btnAdicionar() const { return m_btnAdicionar; }

Q_SIGNALS:
    void mensagemAdicionada(const QString& mensagem);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void limitaTexto();

    QPlainTextEdit* m_txtMensagem;
    QPushButton* m_btnAdicionar;
};
