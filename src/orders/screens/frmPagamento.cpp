#include "orders/screens/frmPagamento.h"

#include "common/screens/ScreenContext.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
ScreenOptions opcoes() {
    ScreenOptions o;
    o.titleButtons = TitleButtonSet::CloseOnly;
    return o;
}

const QString kOutros = QStringLiteral("imgOutros");

void pintaMoldura(QFrame* frame, bool escolhida) {
    frame->setStyleSheet(
        escolhida
            ? QStringLiteral("QFrame#%1 { border: 2px solid rgb(192,0,0); }")
                  .arg(frame->objectName())
            : QStringLiteral("QFrame#%1 { border: 1px solid black; }").arg(frame->objectName()));
    frame->setProperty("larguraBorda", escolhida ? 2 : 1);
}
} // namespace

frmPagamento::frmPagamento(ScreenContext& context, const QString& totalTexto, QWidget* parent)
    : ScreenBase(context.messages, parent, opcoes()), m_totalTexto(totalTexto) {
    setObjectName(QStringLiteral("frmPagamento"));
    auto* layout = new QVBoxLayout(this);
    auto* formas = new QGridLayout;
    layout->addLayout(formas);
    for (const FormaPagamento& forma : formasPagamento()) {
        QToolButton* img = addImagem(forma.imagem, forma.texto, this, formas);
        if (forma.texto == kDinheiro) {
            connect(img, &QToolButton::clicked, this, [this] {
                destaca(QStringLiteral("imgDinheiro"));
                mostraDinheiro(true);
            });
        } else {
            connect(img, &QToolButton::clicked, this, [this, forma] {
                destaca(forma.imagem);
                m_frmNotas->hide();
                m_lblValor->hide();
                m_txtPagamento->hide();
                m_btnOk->hide();
                m_lblOutros->hide();
                m_txtOutros->hide();
                m_btnOutros->hide();
                conclui(pagamentoSemTroco(forma.texto, m_totalTexto));
            });
        }
    }
    QToolButton* outros = addImagem(kOutros, QStringLiteral("OUTROS"), this, formas);
    connect(outros, &QToolButton::clicked, this, [this] {
        destaca(kOutros);
        mostraDinheiro(false);
        m_txtOutros->setFocus();
    });

    m_frmNotas = new QGroupBox(QStringLiteral("Clique no valor"), this);
    m_frmNotas->setObjectName(QStringLiteral("frmNotas"));
    auto* notas = new QHBoxLayout(m_frmNotas);
    for (const QString& tag : valoresNotas()) {
        auto* nota = new QToolButton(m_frmNotas);
        nota->setObjectName(QStringLiteral("imgNota"));
        nota->setProperty("tag", tag);
        nota->setText(tag);
        notas->addWidget(nota);
        m_notas.insert(tag, nota);
        connect(nota, &QToolButton::clicked, this,
                [this, tag] { m_txtPagamento->setText(somaNota(m_txtPagamento->text(), tag)); });
    }
    layout->addWidget(m_frmNotas);

    auto* entrada = new QHBoxLayout;
    m_lblValor = new QLabel(QStringLiteral("Valor"), this);
    m_lblValor->setObjectName(QStringLiteral("lblValor"));
    m_txtPagamento = new QLineEdit(this);
    m_txtPagamento->setObjectName(QStringLiteral("txtPagamento"));
    m_btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_lblOutros = new QLabel(QStringLiteral("Outros"), this);
    m_lblOutros->setObjectName(QStringLiteral("lblOutros"));
    m_txtOutros = new QLineEdit(this);
    m_txtOutros->setObjectName(QStringLiteral("txtOutros"));
    m_btnOutros = new QPushButton(QStringLiteral("&Ok"), this);
    m_btnOutros->setObjectName(QStringLiteral("btnOutros"));
    for (QWidget* w : {static_cast<QWidget*>(m_lblValor), static_cast<QWidget*>(m_txtPagamento),
                       static_cast<QWidget*>(m_btnOk), static_cast<QWidget*>(m_lblOutros),
                       static_cast<QWidget*>(m_txtOutros), static_cast<QWidget*>(m_btnOutros)})
        entrada->addWidget(w);
    layout->addLayout(entrada);

    attachKeyFilter(m_txtPagamento, KeyFilterMode::Amount);
    attachKeyFilter(m_txtOutros, KeyFilterMode::Capitals);
    connect(m_btnOk, &QPushButton::clicked, this, &frmPagamento::btnOk_Click);
    connect(m_btnOutros, &QPushButton::clicked, this, &frmPagamento::btnOutros_Click);

    for (const FormaPagamento& forma : formasPagamento())
        pintaMoldura(m_molduras.value(forma.imagem), false);
    pintaMoldura(m_molduras.value(kOutros), false);
    mostraDinheiro(true);
    m_frmNotas->show();
    m_txtPagamento->setFocus();
}

QToolButton* frmPagamento::addImagem(const QString& nome, const QString& texto, QWidget* parent,
                                     QLayout* layout) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("shp") + nome.mid(3));
    auto* inner = new QVBoxLayout(frame);
    auto* img = new QToolButton(frame);
    img->setObjectName(nome);
    img->setText(texto);
    img->setAutoRaise(true);
    inner->addWidget(img);
    layout->addWidget(frame);
    m_imagens.insert(nome, img);
    m_molduras.insert(nome, frame);
    return img;
}

void frmPagamento::destaca(const QString& nome) {
    for (auto it = m_molduras.cbegin(); it != m_molduras.cend(); ++it)
        pintaMoldura(it.value(), it.key() == nome);
}

void frmPagamento::mostraDinheiro(bool dinheiro) {
    m_frmNotas->setVisible(dinheiro);
    m_lblValor->setVisible(dinheiro);
    m_txtPagamento->setVisible(dinheiro);
    m_btnOk->setVisible(dinheiro);
    m_lblOutros->setVisible(!dinheiro);
    m_txtOutros->setVisible(!dinheiro);
    m_btnOutros->setVisible(!dinheiro);
    m_btnOk->setDefault(dinheiro);
    m_btnOutros->setDefault(!dinheiro);
}

void frmPagamento::conclui(const Pagamento& pagamento) {
    m_pagamento = pagamento;
    accept();
}

void frmPagamento::btnOk_Click() {
    const std::optional<Pagamento> p = pagamentoDinheiro(m_totalTexto, m_txtPagamento->text());
    if (!p) {
        // An empty box or one holding no number (only separators) both ask for the amount.
        messages().show(MessageBoxes::Icon::Information, QStringLiteral("Aviso"),
                        QStringLiteral("Informe o valor à pagar"));
        m_txtPagamento->setFocus();
        return;
    }
    conclui(*p);
}

void frmPagamento::btnOutros_Click() {
    conclui(pagamentoSemTroco(m_txtOutros->text(), m_totalTexto));
}
