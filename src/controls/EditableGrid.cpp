#include "controls/EditableGrid.h"

#include "controls/Look.h"
#include "controls/Saving.h"
#include "controls/Twips.h"
#include "data/DbError.h"
#include "data/Recordset.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QStyledItemDelegate>

namespace vornel {

namespace {

// Sets the flag for the life of the scope, so that messages shown by a check cannot start a
// second write of the same row.
class WriteGuard {
public:
    explicit WriteGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~WriteGuard() { m_flag = false; }
    WriteGuard(const WriteGuard&) = delete;
    WriteGuard& operator=(const WriteGuard&) = delete;

private:
    bool& m_flag;
};

// Cells are edited as plain text: numbers appear in the locale's form without group separators or
// suffixes, and what is typed is read by the model the way the grid shows numbers.
class TextCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QVariant value = index.data(Qt::EditRole);
        QString text = value.toString();
        if (value.typeId() == QMetaType::Double) {
            QLocale locale;
            locale.setNumberOptions(QLocale::OmitGroupSeparator);
            text = locale.toString(value.toDouble(), 'f', QLocale::FloatingPointShortest);
        }
        static_cast<QLineEdit*>(editor)->setText(text);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
    }
};

} // namespace

EditableGrid::EditableGrid(QWidget* parent) : QTableView(parent), m_model(new RecordsetModel(this)) {
    m_model->setEditable(true);
    setModel(m_model);
    setItemDelegate(new TextCellDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setSortingEnabled(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);

    Look::applyToGrid(this);

    connect(m_model, &QAbstractItemModel::modelReset, this, &EditableGrid::applyColumns);
    // Moving to another row writes the row that was left.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (previous.isValid() && current.row() != previous.row() && editedRow() == previous.row())
                    commitRow();
            });
    // The focus going to a widget outside the grid (and its cell editor) writes the row.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const auto inside = [this](QWidget* w) { return w && (w == this || isAncestorOf(w)); };
        if (inside(old) && now && !inside(now) && editedRow() >= 0) commitRow();
    });
}

void EditableGrid::bind(Recordset* recordset) {
    if (recordset != m_model->recordset()) cancelRow();
    m_model->setRecordset(recordset);
}

Recordset* EditableGrid::recordset() const {
    return m_model->recordset();
}

void EditableGrid::setColumnCaption(int column, const QString& caption) {
    m_model->setColumnCaption(column, caption);
}

void EditableGrid::setColumnWidth(int column, int twips) {
    if (column < 0) return;
    if (static_cast<std::size_t>(column) >= m_widths.size())
        m_widths.resize(static_cast<std::size_t>(column) + 1, -1);
    m_widths[static_cast<std::size_t>(column)] = twips;
    applyColumns();
}

int EditableGrid::columnWidthTwips(int column) const {
    if (column >= 0 && static_cast<std::size_t>(column) < m_widths.size() && m_widths[column] >= 0)
        return m_widths[static_cast<std::size_t>(column)];
    return Twips::fromPixels(columnWidth(column));
}

void EditableGrid::setColumnFormat(int column, const QString& format) {
    m_model->setColumnFormat(column, format);
}

void EditableGrid::setColumnVisible(int column, bool visible) {
    if (column < 0) return;
    if (static_cast<std::size_t>(column) >= m_hidden.size())
        m_hidden.resize(static_cast<std::size_t>(column) + 1, 0);
    m_hidden[static_cast<std::size_t>(column)] = visible ? 0 : 1;
    applyColumns();
}

bool EditableGrid::isColumnVisible(int column) const {
    return !(column >= 0 && static_cast<std::size_t>(column) < m_hidden.size() && m_hidden[column]);
}

void EditableGrid::applyColumns() {
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const auto index = static_cast<std::size_t>(column);
        setColumnHidden(column, !isColumnVisible(column));
        if (index < m_widths.size() && m_widths[index] >= 0)
            QTableView::setColumnWidth(column, Twips::toPixels(m_widths[index]));
    }
}

