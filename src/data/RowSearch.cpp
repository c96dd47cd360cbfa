#include "RowSearch.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vornel {

std::size_t plainNumberText(double value, char* buffer) {
    char* const end = buffer + kNumberTextSize;
    if (std::isnan(value)) return static_cast<std::size_t>(std::copy_n("nan", 3, buffer) - buffer);
    if (std::isinf(value))
        return value > 0 ? static_cast<std::size_t>(std::copy_n("inf", 3, buffer) - buffer)
                         : static_cast<std::size_t>(std::copy_n("-inf", 4, buffer) - buffer);
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return static_cast<std::size_t>(std::to_chars(buffer, end, static_cast<long long>(value)).ptr -
                                        buffer);
    return static_cast<std::size_t>(std::to_chars(buffer, end, value, std::chars_format::fixed).ptr - buffer);
}

QString plainNumberText(double value) {
    char buffer[kNumberTextSize];
    return QString::fromLatin1(buffer, static_cast<qsizetype>(plainNumberText(value, buffer)));
}

RowSearch::RowSearch(const QString& text, std::vector<int> columns)
    : m_text(text), m_folded(text), m_columns(std::move(columns)) {}

bool RowSearch::matches(const RowStore& rows, std::size_t row) const {
    if (m_folded.isEmpty()) return true;
    char number[kNumberTextSize];
    for (const int column : m_columns) {
        if (column < 0 || column >= rows.columnCount()) continue;
        const RowStore::Cell cell = rows.cellAt(row, column);
        switch (cell.kind) {
        case RowStore::Cell::Kind::Text:
            if (m_folded.foundIn(cell.data, cell.size)) return true;
            break;
        case RowStore::Cell::Kind::Integer: {
            const auto end = std::to_chars(number, number + sizeof number, cell.integer).ptr;
            if (m_folded.foundIn(number, static_cast<std::size_t>(end - number))) return true;
            break;
        }
        case RowStore::Cell::Kind::Double:
            if (m_folded.foundIn(number, plainNumberText(cell.real, number))) return true;
            break;
        default:
            break;
        }
    }
    return false;
}

bool RowSearch::narrows(const RowSearch& wider) const {
    return m_columns == wider.m_columns && m_folded.contains(wider.m_folded);
}

} // namespace vornel
