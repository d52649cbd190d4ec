#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

class QSettings;

// Where and when the backup screen last copied the database, kept per user in the group
// "Settings" of the settings store, as texts in the forms the screen shows.
class BackupHistory {
public:
    struct Record {
        QString path; // empty when no copy was ever made
        QString date;
        QString time;
    };

    explicit BackupHistory(QSettings& store) : m_store(store) {}

    Record last() const;
    void remember(const QString& path, const QDateTime& when);

private:
    QSettings& m_store;
};

// "dd, mmm, yyyy" with the Portuguese month abbreviation: "05, jan, 2024".
QString backupDateText(const QDate& date);
// "hh:mm:ss AM/PM" on the twelve-hour clock: "03:07:09 PM".
QString backupTimeText(const QTime& time);
// The copy's file in `folder`, with a single separator when the folder is a root ("/", "C:/").
QString backupDestination(const QString& folder);
