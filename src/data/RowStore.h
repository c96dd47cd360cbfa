#pragma once
// Compact in-memory storage of the rows of a result: one byte arena plus an offset per row.
// Cells are decoded on access, so a million rows cost little more than their text.

#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace vornel {

class RowStore {
public:
    explicit RowStore(int columnCount = 0) : m_columns(columnCount) {}

    int columnCount() const { return m_columns; }
    std::size_t rowCount() const { return m_offsets.size(); }
    void clear();
    void reserveBytes(std::size_t bytes) { m_arena.reserve(bytes); }
    std::size_t bytesUsed() const; // memory held, spare capacity included
    void squeeze();                // gives back the spare capacity once the rows are read

    // Building a row: beginRow, one add per column, endRow.
    void beginRow();
    void addNull();
    void addInteger(std::int64_t v);
    void addDouble(double v);
    void addText(const char* utf8, std::size_t length);
    void addText(const QString& v);
    void addBlob(const void* data, std::size_t length);
    void add(const QVariant& v);
    void endRow();

    QVariant value(std::size_t row, int column) const;
    bool isNull(std::size_t row, int column) const;

    // Replace a row's cells (appends the new encoding; the old bytes are left unused).
    void replaceRow(std::size_t row, const std::vector<QVariant>& values);
    void appendRow(const std::vector<QVariant>& values);
    void removeRow(std::size_t row);
    std::vector<QVariant> row(std::size_t row) const;

private:
    const unsigned char* cell(std::size_t row, int column) const;
    void encode(const QVariant& v);
    void putVarint(std::uint64_t v);
    void startCell();

    int m_columns;
    std::vector<unsigned char> m_arena;
    std::vector<std::uint64_t> m_offsets;
    std::size_t m_rowStart = 0;
    int m_cellsInRow = 0;
};

} // namespace vornel
