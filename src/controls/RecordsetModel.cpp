#include "controls/RecordsetModel.h"

#include "controls/NumberText.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/RowSearch.h"
#include "data/SqlText.h"

#include <QLocale>
#include <cmath>

namespace vornel {

namespace {

bool isNumeric(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

// Applies a display format of the "#,##0.00" family: "," asks for thousands separators, the
// zeros after "." give the decimals, anything after the number pattern is kept as a suffix.
QString formatNumber(double value, const QString& format) {
    int end = 0;
    while (end < format.size() && QStringLiteral("#,0.").contains(format.at(end)))
        ++end;
    const QString pattern = format.left(end);
    const QString suffix = format.mid(end);
    const qsizetype point = pattern.indexOf(u'.');
    const int decimals = point < 0 ? 0 : static_cast<int>(pattern.mid(point + 1).count(u'0'));
    QLocale locale;
    locale.setNumberOptions(pattern.contains(u',') ? QLocale::DefaultNumberOptions
                                                   : QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals) + suffix;
}

} // namespace

QVariant typedValue(const Column& column, const QVariant& value) {
    if (value.typeId() != QMetaType::QString) return value;
    const QString text = value.toString();
    if (column.type != ColumnType::Integer && column.type != ColumnType::Double) return text;
    if (text.trimmed().isEmpty()) return {};
    // Read the way the grid shows numbers; anything else is kept as typed for the row's check.
    const std::optional<double> number = NumberText::read(text);
    if (!number) return text;
    if (column.type == ColumnType::Integer && *number == std::trunc(*number) && std::fabs(*number) < 9e15)
        return static_cast<qlonglong>(*number);
    return *number;
}

RecordsetModel::RecordsetModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordsetModel::setRecordset(Recordset* recordset) {
    if (m_recordset == recordset) return;
    if (m_recordset) disconnect(m_recordset, nullptr, this, nullptr);
    m_recordset = recordset;
    if (recordset) {
        connect(recordset, &Recordset::reset, this, &RecordsetModel::reload);
        connect(recordset, &QObject::destroyed, this, &RecordsetModel::reload);
        connect(recordset, &Recordset::rowChanged, this, [this](int row) {
            if (row >= 0 && row < m_rowCount && m_columnCount > 0)
                emit dataChanged(index(row, 0), index(row, m_columnCount - 1));
        });
        connect(recordset, &Recordset::rowInserted, this, [this](int row) {
            if (!m_recordset || m_recordset->fieldCount() != m_columnCount || row < 0 || row > m_rowCount) {
                reload();
                return;
            }
            beginInsertRows({}, row, row);
            ++m_rowCount;
            endInsertRows();
        });
        connect(recordset, &Recordset::rowsAppended, this, [this](int first, int last) {
            if (!m_recordset || first != m_rowCount || last < first) {
                reload();
                return;
            }
            beginInsertRows({}, first, last);
            m_rowCount = last + 1;
            endInsertRows();
        });
        connect(recordset, &Recordset::rowRemoved, this, [this](int row) {
            if (row < 0 || row >= m_rowCount) {
                reload();
                return;
            }
            beginRemoveRows({}, row, row);
            --m_rowCount;
            endRemoveRows();
        });
    }
    reload();
}

void RecordsetModel::reload() {
    beginResetModel();
    const bool bound = m_recordset && m_recordset->isOpen();
    m_rowCount = bound ? m_recordset->recordCount() : 0;
    m_columnCount = bound ? m_recordset->fieldCount() : static_cast<int>(m_headers.size());
    endResetModel();
}

void RecordsetModel::setFormatString(const QString& format) {
    m_format = format;
    m_headers.clear();
    m_alignments.clear();
    if (!format.isEmpty()) {
        for (const QString& part : format.split(u'|')) {
            Qt::Alignment alignment = Qt::AlignLeft;
            QString header = part;
            if (!header.isEmpty()) {
                const QChar mark = header.at(0);
                if (mark == u'<' || mark == u'>' || mark == u'^') {
                    alignment = mark == u'<'   ? Qt::AlignLeft
                                : mark == u'>' ? Qt::AlignRight
                                               : Qt::AlignHCenter;
                    header.remove(0, 1);
                }
            }
            m_headers.push_back(header);
            m_alignments.push_back(alignment);
        }
    }
    const bool bound = m_recordset && m_recordset->isOpen();
    if (!bound && m_columnCount != static_cast<int>(m_headers.size())) {
        reload();
        return;
    }
    if (m_columnCount > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, m_columnCount - 1);
        if (m_rowCount > 0)
            emit dataChanged(index(0, 0), index(m_rowCount - 1, m_columnCount - 1), {Qt::TextAlignmentRole});
    }
}

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columnCount;
}

