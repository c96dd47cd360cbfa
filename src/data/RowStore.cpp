#include "RowStore.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace vornel {

// Cell layout: a tag byte, then the payload. Integers are zig-zag varints so small keys take
// one or two bytes; text and blobs are a varint length followed by the bytes.
namespace {

enum Tag : unsigned char { TagNull = 0, TagInteger = 1, TagDouble = 2, TagText = 3, TagBlob = 4 };

std::uint64_t readVarint(const unsigned char*& p) {
    std::uint64_t v = 0;
    int shift = 0;
    while (true) {
        const unsigned char b = *p++;
        v |= static_cast<std::uint64_t>(b & 0x7f) << shift;
        if (!(b & 0x80)) return v;
        shift += 7;
    }
}

const unsigned char* skipCell(const unsigned char* p) {
    switch (*p++) {
    case TagInteger:
        readVarint(p);
        return p;
    case TagDouble:
        return p + sizeof(double);
    case TagText:
    case TagBlob: {
        const std::uint64_t n = readVarint(p);
        return p + n;
    }
    default:
        return p;
    }
}

} // namespace

RowStore::RowStore(const RowStore& other) : m_columns(other.m_columns), m_offsets(other.m_offsets) {
    for (const Block& b : other.m_blocks) {
        addBlock(b.used);
        std::memcpy(m_blocks.back().data.get(), b.data.get(), b.used);
        m_blocks.back().used = b.used;
    }
}

RowStore& RowStore::operator=(const RowStore& other) {
    if (this != &other) *this = RowStore(other);
    return *this;
}

void RowStore::clear() {
    m_blocks.clear();
    m_row.clear();
    m_offsets.clear();
    m_cellsInRow = 0;
}

std::size_t RowStore::bytesUsed() const {
    std::size_t bytes = m_offsets.capacity() * sizeof(std::uint64_t) + m_row.capacity();
    for (const Block& b : m_blocks)
        bytes += b.capacity;
    return bytes;
}

void RowStore::squeeze() {
    m_offsets.shrink_to_fit();
    if (m_blocks.empty() || m_blocks.back().used == m_blocks.back().capacity) return;
    Block& last = m_blocks.back();
    const std::size_t used = std::max<std::size_t>(last.used, 1);
    if (auto* smaller = static_cast<unsigned char*>(std::realloc(last.data.get(), used))) {
        (void)last.data.release();
        last.data.reset(smaller);
        last.capacity = used;
    }
}

void RowStore::addBlock(std::size_t atLeast) {
    // Large blocks keep the number of fresh pages the kernel must hand out small; where the kernel
    // allows, they are backed by huge pages.
    constexpr std::size_t BlockSize = std::size_t(2) << 20;
    const std::size_t capacity = std::max(BlockSize, (atLeast + BlockSize - 1) / BlockSize * BlockSize);
    auto* data = static_cast<unsigned char*>(std::aligned_alloc(BlockSize, capacity));
    if (!data) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(data, capacity, MADV_HUGEPAGE);
#endif
    m_blocks.push_back(Block{std::unique_ptr<unsigned char, Free>(data), capacity, 0});
}

std::uint64_t RowStore::storeRowBytes() {
    const std::size_t n = m_row.size();
    if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < n) addBlock(n);
    Block& b = m_blocks.back();
    if (n > 0) std::memcpy(b.data.get() + b.used, m_row.data(), n);
    const std::uint64_t offset = (static_cast<std::uint64_t>(m_blocks.size() - 1) << 32) | b.used;
    b.used += n;
    m_row.clear();
    m_cellsInRow = 0;
    return offset;
}

void RowStore::beginRow() {
    m_row.clear();
    m_cellsInRow = 0;
}

void RowStore::startCell() {
    if (m_cellsInRow >= m_columns) throw std::logic_error("RowStore: more cells than columns in a row");
    ++m_cellsInRow;
}

void RowStore::putVarint(std::uint64_t v) {
    while (v >= 0x80) {
        m_row.push_back(static_cast<unsigned char>(v | 0x80));
        v >>= 7;
    }
    m_row.push_back(static_cast<unsigned char>(v));
}

void RowStore::addNull() {
    startCell();
    m_row.push_back(TagNull);
}

void RowStore::addInteger(std::int64_t v) {
    startCell();
    m_row.push_back(TagInteger);
    const auto u = static_cast<std::uint64_t>(v);
    putVarint((u << 1) ^ (v < 0 ? ~std::uint64_t(0) : 0));
}

void RowStore::addDouble(double v) {
    startCell();
    m_row.push_back(TagDouble);
    unsigned char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v);
    m_row.insert(m_row.end(), bytes, bytes + sizeof v);
}

void RowStore::addText(const char* utf8, std::size_t length) {
    startCell();
    m_row.push_back(TagText);
    putVarint(length);
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    m_row.insert(m_row.end(), p, p + length);
}

