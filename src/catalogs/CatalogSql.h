#pragma once
// The statements of the catalogue browser, built as text from a caption and the user's values:
// the search queries of the list window, the use checks and DELETE statements of the deletion,
// and the lists of the code chooser. Every text value passes through Sql::text; values written
// bare are checked with Sql::isNumber first.

#include "data/SqlText.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vornel::CatalogSql {

// --- search of the list window ---

// The search of a field: "/" (everything) when the text trimmed of blanks is empty, otherwise the
// text itself, where "/" is the wildcard and every other character matches itself.
QString searchText(const QString& fieldText);
// The listing query of a search for the caption; text0 and text1 are the two search fields.
QString searchQuery(const QString& caption, const QString& text0, const QString& text1,
                    Sql::LikeDialect dialect);

// --- deletion ---

enum class DeletePath { Refused, Procedure, Statement };
DeletePath deletePath(const QString& caption);

// The count query that tells whether other data still uses the record; empty when the caption has
// no such check.
QString useCheckQuery(const QString& caption, const QString& name0, const QString& value0);

QString confirmationText(const QString& name0, const QString& value0, const QString& name1,
                         const QString& value1);

// The DELETE statement of the caption; nullopt when a value that must be written bare is not a
// number (or the caption has no statement).
std::optional<QString> deleteStatement(const QString& caption, const QString& table, const QString& name0,
                                       const QString& value0, const QString& name1, const QString& value1);

// The "what" argument of the stored procedure "Sterge" for the caption (0 when it has none), and
// whether the procedure takes the code as its integer argument.
int procedureWhat(const QString& caption);
bool procedureTakesIntegerKey(const QString& caption);

// --- code chooser ---

struct ChooserList {
    QString query;
    QString format;
    QStringList columnNames; // recordset field per grid column, for the type-ahead filter
    std::vector<int> widths; // twips, first columns
};

ChooserList chooserList(const QString& kind, const QString& startText);
// The type-ahead filter expression: column name Like 'typed%'.
QString typeAheadFilter(const QString& columnName, const QString& typed);

} // namespace vornel::CatalogSql
