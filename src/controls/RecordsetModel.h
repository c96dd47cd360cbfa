#pragma once
// One table model over any recordset: reads the rows in place, never copies them.

#include "data/Recordset.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

namespace vornel {

class Recordset;

// A value typed into a cell in the form its column stores: numbers for numeric columns (empty
// text is NULL), the text as typed when it is not a number or the column holds text.
QVariant typedValue(const Column& column, const QVariant& value);

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

    // An editable model puts typed values into the recordset's edit buffer of that row; the row is
    // written (Recordset::update) by whoever owns the editing, never by the model itself.
    void setEditable(bool editable) { m_editable = editable; }
    // Display format per column ("#,##0.00", "#,##0 Ani"); empty for plain text. Formatted
    // columns are right-aligned unless the format string says otherwise.
    void setColumnFormat(int column, const QString& format);
    // Caption of one column, over the format string's header and the field name.
    void setColumnCaption(int column, const QString& caption);
    // Tells the views that a row shows other values (an edit was written or cancelled).
    void refreshRow(int row);

private:
    void reload();
    bool showsEditBuffer(int row) const;
    Qt::Alignment alignment(int column) const;

    QPointer<Recordset> m_recordset;
    QString m_format;
    std::vector<QString> m_headers;
    std::vector<Qt::Alignment> m_alignments;
    std::vector<QString> m_columnFormats;
    std::vector<QString> m_captions; // null: not set
    bool m_editable = false;
    // Sizes the views know, changed only inside begin/end notifications.
    int m_rowCount = 0;
    int m_columnCount = 0;
};

} // namespace vornel
