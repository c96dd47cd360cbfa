#include "profiles/CatalogRow.h"

#include "data/DbError.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"

namespace vornel::CatalogRow {

RowKey keyOf(const CatalogProfile& profile, const Recordset& list) {
    RowKey key{profile.table, {}};
    for (int column : profile.keyColumns)
        if (column < list.fieldCount())
            key.columns.emplace_back(list.column(column).name, list.value(column));
    for (const auto& fixed : profile.keyValues)
        key.columns.push_back(fixed);
    return key;
}

std::optional<RowSnapshot> asShown(const RowKey& key, const Recordset& list) {
    std::optional<RowSnapshot> stored;
    try {
        stored = RowSnapshot::read(*ComponentContext::current().connection, key);
    } catch (const DbError&) {
        return std::nullopt;
    }
    if (!stored) return std::nullopt;
    RowSnapshot::Values shown;
    for (const auto& [name, value] : stored->values())
        for (int i = 0; i < list.fieldCount(); ++i)
            if (list.column(i).name.compare(name, Qt::CaseInsensitive) == 0) {
                shown.emplace_back(name, list.value(i));
                break;
            }
    return RowSnapshot(std::move(shown));
}

int find(const Recordset& list, const Cells& cells) {
    if (cells.isEmpty() || !list.isOpen()) return 0;
    const int rows = list.recordCount();
    for (int row = 0; row < rows; ++row) {
        bool same = true;
        for (auto it = cells.begin(); same && it != cells.end(); ++it) {
            if (it.key() >= list.fieldCount()) return 0;
            same = list.textAt(row, it.key()).trimmed() == it.value().trimmed();
        }
        if (same) return row + 1;
    }
    return 0;
}

} // namespace vornel::CatalogRow
