#pragma once
// What every list window shares, attached with one call: sorting by the column headers, the
// user's column layout with "Coloane implicite", export of the list as shown (Ctrl+E) and its
// print (Ctrl+P); where the window places them, the instant filter box "txtFiltruRapid" (Ctrl+F,
// Esc clears it) and the count "lblRanduri" ("12 din 5.000") under the grid. Actions that need
// every row wait for the list to be read, with the wait cursor.

#include "controls/ListExport.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QLabel;
class QLineEdit;
class QWidget;

namespace vornel {

class FlexGrid;
class Recordset;

class ListTools : public QObject {
    Q_OBJECT
public:
    // The tools belong to the window. `title` names the list on paper and in file names.
    static ListTools* attach(QWidget* window, FlexGrid* grid, std::function<QString()> title);

    // Creates the filter box and the count in `parent`; the window places them.
    void addQuickFilter(QWidget* parent);
    QLineEdit* filterBox() const { return m_filter; }
    QLabel* countLabel() const { return m_count; }

    // The list the grid shows (a catalogue, a kind of pick list): its user's column layout is
    // kept under this key.
    void setKey(const QString& key);

    // Asks for a file and writes the list to it as shown.
    void exportList();
    // Opens the print preview of the list as shown.
    void printList();
    // The list as shown, every row read.
    ListTable table();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ListTools(QWidget* window, FlexGrid* grid, std::function<QString()> title);
    void updateCount();
    void follow(Recordset* recordset);
    QString title() const;

    QWidget* m_window;
    FlexGrid* m_grid;
    std::function<QString()> m_title;
    QLineEdit* m_filter = nullptr;
    QLabel* m_count = nullptr;
    QPointer<Recordset> m_followed;
};

} // namespace vornel
