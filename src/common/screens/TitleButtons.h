#pragma once

#include <QObject>
#include <array>

class QLabel;
class QPixmap;
class QWidget;

// The three title image pairs at a borderless window's top right: `imgMin`, `imgMax` and
// `imgClose` (highlighted, hidden at rest) over `imgMin_Over`, `imgMax_Over` and
// `imgClose_Over` (idle, visible at rest).
class TitleButtons : public QObject {
    Q_OBJECT
public:
    enum class Button { Min, Max, Close };
    enum class Reacting { All, CloseOnly };

    // The images and this object live as children of `window`.
    TitleButtons(QWidget* window, Reacting reacting);

    void setAllIdle();
    void highlight(Button button);
    bool isHighlighted(Button button) const;

Q_SIGNALS:
    void closeClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pair {
        QLabel* highlighted;
        QLabel* idle;
    };

    static constexpr int kSize = 20;
    static constexpr int kSpacing = 2;
    static constexpr int kMargin = 6;

    static QPixmap drawImage(Button button, bool highlighted);

    QLabel* makeImage(Button button, bool highlighted, const QString& name);
    Pair& pair(Button button);
    const Pair& pair(Button button) const;
    bool reacts(Button button) const;
    bool filterImage(Button button, bool highlighted, QEvent* event);
    void placeImages();

    QWidget* m_window;
    Reacting m_reacting;
    std::array<Pair, 3> m_pairs{};
};
