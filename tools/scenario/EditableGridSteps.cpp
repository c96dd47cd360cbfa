// Steps on grids bound for editing.

#include "EditableGridSteps.h"

#include "Controls.h"

#include "controls/EditableGrid.h"

namespace vornel::scenario {

namespace {

EditableGrid* usableGrid(const ControlRef& ref, QString& problem) {
    auto* grid = findControlOf<EditableGrid>(ref, QStringLiteral("a grid bound for editing"), problem);
    if (!grid) return nullptr;
    if (!grid->isVisible())
        problem = QStringLiteral("expected %1 shown; found it hidden").arg(ref.text);
    else if (!grid->isEnabled())
        problem = QStringLiteral("expected %1 enabled; found it disabled").arg(ref.text);
    else if (const QString modal = blockingModal(grid); !modal.isEmpty())
        problem = QStringLiteral("expected %1 to take input; found the modal window %2 in front")
                      .arg(ref.text, modal);
    return problem.isEmpty() ? grid : nullptr;
}

QString rowProblem(const EditableGrid& grid, const ControlRef& ref, int row) {
    if (row >= 1 && row <= grid.dataRows()) return {};
    return QStringLiteral("expected data row %1 in %2; found %3 data rows")
        .arg(row)
        .arg(ref.text)
        .arg(grid.dataRows());
}

// A column by its position in the recordset, or by its caption when written between quotes.
int columnOf(const EditableGrid& grid, const Token& token, QString& problem) {
    const int columns = grid.model()->columnCount();
    if (token.quoted) {
        for (int col = 0; col < columns; ++col)
            if (grid.headerText(col) == token.text) return col;
        problem = QStringLiteral("expected a column captioned %1; found none").arg(quoted(token.text));
        return -1;
    }
    bool ok = false;
    const int col = token.text.toInt(&ok);
    if (!ok || col < 0 || col >= columns) {
        problem = QStringLiteral("expected column %1; found %2 columns").arg(token.text).arg(columns);
        return -1;
    }
    return col;
}

QString edit(const Step& step, const ControlRef& ref) {
    QString problem;
    EditableGrid* grid = usableGrid(ref, problem);
    if (!grid) return problem;
    const int row = step.args.at(1).text.toInt();
    if (problem = rowProblem(*grid, ref, row); !problem.isEmpty()) return problem;
    const int col = columnOf(*grid, step.args.at(2), problem);
    if (col < 0) return problem;
    if (grid->isColumnHidden(col))
        return QStringLiteral("expected column %1 of %2 shown; found it hidden").arg(col).arg(ref.text);
    focusControl(grid);
    if (!grid->editCell(row - 1, col, step.args.at(3).text))
        return QStringLiteral("expected cell %1,%2 of %3 to take the value; found it refused")
            .arg(row)
            .arg(col)
            .arg(ref.text);
    // Leaving the row writes it; a refusal by the check or the database is the window's to show.
    grid->commitRow();
    return {};
}

QString append(const Step& step, const ControlRef& ref) {
    QString problem;
    EditableGrid* grid = usableGrid(ref, problem);
    if (!grid) return problem;
    focusControl(grid);
    grid->appendRow(step.args.at(1).text.split(u'|'));
    return {};
}

QString remove(const Step& step, const ControlRef& ref) {
    QString problem;
    EditableGrid* grid = usableGrid(ref, problem);
    if (!grid) return problem;
    const int row = step.args.at(1).text.toInt();
    if (problem = rowProblem(*grid, ref, row); !problem.isEmpty()) return problem;
    focusControl(grid);
    grid->removeRow(row - 1);
    return {};
}

QString mismatch(const QString& what, const QString& expected, const QString& found) {
    return QStringLiteral("expected %1 %2; found %3").arg(what, expected, found);
}

} // namespace

QString runEditableGridAction(const Step& step, const ControlRef& ref) {
    if (step.verb == u"edit") return edit(step, ref);
    if (step.verb == u"append") return append(step, ref);
    return remove(step, ref);
}

QString checkEditableGrid(const Step& step, const ControlRef& ref, const EditableGrid& grid) {
    const auto arg = [&](std::size_t i) { return step.args.at(i).text; };
    if (step.verb == u"expect rows") {
        const int rows = grid.dataRows();
        return rows == arg(1).toInt()
                   ? QString()
                   : mismatch(QStringLiteral("data rows in ") + ref.text, arg(1), QString::number(rows));
    }
    const bool cell = step.verb == u"expect cell";
    const int row = cell ? arg(1).toInt() : 0;
    const int col = arg(cell ? 2 : 1).toInt();
    const int columns = grid.model()->columnCount();
    if (row < 0 || row > grid.dataRows() || col < 0 || col >= columns)
        return mismatch(ref.text, QStringLiteral("a cell at row %1 column %2").arg(row).arg(col),
                        QStringLiteral("%1 rows and %2 columns").arg(grid.dataRows() + 1).arg(columns));
    if (cell) {
        const QString text = row == 0 ? grid.headerText(col) : grid.cellText(row - 1, col);
        return text == arg(3) ? QString()
                              : mismatch(QStringLiteral("cell %1,%2 of %3").arg(row).arg(col).arg(ref.text),
                                         quoted(arg(3)), quoted(text));
    }
    const int width = grid.columnWidthTwips(col);
    return width == arg(2).toInt()
               ? QString()
               : mismatch(QStringLiteral("width of column %1 of %2").arg(col).arg(ref.text), arg(2),
                          QString::number(width));
}

} // namespace vornel::scenario
