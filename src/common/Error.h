#pragma once

#include <QString>
#include <stdexcept>

// The program's own failures: an amount that cannot be read, a settings file, a printer, a
// program that will not start. They are not database errors (those are DbError), but the
// common error routine shows both alike: a number, a description and a source.
class Error : public std::runtime_error {
public:
    static constexpr int kGeneric = 1000;
    // A file held by another program.
    static constexpr int kFileInUse = 70;
    static inline const QString kProgramSource = QStringLiteral("Delivery");

    explicit Error(const QString& description, int number = kGeneric,
                   const QString& source = kProgramSource)
        : std::runtime_error(description.toStdString()), m_number(number),
          m_description(description), m_source(source) {}

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const QString& source() const { return m_source; }

private:
    int m_number;
    QString m_description;
    QString m_source;
};
