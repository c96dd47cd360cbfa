#pragma once
// One table model over any recordset: reads the rows in place, never copies them.

#include "data/Recordset.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

namespace vornel {

class Recordset;

class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordsetModel(QObject* parent = nullptr);

    void setRecordset(Recordset* recordset); // nullptr unbinds
    Recordset* recordset() const { return m_recordset; }

    // Header texts and alignments from a format string ("<Cod|>Ani|^Cont"); columns beyond the
    // headers keep the recordset's field names.
    void setFormatString(const QString& format);
    const QString& formatString() const { return m_format; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Cell text as the grid shows it.
    QString cellText(int row, int column) const;
    QString headerText(int column) const;

    void setEditable(bool editable) { m_editable = editable; }
    // Display format per column ("#,##0.00", "#,##0 Ani"); empty for plain text.
    void setColumnFormat(int column, const QString& format);

private:
    void reload();

    QPointer<Recordset> m_recordset;
    QString m_format;
    std::vector<QString> m_headers;
    std::vector<Qt::Alignment> m_alignments;
    std::vector<QString> m_columnFormats;
    bool m_editable = false;
    // Sizes the views know, changed only inside begin/end notifications.
    int m_rowCount = 0;
    int m_columnCount = 0;
};

} // namespace vornel
