#pragma once

#include <QObject>
#include <QString>

// Lets a driving process follow the program: BRISKO_TRACE=<file> appends the object name of
// every top-level screen when it is shown; BRISKO_EXIT_AFTER=<name> ends the program right
// after that screen has been shown (start-up measurements, process tests).
class ShownScreenProbe : public QObject {
    Q_OBJECT

public:
    explicit ShownScreenProbe(QObject* parent = nullptr);
    static bool wanted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_tracePath;
    QString m_exitAfter;
};
