#pragma once

class QWidget;
struct ScreenContext;

// Where the online backup was asked for.
enum class BackupOnLineOrigem {
    Menu, // "Backup OnLine": a missing setting is reported
    Saida // the end of the exit sequence: a missing setting skips it silently
};

// Reads setting 14 and the remote server from the settings file anew and runs the online
// backup in frmSincroniza, modally. Returns true when it ran to the end.
bool ExecutaBackupOnLine(ScreenContext& context, QWidget* parent, BackupOnLineOrigem origem);
