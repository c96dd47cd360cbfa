#pragma once
// The packaging accounts selector of an output document series: the accounts are searched in the
// chart of accounts, gathered in a list, and read by the output document window once it is hidden.

#include "controls/FormWindow.h"

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vornel {

class FlexGrid;
class Recordset;

class frmConturi : public FormWindow {
    Q_OBJECT
public:
    frmConturi();
    ~frmConturi() override;

    // Fills the window for the series (-1 for a new one) and shows it modally; returns when hidden.
    void Incarca(qint16 IdSerie);
    // Checks the line count and, while the list holds an account, hides the window.
    void Iesire();
    // True when the last Incarca ended through Iesire (not the close box, not a load error).
    bool accepted() const { return m_accepted; }

    QLineEdit* txtCont() const { return m_txtCont; }
    QListWidget* txtConturi() const { return m_txtConturi; }
    QLineEdit* txtNrLinAmbalaje() const { return m_txtNrLinAmbalaje; }
    QPushButton* cmdC() const { return m_cmdC; }
    QGroupBox* fmeConturi() const { return m_fmeConturi; }
    FlexGrid* GridC() const { return m_gridC; }

protected:
    bool queryUnload(bool byCode) override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void search();
    void typeAhead(QChar typed);
    void takeAccount();
    void closeSearch();
    void add();
    void clearAll();

    std::unique_ptr<Recordset> m_search;
    QString m_typed; // the grid's type-ahead text
    bool m_accepted = false;

    QLineEdit* m_txtCont = nullptr;
    QPushButton* m_btnAdauga = nullptr;
    QPushButton* m_btnStergeTot = nullptr;
    QListWidget* m_txtConturi = nullptr;
    QLabel* m_label6 = nullptr;
    QLineEdit* m_txtNrLinAmbalaje = nullptr;
    QPushButton* m_cmdC = nullptr;
    QGroupBox* m_fmeConturi = nullptr;
    FlexGrid* m_gridC = nullptr;
};

} // namespace vornel
