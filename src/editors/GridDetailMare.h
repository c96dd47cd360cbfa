#pragma once
// The large record editor: warehouses, cash desks, production centres and employees. One set of
// controls that each catalogue's profile shows, relabels, limits and fills (PregatesteMacheta);
// the checks and the statement of the save come from the profile as well.

#include "editors/RecordEditor.h"

namespace vornel {

class GridDetailMare : public RecordEditor {
    Q_OBJECT
public:
    GridDetailMare();
    ~GridDetailMare() override;

    // Opens the editor for the catalogue in the mode, on the list's recordset (standing on the row
    // to modify): shown, laid out and loaded, the focus on its first field.
    void DeschideDetaliu(const CatalogProfile& profile, EditMode mode, std::shared_ptr<Recordset> list);

protected:
    const std::vector<Field>& fields() const override;
    Field designKey() const override { return Field::CodCasierie; }
    QString saveFailure(const DbError& error) const override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void attachKeyFilters();
};

} // namespace vornel
