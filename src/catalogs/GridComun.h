#pragma once
// The catalogue list window: lists the records of a generic catalogue, searches them and starts
// the add, modify and delete actions. It asks the catalogue's profile; the editors are opened for it
// (editorRequested) and tell it when they close.

#include "controls/FormWindow.h"
#include "profiles/CatalogProfile.h"
#include "profiles/CatalogRow.h"

#include <memory>
#include <vector>

class QPushButton;
class QLabel;
class QLineEdit;
class QGroupBox;

namespace vornel {

class DbError;
class FlexGrid;
class ListTools;
class Recordset;

class GridComun : public FormWindow {
    Q_OBJECT
public:
    GridComun();
    ~GridComun() override;

    // Applies the profile of the caption and shows the window.
    void Deschide(const QString& caption);
    // (Re)reads the list from the listing query and lays out the window.
    void IncarcaLista();
    // Applies the format string and the widths to the grid.
    void FormateazaGrila();
    // Makes the current record of the list recordset the one of the grid's selected row.
    void SincronizeazaRand();
    // Deletes the selected record (after the rights check of "Sterge").
    void StergeInregistrare();

    // After a record editor closed: requery, enable, rebind and format, and after an add enable
    // "Modifica" and "Sterge" and show the grid; the record saved (else the one selected before)
    // is selected and the grid takes the focus.
    void refreshAfterEditor(EditMode mode, const CatalogRow::Cells& saved);
    // After the product type editor saved: enabled again, the list read anew, the record selected.
    void reloadAfterEditor(const CatalogRow::Cells& saved);
    // Another user changed the list's records: read anew, the selected record kept.
    void reloadInPlace();
    // The history of the selected record.
    void ArataIstoric();
    // After the product type editor was left without saving: enabled again, "Adauga" has the focus.
    void resumeAfterEditor();

    const CatalogProfile* profile() const { return m_profile; }
    const QString& caption() const { return m_caption; }
    const QString& rightsCode() const { return m_rightsCode; }
    const QString& listingQuery() const { return m_query; }
    std::shared_ptr<Recordset> lista() const { return m_list; }
    FlexGrid* grid() const { return m_grid; }
    QPushButton* cmdAction(int index) const { return m_cmdAction.at(index); }

signals:
    // The profile's editor is to open in this mode on the list's recordset (standing on the row to
    // modify); for reading only (fields locked, no save) when modifying is refused.
    void editorRequested(EditMode mode, bool reading);

protected:
    bool queryUnload(bool byCode) override;

private:
    void buildUi();
    void onAction(int index);
    // Opens the query as the new list; false (after a message) leaves the previous list in force.
    bool openList(const QString& query);
    void layoutWindow();
    void openEditor(EditMode mode, bool reading);
    void openRowEditor();
    bool filteredToNothing() const;
    void selectWholeRow();
    // Reads the list again and selects the row with these cells, else the row at this place.
    void requeryAt(const CatalogRow::Cells& cells, int place);
    CatalogRow::Cells selectedKey() const;

    // Search frame (GridComunSearch.cpp).
    void openSearch();
    void onSearchAccept();
    void onSearchCancel();
    void closeSearch();

    // Deletion (GridComunDelete.cpp).
    void deleteThroughProcedure(const QString& value0, const QString& confirmation, const RowKey& key,
                                const std::optional<RowSnapshot>& shown);
    void deleteThroughStatement(const QString& name0, const QString& value0, const QString& name1,
                                const QString& value1, const RowKey& key,
                                const std::optional<RowSnapshot>& shown);
    // A delete the database refused: the message (related records keep their own), the list read
    // again when the record was changed or deleted by another user.
    void deleteFailed(const DbError& error, const QString& title, bool statement);
    void refuseInUse();
    void restoreAfterFailure();
    void refreshAfterDelete();

    const CatalogProfile* m_profile = nullptr;
    QString m_rightsCode; // the catalogue's, kept while the window shows it
    QString m_caption;
    QString m_query; // the listing query in force (a search replaces it)
    std::shared_ptr<Recordset> m_list;

    FlexGrid* m_grid = nullptr;
    ListTools* m_tools = nullptr;          // sort, instant filter, count, export and print of the list
    std::vector<QPushButton*> m_cmdAction; // 0 Adauga, 1 Modifica, 2 Sterge, 3 Renunta, 4 Filtreaza
    QPushButton* m_cmdIstoric = nullptr;
    QGroupBox* m_frmFiltru = nullptr;
    std::vector<QLabel*> m_lbl;
    std::vector<QLineEdit*> m_txt;
    std::vector<QPushButton*> m_cmd; // 0 Accepta, 1 Renunta
};

} // namespace vornel
