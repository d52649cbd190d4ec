#include "common/screens/RoundedMask.h"

#include <QEvent>
#include <QPainterPath>
#include <QWidget>

void RoundedMask::attach(QWidget* target, int radius) {
    if (auto* existing = target->findChild<RoundedMask*>(QString(), Qt::FindDirectChildrenOnly)) {
        existing->m_radius = radius;
        existing->apply();
        return;
    }
    new RoundedMask(target, radius);
}

RoundedMask::RoundedMask(QWidget* target, int radius)
    : QObject(target), m_target(target), m_radius(radius) {
    target->installEventFilter(this);
    apply();
}

QRegion RoundedMask::roundedRegion(const QRect& rect, int radius) {
    QPainterPath path;
    // The radius names the corner ellipse's full width, the path wants its half.
    path.addRoundedRect(QRectF(rect), radius / 2.0, radius / 2.0);
    return QRegion(path.toFillPolygon().toPolygon());
}

bool RoundedMask::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            apply();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void RoundedMask::apply() {
    m_target->setMask(roundedRegion(m_target->rect(), m_radius));
    m_target->update();
}
