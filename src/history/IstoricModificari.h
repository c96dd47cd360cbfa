#pragma once
// The history of one record: every change the audit trail holds for it, newest first, one grid
// row per changed field with its old and new value. Read-only.

#include "controls/FormWindow.h"

#include <memory>

class QPushButton;

namespace vornel {

class FlexGrid;
class Recordset;

class IstoricModificari : public FormWindow {
    Q_OBJECT
public:
    IstoricModificari();
    ~IstoricModificari() override;

    // Reads the history of the row of `table` with `key` (as RowKey::text gives it) and shows the
    // window titled after `caption`. A database error is shown and leaves the window closed.
    void Incarca(const QString& caption, const QString& table, const QString& key);

    FlexGrid* grid() const { return m_grid; }

private:
    void buildUi();
    void layoutWindow();

    FlexGrid* m_grid = nullptr;
    QPushButton* m_cmdInchide = nullptr;
    std::unique_ptr<Recordset> m_rows;
};

// Shows the history of one record from any window: the window's caption, the table and the key.
void showHistory(const QString& caption, const QString& table, const QString& key);

} // namespace vornel
