#include "shell/BackupHistory.h"

#include "config/DatabaseLocation.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Settings");
const QString kPath = QStringLiteral("BackupPath");
const QString kDate = QStringLiteral("BackupDate");
const QString kTime = QStringLiteral("BackupTime");

} // namespace

BackupHistory::Record BackupHistory::last() const {
    m_store.beginGroup(kGroup);
    Record record{m_store.value(kPath).toString(), m_store.value(kDate).toString(),
                  m_store.value(kTime).toString()};
    m_store.endGroup();
    return record;
}

void BackupHistory::remember(const QString& path, const QDateTime& when) {
    m_store.beginGroup(kGroup);
    m_store.setValue(kPath, path);
    m_store.setValue(kDate, backupDateText(when.date()));
    m_store.setValue(kTime, backupTimeText(when.time()));
    m_store.endGroup();
    m_store.sync();
}

QString backupDateText(const QDate& date) {
    // Fixed, not the locale's: Qt's Portuguese abbreviations end in a full stop.
    static const char* const kMonths[] = {"jan", "fev", "mar", "abr", "mai", "jun",
                                          "jul", "ago", "set", "out", "nov", "dez"};
    return QStringLiteral("%1, %2, %3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(kMonths[date.month() - 1]))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString backupTimeText(const QTime& time) {
    return QLocale::c().toString(time, QStringLiteral("hh:mm:ss AP"));
}

QString backupDestination(const QString& folder) {
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + DatabaseLocation::kFileName;
}
