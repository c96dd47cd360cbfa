#pragma once
// Compact in-memory storage of the rows of a result: rows encoded one after another in large
// blocks, plus an offset per row. Cells are decoded on access, so a million rows cost little more
// than their text, and filling never copies what is already stored.

#include <QString>
#include <QVariant>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace vornel {

class RowStore {
public:
    explicit RowStore(int columnCount = 0) : m_columns(columnCount) {}
    RowStore(const RowStore& other);
    RowStore& operator=(const RowStore& other);
    RowStore(RowStore&&) noexcept = default;
    RowStore& operator=(RowStore&&) noexcept = default;

    int columnCount() const { return m_columns; }
    std::size_t rowCount() const { return m_offsets.size(); }
    void clear();
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

    // A cell read in place, without building a QVariant: what scans over many rows use.
    struct Cell {
        enum class Kind : unsigned char { Null, Integer, Double, Text, Blob };
        Kind kind = Kind::Null;
        std::int64_t integer = 0;
        double real = 0;
        const char* data = nullptr; // text (UTF-8) or blob bytes
        std::size_t size = 0;
    };
    Cell cellAt(std::size_t row, int column) const;
    // Reads the cells of a row one after another from the first: one walk along the row.
    class RowReader {
    public:
        Cell next();

    private:
        friend class RowStore;
        explicit RowReader(const unsigned char* p) : m_p(p) {}
        const unsigned char* m_p;
    };
    RowReader reader(std::size_t row) const { return RowReader(cell(row, 0)); }

    // Replace a row's cells (appends the new encoding; the old bytes are left unused).
    void replaceRow(std::size_t row, const std::vector<QVariant>& values);
    void appendRow(const std::vector<QVariant>& values);
    void removeRow(std::size_t row);
    std::vector<QVariant> row(std::size_t row) const;

private:
    struct Free {
        void operator()(unsigned char* p) const { std::free(p); }
    };
    struct Block {
        std::unique_ptr<unsigned char, Free> data;
        std::size_t capacity = 0;
        std::size_t used = 0;
    };

    const unsigned char* cell(std::size_t row, int column) const;
    void putVarint(std::uint64_t v);
    void startCell();
    std::uint64_t storeRowBytes(); // moves the row being built into a block; returns its offset
    void addBlock(std::size_t atLeast);

    int m_columns;
    std::vector<Block> m_blocks;
    std::vector<unsigned char> m_row;     // the row being built
    std::vector<std::uint64_t> m_offsets; // block index in the high 32 bits, position in the low
    int m_cellsInRow = 0;
};

} // namespace vornel
