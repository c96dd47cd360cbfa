#include "controls/FlexGrid.h"

#include "controls/Look.h"
#include "controls/Twips.h"
#include "data/Recordset.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vornel {

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), m_model(new RecordsetModel(this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setSortingEnabled(false);
    // Every row has the same height, so the view never measures rows: a million rows stay instant.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);

    Look::applyToGrid(this);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (!current.isValid()) return;
                m_row = current.row() + 1;
                m_col = current.column();
                m_colSel = m_col;
            });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &FlexGrid::onHeaderClicked);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int pixels) { onSectionResized(column, pixels); });
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this] {
        if (!m_applyingLayout) saveLayout();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        showSortIndicator();
        m_row = 0;
        if (m_col >= Cols()) m_col = 0;
        m_colSel = m_col;
        if (Rows() > 1) setRow(1);
    });
}

void FlexGrid::bind(Recordset* recordset) {
    m_model->setRecordset(recordset);
    if (recordset && recordset->isOpen()) carryArrangement(recordset);
}

void FlexGrid::setFormatString(const QString& format) {
    m_model->setFormatString(format);
}

int FlexGrid::Rows() const {
    return m_model->rowCount() + 1;
}

int FlexGrid::Cols() const {
    return m_model->columnCount();
}

int FlexGrid::Row() const {
    return m_row;
}

void FlexGrid::setRow(int row) {
    m_row = row;
    m_colSel = m_col;
    if (row < 1 || row >= Rows()) return;
    const QModelIndex target = m_model->index(row - 1, qBound(0, m_col, qMax(0, Cols() - 1)));
    selectionModel()->setCurrentIndex(target,
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_row = row; // the currentChanged handler may have reset the column; the row is as asked
}

int FlexGrid::Col() const {
    return m_col;
}

void FlexGrid::setCol(int col) {
    m_col = col;
    m_colSel = col;
    if (m_row >= 1 && m_row < Rows() && col >= 0 && col < Cols())
        selectionModel()->setCurrentIndex(m_model->index(m_row - 1, col), QItemSelectionModel::NoUpdate);
    m_col = col;
    m_colSel = col;
}

int FlexGrid::ColSel() const {
    return m_colSel;
}

void FlexGrid::setColSel(int col) {
    m_colSel = col;
    if (m_row < 1 || m_row >= Rows() || Cols() == 0) return;
    // Whole rows are highlighted; the selection still spans Col..ColSel of the current row.
    const int last = Cols() - 1;
    const int from = qBound(0, qMin(m_col, col), last);
    const int to = qBound(0, qMax(m_col, col), last);
    const QItemSelection range(m_model->index(m_row - 1, from), m_model->index(m_row - 1, to));
    selectionModel()->select(range, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void FlexGrid::setTopRow(int row) {
    if (row >= 1 && row < Rows()) scrollTo(m_model->index(row - 1, 0), QAbstractItemView::PositionAtTop);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    if (row == 0) return m_model->headerText(col);
    return m_model->cellText(row - 1, col);
}

int FlexGrid::ColWidth(int col) const {
    if (col < 0) return 0;
    const auto index = static_cast<std::size_t>(col);
    const bool designed = index < m_widths.size() && m_widths[index] >= 0;
    // The user's width counts for a column the list shows; a hidden column stays hidden.
    if (const auto it = m_layout.widths.find(col);
        it != m_layout.widths.end() && (!designed || Twips::toPixels(m_widths[index]) >= 2))
        return it->second;
    if (designed) return m_widths[index];
    return Twips::fromPixels(columnWidth(col));
}

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0) return;
    const auto index = static_cast<std::size_t>(col);
    if (index >= m_widths.size()) m_widths.resize(index + 1, -1);
    m_widths[index] = twips;
    applyWidths();
}

int FlexGrid::totalWidthTwips() const {
    int total = 0;
    for (int col = 0; col < Cols(); ++col)
        total += ColWidth(col);
    return total;
}

void FlexGrid::applyWidths() {
    m_applyingLayout = true;
    const int count = Cols();
    for (int col = 0; col < count; ++col) {
        const auto index = static_cast<std::size_t>(col);
        const bool designed = index < m_widths.size() && m_widths[index] >= 0;
        const bool userWidth = m_layout.widths.count(col) > 0;
        if (!designed && !userWidth) {
            setColumnHidden(col, false);
            continue;
        }
        const int pixels = Twips::toPixels(ColWidth(col));
        // A column narrower than two pixels is hidden; its values stay readable by position.
        if (pixels < 2) {
            setColumnHidden(col, true);
        } else {
            setColumnHidden(col, false);
            setColumnWidth(col, pixels);
        }
    }
    QHeaderView* header = horizontalHeader();
    for (int visual = 0; visual < static_cast<int>(m_layout.order.size()); ++visual) {
        const int column = m_layout.order[static_cast<std::size_t>(visual)];
        if (column < count && visual < count && header->visualIndex(column) != visual)
            header->moveSection(header->visualIndex(column), visual);
    }
    m_applyingLayout = false;
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterPressed();
        event->accept();
        return;
    case Qt::Key_Escape:
        emit escapePressed();
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool up = event->key() == Qt::Key_Up;
        QTableView::keyPressEvent(event);
        emit arrowMoved(up ? 38 : 40);
        return;
    }
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        // Typed characters belong to the window; the view's own keyboard search would move the row.
        emit charTyped(text.at(0));
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit rowClicked(Row());
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit rowDoubleClicked(Row());
}

} // namespace vornel
