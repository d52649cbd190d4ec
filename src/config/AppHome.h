#pragma once

#include <QString>

#include <functional>

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

    // Lays out this folder as a new home: the folders, a settings file whose database is the
    // home's own (setting 5 "servidor"). The empty database is made by the caller.
    void createDefault() const;
    // First start: lays the home out in a sibling folder, lets `finish` complete it there and
    // only then moves it into place, so an interrupted first start leaves no home behind that
    // a later start would take as finished. Throws std::runtime_error when it cannot.
    void createDefaultAtomically(const std::function<void(const AppHome& staged)>& finish) const;

private:
    QString m_root;
};
