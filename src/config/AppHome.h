#pragma once

#include <QString>

// The folder everything of one installation lives in: BRISKO_HOME when set, otherwise the
// executable's folder on Windows and ~/.local/share/Brisko elsewhere.
class AppHome {
public:
    explicit AppHome(const QString& root);
    static AppHome resolve();

    const QString& root() const { return m_root; }
    bool exists() const;

    QString iniPath() const;
    QString dbFolder() const; // with a trailing separator
    QString imagesFolder() const;
    QString iconFolder() const;
    QString reportsFolder() const;
    QString supportFolder() const;
    QString cupomPath() const;
    // Outside the home: the exit copy of the database and the spreadsheet exports.
    static QString backupFolder();
    static QString exportsFolder();

    // First start on a machine without a home: the folders, a settings file whose database
    // is the home's own (setting 5 "servidor"). The empty database is made by the caller.
    void createDefault() const;

private:
    QString m_root;
};
