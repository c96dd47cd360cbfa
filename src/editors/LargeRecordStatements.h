#pragma once
// The SQL text of the large record editor (warehouses, cash desks, production centres,
// employees): the lookups of its checks and its INSERT or UPDATE statement. Text values pass
// through Sql::text; values written bare are checked to be numbers.

#include "data/StatementBuilder.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vornel {

// Everything a statement is built from: the editor's state and the text of its fields, named
// after the controls they come from.
struct LargeRecordInput {
    QString caption;
    QString mode; // "A" add, "M" modify
    QString table;
    QStringList columns; // names of the list recordset's columns
    QString loadedKey;   // the name ("Depozite") or the code right after loading

    QString codCasierie;
    QString denumire;
    QString descriere;
    QString adresa;
    QString cont;
    QString gestionar;
    QString telefonVetra;
    QString telefonMobil;
    QString cale;
    QString numeProgram;
    bool ticked = false;
};

// The field whose value was to be written bare and is not a number.
enum class LargeField { None, Cod, Descriere, Adresa, LoadedKey };

// The statement, or the LargeField whose value is not a number.
using LargeStatement = BuiltStatement;

// The one statement of a save: UPDATE in mode "M", INSERT otherwise.
LargeStatement largeSaveStatement(const LargeRecordInput& in);

// The duplicate lookup of a code or name ("Depozite": name, "Casierii" and "Centre de
// productie": code); the value is trimmed here. nullopt when a cash desk code is not a number,
// or for a caption without one.
std::optional<QString> duplicateQuery(const QString& caption, const QString& table,
                                      const QStringList& columns, const QString& value);
// Existence of a cost centre; the code is trimmed here.
QString costCentreQuery(const QString& code);

// The cash-register folder as stored: trimmed, without one final backslash.
QString programFolder(const QString& path);
// The text a minutes field of a production centre takes before saving: empty becomes 0, and a
// value of 0 is stored as 1.
QString minutesText(const QString& text);

} // namespace vornel
