#pragma once
// The product type editor: code, category, description and the accounts the category needs.
// Accounts count only when picked in the code chooser (or loaded with the record); typing in an
// account field forgets the picked value.

#include "catalogs/ChooserTarget.h"
#include "controls/FormWindow.h"

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vornel {

class TipuriProdus : public FormWindow, public ChooserTarget {
    Q_OBJECT
public:
    TipuriProdus();
    ~TipuriProdus() override;

    // Opens the editor in mode "A" or "M"; an empty origin means the catalogue list opened it
    // (it is disabled while the editor is open and takes the record to modify from its grid).
    void DeschideTip(const QString& mode, const QString& origin);
    // Empties the account fields and shows those the selected category needs.
    void ArataConturi();
    // Asks whether to leave without saving; true when the window unloaded.
    bool IesireTip();
    // Checks the accounts and the code, writes the record and closes; false when it stayed open.
    bool SalveazaTip();

    void codePicked(const QString& kind, const QString& code) override;

    QLineEdit* txtTipProdus() const { return m_txtTipProdus; }
    QComboBox* cmbFel() const { return m_cmbFel; }
    QLineEdit* txtDescriere() const { return m_txtDescriere; }
    QLineEdit* txtStoc() const { return m_txtStoc; }
    QLineEdit* txtCh() const { return m_txtCh; }
    QLineEdit* txtV() const { return m_txtV; }
    QPushButton* cmdAction(int index) const { return m_cmdAction.at(static_cast<std::size_t>(index)); }

    const QString& mode() const { return m_mode; }
    const QString& loadedCode() const { return m_loadedCode; }
    // The validated accounts: what the save writes.
    const QString& stockAccount() const { return m_stock; }
    const QString& expenseAccount() const { return m_expense; }
    const QString& revenueAccount() const { return m_revenue; }

protected:
    bool queryUnload(bool byCode) override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void loadFromList();
    void applyColumnSizes();
    // The exit question; on Yes the list window is given back. True when the user leaves.
    bool confirmLeave();
    void releaseList(bool reload);
    void message(const QString& text);

    // Keyboard movement between the fields (TipuriProdusKeys.cpp).
    bool handleKey(QWidget* field, int key);
    bool forward(QWidget* field, int key);
    bool backward(QWidget* field);
    bool comboKey(int key);
    void accountForward(QLineEdit* field, const QString& validated, const QString& kind,
                        std::initializer_list<QWidget*> next);
    void goTo(QWidget* field);

    QString m_mode;
    QString m_origin;
    QString m_loadedCode;
    QString m_stock;
    QString m_expense;
    QString m_revenue;
    bool m_loading = false;

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
