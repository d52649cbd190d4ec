#include "orders/screens/frmMensagem.h"

#include "common/screens/ScreenContext.h"
#include "orders/Receipt.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
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
    : ScreenBase(context.messages, parent, opcoes()), m_txtMensagem(new QPlainTextEdit(this)),
      m_btnAdicionar(new QPushButton(QStringLiteral("&Adicionar"), this)) {
    setObjectName(QStringLiteral("frmMensagem"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* label7 = new QLabel(QStringLiteral("Mensagem"), this);
    label7->setObjectName(QStringLiteral("Label7"));
    auto* label9 = new QLabel(QStringLiteral("Mensagem"), this);
    label9->setObjectName(QStringLiteral("Label9"));
    m_txtMensagem->setObjectName(QStringLiteral("txtMensagem"));
    // One line of the box is one line of the receipt's message block, so what is seen here is
    // what the delivery person reads.
    m_txtMensagem->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_txtMensagem->setWordWrapMode(QTextOption::WrapAnywhere);
    m_txtMensagem->setTabChangesFocus(true);
    m_txtMensagem->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_txtMensagem->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(m_txtMensagem->font());
    const int margens =
        2 * (m_txtMensagem->frameWidth() + int(m_txtMensagem->document()->documentMargin()) + 2);
    m_txtMensagem->setFixedSize(
        metrics.horizontalAdvance(QString(kReceiptPieceLength, u'M')) + margens,
        metrics.lineSpacing() * (kReceiptTextLength / kReceiptPieceLength + 1) + margens);
    m_txtMensagem->installEventFilter(this);
    connect(m_txtMensagem, &QPlainTextEdit::textChanged, this, &frmMensagem::limitaTexto);
    m_btnAdicionar->setObjectName(QStringLiteral("btnAdicionar"));
    layout->addWidget(label7);
    layout->addWidget(label9);
    layout->addWidget(m_txtMensagem);
    layout->addWidget(m_btnAdicionar);
    attachKeyFilter(m_txtMensagem, KeyFilterMode::Capitals);
    connect(m_btnAdicionar, &QPushButton::clicked, this, [this] {
        Q_EMIT mensagemAdicionada(m_txtMensagem->toPlainText());
        close();
    });
}

void frmMensagem::showEvent(QShowEvent* event) {
    m_txtMensagem->clear();
    m_txtMensagem->setFocus();
    ScreenBase::showEvent(event);
}

// The message is one line of up to 144 characters: a pasted line break becomes a space and
// what the receipt would drop is not taken.
void frmMensagem::limitaTexto() {
    const QString texto = m_txtMensagem->toPlainText();
    const QString limpo = QString(texto).replace(u'\n', u' ').left(kReceiptTextLength);
    if (limpo == texto)
        return;
    const QSignalBlocker bloqueio(m_txtMensagem);
    m_txtMensagem->setPlainText(limpo);
    m_txtMensagem->moveCursor(QTextCursor::End);
}

bool frmMensagem::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtMensagem && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_btnAdicionar->click();
            return true;
        }
    }
    return ScreenBase::eventFilter(watched, event);
}
