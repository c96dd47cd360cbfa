#pragma once
// The statements of the list window and the code chooser that do not belong to one catalogue: the
// search query from a catalogue's search pieces, the deletion's question, and the chooser's lists
// with their type-ahead filter. Text values pass through the statement builder.

#include "data/SqlText.h"
#include "profiles/CatalogProfile.h"
#include "profiles/Lookup.h"

#include <QString>
#include <QStringList>

namespace vornel::CatalogSql {

// The search of a field: "/" (everything) when the text trimmed of blanks is empty, otherwise the
// text itself, where "/" is the wildcard and every other character matches itself.
QString searchText(const QString& fieldText);
// The listing query of a search; text0 and text1 are the two search fields.
QString searchQuery(const SearchProfile& search, const QString& text0, const QString& text1,
                    Sql::LikeDialect dialect);

QString confirmationText(const QString& name0, const QString& value0, const QString& name1,
                         const QString& value1);

struct ChooserQuery {
    QString query;
    QString format;
    QStringList columnNames; // recordset field per grid column, for the type-ahead filter
};

ChooserQuery chooserQuery(ChooserList list, const QString& startText);
// The type-ahead filter expression: column name Like 'typed%'.
QString typeAheadFilter(const QString& columnName, const QString& typed);

} // namespace vornel::CatalogSql
