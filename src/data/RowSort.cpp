#include "RowSort.h"

#include "Collation.h"
#include "RowSearch.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace vornel {

namespace {

using Kind = RowStore::Cell::Kind;

bool digits(const char* p, int count, int& value) {
    value = 0;
    for (int i = 0; i < count; ++i) {
        if (p[i] < '0' || p[i] > '9') return false;
        value = value * 10 + (p[i] - '0');
    }
    return true;
}

// "hh:mm" or "hh:mm:ss" after a blank or "T"; the rest of a fraction of a second is ignored.
bool timeValue(const char* p, std::size_t size, int& seconds) {
    seconds = 0;
    if (size == 0) return true;
    if (size < 6 || (p[0] != ' ' && p[0] != 'T')) return false;
    int h = 0, m = 0, s = 0;
    if (!digits(p + 1, 2, h) || p[3] != ':' || !digits(p + 4, 2, m)) return false;
    if (size >= 9 && p[6] == ':' && !digits(p + 7, 2, s)) return false;
    if (h > 23 || m > 59 || s > 59) return false;
    seconds = h * 10000 + m * 100 + s;
    return true;
}

struct NumberEntry {
    int rank; // 0 NULL, 1 a value, 2 a value that is not a number or date
    double key;
    std::uint32_t row;
};

struct TextEntry {
    std::uint64_t head; // the first eight key bytes, big-endian: most comparisons end here
    std::size_t offset;
    std::uint32_t length;
    std::uint32_t row;
    bool null;
};

} // namespace

bool dateValue(const char* text, std::size_t size, double& value) {
    int a = 0, b = 0, c = 0;
    int seconds = 0;
    if (size < 10) return false;
    if (text[4] == '-' && text[7] == '-' && digits(text, 4, a) && digits(text + 5, 2, b) &&
        digits(text + 8, 2, c)) {
        // yyyy-mm-dd
    } else if ((text[2] == '/' || text[2] == '.') && text[5] == text[2] && digits(text, 2, c) &&
               digits(text + 3, 2, b) && digits(text + 6, 4, a)) {
        // dd/mm/yyyy or dd.mm.yyyy
    } else {
        return false;
    }
    if (b < 1 || b > 12 || c < 1 || c > 31 || !timeValue(text + 10, size - 10, seconds)) return false;
    value = (static_cast<double>(a) * 10000 + b * 100 + c) * 1000000 + seconds;
    return true;
}

bool cellText(const RowStore::Cell& cell, std::string& text) {
    char number[kNumberTextSize];
    switch (cell.kind) {
    case Kind::Text:
        text.assign(cell.data, cell.size);
        return true;
    case Kind::Integer:
        text.assign(number, std::to_chars(number, number + sizeof number, cell.integer).ptr);
        return true;
    case Kind::Double:
        text.assign(number, plainNumberText(cell.real, number));
        return true;
    default:
        return false;
    }
}

SortKind sortKindOf(const RowStore& rows, const Column& column, int index) {
    switch (column.type) {
    case ColumnType::Integer:
    case ColumnType::Double:
    case ColumnType::Boolean:
        return SortKind::Number;
    case ColumnType::DateTime:
        return SortKind::Date;
    default:
        break;
    }
    bool numbers = false, texts = false, allDates = true;
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        const RowStore::Cell cell = rows.cellAt(r, index);
        if (cell.kind == Kind::Integer || cell.kind == Kind::Double) {
            numbers = true;
        } else if (cell.kind == Kind::Text && cell.size > 0) {
            texts = true;
            double ignored = 0;
            if (allDates && !dateValue(cell.data, cell.size, ignored)) allDates = false;
        } else if (cell.kind == Kind::Blob) {
            texts = true;
            allDates = false;
        }
        if (numbers && texts) return SortKind::Text;
    }
    if (numbers) return SortKind::Number;
    return texts && allDates ? SortKind::Date : SortKind::Text;
}

namespace {

std::vector<std::uint32_t> sortByValue(const RowStore& rows, int index, SortKind kind, bool descending) {
    std::vector<NumberEntry> entries(rows.rowCount());
    for (std::size_t r = 0; r < entries.size(); ++r) {
        const RowStore::Cell cell = rows.cellAt(r, index);
        NumberEntry& e = entries[r];
        e.row = static_cast<std::uint32_t>(r);
        e.rank = 1;
        e.key = 0;
        if (cell.kind == Kind::Null || (cell.kind == Kind::Text && cell.size == 0)) {
            e.rank = 0;
        } else if (cell.kind == Kind::Integer) {
            e.key = static_cast<double>(cell.integer);
        } else if (cell.kind == Kind::Double) {
            e.key = cell.real;
        } else if (cell.kind == Kind::Text) {
            bool ok = false;
            if (kind == SortKind::Date) {
                ok = dateValue(cell.data, cell.size, e.key);
            } else {
                const auto result = std::from_chars(cell.data, cell.data + cell.size, e.key);
                ok = result.ec == std::errc() && result.ptr == cell.data + cell.size;
            }
            if (!ok) e.rank = 2;
        } else {
            e.rank = 2;
        }
    }
    std::sort(entries.begin(), entries.end(), [descending](const NumberEntry& x, const NumberEntry& y) {
        if (x.rank != y.rank) return descending ? x.rank > y.rank : x.rank < y.rank;
        if (x.key != y.key) return descending ? x.key > y.key : x.key < y.key;
        return x.row < y.row;
    });
    std::vector<std::uint32_t> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order[i] = entries[i].row;
    return order;
}

int compareKeys(const std::string& arena, const TextEntry& x, const TextEntry& y) {
    if (x.null != y.null) return x.null ? -1 : 1;
    if (x.head != y.head) return x.head < y.head ? -1 : 1;
    const std::uint32_t common = std::min(x.length, y.length);
    if (common > 8) {
        if (const int c = std::memcmp(arena.data() + x.offset + 8, arena.data() + y.offset + 8, common - 8))
            return c;
    }
    if (x.length != y.length) return x.length < y.length ? -1 : 1;
    return 0;
}

std::vector<std::uint32_t> sortByText(const RowStore& rows, int index, bool descending) {
    std::vector<TextEntry> entries(rows.rowCount());
    std::string arena;
    std::string text;
    for (std::size_t r = 0; r < entries.size(); ++r) {
        TextEntry& e = entries[r];
        e.row = static_cast<std::uint32_t>(r);
        e.offset = arena.size();
        e.null = !cellText(rows.cellAt(r, index), text);
        if (!e.null) Collation::appendSortKey(arena, text.data(), text.size());
        e.length = static_cast<std::uint32_t>(arena.size() - e.offset);
        unsigned char head[8] = {};
        std::memcpy(head, arena.data() + e.offset, std::min<std::size_t>(8, e.length));
        e.head = 0;
        for (const unsigned char byte : head)
            e.head = (e.head << 8) | byte;
    }
    std::sort(entries.begin(), entries.end(), [&arena, descending](const TextEntry& x, const TextEntry& y) {
        const int c = compareKeys(arena, x, y);
        if (c != 0) return descending ? c > 0 : c < 0;
        return x.row < y.row;
    });
    std::vector<std::uint32_t> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order[i] = entries[i].row;
    return order;
}

} // namespace

std::vector<std::uint32_t> sortRows(const RowStore& rows, const Column& column, int index, bool descending) {
    const SortKind kind = sortKindOf(rows, column, index);
    if (kind == SortKind::Text) return sortByText(rows, index, descending);
    return sortByValue(rows, index, kind, descending);
}

} // namespace vornel
