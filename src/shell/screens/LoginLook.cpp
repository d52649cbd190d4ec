#include "shell/screens/LoginLook.h"

#include "common/screens/Widgets.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

namespace LoginLook {

namespace {

constexpr int kImageSize = 40;

QPixmap drawPicture(Picture picture) {
    QPixmap pixmap(kImageSize, kImageSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(picture == Picture::Entrar ? QColor(46, 139, 54) : QColor(178, 34, 34));
    painter.drawEllipse(2, 2, kImageSize - 4, kImageSize - 4);
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (picture == Picture::Entrar) {
        QPainterPath tick;
        tick.moveTo(11, 21);
        tick.lineTo(18, 28);
        tick.lineTo(30, 13);
        painter.drawPath(tick);
    } else {
        painter.drawLine(13, 13, 27, 27);
        painter.drawLine(27, 13, 13, 27);
    }
    return pixmap;
}

} // namespace

// Only the screen's own children: a message box shown over the screen keeps its own colours.
QString styleSheet(const QString& screenClass) {
    return QStringLiteral("%1 { background: #7a1010; }"
                          "%1 > QLabel, %1 > QToolButton { color: white; }"
                          "%1 > QLabel#lblTitulo { font-size: 22pt; font-weight: bold; }")
        .arg(screenClass);
}

QToolButton* imageButton(QWidget* parent, const QString& name, Picture picture,
                         const QString& text) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(drawPicture(picture));
    button->setIconSize(QSize(kImageSize, kImageSize));
    button->setText(text);
    button->setToolTip(text);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    return widgets::label(parent, name, text);
}

QHBoxLayout* header(QWidget* parent) {
    auto* logo = label(parent, QStringLiteral("imgLogo"), {});
    logo->setPixmap(QPixmap(QStringLiteral(":/images/brisko_48.png")));
    auto* row = new QHBoxLayout;
    row->addWidget(logo);
    row->addWidget(label(parent, QStringLiteral("lblTitulo"), QCoreApplication::applicationName()));
    row->addStretch(1);
    return row;
}

} // namespace LoginLook
