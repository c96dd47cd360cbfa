// The list side of the flex grid: sorting by the headers, the instant filter, and the column
// layout its user keeps. The selected record stays selected through every change of order.
#include "controls/BusyCursor.h"
#include "controls/FlexGrid.h"
#include "controls/Twips.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"

#include <QAction>
#include <QHeaderView>
#include <optional>

namespace vornel {

namespace {

QStringList fieldNames(const Recordset& recordset) {
    QStringList names;
    for (int i = 0; i < recordset.fieldCount(); ++i)
        names << recordset.column(i).name;
    return names;
}

} // namespace

void FlexGrid::setSortable(bool sortable) {
    m_sortable = sortable;
    horizontalHeader()->setSectionsClickable(sortable);
    horizontalHeader()->setSortIndicatorShown(sortable);
    showSortIndicator();
}

FlexGrid::SortState FlexGrid::sortState(int column) const {
    const Recordset* rs = recordset();
    if (column < 0 || !rs || !rs->isOpen() || rs->sortColumn() != column) return SortState::None;
    return rs->sortDescending() ? SortState::Descending : SortState::Ascending;
}

void FlexGrid::onHeaderClicked(int column) {
    if (!m_sortable) return;
    const SortState now = sortState(column);
    sortBy(column, now == SortState::None        ? SortState::Ascending
                   : now == SortState::Ascending ? SortState::Descending
                                                 : SortState::None);
}

void FlexGrid::sortBy(int column, SortState state) {
    Recordset* rs = recordset();
    if (!rs || !rs->isOpen() || column < 0 || column >= Cols()) return;
    m_sortColumn = state == SortState::None ? -1 : column;
    m_sortDescending = state == SortState::Descending;
    const BusyCursor busy; // a sort reads every row first
    rearrange([&] { rs->setSort(m_sortColumn, m_sortDescending); });
    showSortIndicator();
}

void FlexGrid::showSortIndicator() {
    const Recordset* rs = recordset();
    const bool sorted = m_sortable && rs && rs->isOpen() && rs->sortColumn() >= 0;
    horizontalHeader()->setSortIndicator(sorted ? rs->sortColumn() : -1, sorted && rs->sortDescending()
                                                                             ? Qt::DescendingOrder
                                                                             : Qt::AscendingOrder);
}

void FlexGrid::setSearchText(const QString& text) {
    m_searchText = text;
    Recordset* rs = recordset();
    if (!rs || !rs->isOpen() || rs->searchText() == text) return;
    rearrange([&] { rs->setSearch(text, shownColumns()); });
}

std::vector<int> FlexGrid::shownColumns() const {
    std::vector<int> columns;
    const QHeaderView* header = horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (column >= 0 && !isColumnHidden(column)) columns.push_back(column);
    }
    return columns;
}

void FlexGrid::rearrange(const std::function<void()>& change) {
    Recordset* rs = recordset();
    std::optional<std::size_t> selected;
    if (Row() >= 1 && Row() < Rows()) selected = rs->storeIndex(Row() - 1);
    const int col = m_col;
    const int colSel = m_colSel;
    try {
        change();
    } catch (const DbError& e) {
        ComponentContext::current().Afiseaza(e.description(), MessageIcon::Error, MessageButtons::Ok,
                                             window()->windowTitle());
    }
    int row = selected ? rs->visibleRowOf(*selected) : -1;
    if (row < 0 && rs->recordCount() > 0) row = 0;
    if (row >= 0) {
        m_col = col;
        setRow(row + 1);
        if (colSel != col) setColSel(colSel);
        rs->setPosition(row); // the list's current record is the one selected
        scrollTo(m_model->index(row, qBound(0, col, qMax(0, Cols() - 1))));
    }
    emit rowsArranged();
}

void FlexGrid::carryArrangement(Recordset* recordset) {
    const QStringList names = fieldNames(*recordset);
    if (names != m_boundColumns) {
        // Another list: the order and search of the last one mean nothing here.
        if (!m_boundColumns.isEmpty()) clearArrangement();
        m_boundColumns = names;
        return;
    }
    if (recordset->sortColumn() != m_sortColumn ||
        (m_sortColumn >= 0 && recordset->sortDescending() != m_sortDescending)) {
        const BusyCursor busy;
        recordset->setSort(m_sortColumn, m_sortDescending);
    }
    if (recordset->searchText() != m_searchText) recordset->setSearch(m_searchText, shownColumns());
    showSortIndicator();
}

void FlexGrid::clearArrangement() {
    const bool had = m_sortColumn >= 0 || !m_searchText.isEmpty();
    m_sortColumn = -1;
    m_sortDescending = false;
    m_searchText.clear();
    if (had) emit arrangementCleared();
}

void FlexGrid::setLayoutKey(const QString& key) {
    const qint32 user = ComponentContext::current().idUsers;
    if (key == m_layoutKey && user == m_layoutUser) return;
    m_layoutUser = user;
    clearArrangement();
    if (Recordset* rs = recordset(); rs && rs->isOpen()) {
        // The list shown now belongs to the new key: it starts in its own order, unsearched.
        rs->setSort(-1, false);
        rs->setSearch(QString(), {});
    }
    m_layoutKey = key;
    m_layout = ColumnLayout::load(key);
    horizontalHeader()->setSectionsMovable(!key.isEmpty());
    static const char* const kDefaultColumns = "Coloane implicite";
    QAction* restore = findChild<QAction*>(QStringLiteral("actColoaneImplicite"));
    if (!restore && !key.isEmpty()) {
        restore = new QAction(QString::fromLatin1(kDefaultColumns), this);
        restore->setObjectName(QStringLiteral("actColoaneImplicite"));
        connect(restore, &QAction::triggered, this, &FlexGrid::restoreDefaultColumns);
        addAction(restore);
        horizontalHeader()->addAction(restore);
        setContextMenuPolicy(Qt::ActionsContextMenu);
        horizontalHeader()->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    if (restore) restore->setVisible(!key.isEmpty());
    applyWidths();
}

void FlexGrid::restoreDefaultColumns() {
    ColumnLayout::forget(m_layoutKey);
    m_layout = ColumnLayout();
    QHeaderView* header = horizontalHeader();
    m_applyingLayout = true;
    for (int column = 0; column < header->count(); ++column)
        if (header->visualIndex(column) != column) header->moveSection(header->visualIndex(column), column);
    m_applyingLayout = false;
    applyWidths();
}

void FlexGrid::onSectionResized(int column, int pixels) {
    if (m_applyingLayout || m_layoutKey.isEmpty() || pixels <= 0 || isColumnHidden(column)) return;
    m_layout.widths[column] = Twips::fromPixels(pixels);
    saveLayout();
}

void FlexGrid::saveLayout() {
    if (m_layoutKey.isEmpty()) return;
    const QHeaderView* header = horizontalHeader();
    m_layout.order.clear();
    bool moved = false;
    for (int visual = 0; visual < header->count(); ++visual) {
        m_layout.order.push_back(header->logicalIndex(visual));
        moved = moved || header->logicalIndex(visual) != visual;
    }
    if (!moved) m_layout.order.clear();
    m_layout.save(m_layoutKey);
}

} // namespace vornel
