#pragma once
// The hierarchical flex grid of the suite as a table view over a recordset: a format string with
// alignment marks, widths in twips (a column of one twip is hidden but keeps its values), a fixed
// header row 0, Row/Col/ColSel and TextMatrix.

#include "controls/RecordsetModel.h"

#include <QTableView>
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

signals:
    void enterPressed();
    void escapePressed();
    void charTyped(QChar ch);
    // The selection moved with the Up or Down arrow key (key code 38 or 40).
    void arrowMoved(int keyCode);
    void rowClicked(int row);
    void rowDoubleClicked(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void applyWidths();

    RecordsetModel* m_model;
    std::vector<int> m_widths; // twips per column
    int m_row = 0;
    int m_col = 0;
    int m_colSel = 0;
};

} // namespace vornel
