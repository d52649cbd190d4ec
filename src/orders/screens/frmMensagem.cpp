#include "orders/screens/frmMensagem.h"

#include "common/screens/ScreenContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
ScreenOptions opcoes() {
    ScreenOptions o;
    o.titleButtons = TitleButtonSet::CloseOnly;
    o.placement = ScreenPlacement::Centred;
    return o;
}
} // namespace

frmMensagem::frmMensagem(ScreenContext& context, QWidget* parent)
    : ScreenBase(context.messages, parent, opcoes()), m_txtMensagem(new QLineEdit(this)),
      m_btnAdicionar(new QPushButton(QStringLiteral("&Adicionar"), this)) {
    setObjectName(QStringLiteral("frmMensagem"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* label7 = new QLabel(QStringLiteral("Mensagem"), this);
    label7->setObjectName(QStringLiteral("Label7"));
    auto* label9 = new QLabel(QStringLiteral("Mensagem"), this);
    label9->setObjectName(QStringLiteral("Label9"));
    m_txtMensagem->setObjectName(QStringLiteral("txtMensagem"));
    m_btnAdicionar->setObjectName(QStringLiteral("btnAdicionar"));
    layout->addWidget(label7);
    layout->addWidget(label9);
    layout->addWidget(m_txtMensagem);
    layout->addWidget(m_btnAdicionar);
    attachKeyFilter(m_txtMensagem, KeyFilterMode::Capitals);
    connect(m_btnAdicionar, &QPushButton::clicked, this, [this] {
        Q_EMIT mensagemAdicionada(m_txtMensagem->text());
        close();
    });
}

void frmMensagem::showEvent(QShowEvent* event) {
    m_txtMensagem->clear();
    m_txtMensagem->setFocus();
    ScreenBase::showEvent(event);
}
