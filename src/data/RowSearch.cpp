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
    : m_text(text), m_folded(text), m_columns(std::move(columns)) {
    std::erase_if(m_columns, [](int c) { return c < 0; });
    for (const int column : m_columns) {
        if (column >= static_cast<int>(m_searched.size()))
            m_searched.resize(static_cast<std::size_t>(column) + 1);
        m_searched[static_cast<std::size_t>(column)] = true;
    }
}

bool RowSearch::cellMatches(const RowStore::Cell& cell) const {
    char number[kNumberTextSize];
    switch (cell.kind) {
    case RowStore::Cell::Kind::Text:
        return m_folded.foundIn(cell.data, cell.size);
    case RowStore::Cell::Kind::Integer: {
        const auto end = std::to_chars(number, number + sizeof number, cell.integer).ptr;
        return m_folded.foundIn(number, static_cast<std::size_t>(end - number));
    }
    case RowStore::Cell::Kind::Double:
        return m_folded.foundIn(number, plainNumberText(cell.real, number));
    default:
        return false;
    }
}

bool RowSearch::matches(const RowStore& rows, std::size_t row) const {
    if (m_folded.isEmpty()) return true;
    // One walk along the row reads every searched cell; which matches first does not matter.
    const int span = std::min(static_cast<int>(m_searched.size()), rows.columnCount());
    RowStore::RowReader reader = rows.reader(row);
    for (int column = 0; column < span; ++column) {
        const RowStore::Cell cell = reader.next();
        if (m_searched[static_cast<std::size_t>(column)] && cellMatches(cell)) return true;
    }
    return false;
}

bool RowSearch::narrows(const RowSearch& wider) const {
    return m_columns == wider.m_columns && m_folded.contains(wider.m_folded);
}

} // namespace vornel
