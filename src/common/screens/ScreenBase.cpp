#include "common/screens/ScreenBase.h"

#include "common/screens/ErrorRoutine.h"
#include "common/screens/FocusColours.h"
#include "common/screens/KeyFilterAttacher.h"
#include "common/screens/RoundedMask.h"
#include "common/screens/TitleButtons.h"
#include "common/screens/WindowDragger.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>

ScreenBase::ScreenBase(MessageBoxes& messages, QWidget* parent, const ScreenOptions& options)
    : QDialog(parent), m_messages(messages), m_options(options), m_command1(new QPushButton(this)) {
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAutoDefault(false);
    m_command1->setFocusPolicy(Qt::NoFocus);
    m_command1->hide();
    connect(m_command1, &QPushButton::clicked, this, &QWidget::close);

    if (!options.frameless) {
        return;
    }
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    RoundedMask::attach(this, options.radius);
    if (options.titleButtons != TitleButtonSet::None) {
        setMouseTracking(true);
        m_titleButtons = new TitleButtons(this, options.titleButtons == TitleButtonSet::All
                                                    ? TitleButtons::Reacting::All
                                                    : TitleButtons::Reacting::CloseOnly);
        connect(m_titleButtons, &TitleButtons::closeClicked, this, &QWidget::close);
        new WindowDragger(this);
    }
}

void ScreenBase::error(const std::exception& failure) {
    TrataErro(m_messages, failure);
}

void ScreenBase::roundFrame(QWidget* frame) {
    RoundedMask::attach(frame, ScreenOptions::kFrameRadius);
}

void ScreenBase::attachFocusColours(QWidget* field, bool keyField) {
    FocusColours::attach(field, keyField);
}

void ScreenBase::attachKeyFilter(QWidget* field, KeyFilterMode mode) {
    KeyFilterAttacher::attach(field, mode);
}

bool ScreenBase::event(QEvent* event) {
    // A screen inside the main window keeps where it was dragged while the window comes and
    // goes; one of its own returns to its place whenever it becomes active.
    if (event->type() == QEvent::Show || (event->type() == QEvent::WindowActivate && isWindow())) {
        place();
    }
    return QDialog::event(event);
}

// A borderless window over another screen of the same grey needs an edge to be told apart.
void ScreenBase::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (!m_options.frameless || !isWindow())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.drawRoundedRect(rect().adjusted(0, 0, -1, -1), m_options.radius, m_options.radius);
}

void ScreenBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (escFecha())
            m_command1->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// QDialog's own Esc handling and its closeEvent both end in reject(); outside a close this
// turns it into one, inside a close it finishes the dialog.
void ScreenBase::reject() {
    if (m_inCloseEvent) {
        QDialog::reject();
        return;
    }
    close();
}

void ScreenBase::closeEvent(QCloseEvent* event) {
    const QScopedValueRollback guard(m_inCloseEvent, true);
    QDialog::closeEvent(event);
}

void ScreenBase::place() {
    if (!isWindow() && parentWidget()) {
        placeInside(parentWidget()->rect());
        return;
    }
    if (m_options.placement == ScreenPlacement::Designed || !screen()) {
        return;
    }
    const QRect display = screen()->geometry();
    // A window shown for the first time may not have its laid-out size yet; centred on a size
    // of nothing it opened with its left edge at the middle of the display.
    if (!testAttribute(Qt::WA_Resized))
        adjustSize();
    const QSize outer = frameGeometry().size();
    const int left = display.left() + (display.width() - outer.width()) / 2;
    const int top = m_options.placement == ScreenPlacement::Centred
                        ? display.top() + (display.height() - outer.height()) / 2
                        : display.top() + m_options.topTwips / ScreenOptions::kTwipsPerPixel;
    move(left, top);
}

void ScreenBase::widen(int pixels) {
    const bool inside = !isWindow() && parentWidget();
    const int room = inside     ? parentWidget()->width()
                     : screen() ? screen()->availableGeometry().width()
                                : width() + pixels;
    resize(std::min(width() + pixels, room), height());
    // Centred again across the area.
    if (inside)
        place();
}

// Inside the main window's area: as much of the screen as fits (its layout shrinks what can
// shrink), centred across it, `topTwips` from its top when that leaves it whole.
void ScreenBase::placeInside(const QRect& area) {
    // A child is not held to its layout's minimum as a window is: without this its widgets
    // overlapped when the designed size was smaller than what they need.
    const QSize wanted = size().expandedTo(minimumSizeHint());
    resize(std::min(wanted.width(), area.width()), std::min(wanted.height(), area.height()));
    const int left = std::max(0, (area.width() - width()) / 2);
    const int centred = std::max(0, (area.height() - height()) / 2);
    const int designed = m_options.topTwips / ScreenOptions::kTwipsPerPixel;
    const int top = m_options.placement == ScreenPlacement::TopCentred
                        ? std::max(0, std::min(designed, area.height() - height()))
                        : centred;
    move(area.left() + left, area.top() + top);
}
