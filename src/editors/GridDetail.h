#pragma once
// The record editor of the generic catalogues: one set of controls laid out per caption, the
// checks of the save button and the INSERT or UPDATE statement.

#include "controls/FormWindow.h"

#include <memory>
#include <utility>
#include <vector>

class QLineEdit;
class QLabel;
class QCheckBox;
class QComboBox;
class QPushButton;
class QGridLayout;

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
    // The same on a given list recordset (standing on the row to edit in modify mode).
    void DeschideEditor(const QString& caption, const QString& mode, const QString& table,
                        std::shared_ptr<Recordset> list);

    // Fields the code chooser writes into.
    QLineEdit* txtCont() const { return m_txtCont; }
    QLineEdit* txtCod() const { return m_txtCod; }
    QLineEdit* txtCheie() const { return m_txtCheie; }
    QLineEdit* txtDescriere() const { return m_txtDescriere; }
    QLineEdit* txtRezerva() const { return m_txtRezerva; }
    QLineEdit* txtRezerva1() const { return m_txtRezerva1; }
    NumericBox* txtDiscount() const { return m_txtDiscount; }
    QCheckBox* chkTransferabil() const { return m_chkTransferabil; }
    QComboBox* cmbRezerva() const { return m_cmbRezerva; }
    QPushButton* cmdAction(int index) const { return m_cmdAction.at(index); }
    // The group-lookup flag of "Subgrupe Centre".
    void setGroupLookup(bool value) { m_groupLookup = value; }
    bool groupLookup() const { return m_groupLookup; }

    const QString& caption() const { return m_caption; }
    const QString& mode() const { return m_mode; }
    const QString& oldKey() const { return m_oldKey; }

    // Lookups against the chart of accounts, the parent catalogues and the catalogue itself.
    bool ExistaCont(const QString& cont) const;
    bool ExistaGrupa(const QString& grupa) const;
    bool ExistaCheie(const QString& cheie) const;

protected:
    void onUnload() override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    using Row = std::pair<QLabel*, QWidget*>;

    void buildUi();
    void onAction(int index);

    // Layout per caption (GridDetailLayout.cpp).
    void AranjeazaCampuri();
    void showFields(std::initializer_list<QWidget*> widgets);
    void hideFields(std::initializer_list<QWidget*> widgets);
    void placeRows(const std::vector<Row>& first);
    void setTabs(const std::vector<QWidget*>& first);
    QString columnName(int column) const;
    int columnSize(int column) const;
    QString cell(int column) const;
    void label(QLabel* lbl, QLineEdit* field, const QString& text, int maxLength);

    // Checks, key filters and Enter lookups (GridDetailChecks.cpp).
    void attachKeyFilters();
    bool enterLookup(QWidget* field);
    bool VerificaCampCod();
    bool VerificaCampCheie();
    bool VerificaDiscount();
    bool VerificaCampDescriere();
    bool VerificaCampRezerva();
    bool VerificaCampRezerva1();
    bool VerificaCampCont();
    bool runChecks();
    bool hasRow(const QString& sql) const;
    void message(const QString& text) const;

    // The statement (GridDetailSave.cpp); false when a bare number is not one and nothing ran.
    bool SalveazaInregistrarea();

    QString m_caption;
    QString m_mode;
    QString m_table;
    QString m_oldKey;
    std::shared_ptr<Recordset> m_list;

    QGridLayout* m_grid = nullptr;
    QLineEdit* m_txtCont = nullptr;
    QLineEdit* m_txtCod = nullptr;
    QLineEdit* m_txtCheie = nullptr;
    QLineEdit* m_txtDescriere = nullptr;
    NumericBox* m_txtDiscount = nullptr;
    QLineEdit* m_txtRezerva = nullptr;
    QLineEdit* m_txtRezerva1 = nullptr;
    QCheckBox* m_chkTransferabil = nullptr;
    QComboBox* m_cmbRezerva = nullptr;
    QLabel* m_lblCheie = nullptr;
    QLabel* m_lblDescriere = nullptr;
    QLabel* m_lblRezerva = nullptr;
    QLabel* m_lblRezerva1 = nullptr;
    QLabel* m_lblCod = nullptr;
    QLabel* m_lblCont = nullptr;
    QLabel* m_lblTransferabil = nullptr;
    std::vector<QPushButton*> m_cmdAction; // 0 Salveaza, 1 Renunta
    std::vector<Row> m_designRows;
    std::vector<QWidget*> m_designTabs;
    bool m_groupLookup = false;
};

} // namespace vornel
