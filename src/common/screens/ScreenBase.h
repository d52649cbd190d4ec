#pragma once

#include "common/KeyFilter.h"
#include "common/screens/MessageBoxes.h"

#include <QDialog>
#include <exception>

class QPushButton;
class TitleButtons;

// Which title images a borderless screen has and which of them react to the pointer.
// None also means the screen cannot be dragged.
enum class TitleButtonSet { None, CloseOnly, All };

// Where a screen puts itself each time it becomes active.
enum class ScreenPlacement {
    Designed,   // where it was put
    TopCentred, // centred across the display, `topTwips` from its top
    Centred,    // centred both ways
};

struct ScreenOptions {
    static constexpr int kLoginRadius = 7;
    static constexpr int kRegistryRadius = 15;
    static constexpr int kDialogRadius = 20;
    static constexpr int kFrameRadius = 5;
    static constexpr int kTwipsPerPixel = 15;

    int radius = kDialogRadius;
    TitleButtonSet titleButtons = TitleButtonSet::All;
    // false: an ordinary window with the system's frame, no shape, images or dragging.
    bool frameless = true;
    ScreenPlacement placement = ScreenPlacement::Designed;
    int topTwips = 0;
};

// What every screen shares: a borderless rounded window dragged by its background, the title
// images, the hidden `Command1` that closes it (also on Esc), and the focus colours and key
// filters its fields attach. Every way of closing (Command1, Esc, imgClose, close()) goes
// through close(), so a screen that must refuse or clean up does it once, in closeEvent.
class ScreenBase : public QDialog {
    Q_OBJECT
public:
    ScreenBase(MessageBoxes& messages, QWidget* parent = nullptr,
               const ScreenOptions& options = {});

    const ScreenOptions& options() const { return m_options; }
    QPushButton* command1() const { return m_command1; }
    // None when the screen has no title images.
    TitleButtons* titleButtons() const { return m_titleButtons; }

public Q_SLOTS:
    void reject() override;

protected:
    MessageBoxes& messages() const { return m_messages; }
    // Hands a failure of an event handler to the common error routine.
    void error(const std::exception& failure);
    // Runs an event handler, its failure going to the error routine.
    template <typename Handler> void guarded(Handler&& handler) {
        try {
            handler();
        } catch (const std::exception& failure) {
            error(failure);
        }
    }

    // Widens the screen by `pixels` as far as the display, or the main window's area, allows.
    void widen(int pixels);

    void roundFrame(QWidget* frame);
    void attachFocusColours(QWidget* field, bool keyField = false);
    void attachKeyFilter(QWidget* field, KeyFilterMode mode);

    // Whether Esc presses `Command1` now; a screen holding work that Esc would throw away
    // says no.
    virtual bool escFecha() const { return true; }

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void place();
    void placeInside(const QRect& area);

    MessageBoxes& m_messages;
    ScreenOptions m_options;
    QPushButton* m_command1;
    TitleButtons* m_titleButtons = nullptr;
    bool m_inCloseEvent = false;
};
