#pragma once
// Does an opened database have what the program expects? The expectation is read from the
// embedded schema scripts of db/sqlite, so a table or column added there is expected at once.

#include <QString>
#include <QStringList>
#include <vector>

namespace vornel {

class Backend;
class Connection;

namespace SchemaCheck {

struct Table {
    QString name;  // as a statement names it: "Cpp", "AdmTivra.dbo.Societati"
    QString shown; // as a message names it: "Cpp", "AdmTivra.Societati"
    std::vector<QString> columns;
};

// The tables (company and administration database) and their columns that the program expects.
std::vector<Table> expected();

// What the database lacks, one phrase each ("lipseste coloana Adresa din tabela Cpp",
// "lipseste tabela Banci"); empty when it has everything. Column names compare without regard to
// case, as SQL Server's default collation does.
QStringList missing(Backend& backend);

// The phrases joined, at most a few of them named ("lipseste tabela Cpp, lipseste ..., si inca 4").
QString summary(const QStringList& missing);

// The sentence for a database that lacks something: "Structura bazei de date nu corespunde
// programului: lipseste coloana Adresa din tabela Cpp."; empty when nothing is missing.
QString verdict(const QStringList& missing);

// Throws DbError with the verdict when the database lacks a table or a column.
void verify(Connection& connection);

} // namespace SchemaCheck
} // namespace vornel
