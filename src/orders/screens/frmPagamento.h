#pragma once

#include "common/screens/ScreenBase.h"
#include "orders/Pagamento.h"

#include <QMap>
#include <optional>

class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
struct ScreenContext;

// How the customer pays and, for cash, the change the delivery person takes along.
class frmPagamento : public ScreenBase {
    Q_OBJECT
public:
    frmPagamento(ScreenContext& context, const QString& totalTexto, QWidget* parent = nullptr);

    // After exec: the choice (the dialog was accepted), else nothing.
    std::optional<Pagamento> pagamento() const { return m_pagamento; }

    // A method image by its name ("imgVisa", "imgOutros", ...), and the frame around it.
    QToolButton* imagem(const QString& nome) const { return m_imagens.value(nome); }
    QFrame* moldura(const QString& nome) const { return m_molduras.value(nome); }
    QGroupBox* frmNotas() const { return m_frmNotas; }
    // The coin or note image with this tag.
    QToolButton* imgNota(const QString& tag) const { return m_notas.value(tag); }
    QLineEdit* txtPagamento() const { return m_txtPagamento; }
    QPushButton* btnOk() const { return m_btnOk; }
    QLineEdit* txtOutros() const { return m_txtOutros; }
    QPushButton* btnOutros() const { return m_btnOutros; }
    QLabel* lblValor() const { return m_lblValor; }
    QLabel* lblOutros() const { return m_lblOutros; }

public Q_SLOTS:
    void btnOk_Click();
    void btnOutros_Click();

private:
    QToolButton* addImagem(const QString& nome, const QString& texto, QWidget* parent,
                           QGridLayout* layout);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void destaca(const QString& nome);
    void mostraDinheiro(bool dinheiro);
    void conclui(const Pagamento& pagamento);

    QString m_totalTexto;
    QList<QToolButton*> m_ordem; // the grid of methods, row by row
    QMap<QString, QToolButton*> m_imagens;
    QMap<QString, QFrame*> m_molduras;
    QMap<QString, QToolButton*> m_notas;
    QGroupBox* m_frmNotas = nullptr;
    QLabel* m_lblValor = nullptr;
    QLineEdit* m_txtPagamento = nullptr;
    QPushButton* m_btnOk = nullptr;
    QLabel* m_lblOutros = nullptr;
    QLineEdit* m_txtOutros = nullptr;
    QPushButton* m_btnOutros = nullptr;
    std::optional<Pagamento> m_pagamento;
};
