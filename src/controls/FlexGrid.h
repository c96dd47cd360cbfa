#pragma once
// The hierarchical flex grid of the suite as a table view over a recordset: a format string with
// alignment marks, widths in twips (a column of one twip is hidden but keeps its values), a fixed
// header row 0, Row/Col/ColSel and TextMatrix. A list grid also sorts by its headers, narrows its
// rows to a searched text and keeps the column widths and order its user gives it.

#include "controls/ColumnLayout.h"
#include "controls/RecordsetModel.h"

#include <QStringList>
#include <QTableView>
#include <functional>
#include <vector>

namespace vornel {

class Recordset;

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    void bind(Recordset* recordset); // nullptr unbinds
    Recordset* recordset() const { return m_model->recordset(); }
    RecordsetModel* model() const { return m_model; }

    void setFormatString(const QString& format);
    QString formatString() const { return m_model->formatString(); }

    // Rows counts the header row: data rows + 1. Row 0 is the header; data rows are 1..Rows-1.
    int Rows() const;
    int Cols() const;
    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);
    int ColSel() const;
    void setColSel(int col); // extends the selection of the current row to this column
    void setTopRow(int row);
    QString TextMatrix(int row, int col) const;

    int ColWidth(int col) const; // twips, as set
    void setColWidth(int col, int twips);
    // Sum of the column widths in twips.
    int totalWidthTwips() const;

    // Sorting by the headers (off unless a list turns it on): a click sorts ascending, the next
    // descending, the third restores the list's own order; an arrow marks the column. The selected
    // record stays selected through every change of order or search.
    enum class SortState { None, Ascending, Descending };
    void setSortable(bool sortable);
    bool sortable() const { return m_sortable; }
    SortState sortState(int column) const;
    void sortBy(int column, SortState state);

    // The instant filter: the rows holding the text in one of the shown columns.
    void setSearchText(const QString& text);
    const QString& searchText() const { return m_searchText; }

    // The shown columns, in the order the user sees them.
    std::vector<int> shownColumns() const;

    // Widths and order the user gives the columns are kept under this key for the current user;
    // an empty key keeps nothing. Another key (another list) also clears the sort and search.
    void setLayoutKey(const QString& key);
    const QString& layoutKey() const { return m_layoutKey; }
    // Forgets the user's widths and order ("Coloane implicite").
    void restoreDefaultColumns();

signals:
    void enterPressed();
    void escapePressed();
    void charTyped(QChar ch);
    // The selection moved with the Up or Down arrow key (key code 38 or 40).
    void arrowMoved(int keyCode);
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    // The rows were sorted, searched or read further: what is shown beside the grid changes.
    void rowsArranged();
    // A new list or key left the grid without sort and search.
    void arrangementCleared();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void applyWidths();
    void onHeaderClicked(int column);
    void onSectionResized(int column, int pixels);
    void saveLayout();
    void showSortIndicator();
    // Runs a change of order or search and selects the record that was selected before.
    void rearrange(const std::function<void()>& change);
    // Gives a newly bound recordset the sort and search in force, or clears them for another list.
    void carryArrangement(Recordset* recordset);
    void clearArrangement();

    RecordsetModel* m_model;
    std::vector<int> m_widths; // twips per column
    int m_row = 0;
    int m_col = 0;
    int m_colSel = 0;

    bool m_sortable = false;
    int m_sortColumn = -1;
    bool m_sortDescending = false;
    QString m_searchText;
    QStringList m_boundColumns; // field names of the last list bound

    QString m_layoutKey;
    qint32 m_layoutUser = 0; // the user the layout was read for
    ColumnLayout m_layout;
    bool m_applyingLayout = false;
};

} // namespace vornel