QVariant EditableGrid::pendingValue(int column) const {
    Recordset* rs = recordset();
    if (!rs || !rs->isOpen() || column < 0 || column >= rs->fieldCount()) return {};
    if (rs->editing()) return rs->editedValue(column);
    if (rs->bof() || rs->eof()) return {};
    return rs->value(column);
}

int EditableGrid::editedRow() const {
    Recordset* rs = recordset();
    if (!rs || !rs->editing()) return -1;
    return rs->adding() ? rs->recordCount() : rs->position();
}

bool EditableGrid::editCell(int row, int column, const QString& text) {
    const QModelIndex target = m_model->index(row, column);
    if (!target.isValid()) return false;
    setCurrentIndex(target); // leaving another edited row writes it
    if (editedRow() >= 0 && editedRow() != row && !commitRow()) return false;
    return m_model->setData(target, text, Qt::EditRole);
}

bool EditableGrid::appendRow(const QStringList& values) {
    Recordset* rs = recordset();
    if (!rs || !rs->updatable() || !commitRow()) return false;
    try {
        rs->addNew();
        int next = 0;
        for (int column = 0; column < rs->fieldCount() && next < values.size(); ++column) {
            if (!isColumnVisible(column)) continue;
            const QString& text = values.at(next++);
            if (!text.isEmpty()) // an empty value leaves the column to its default
                rs->setValue(column, typedValue(rs->column(column), text));
        }
    } catch (const DbError& error) {
        rs->cancelUpdate();
        reportFailure(error);
        return false;
    }
    if (!runCheckAndWrite(rs->recordCount())) return false;
    const QModelIndex added = m_model->index(rs->position(), qMax(0, currentIndex().column()));
    if (added.isValid()) selectionModel()->setCurrentIndex(added, QItemSelectionModel::ClearAndSelect);
    return true;
}

bool EditableGrid::removeRow(int row) {
    Recordset* rs = recordset();
    if (!rs || !rs->updatable() || row < 0 || row >= rs->recordCount()) return false;
    if (m_beforeDelete && !m_beforeDelete(row)) return false;
    if (editedRow() == row)
        cancelRow();
    else if (!commitRow())
        return false;
    try {
        rs->setPosition(row);
        rs->deleteCurrent();
    } catch (const DbError& error) {
        reportFailure(error);
        return false;
    }
    return true;
}

bool EditableGrid::commitRow() {
    if (m_writing) return false;
    const int row = editedRow();
    if (row < 0) return true;
    return runCheckAndWrite(row);
}

bool EditableGrid::runCheckAndWrite(int row) {
    Recordset* rs = recordset();
    const WriteGuard guard(m_writing);
    if (m_beforeUpdate && !m_beforeUpdate(row)) {
        cancelRow();
        return false;
    }
    try {
        rs->update();
    } catch (const DbError& error) {
        cancelRow();
        reportFailure(error);
        return false;
    }
    return true;
}

void EditableGrid::cancelRow() {
    Recordset* rs = recordset();
    if (!rs || !rs->editing()) return;
    const int row = rs->adding() ? -1 : rs->position();
    rs->cancelUpdate();
    m_model->refreshRow(row);
}

void EditableGrid::reportFailure(const DbError& error) {
    const SaveFailure failure = saveFailure(error);
    emit writeFailed(failure.text, failure.icon);
}

QString EditableGrid::cellText(int row, int column) const {
    return m_model->cellText(row, column);
}

QString EditableGrid::headerText(int column) const {
    return m_model->headerText(column);
}

int EditableGrid::dataRows() const {
    return m_model->rowCount();
}

void EditableGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commitRow();
        event->accept();
        return;
    case Qt::Key_Escape:
        commitRow();
        emit escapePressed();
        event->accept();
        return;
    default:
        QTableView::keyPressEvent(event);
    }
}

void EditableGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    // Enter in the cell editor ends the edit of the row.
    if (hint == QAbstractItemDelegate::SubmitModelCache) commitRow();
}

} // namespace vornel
