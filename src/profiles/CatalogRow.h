#pragma once
// The stored row of a catalogue that a record of its list stands for: its key, and the row as the
// list showed it, which a change of the record must still find there.

#include "data/RowSnapshot.h"
#include "profiles/CatalogProfile.h"

#include <QMap>
#include <optional>

namespace vornel {

class Recordset;

namespace CatalogRow {

// The key of the list's current record.
RowKey keyOf(const CatalogProfile& profile, const Recordset& list);

// The current record's values in the columns its stored row has, as the list read them; none when
// the stored row is gone (a change of it is then refused).
std::optional<RowSnapshot> asShown(const RowKey& key, const Recordset& list);

// The list's cells by column, as text.
using Cells = QMap<int, QString>;

// The first row of the list (1-based) whose cells hold these texts, blanks aside; 0 for none.
int find(const Recordset& list, const Cells& cells);

} // namespace CatalogRow
} // namespace vornel
