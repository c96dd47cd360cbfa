#pragma once
// The record editor of the generic catalogues: one set of controls that each catalogue's profile
// shows, relabels, limits, fills and orders (AranjeazaCampuri); the checks and the statement of
// the save come from the profile as well.

#include "editors/RecordEditor.h"

#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;

namespace vornel {

class NumericBox;

class GridDetail : public RecordEditor {
    Q_OBJECT
public:
    GridDetail();
    ~GridDetail() override;

    // Opens the editor for the catalogue in the mode, on the list's recordset (standing on the row
    // to modify): centred, shown, laid out.
    void DeschideEditor(const CatalogProfile& profile, EditMode mode, std::shared_ptr<Recordset> list);

protected:
    const std::vector<Field>& fields() const override;
    Field designKey() const override { return Field::Cheie; }
    QString saveFailure(const DbError& error) const override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    using Row = std::pair<QLabel*, QWidget*>;

    void buildUi();
    // The layout of the catalogue: the profile's fields, rows and tab order, and the first focus.
    void AranjeazaCampuri();
    void attachKeyFilters();
    void placeRows(const std::vector<Row>& first);
    void setTabs(const std::vector<QWidget*>& first);

    QGridLayout* m_grid = nullptr;
    NumericBox* m_txtDiscount = nullptr;
    std::vector<Row> m_designRows;
    std::vector<QWidget*> m_designTabs;
};

} // namespace vornel
