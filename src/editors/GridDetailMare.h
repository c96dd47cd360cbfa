#pragma once
// The large record editor: warehouses, cash desks, production centres and employees. One set of
// controls relabelled per caption, filled from the list's current row in modify mode, checked,
// saved with one INSERT or UPDATE; closing makes the list window refresh itself.

#include "controls/FormWindow.h"

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QCheckBox;
class QPushButton;

namespace vornel {

class Recordset;
struct LargeRecordInput;

class GridDetailMare : public FormWindow {
    Q_OBJECT
public:
    GridDetailMare();
    ~GridDetailMare() override;

    // Stores caption, mode ("A" or "M") and table, disables the list window, loads and shows the
    // window, lays it out and loads the current row of the list in modify mode.
    void DeschideDetaliu(const QString& caption, const QString& mode, const QString& table);
    // The same on a given list recordset (standing on the row to edit in modify mode).
    void DeschideDetaliu(const QString& caption, const QString& mode, const QString& table,
                         std::shared_ptr<Recordset> list);

    QPushButton* cmdAction(int index) const { return m_cmdAction.at(index); }
    const QString& caption() const { return m_caption; }
    const QString& mode() const { return m_mode; }
    const QString& loadedKey() const { return m_loadedKey; }

    // Lookups of the checks: duplicate code or name, account, cost centre.
    bool ExistaDeja(const QString& value) const;
    bool ExistaCont(const QString& cont) const;
    bool ExistaCentruCost(const QString& cod) const;

protected:
    void onUnload() override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void onAction(int index);

    // Layout and loading per caption (GridDetailMareLayout.cpp).
    void PregatesteMacheta();
    void loadRow();
    QString columnName(int column) const;
    int columnSize(int column) const;
    QString cell(int column) const;
    bool cellSet(int column) const;

    // Key filters, the Enter lookup, the checks and the save (GridDetailMareChecks.cpp).
    void attachKeyFilters();
    bool VerificaCod();
    bool VerificaDenumire();
    bool VerificaCont();
    bool VerificaProgram();
    bool runChecks();
    // Runs the statement; false (after a message) when a bare value is not a number.
    bool SalveazaDate();
    LargeRecordInput input() const;
    bool hasRow(const QString& sql) const;
    void message(const QString& text) const;

    QString m_caption;
    QString m_mode;
    QString m_table;
    QString m_loadedKey;
    std::shared_ptr<Recordset> m_list;

    QLabel* m_lblCodDepozit = nullptr;
    QLabel* m_lblCodCasierie = nullptr;
    QLabel* m_lblDenumireDepozit = nullptr;
    QLabel* m_lblDescriereDepozit = nullptr;
    QLabel* m_lblAdresaDepozit = nullptr;
    QLabel* m_lblContAnalitic = nullptr;
    QLabel* m_lblNumeGestionar = nullptr;
    QLabel* m_lblTelefonVetra = nullptr;
    QLabel* m_lblTelefonMobil = nullptr;
    QLabel* m_lblCale = nullptr;
    QLabel* m_lblNumeProgram = nullptr;
    QLineEdit* m_txtCodCasierie = nullptr;
    QLineEdit* m_txtDenumireDepozit = nullptr;
    QLineEdit* m_txtDescriereDepozit = nullptr;
    QLineEdit* m_txtAdresaDepozit = nullptr;
    QLineEdit* m_txtContAnalitic = nullptr;
    QLineEdit* m_txtNumeGestionar = nullptr;
    QLineEdit* m_txtTelefonVetra = nullptr;
    QLineEdit* m_txtTelefonMobil = nullptr;
    QLineEdit* m_txtCale = nullptr;
    QLineEdit* m_txtNumeProgram = nullptr;
    QCheckBox* m_chkTransferabil = nullptr;
    std::vector<QLabel*> m_Label2;         // section headings
    std::vector<QPushButton*> m_cmdAction; // 0 Salveaza, 1 Renunta
};

} // namespace vornel
