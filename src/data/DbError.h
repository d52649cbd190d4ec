#pragma once

#include <QString>
#include <stdexcept>

// The data layer's error. `number` follows the numbers the error routine knows: kInUse for a
// database locked by another workstation, kFileInUse for a file held by another program;
// anything else ends in the error dialog. `source` is the driver's name, or "Delivery" where
// the program itself refuses. The program's other failures are common/Error.
class DbError : public std::runtime_error {
public:
    static constexpr int kInUse = -2147467259;
    static constexpr int kFileInUse = 70;
    static constexpr int kGeneric = 1000;
    static inline const QString kProgramSource = QStringLiteral("Delivery");

    DbError(int number, const QString& description, const QString& source = kProgramSource)
        : std::runtime_error(description.toStdString()), m_number(number),
          m_description(description), m_source(source) {}

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const QString& source() const { return m_source; }
    bool isInUse() const { return m_number == kInUse; }

private:
    int m_number;
    QString m_description;
    QString m_source;
};
