#pragma once

#include "common/screens/MessageBoxes.h"
#include "management/PeriodCheck.h"

#include <QObject>
#include <optional>

class QLineEdit;
class QWidget;

// The two masked date boxes of a period, `mskData_Inicio` and `mskData_Fim`, and what a
// screen does when they are wrong: the message, then the box emptied, masked again and
// focused. The screen lays the boxes out with its own labels.
class PeriodBoxes : public QObject {
    Q_OBJECT
public:
    explicit PeriodBoxes(QWidget* parent);

    QLineEdit* mskData_Inicio() const { return m_start; }
    QLineEdit* mskData_Fim() const { return m_end; }

    // The period typed, or nothing after the message about the first wrong box.
    std::optional<Period> check(MessageBoxes& messages);
    // Empties `box` and puts the mask back.
    static void reset(QLineEdit* box);
    // The same for any pair of date boxes.
    static std::optional<Period> check(MessageBoxes& messages, QLineEdit* start, QLineEdit* end);

private:
    QLineEdit* m_start;
    QLineEdit* m_end;
};
