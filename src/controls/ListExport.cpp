#include "controls/ListExport.h"

#include "controls/ExportText.h"
#include "controls/FlexGrid.h"
#include "controls/ListPrint.h"
#include "controls/RecordsetModel.h"
#include "controls/Twips.h"
#include "data/Recordset.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>

#include <xlsxwriter.h>

namespace vornel {

namespace {

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// Excel's limits: rows of a sheet, characters of a cell, characters of a sheet name.
constexpr int kExcelRows = 1048576;
constexpr qsizetype kExcelCellText = 32767;
constexpr qsizetype kSheetName = 31;

QString sheetName(const QString& title) {
    QString name = title;
    for (const QChar c : QStringLiteral("[]:*?/\\"))
        name.replace(c, QLatin1Char(' '));
    name = name.trimmed().left(kSheetName);
    return name.isEmpty() ? QStringLiteral("Lista") : name;
}

} // namespace

int ListTable::rowCount() const {
    return model ? model->rowCount() : 0;
}

QString ListTable::text(int row, int column) const {
    return model->cellText(row, columns[static_cast<std::size_t>(column)].source);
}

QVariant ListTable::value(int row, int column) const {
    const Recordset* rs = model->recordset();
    const int source = columns[static_cast<std::size_t>(column)].source;
    if (!rs || source >= rs->fieldCount()) return {};
    return rs->valueAt(row, source);
}

int ListTable::totalWidthTwips() const {
    int total = 0;
    for (const ListColumn& c : columns)
        total += c.widthTwips;
    return total;
}

ListTable ListTable::of(const FlexGrid& grid, const QString& title, const QString& company) {
    ListTable table;
    table.title = title;
    table.company = company;
    table.model = grid.model();
    for (const int column : grid.shownColumns()) {
        ListColumn c;
        c.source = column;
        c.header = grid.TextMatrix(0, column);
        c.widthTwips = Twips::fromPixels(grid.columnWidth(column));
        c.alignment =
            Qt::Alignment(grid.model()->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                          Qt::AlignHorizontal_Mask);
        table.columns.push_back(c);
    }
    return table;
}

namespace ListExport {

QString typeOf(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("csv") || suffix == QLatin1String("xlsx") || suffix == QLatin1String("pdf")
               ? suffix
               : QString();
}

QString write(const ListTable& table, const QString& file) {
    const QString type = typeOf(file);
    if (type == QLatin1String("csv")) return writeCsv(table, file);
    if (type == QLatin1String("xlsx")) return writeXlsx(table, file);
    if (type == QLatin1String("pdf")) return ListPrint::writePdf(table, file);
    return QStringLiteral("Fisierul %1 nu este de tip csv, xlsx sau pdf.").arg(file);
}

QString writeCsv(const ListTable& table, const QString& file) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("Fisierul %1 nu poate fi scris: %2").arg(file, out.errorString());
    const int columns = static_cast<int>(table.columns.size());
    // The BOM tells spreadsheets the text is UTF-8.
    QByteArray chunk = QByteArrayLiteral("\xEF\xBB\xBF");
    QString line;
    for (int c = 0; c < columns; ++c) {
        if (c > 0) line += QLatin1Char(';');
        line += ExportText::csvField(table.columns[static_cast<std::size_t>(c)].header);
    }
    chunk += line.toUtf8() + "\r\n";
    for (int r = 0; r < table.rowCount(); ++r) {
        line.clear();
        for (int c = 0; c < columns; ++c) {
            if (c > 0) line += QLatin1Char(';');
            const QVariant v = table.value(r, c);
            line += isNumber(v) ? ExportText::number(v.toDouble()) : ExportText::csvField(table.text(r, c));
        }
        chunk += line.toUtf8() + "\r\n";
        if (chunk.size() > (1 << 20)) {
            if (out.write(chunk) != chunk.size()) break;
            chunk.clear();
        }
    }
    if (out.write(chunk) != chunk.size() || !out.flush())
        return QStringLiteral("Fisierul %1 nu poate fi scris: %2").arg(file, out.errorString());
    return {};
}

QString writeXlsx(const ListTable& table, const QString& file) {
    if (table.rowCount() >= kExcelRows)
        return QStringLiteral("Lista are %1 randuri; o foaie Excel primeste cel mult %2.")
            .arg(ExportText::count(table.rowCount()), ExportText::count(kExcelRows - 1));
    const QByteArray path = QFile::encodeName(file);
    // Rows go straight to the file as they are written: a million rows need little memory.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(path.constData(), &options);
    if (!book) return QStringLiteral("Fisierul %1 nu poate fi scris.").arg(file);
    lxw_worksheet* sheet = workbook_add_worksheet(book, sheetName(table.title).toUtf8().constData());
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    const auto columns = static_cast<lxw_col_t>(table.columns.size());
    for (lxw_col_t c = 0; c < columns; ++c) {
        const ListColumn& column = table.columns[c];
        // Excel's width unit is about one character of seven pixels.
        worksheet_set_column(sheet, c, c, std::max(2.0, Twips::toPixels(column.widthTwips) / 7.0), nullptr);
        worksheet_write_string(sheet, 0, c, column.header.toUtf8().constData(), bold);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    for (int r = 0; r < table.rowCount(); ++r) {
        const auto row = static_cast<lxw_row_t>(r + 1);
        for (lxw_col_t c = 0; c < columns; ++c) {
            const QVariant v = table.value(r, static_cast<int>(c));
            if (isNumber(v)) {
                worksheet_write_number(sheet, row, c, v.toDouble(), nullptr);
            } else if (v.isValid()) {
                const QString text = table.text(r, static_cast<int>(c)).left(kExcelCellText);
                if (!text.isEmpty())
                    worksheet_write_string(sheet, row, c, text.toUtf8().constData(), nullptr);
            }
        }
    }
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR)
        return QStringLiteral("Fisierul %1 nu poate fi scris: %2")
            .arg(file, QString::fromUtf8(lxw_strerror(error)));
    return {};
}

} // namespace ListExport

} // namespace vornel
