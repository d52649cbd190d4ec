#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;

// The main window's column of image buttons. Each button is a pair: `img_Menu_<name>` (idle
// look, visible at rest) and `img_Menu_<name>_Over` (highlighted look, shown while the
// pointer is over the button, the one that takes the click).
class ImageMenu : public QWidget {
    Q_OBJECT
public:
    struct Button {
        QString name;    // "Cliente" gives img_Menu_Cliente and img_Menu_Cliente_Over
        QString caption; // drawn on the image
        QString toolTip;
    };

    ImageMenu(const QList<Button>& buttons, QWidget* parent = nullptr);

    void setAllIdle();
    void highlight(const QString& name);
    bool isHighlighted(const QString& name) const;
    void setButtonEnabled(const QString& name, bool enabled);

Q_SIGNALS:
    void clicked(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Pair {
        QString name;
        QLabel* idle;
        QLabel* over;
    };

    static constexpr int kWidth = 120;
    static constexpr int kHeight = 52;

    static QPixmap drawImage(const QString& caption, bool highlighted);
    QLabel* makeImage(QWidget* slot, const QString& objectName, const QPixmap& pixmap,
                      const QString& toolTip);
    const Pair* find(const QString& name) const;

    QList<Pair> m_pairs;
};
