#include "RowStore.h"

#include <QDate>
#include <QDateTime>
#include <cstring>
#include <limits>
#include <stdexcept>

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
        if (!(b & 0x80))
            return v;
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

void RowStore::clear() {
    m_arena.clear();
    m_offsets.clear();
    m_rowStart = 0;
    m_cellsInRow = 0;
}

std::size_t RowStore::bytesUsed() const {
    return m_arena.capacity() + m_offsets.capacity() * sizeof(std::uint64_t);
}

void RowStore::squeeze() {
    m_arena.shrink_to_fit();
    m_offsets.shrink_to_fit();
}

void RowStore::beginRow() {
    m_rowStart = m_arena.size();
    m_cellsInRow = 0;
}

void RowStore::startCell() {
    if (m_cellsInRow >= m_columns)
        throw std::logic_error("RowStore: more cells than columns in a row");
    ++m_cellsInRow;
}

void RowStore::putVarint(std::uint64_t v) {
    while (v >= 0x80) {
        m_arena.push_back(static_cast<unsigned char>(v | 0x80));
        v >>= 7;
    }
    m_arena.push_back(static_cast<unsigned char>(v));
}

void RowStore::addNull() {
    startCell();
    m_arena.push_back(TagNull);
}

void RowStore::addInteger(std::int64_t v) {
    startCell();
    m_arena.push_back(TagInteger);
    const auto u = static_cast<std::uint64_t>(v);
    putVarint((u << 1) ^ (v < 0 ? ~std::uint64_t(0) : 0));
}

void RowStore::addDouble(double v) {
    startCell();
    m_arena.push_back(TagDouble);
    unsigned char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v);
    m_arena.insert(m_arena.end(), bytes, bytes + sizeof v);
}

void RowStore::addText(const char* utf8, std::size_t length) {
    startCell();
    m_arena.push_back(TagText);
    putVarint(length);
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    m_arena.insert(m_arena.end(), p, p + length);
}

void RowStore::addText(const QString& v) {
    const QByteArray utf8 = v.toUtf8();
    addText(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

void RowStore::addBlob(const void* data, std::size_t length) {
    startCell();
    m_arena.push_back(TagBlob);
    putVarint(length);
    const auto* p = static_cast<const unsigned char*>(data);
    m_arena.insert(m_arena.end(), p, p + length);
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
    m_offsets.push_back(m_rowStart);
    m_rowStart = m_arena.size();
    m_cellsInRow = 0;
}

const unsigned char* RowStore::cell(std::size_t row, int column) const {
    if (row >= m_offsets.size() || column < 0 || column >= m_columns)
        throw std::out_of_range("RowStore: no such cell");
    const unsigned char* p = m_arena.data() + m_offsets[row];
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

bool RowStore::isNull(std::size_t row, int column) const {
    return *cell(row, column) == TagNull;
}

void RowStore::replaceRow(std::size_t row, const std::vector<QVariant>& values) {
    if (row >= m_offsets.size())
        throw std::out_of_range("RowStore: no such row");
    beginRow();
    for (int c = 0; c < m_columns; ++c)
        add(c < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(c)] : QVariant());
    m_offsets[row] = m_rowStart;
    m_rowStart = m_arena.size();
    m_cellsInRow = 0;
}

void RowStore::appendRow(const std::vector<QVariant>& values) {
    beginRow();
    for (int c = 0; c < m_columns; ++c)
        add(c < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(c)] : QVariant());
    endRow();
}

void RowStore::removeRow(std::size_t row) {
    if (row >= m_offsets.size())
        throw std::out_of_range("RowStore: no such row");
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
