#pragma once
// What the host does from the command line without opening a window; each returns the exit
// status (0 done, 1 failed with the reason on standard error).

#include <QString>

namespace vornel::host {

// --set KEY=VALUE: writes the per-user setting KEY (organisation "Vornel", application "vornel").
// `assignment` holds "=" after a non-empty key.
int writeSetting(const QString& assignment);

// --backup FILE: copies the embedded database `database` to FILE (and FILE.adm).
int backupCommand(const QString& database, const QString& file);

// --restore FILE: replaces the embedded database `database` with the copy FILE, as company
// `company`, after checking the copy.
int restoreCommand(const QString& database, const QString& file, int company);

} // namespace vornel::host
