#pragma once
// Backup and restore of the embedded database: the company file and its administration file
// (".adm") together. The backup uses SQLite's online backup inside one read transaction, so the
// copy is consistent while other connections write; a restore checks the copy before it touches
// anything and keeps the files it replaces.

#include <QString>
#include <functional>

namespace vornel::SqliteBackup {

// Told the pages copied so far and the pages in all; returning false stops the copy.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// What a replaced file is renamed to: "firma.db" -> "firma.db.inainte-de-restaurare".
inline constexpr const char* kReplacedSuffix = ".inainte-de-restaurare";

// Copies `database` (and its administration file) to `copy` (and `copy`.adm). Returns false when
// `progress` stopped it; nothing is left behind then. Throws DbError.
bool save(const QString& database, const QString& copy, const Progress& progress = {});

// Why `copy` cannot replace `database` as company `companyId`: not a database, fails its
// integrity check, lacks tables or columns the program expects, or belongs to another company
// or year. Empty when the copy may replace it.
QString refusal(const QString& copy, const QString& database, int companyId);

// Replaces `database` (and its administration file) with the checked `copy`; the replaced files
// stay beside it with kReplacedSuffix. Returns false when `progress` stopped it. Throws DbError
// with the refusal, and changes nothing, when the copy is refused or cannot be written.
bool restore(const QString& copy, const QString& database, int companyId, const Progress& progress = {});

} // namespace vornel::SqliteBackup
