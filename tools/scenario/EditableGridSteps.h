#pragma once
// Steps on grids bound for editing: edit a cell and leave the row, append a row, remove a row,
// and the grid checks (rows, cells, column widths) read as a person sees them.

#include "Script.h"

#include <QString>

namespace vornel {
class EditableGrid;
}

namespace vornel::scenario {

// "edit", "append" or "remove" on the grid named by the step's first argument.
QString runEditableGridAction(const Step& step, const ControlRef& ref);
// "expect rows", "expect cell" or "expect colwidth" on an editable grid.
QString checkEditableGrid(const Step& step, const ControlRef& ref, const EditableGrid& grid);

} // namespace vornel::scenario
