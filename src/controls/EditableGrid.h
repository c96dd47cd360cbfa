#pragma once
// The editable grid of the suite (the vendor data grid): bound to an updatable recordset, with
// column captions, widths in twips, number formats and visibility, and a check before a changed
// row is written that can cancel the change. A row is written when the current row leaves it
// (another row, Enter on the last column, the grid losing the focus) or on commitRow().

#include "controls/RecordsetModel.h"

#include <QTableView>
#include <functional>

namespace vornel {

class Recordset;

class EditableGrid : public QTableView {
    Q_OBJECT
public:
    // Returns false to cancel the write (the row goes back to its stored values).
    using BeforeUpdate = std::function<bool(int row)>;

    explicit EditableGrid(QWidget* parent = nullptr);

    void bind(Recordset* recordset); // nullptr unbinds
    Recordset* recordset() const;

    void setColumnCaption(int column, const QString& caption);
    void setColumnWidth(int column, int twips);
    void setColumnFormat(int column, const QString& format); // "#,##0.00", "#,##0 Ani"
    void setColumnVisible(int column, bool visible);
    void setBeforeUpdate(BeforeUpdate check) { m_beforeUpdate = std::move(check); }

    // Replaces the value of data row `row` (0-based), column `column` as a person would; the row is
    // written when it is left (or by commitRow()).
    void editCell(int row, int column, const QString& text);
    // Adds a row with these values in the visible columns, left to right, and writes it.
    bool appendRow(const QStringList& values);
    // Deletes data row `row` (0-based).
    bool removeRow(int row);
    // Writes the row being edited, running the check first. Returns false when it was cancelled
    // or the database refused it.
    bool commitRow();

    // Value shown in a cell (formatted) and the number of data rows.
    QString cellText(int row, int column) const;
    int dataRows() const;

signals:
    // The write was refused by the database: the message to show.
    void writeFailed(const QString& description);
    void escapePressed();

private:
    BeforeUpdate m_beforeUpdate;
};

} // namespace vornel
