#pragma once
// The SQL text of the record editor: the lookup queries of its checks and the INSERT or UPDATE
// statement of each catalogue. Text values pass through Sql::text; bare numbers are checked.

#include "data/StatementBuilder.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vornel {

// Everything a statement is built from: the editor's state and the text of its fields.
struct RecordInput {
    QString caption;
    QString mode; // "A" add, "M" modify
    QString table;
    QStringList columns; // names of the list recordset's columns
    QStringList row;     // the list's current row as text (modify mode)
    QString oldKey;

    QString cheie;
    QString descriere;
    QString rezerva;
    QString rezerva1;
    QString cont;
    QString cod;
    QString combo;
    bool ticked = false;
    double discount = 0;
};

// The field whose value was to be written as a bare number and is not one.
enum class RecordField { None, Cheie, Cod, Rezerva, OldKey, Row };

// The statement, or the RecordField whose value is not a number.
using SaveStatement = BuiltStatement;

// The one statement of a save: UPDATE in mode "M", INSERT otherwise.
SaveStatement saveStatement(const RecordInput& in);

// "SELECT 'x' ..." existence queries of the checks; values are trimmed here.
QString accountQuery(const QString& account);
QString groupQuery(const QString& caption, const QString& group);
// Duplicate-key query; nullopt when a numeric key ("Rate TVA", "Banci") is not a number.
std::optional<QString> keyQuery(const QString& caption, const QString& table, const QStringList& columns,
                                const QString& key);

// True for the captions whose key is written bare.
bool hasNumericKey(const QString& caption);

} // namespace vornel
