#pragma once
// The salary configuration window: payroll parameters per month and work group, the work groups
// and the tax and seniority tables.

#include "controls/FormWindow.h"
#include "data/RowSnapshot.h"

#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vornel {

class DbError;
class EditableGrid;
class NumericBox;
class Recordset;
struct SalaryParameters;

class Salarii : public FormWindow {
    Q_OBJECT
public:
    Salarii();
    ~Salarii() override;

    // Loads the groups and the parameters of January of the first group and shows the window.
    void Incarca();

    // Loads the row of the chosen month and group into the fields.
    void IncarcaParametri();
    // Fills the group list and selects its first group (which loads its parameters).
    void IncarcaGrupe();
    // True when the three bracket tables of the chosen month are right; otherwise shows the
    // message and opens the page of the first wrong table.
    bool VerificaTabele();

    // Page buttons 0..6: employer, employee, deductions, other, seniority, monthly and annual tax.
    void selectPage(int index);
    int month() const; // 1..12, 0 when none is chosen
    QString group() const;
    // The account field's changed mark (typed but not chosen).
    bool accountChanged(const QLineEdit* field) const;

protected:
    bool queryUnload(bool byCode) override;
    void onUnload() override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    void buildUi(); // SalariiLayout.cpp
    QGroupBox* buildEmployerPage();
    QGroupBox* buildEmployeePage();
    QGroupBox* buildDeductionsPage();
    QGroupBox* buildOtherPage();
    QGroupBox* buildTablesPage();
    QGroupBox* buildGroupFrame();
    void attachFields();

    // Parameters (SalariiParametri.cpp).
    void fillFields(const Recordset& row);
    SalaryParameters collect() const;
    bool validate();
    void accepta();
    void renunta();
    bool moveFocus(QWidget* field, int key, Qt::KeyboardModifiers modifiers);
    bool enterAccount(QLineEdit* field);
    void showOnly(QGroupBox* page);
    void setMarked(QLineEdit* field, bool marked);

    // Unsaved changes and the checks against the database (SalariiChecks.cpp).
    QStringList fieldState() const;
    bool unsavedChanges() const;
    // Asks whether to save unsaved changes: true when they were saved or let go, false when a
    // check refused them (its message shown, its field focused).
    bool settleChanges();
    void choiceChanged(); // another month or group was chosen
    // The checks and the statement of the month and group in the fields.
    bool saveShown();
    bool checkAccounts();
    // The account fields page by page: debit and credit of each row, then the income tax account.
    std::vector<QLineEdit*> accountFields() const;

    // Work groups (SalariiGrupe.cpp).
    void onGroupButton(int index);
    void openGroupFrame(const QString& text, const QString& tag);
    void closeGroupFrame();
    void deleteGroup();
    void saveGroup();
    void selectGroup(const QString& name);

    // Tax tables (SalariiTabele.cpp).
    void bindTable(int tip);
    // The check before a bracket row of the table is written.
    bool bracketRowRight(int tip, int forMonth);
    bool checkTable(int tip);

    void message(const QString& text) const;
    void reportDbError(const QString& description) const;
    // A save that failed: nothing was written; the cause named, or `ownText` for one the window names.
    void reportSaveError(const DbError& error, const QString& ownText = {}) const;
    // The parameters row of the month and group shown, as the change pipeline and the history name it.
    RowKey shownRow() const;
    void showHistory();

    std::array<NumericBox*, 8> m_txtX{};
    std::array<QLineEdit*, 8> m_txtCh{};
    std::array<QLineEdit*, 8> m_txtC{};
    std::array<QCheckBox*, 15> m_chk{}; // 0..6 employee flags, 7..14 employer flags
    std::array<NumericBox*, 7> m_txtXa{};
    std::array<QLineEdit*, 7> m_txtAch{};
    std::array<QLineEdit*, 7> m_txtCa{};
    QLineEdit* m_txtCD = nullptr;
    std::array<NumericBox*, 12> m_txtXd{};
    std::array<NumericBox*, 9> m_txtXAC{};
    QComboBox* m_cmb = nullptr;
    QComboBox* m_cmbGrupa = nullptr;
    QLabel* m_lblClose = nullptr;
    std::array<QPushButton*, 2> m_cmdAction{};
    std::array<QPushButton*, 7> m_cmd{};
    std::array<QGroupBox*, 5> m_f{};
    std::array<QWidget*, 2> m_frm{};
    QGroupBox* m_frmG = nullptr;
    QLineEdit* m_txtG = nullptr;
    std::array<QPushButton*, 5> m_cmdG{};
    EditableGrid* m_grid = nullptr;
    std::unique_ptr<Recordset> m_table; // the bracket table bound to the grid
    int m_tableTip = -1;                // the bracket table bound to the grid, -1 none
    bool m_loading = false;             // fields are being filled: no changed marks
    int m_shownMonth = 0;               // month and group whose parameters are in the fields
    QString m_shownGroup;
    QStringList m_loadedState; // the fields as loaded or last saved
    // The stored row of the month and group shown, as loaded or last saved; none when it has none.
    std::optional<RowSnapshot> m_loadedRow;
    QPushButton* m_cmdIstoric = nullptr;
};

} // namespace vornel
