#pragma once
// Export of a list as shown (its shown columns in their order, its rows as sorted and filtered):
// CSV for Romanian spreadsheets (UTF-8 with BOM, ";" between fields, decimal comma), an Excel
// workbook with typed cells, or PDF pages laid out as they print.

#include <QString>
#include <QVariant>
#include <vector>

namespace vornel {

class FlexGrid;
class RecordsetModel;

struct ListColumn {
    int source = 0; // the model's column
    QString header;
    int widthTwips = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct ListTable {
    QString title;   // the list's title, on paper and as the sheet's name
    QString company; // the company's name, on paper
    const RecordsetModel* model = nullptr;
    std::vector<ListColumn> columns;

    int rowCount() const;
    QString text(int row, int column) const;   // as the grid shows it; column indexes `columns`
    QVariant value(int row, int column) const; // numbers as numbers, NULL as invalid
    int totalWidthTwips() const;

    // The grid's shown columns with their headers, widths and alignments.
    static ListTable of(const FlexGrid& grid, const QString& title, const QString& company);
};

namespace ListExport {

// Writes the file of the type its name ends with (.csv, .xlsx or .pdf); returns what went wrong,
// empty when the file is written.
QString write(const ListTable& table, const QString& file);
QString writeCsv(const ListTable& table, const QString& file);
QString writeXlsx(const ListTable& table, const QString& file);

// The type of a file name: "csv", "xlsx", "pdf", or empty for another.
QString typeOf(const QString& file);

} // namespace ListExport

} // namespace vornel
