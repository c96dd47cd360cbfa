#include "RowSort.h"

#include "Collation.h"
#include "RowSearch.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <functional>
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

// Text is sorted by the primary keys of its values, kept in one arena, with multikey quicksort
// eight bytes at a time: keys that share a long start (every "Banca Transilvania - Sucursala
// ...") are not compared from their first byte again, and each level reads a key's bytes once.
// Values with the same primary key (they differ in case or accents at most) are rare: their full
// sort keys are made only for them.
struct KeyRef {
    std::uint64_t word; // the eight key bytes at the depth being sorted, big-endian, 0 past the end
    std::size_t offset;
    std::uint32_t length;
    std::uint32_t row;
};

using FullKey = std::function<std::string(std::uint32_t row)>;

class KeySorter {
public:
    KeySorter(const std::string& arena, FullKey full)
        : m_base(reinterpret_cast<const unsigned char*>(arena.data())), m_full(std::move(full)) {}

    void sort(KeyRef* a, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            a[i].word = wordAt(a[i], 0);
        sortLoaded(a, n, 0);
    }

    bool samePrimary(const KeyRef& x, const KeyRef& y) const {
        return x.length == y.length && std::memcmp(m_base + x.offset, m_base + y.offset, x.length) == 0;
    }
    bool equal(const KeyRef& x, const KeyRef& y) const {
        return samePrimary(x, y) && m_full(x.row) == m_full(y.row);
    }

private:
    static constexpr std::size_t kSmall = 16;

    std::uint64_t wordAt(const KeyRef& k, std::size_t depth) const {
        const std::size_t available = depth < k.length ? std::min<std::size_t>(8, k.length - depth) : 0;
        unsigned char bytes[8] = {};
        std::memcpy(bytes, m_base + k.offset + depth, available);
        std::uint64_t word = 0;
        for (const unsigned char b : bytes)
            word = (word << 8) | b;
        return word;
    }

    // The words at `depth` are loaded. No primary key holds a 0 byte, so a key that ends inside
    // a word shows it by the zeros that pad it.
    void sortLoaded(KeyRef* a, std::size_t n, std::size_t depth) {
        while (n > kSmall) {
            const std::uint64_t v = median(a[0].word, a[n / 2].word, a[n - 1].word);
            std::size_t lt = 0, i = 0, gt = n;
            while (i < gt) {
                if (a[i].word < v)
                    std::swap(a[lt++], a[i++]);
                else if (a[i].word > v)
                    std::swap(a[i], a[--gt]);
                else
                    ++i;
            }
            sortLoaded(a, lt, depth);
            sortLoaded(a + gt, n - gt, depth);
            // Keys ending in the equal word come first and are equal to each other; the rest go
            // on eight bytes further.
            KeyRef* const equalStart = a + lt;
            KeyRef* const longer =
                std::partition(equalStart, a + gt, [&](const KeyRef& k) { return k.length <= depth + 8; });
            breakTies(equalStart, static_cast<std::size_t>(longer - equalStart));
            n = (gt - lt) - static_cast<std::size_t>(longer - equalStart);
            a = longer;
            depth += 8;
            for (std::size_t k = 0; k < n; ++k)
                a[k].word = wordAt(a[k], depth);
        }
        for (std::size_t i = 1; i < n; ++i)
            for (std::size_t j = i; j > 0 && less(a[j], a[j - 1], depth); --j)
                std::swap(a[j], a[j - 1]);
    }

    // Keys with the same primary key: by their full sort key, then in the query's order.
    void breakTies(KeyRef* a, std::size_t n) {
        if (n < 2) return;
        std::vector<std::pair<std::string, KeyRef>> full;
        full.reserve(n);
        for (std::size_t i = 0; i < n; ++i)
            full.emplace_back(m_full(a[i].row), a[i]);
        std::sort(full.begin(), full.end(), [](const auto& x, const auto& y) {
            return x.first != y.first ? x.first < y.first : x.second.row < y.second.row;
        });
        for (std::size_t i = 0; i < n; ++i)
            a[i] = full[i].second;
    }

    static std::uint64_t median(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
        return std::max(std::min(a, b), std::min(std::max(a, b), c));
    }

    bool less(const KeyRef& x, const KeyRef& y, std::size_t depth) const {
        const std::size_t lx = x.length - std::min<std::size_t>(depth, x.length);
        const std::size_t ly = y.length - std::min<std::size_t>(depth, y.length);
        if (const int c = std::memcmp(m_base + x.offset + depth, m_base + y.offset + depth, std::min(lx, ly)))
            return c < 0;
        if (lx != ly) return lx < ly;
        const std::string fx = m_full(x.row), fy = m_full(y.row);
        return fx != fy ? fx < fy : x.row < y.row;
    }

    const unsigned char* m_base;
    FullKey m_full;
};

std::vector<std::uint32_t> sortByText(const RowStore& rows, int index, bool descending) {
    const std::size_t count = rows.rowCount();
    std::size_t textBytes = 0;
    for (std::size_t r = 0; r < count; ++r)
        textBytes += rows.cellAt(r, index).size;
    std::string arena;
    arena.reserve(textBytes + 2 * count); // about a byte per character
    std::vector<KeyRef> keys(count);
    std::string text;
    for (std::size_t r = 0; r < count; ++r) {
        KeyRef& k = keys[r];
        k.row = static_cast<std::uint32_t>(r);
        k.offset = arena.size();
        const RowStore::Cell cell = rows.cellAt(r, index);
        // A first byte puts NULL before every value, the empty text included.
        if (cell.kind == Kind::Text) {
            arena.push_back('\x02');
            Collation::appendPrimaryKey(arena, cell.data, cell.size);
        } else if (cellText(cell, text)) {
            arena.push_back('\x02');
            Collation::appendPrimaryKey(arena, text.data(), text.size());
        } else {
            arena.push_back('\x01');
        }
        k.length = static_cast<std::uint32_t>(arena.size() - k.offset);
    }
    KeySorter sorter(arena, [&rows, index](std::uint32_t row) {
        std::string key;
        std::string value;
        if (cellText(rows.cellAt(row, index), value))
            Collation::appendSortKey(key, value.data(), value.size());
        return key;
    });
    sorter.sort(keys.data(), keys.size());
    std::vector<std::uint32_t> order;
    order.reserve(count);
    if (!descending) {
        for (const KeyRef& k : keys)
            order.push_back(k.row);
        return order;
    }
    // Runs of equal values keep the query's order when the whole is reversed.
    for (std::size_t end = count; end > 0;) {
        std::size_t start = end - 1;
        while (start > 0 && sorter.samePrimary(keys[start - 1], keys[end - 1]) &&
               sorter.equal(keys[start - 1], keys[end - 1]))
            --start;
        for (std::size_t k = start; k < end; ++k)
            order.push_back(keys[k].row);
        end = start;
    }
    return order;
}

} // namespace

std::vector<std::uint32_t> sortRows(const RowStore& rows, const Column& column, int index, bool descending) {
    const SortKind kind = sortKindOf(rows, column, index);
    if (kind == SortKind::Text) return sortByText(rows, index, descending);
    return sortByValue(rows, index, kind, descending);
}

} // namespace vornel
