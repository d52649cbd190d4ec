#include "app/screens/ImageMenu.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

const QColor kBrand(122, 16, 16);

} // namespace

ImageMenu::ImageMenu(const QList<Button>& buttons, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fraImageMenu"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    for (const Button& button : buttons) {
        auto* slot = new QWidget(this);
        slot->setFixedSize(kWidth, kHeight);
        slot->setMouseTracking(true);
        const QString base = QStringLiteral("img_Menu_") + button.name;
        Pair pair{button.name,
                  makeImage(slot, base, drawImage(button.caption, false), button.toolTip),
                  makeImage(slot, base + QStringLiteral("_Over"), drawImage(button.caption, true),
                            button.toolTip)};
        m_pairs.append(pair);
        layout->addWidget(slot);
    }
    layout->addStretch(1);
    setAllIdle();
}

QLabel* ImageMenu::makeImage(QWidget* slot, const QString& objectName, const QPixmap& pixmap,
                             const QString& toolTip) {
    auto* image = new QLabel(slot);
    image->setObjectName(objectName);
    image->setPixmap(pixmap);
    image->setFixedSize(kWidth, kHeight);
    image->setToolTip(toolTip);
    image->setMouseTracking(true);
    image->setCursor(Qt::PointingHandCursor);
    image->installEventFilter(this);
    return image;
}

// The design's pictures are not part of the program: a light tile at rest and a tile in the
// brand's colour under the pointer tell the two looks apart.
QPixmap ImageMenu::drawImage(const QString& caption, bool highlighted) {
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kBrand, 2));
    painter.setBrush(highlighted ? kBrand : QColor(250, 244, 236));
    painter.drawRoundedRect(QRectF(1, 1, kWidth - 2, kHeight - 2), 8, 8);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(highlighted ? Qt::white : kBrand);
    painter.drawText(pixmap.rect(), Qt::AlignCenter | Qt::TextWordWrap, caption);
    return pixmap;
}

const ImageMenu::Pair* ImageMenu::find(const QString& name) const {
    for (const Pair& pair : m_pairs) {
        if (pair.name == name) {
            return &pair;
        }
    }
    return nullptr;
}

void ImageMenu::setAllIdle() {
    highlight(QString());
}

void ImageMenu::highlight(const QString& name) {
    for (const Pair& pair : m_pairs) {
        const bool lit = pair.name == name;
        pair.idle->setVisible(!lit);
        pair.over->setVisible(lit);
    }
}

bool ImageMenu::isHighlighted(const QString& name) const {
    const Pair* pair = find(name);
    return pair && !pair->over->isHidden();
}

void ImageMenu::setButtonEnabled(const QString& name, bool enabled) {
    if (const Pair* pair = find(name)) {
        pair->idle->setEnabled(enabled);
        pair->over->setEnabled(enabled);
        if (!enabled && isHighlighted(name)) {
            setAllIdle();
        }
    }
}

// The images take their own mouse events: the background behind would otherwise return them
// to idle.
bool ImageMenu::eventFilter(QObject* watched, QEvent* event) {
    const bool mouse =
        event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress ||
        event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick;
    if (!mouse) {
        return QWidget::eventFilter(watched, event);
    }
    for (const Pair& pair : m_pairs) {
        if (watched != pair.idle && watched != pair.over) {
            continue;
        }
        if (!pair.idle->isEnabled()) {
            return true;
        }
        if (watched == pair.idle && event->type() == QEvent::MouseMove) {
            highlight(pair.name);
        }
        if (watched == pair.over && event->type() == QEvent::MouseButtonRelease) {
            const auto* release = static_cast<QMouseEvent*>(event);
            if (release->button() == Qt::LeftButton &&
                pair.over->rect().contains(release->position().toPoint())) {
                Q_EMIT clicked(pair.name);
            }
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ImageMenu::mouseMoveEvent(QMouseEvent* event) {
    setAllIdle();
    QWidget::mouseMoveEvent(event);
}

void ImageMenu::leaveEvent(QEvent* event) {
    setAllIdle();
    QWidget::leaveEvent(event);
}
