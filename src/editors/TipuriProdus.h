#pragma once
// The product type editor: code, category, description and the accounts the category needs.
// Accounts count only when picked in the code chooser (or loaded with the record); typing in an
// account field forgets the picked value.

#include "controls/FormWindow.h"
#include "profiles/CatalogRow.h"
#include "profiles/EditorProfile.h"

#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vornel {

class Recordset;

class TipuriProdus : public FormWindow {
    Q_OBJECT
public:
    TipuriProdus();
    ~TipuriProdus() override;

    // Opens the editor in a mode. Opened from the catalogue list, the list's recordset stands on the
    // record to modify and the list waits, disabled, until the editor tells it that it was saved or
    // left; without a list nobody waits.
    // For reading, the fields are locked and nothing can be saved.
    void DeschideTip(EditMode mode, std::shared_ptr<Recordset> list, bool reading = false);
    // Empties the account fields and shows those the selected category needs.
    void ArataConturi();
    // Asks whether to leave without saving; true when the window unloaded.
    bool IesireTip();
    // Checks the code, the description, the accounts and that the code is free, writes the record
    // with its audit row and closes; false when it stayed open with what was typed.
    bool SalveazaTip();

    QLineEdit* txtTipProdus() const { return m_txtTipProdus; }
    QComboBox* cmbFel() const { return m_cmbFel; }
    QLineEdit* txtDescriere() const { return m_txtDescriere; }
    QLineEdit* txtStoc() const { return m_txtStoc; }
    QLineEdit* txtCh() const { return m_txtCh; }
    QLineEdit* txtV() const { return m_txtV; }
    QPushButton* cmdAction(int index) const { return m_cmdAction.at(static_cast<std::size_t>(index)); }

    EditMode mode() const { return m_mode; }
    const QString& loadedCode() const { return m_loadedCode; }
    // The validated accounts: what the save writes.
    const QString& stockAccount() const { return m_stock; }
    const QString& expenseAccount() const { return m_expense; }
    const QString& revenueAccount() const { return m_revenue; }

signals:
    // The record was saved: the list reads itself anew and selects it.
    void saved(const CatalogRow::Cells& record);
    // The record was changed or deleted by another user since it was loaded: the list reads itself
    // anew while the editor stays open.
    void recordChanged();
    // The editor was left without saving: the list takes the focus back.
    void left();

protected:
    bool queryUnload(bool byCode) override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void loadFromList();
    void applyColumnSizes();
    // The exit question; on Yes the list is told. True when the user leaves.
    bool confirmLeave();
    void message(const QString& text);

    // Keyboard movement between the fields (TipuriProdusKeys.cpp).
    bool handleKey(QWidget* field, int key);
    bool forward(QWidget* field, int key);
    bool backward(QWidget* field);
    bool comboKey(int key);
    void accountForward(QLineEdit* field, QString& validated, const QString& title,
                        std::initializer_list<QWidget*> next);
    void goTo(QWidget* field);

    EditMode m_mode = EditMode::Add;
    std::shared_ptr<Recordset> m_list; // the catalogue list's, when the list opened the editor
    QString m_loadedCode;
    RowKey m_loadedKey;                  // the record a modify writes back to
    std::optional<RowSnapshot> m_loaded; // as the list showed it
    QString m_stock;
    QString m_expense;
    QString m_revenue;
    bool m_loading = false;
    bool m_reading = false;

    QLineEdit* m_txtTipProdus = nullptr;
    QComboBox* m_cmbFel = nullptr;
    QLineEdit* m_txtDescriere = nullptr;
    QLineEdit* m_txtStoc = nullptr;
    QLineEdit* m_txtCh = nullptr;
    QLineEdit* m_txtV = nullptr;
    QLabel* m_lblStoc = nullptr;
    QLabel* m_lblCh = nullptr;
    QLabel* m_lblV = nullptr;
    std::vector<QPushButton*> m_cmdAction; // 0 Salveaza, 1 Renunta
};

} // namespace vornel
