#pragma once
// The record editor of the generic catalogues: one set of controls laid out per caption, the
// checks of the save button and the INSERT or UPDATE statement.

#include "controls/FormWindow.h"

#include <memory>
#include <vector>

class QLineEdit;
class QLabel;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace vornel {

class NumericBox;
class Recordset;

class GridDetail : public FormWindow {
    Q_OBJECT
public:
    GridDetail();
    ~GridDetail() override;

    // Stores caption, mode ("A" or "M") and table, takes the list window's recordset and loads the
    // window (centred, shown, laid out).
    void DeschideEditor(const QString& caption, const QString& mode, const QString& table);

    // Fields the code chooser writes into.
    QLineEdit* txtCont() const { return m_txtCont; }
    QLineEdit* txtCod() const { return m_txtCod; }
    QLineEdit* txtDescriere() const { return m_txtDescriere; }
    QLineEdit* txtRezerva() const { return m_txtRezerva; }
    QLineEdit* txtRezerva1() const { return m_txtRezerva1; }
    NumericBox* txtDiscount() const { return m_txtDiscount; }
    // The group-lookup flag of "Subgrupe Centre".
    void setGroupLookup(bool value) { m_groupLookup = value; }
    bool groupLookup() const { return m_groupLookup; }

protected:
    void onUnload() override;

private:
    QLineEdit* m_txtCont = nullptr;
    QLineEdit* m_txtCod = nullptr;
    QLineEdit* m_txtCheie = nullptr;
    QLineEdit* m_txtDescriere = nullptr;
    NumericBox* m_txtDiscount = nullptr;
    QLineEdit* m_txtRezerva = nullptr;
    QLineEdit* m_txtRezerva1 = nullptr;
    QCheckBox* m_chkTransferabil = nullptr;
    QComboBox* m_cmbRezerva = nullptr;
    bool m_groupLookup = false;
};

} // namespace vornel
