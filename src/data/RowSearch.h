#pragma once
// The lists' instant filter: a row passes when the text occurs in any of the given columns, as
// the grids show them, without regard to case or diacritics.

#include "Collation.h"
#include "RowStore.h"

#include <QString>
#include <vector>

namespace vornel {

class RowSearch {
public:
    RowSearch(const QString& text, std::vector<int> columns);

    bool matches(const RowStore& rows, std::size_t row) const;
    // True when every row this search lets through also passes `wider`, so that this search only
    // needs to look at the rows `wider` left (the typed text grew, the columns are the same).
    bool narrows(const RowSearch& wider) const;

    const QString& text() const { return m_text; }
    const std::vector<int>& columns() const { return m_columns; }

private:
    bool cellMatches(const RowStore::Cell& cell) const;

    QString m_text;
    Collation::FoldedText m_folded;
    std::vector<int> m_columns;
    std::vector<bool> m_searched; // by column, up to the last searched one
};

// A number as the grids show it: integers without decimals, other values in their shortest exact
// form with "." as separator, never with an exponent.
QString plainNumberText(double value);
// The same into a buffer of kNumberTextSize characters; returns the length written.
constexpr std::size_t kNumberTextSize = 400;
std::size_t plainNumberText(double value, char* buffer);

} // namespace vornel
