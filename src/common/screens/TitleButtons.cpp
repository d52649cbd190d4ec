#include "common/screens/TitleButtons.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr std::array kButtons = {TitleButtons::Button::Min, TitleButtons::Button::Max,
                                 TitleButtons::Button::Close};

QString baseName(TitleButtons::Button button) {
    switch (button) {
    case TitleButtons::Button::Min:
        return QStringLiteral("imgMin");
    case TitleButtons::Button::Max:
        return QStringLiteral("imgMax");
    case TitleButtons::Button::Close:
        return QStringLiteral("imgClose");
    }
    return QString();
}

std::size_t indexOf(TitleButtons::Button button) {
    return static_cast<std::size_t>(button);
}

} // namespace

TitleButtons::TitleButtons(QWidget* window, Reacting reacting)
    : QObject(window), m_window(window), m_reacting(reacting) {
    for (const Button button : kButtons) {
        const QString name = baseName(button);
        m_pairs[indexOf(button)] = Pair{makeImage(button, true, name),
                                        makeImage(button, false, name + QStringLiteral("_Over"))};
    }
    window->installEventFilter(this);
    setAllIdle();
    placeImages();
}

QLabel* TitleButtons::makeImage(Button button, bool highlighted, const QString& name) {
    auto* image = new QLabel(m_window);
    image->setObjectName(name);
    image->setPixmap(drawImage(button, highlighted));
    image->setFixedSize(kSize, kSize);
    image->setMouseTracking(true);
    image->installEventFilter(this);
    return image;
}

// The design's images are not part of the program; a flat idle look and a coloured highlighted
// look tell the two states apart.
QPixmap TitleButtons::drawImage(Button button, bool highlighted) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor face = !highlighted              ? QColor(225, 225, 225)
                        : button == Button::Close ? QColor(200, 40, 40)
                                                  : QColor(40, 110, 200);
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(1, 1, kSize - 2, kSize - 2), 4, 4);
    painter.setPen(QPen(highlighted ? Qt::white : QColor(70, 70, 70), 2));
    painter.setBrush(Qt::NoBrush);
    const QRectF glyph(6, 6, kSize - 12, kSize - 12);
    switch (button) {
    case Button::Min:
        painter.drawLine(glyph.bottomLeft(), glyph.bottomRight());
        break;
    case Button::Max:
        painter.drawRect(glyph);
        break;
    case Button::Close:
        painter.drawLine(glyph.topLeft(), glyph.bottomRight());
        painter.drawLine(glyph.bottomLeft(), glyph.topRight());
        break;
    }
    return pixmap;
}

TitleButtons::Pair& TitleButtons::pair(Button button) {
    return m_pairs[indexOf(button)];
}

const TitleButtons::Pair& TitleButtons::pair(Button button) const {
    return m_pairs[indexOf(button)];
}

bool TitleButtons::reacts(Button button) const {
    return m_reacting == Reacting::All || button == Button::Close;
}

void TitleButtons::setAllIdle() {
    for (const Pair& p : m_pairs) {
        p.highlighted->hide();
        p.idle->show();
    }
}

void TitleButtons::highlight(Button button) {
    for (const Button other : kButtons) {
        const bool lit = other == button;
        pair(other).idle->setVisible(!lit);
        pair(other).highlighted->setVisible(lit);
    }
}

bool TitleButtons::isHighlighted(Button button) const {
    return !pair(button).highlighted->isHidden();
}

bool TitleButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::MouseMove:
            setAllIdle();
            break;
        case QEvent::Show:
        case QEvent::Resize:
            placeImages();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
    for (const Button button : kButtons) {
        if (watched == pair(button).idle) {
            return filterImage(button, false, event);
        }
        if (watched == pair(button).highlighted) {
            return filterImage(button, true, event);
        }
    }
    return QObject::eventFilter(watched, event);
}

// The images take their own mouse events: the window behind would otherwise reset them to
// idle or start a drag.
bool TitleButtons::filterImage(Button button, bool highlighted, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        if (!highlighted && reacts(button)) {
            highlight(button);
        }
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool inside = pair(button).highlighted->rect().contains(mouse->position().toPoint());
        if (highlighted && button == Button::Close && mouse->button() == Qt::LeftButton && inside) {
            Q_EMIT closeClicked();
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        break;
    default:
        return false;
    }
    event->accept();
    return true;
}

// Later children of the window would cover the images; keep them on top at the right edge.
void TitleButtons::placeImages() {
    int x = m_window->width() - kMargin - kSize;
    for (const Button button : {Button::Close, Button::Max, Button::Min}) {
        for (QLabel* image : {pair(button).highlighted, pair(button).idle}) {
            image->move(x, kMargin);
            image->raise();
        }
        x -= kSize + kSpacing;
    }
}