void RowStore::addText(const QString& v) {
    const QByteArray utf8 = v.toUtf8();
    addText(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

void RowStore::addBlob(const void* data, std::size_t length) {
    startCell();
    m_row.push_back(TagBlob);
    putVarint(length);
    const auto* p = static_cast<const unsigned char*>(data);
    m_row.insert(m_row.end(), p, p + length);
}

void RowStore::add(const QVariant& v) {
    if (!v.isValid() || v.isNull()) {
        addNull();
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::SChar:
        addInteger(v.toLongLong());
        return;
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (v.toULongLong() > static_cast<qulonglong>(std::numeric_limits<std::int64_t>::max()))
            addDouble(v.toDouble());
        else
            addInteger(v.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        addDouble(v.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        addBlob(b.constData(), static_cast<std::size_t>(b.size()));
        return;
    }
    case QMetaType::QDateTime:
        addText(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        return;
    case QMetaType::QDate:
        addText(v.toDate().toString(QStringLiteral("yyyy-MM-dd")));
        return;
    default:
        addText(v.toString());
    }
}

void RowStore::endRow() {
    while (m_cellsInRow < m_columns)
        addNull();
    m_offsets.push_back(storeRowBytes());
}

const unsigned char* RowStore::cell(std::size_t row, int column) const {
    if (row >= m_offsets.size() || column < 0 || column >= m_columns)
        throw std::out_of_range("RowStore: no such cell");
    const std::uint64_t offset = m_offsets[row];
    const unsigned char* p = m_blocks[offset >> 32].data.get() + (offset & 0xffffffffu);
    for (int c = 0; c < column; ++c)
        p = skipCell(p);
    return p;
}

QVariant RowStore::value(std::size_t row, int column) const {
    const unsigned char* p = cell(row, column);
    switch (*p++) {
    case TagInteger: {
        const std::uint64_t u = readVarint(p);
        return QVariant::fromValue(static_cast<qlonglong>((u >> 1) ^ (~(u & 1) + 1)));
    }
    case TagDouble: {
        double d;
        std::memcpy(&d, p, sizeof d);
        return d;
    }
    case TagText: {
        const std::uint64_t n = readVarint(p);
        return QString::fromUtf8(reinterpret_cast<const char*>(p), static_cast<qsizetype>(n));
    }
    case TagBlob: {
        const std::uint64_t n = readVarint(p);
        return QByteArray(reinterpret_cast<const char*>(p), static_cast<qsizetype>(n));
    }
    default:
        return {};
    }
}

namespace {

const unsigned char* readCell(const unsigned char* p, RowStore::Cell& c) {
    using Kind = RowStore::Cell::Kind;
    switch (*p++) {
    case TagInteger: {
        const std::uint64_t u = readVarint(p);
        c.kind = Kind::Integer;
        c.integer = static_cast<std::int64_t>((u >> 1) ^ (~(u & 1) + 1));
        return p;
    }
    case TagDouble:
        c.kind = Kind::Double;
        std::memcpy(&c.real, p, sizeof c.real);
        return p + sizeof c.real;
    case TagText:
    case TagBlob:
        c.kind = p[-1] == TagText ? Kind::Text : Kind::Blob;
        c.size = static_cast<std::size_t>(readVarint(p));
        c.data = reinterpret_cast<const char*>(p);
        return p + c.size;
    default:
        return p;
    }
}

} // namespace

RowStore::Cell RowStore::RowReader::next() {
    Cell c;
    m_p = readCell(m_p, c);
    return c;
}

RowStore::Cell RowStore::cellAt(std::size_t row, int column) const {
    Cell c;
    readCell(cell(row, column), c);
    return c;
}

bool RowStore::isNull(std::size_t row, int column) const {
    return *cell(row, column) == TagNull;
}

void RowStore::replaceRow(std::size_t row, const std::vector<QVariant>& values) {
    if (row >= m_offsets.size()) throw std::out_of_range("RowStore: no such row");
    beginRow();
    for (int c = 0; c < m_columns; ++c)
        add(c < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(c)] : QVariant());
    m_offsets[row] = storeRowBytes();
}

void RowStore::appendRow(const std::vector<QVariant>& values) {
    beginRow();
    for (int c = 0; c < m_columns; ++c)
        add(c < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(c)] : QVariant());
    endRow();
}

void RowStore::removeRow(std::size_t row) {
    if (row >= m_offsets.size()) throw std::out_of_range("RowStore: no such row");
    m_offsets.erase(m_offsets.begin() + static_cast<std::ptrdiff_t>(row));
}

std::vector<QVariant> RowStore::row(std::size_t row) const {
    std::vector<QVariant> values;
    values.reserve(static_cast<std::size_t>(m_columns));
    for (int c = 0; c < m_columns; ++c)
        values.push_back(value(row, c));
    return values;
}

} // namespace vornel