bool RecordsetModel::showsEditBuffer(int row) const {
    return m_recordset && m_recordset->editing() && !m_recordset->adding() && m_recordset->position() == row;
}

QString RecordsetModel::cellText(int row, int column) const {
    if (!m_recordset || !m_recordset->isOpen() || row < 0 || column < 0 ||
        row >= m_recordset->recordCount() || column >= m_recordset->fieldCount())
        return {};
    const bool buffered = showsEditBuffer(row);
    const QVariant value = buffered ? m_recordset->editedValue(column) : m_recordset->valueAt(row, column);
    if (value.isNull()) return {};
    const QString format =
        static_cast<std::size_t>(column) < m_columnFormats.size() ? m_columnFormats[column] : QString();
    if (isNumeric(value))
        return format.isEmpty() ? plainNumberText(value.toDouble()) : formatNumber(value.toDouble(), format);
    return buffered ? value.toString() : m_recordset->textAt(row, column);
}

QString RecordsetModel::headerText(int column) const {
    if (column < 0) return {};
    if (static_cast<std::size_t>(column) < m_captions.size() && !m_captions[column].isNull())
        return m_captions[column];
    if (static_cast<std::size_t>(column) < m_headers.size()) return m_headers[column];
    if (m_recordset && m_recordset->isOpen() && column < m_recordset->fieldCount())
        return m_recordset->column(column).name;
    return {};
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::EditRole:
        if (!m_recordset || index.row() >= m_recordset->recordCount() ||
            index.column() >= m_recordset->fieldCount())
            return {};
        if (showsEditBuffer(index.row())) return m_recordset->editedValue(index.column());
        return m_recordset->valueAt(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(index.column()) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= m_columnCount) return {};
    if (role == Qt::DisplayRole) return headerText(section);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignment(section) | Qt::AlignVCenter);
    return {};
}

Qt::Alignment RecordsetModel::alignment(int column) const {
    const auto index = static_cast<std::size_t>(column);
    if (index < m_alignments.size()) return m_alignments[index];
    const bool formatted = index < m_columnFormats.size() && !m_columnFormats[index].isEmpty();
    return formatted ? Qt::AlignRight : Qt::AlignLeft;
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editable) result |= Qt::ItemIsEditable;
    return result;
}

bool RecordsetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!m_editable || role != Qt::EditRole || !m_recordset || !m_recordset->updatable() ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    // One row is edited at a time: another row's pending changes must be written or cancelled first.
    if (m_recordset->editing() && (m_recordset->adding() || m_recordset->position() != index.row()))
        return false;
    try {
        if (!m_recordset->editing()) m_recordset->setPosition(index.row());
        m_recordset->setValue(index.column(), typedValue(m_recordset->column(index.column()), value));
    } catch (const DbError&) {
        return false; // a column of another table, or the row is gone: the cell keeps its value
    }
    emit dataChanged(index, index);
    return true;
}

void RecordsetModel::setColumnFormat(int column, const QString& format) {
    if (column < 0) return;
    if (static_cast<std::size_t>(column) >= m_columnFormats.size())
        m_columnFormats.resize(static_cast<std::size_t>(column) + 1);
    m_columnFormats[static_cast<std::size_t>(column)] = format;
    if (column < m_columnCount && m_rowCount > 0)
        emit dataChanged(index(0, column), index(m_rowCount - 1, column), {Qt::DisplayRole});
}

void RecordsetModel::setColumnCaption(int column, const QString& caption) {
    if (column < 0) return;
    if (static_cast<std::size_t>(column) >= m_captions.size())
        m_captions.resize(static_cast<std::size_t>(column) + 1);
    m_captions[static_cast<std::size_t>(column)] = caption.isNull() ? QStringLiteral("") : caption;
    if (column < m_columnCount) emit headerDataChanged(Qt::Horizontal, column, column);
}

void RecordsetModel::refreshRow(int row) {
    if (row >= 0 && row < m_rowCount && m_columnCount > 0)
        emit dataChanged(index(row, 0), index(row, m_columnCount - 1));
}

} // namespace vornel
