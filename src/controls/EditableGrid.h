#pragma once
// The editable grid of the suite (the vendor data grid): bound to an updatable recordset, with
// column captions, widths in twips, number formats and visibility, and a check before a changed
// row is written that can cancel it. A row is written when the current row leaves it (another
// row, Enter, the grid losing the focus) or on commitRow().

#include "controls/RecordsetModel.h"

#include <QPointer>
#include <QTableView>
#include <functional>
#include <vector>

namespace vornel {

class DbError;
class Recordset;

class EditableGrid : public QTableView {
    Q_OBJECT
public:
    // Returns false to cancel the write (the row goes back to its stored values). `row` is the
    // 0-based data row being written (dataRows() for a row being added); the values about to be
    // written are read with pendingValue().
    using BeforeUpdate = std::function<bool(int row)>;
    // Returns false to keep data row `row` (0-based) from being deleted.
    using BeforeDelete = std::function<bool(int row)>;

    explicit EditableGrid(QWidget* parent = nullptr);

    void bind(Recordset* recordset); // nullptr unbinds
    Recordset* recordset() const;
    RecordsetModel* model() const { return m_model; }

    void setColumnCaption(int column, const QString& caption);
    void setColumnWidth(int column, int twips);
    int columnWidthTwips(int column) const;                  // as set; the view's width when never set
    void setColumnFormat(int column, const QString& format); // "#,##0.00", "#,##0 Ani"
    void setColumnVisible(int column, bool visible);
    bool isColumnVisible(int column) const;
    void setBeforeUpdate(BeforeUpdate check) { m_beforeUpdate = std::move(check); }
    void setBeforeDelete(BeforeDelete check) { m_beforeDelete = std::move(check); }

    // Value of a column in the row being written or edited (the edit buffer), else in the
    // current row.
    QVariant pendingValue(int column) const;
    // 0-based data row holding unwritten changes; -1 when none.
    int editedRow() const;

    // Replaces the value of data row `row` (0-based), column `column` as a person would; the row is
    // written when it is left (or by commitRow()). False when the cell cannot take the value.
    bool editCell(int row, int column, const QString& text);
    // Adds a row with these values in the visible columns, left to right, and writes it.
    bool appendRow(const QStringList& values);
    // Deletes data row `row` (0-based), unless the check before deleting refuses it.
    bool removeRow(int row);
    // Writes the row being edited, running the check first. Returns false when it was cancelled
    // or the database refused it; true also when nothing was pending.
    bool commitRow();
    // Drops the pending changes of the row being edited.
    void cancelRow();

    // Text shown in a cell of data row `row` (0-based, formatted), a column's caption, and the
    // number of data rows.
    QString cellText(int row, int column) const;
    QString headerText(int column) const;
    int dataRows() const;

signals:
    // The write was refused by the database: the message to show, its cause named, and its icon.
    void writeFailed(const QString& message, int icon);
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void applyColumns();
    bool runCheckAndWrite(int row);
    void reportFailure(const DbError& error);

    RecordsetModel* m_model;
    BeforeUpdate m_beforeUpdate;
    BeforeDelete m_beforeDelete;
    std::vector<int> m_widths;  // twips; -1 not set
    std::vector<char> m_hidden; // 1 hidden
    bool m_writing = false;     // a write (with its check and messages) is under way
};

} // namespace vornel
