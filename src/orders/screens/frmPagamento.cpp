#include "orders/screens/frmPagamento.h"

#include "common/screens/FocusColours.h"
#include "common/screens/ScreenContext.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
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
constexpr int kColunas = 3;
constexpr int kTitleRoom = 28; // the title images sit in the top right corner

// Alt + the underlined letter chooses the method; O is the Ok buttons'.
QString legenda(const QString& imagem, const QString& texto) {
    static const QMap<QString, QString> legendas{
        {QStringLiteral("imgVisaCredito"), QStringLiteral("VISA C&RÉDITO")},
        {QStringLiteral("imgMasterCrédito"), QStringLiteral("MASTERCARD CRÉDI&TO")},
        {kOutros, QStringLiteral("O&UTROS")},
    };
    return legendas.value(imagem, QLatin1Char('&') + texto);
}

// Class-exact selector: the frame's own border, not that of framed children such as labels.
void pintaMoldura(QFrame* frame, bool escolhida) {
    frame->setStyleSheet(escolhida ? QStringLiteral(".QFrame { border: 2px solid rgb(192,0,0); }")
                                   : QStringLiteral(".QFrame { border: 1px solid black; }"));
    frame->setProperty("larguraBorda", escolhida ? 2 : 1);
}
} // namespace

frmPagamento::frmPagamento(ScreenContext& context, const QString& totalTexto, QWidget* parent)
    : ScreenBase(context.messages, parent, opcoes()), m_totalTexto(totalTexto) {
    setObjectName(QStringLiteral("frmPagamento"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, kTitleRoom, 12, 12);
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

// The button fills its frame, so a click anywhere in the box chooses the method.
QToolButton* frmPagamento::addImagem(const QString& nome, const QString& texto, QWidget* parent,
                                     QGridLayout* layout) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("shp") + nome.mid(3));
    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(0, 0, 0, 0);
    auto* img = new QToolButton(frame);
    img->setObjectName(nome);
    img->setText(legenda(nome, texto));
    img->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    img->setMinimumHeight(40);
    img->setFocusPolicy(Qt::StrongFocus);
    img->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 6px; }"
                                      "QToolButton:hover { background: rgb(235,235,235); }"
                                      "QToolButton:focus { background: %1; }")
                           .arg(FocusColours::kFocused.name()));
    img->installEventFilter(this);
    inner->addWidget(img);
    const int posicao = int(m_ordem.size());
    layout->addWidget(frame, posicao / kColunas, posicao % kColunas);
    m_ordem.append(img);
    m_imagens.insert(nome, img);
    m_molduras.insert(nome, frame);
    return img;
}

// Arrows walk the grid of methods; Enter chooses the focused one instead of pressing Ok.
bool frmPagamento::eventFilter(QObject* watched, QEvent* event) {
    const qsizetype posicao = m_ordem.indexOf(qobject_cast<QToolButton*>(watched));
    if (posicao < 0 || event->type() != QEvent::KeyPress)
        return ScreenBase::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_ordem[posicao]->click();
        return true;
    }
    static const QMap<int, int> passos{
        {Qt::Key_Left, -1}, {Qt::Key_Right, 1}, {Qt::Key_Up, -kColunas}, {Qt::Key_Down, kColunas}};
    if (!passos.contains(key))
        return ScreenBase::eventFilter(watched, event);
    const qsizetype destino = posicao + passos.value(key);
    if (destino >= 0 && destino < m_ordem.size())
        m_ordem[destino]->setFocus(Qt::TabFocusReason);
    return true;
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
