#pragma once
// Builds the embedded databases from the scripts in db/sqlite (embedded as resources).

#include <QString>

namespace vornel::DemoDatabase {

// The text of a script of db/sqlite embedded in the program ("schema.sql"). Throws DbError.
QString script(const QString& name);

// The administration database (AdmTivra) that goes with a company database file.
QString admPathFor(const QString& path);

// Writes a fresh demo company database at path and its administration database beside it,
// replacing any files there. Throws DbError.
void create(const QString& path);

// Schema only, plus company 1, its year, and users 1 and 2 with every right. Throws DbError.
void createEmpty(const QString& path);

} // namespace vornel::DemoDatabase
