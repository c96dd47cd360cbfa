#pragma once
// The output document configuration: numbering series of invoices and delivery notes, listed in a
// grid and edited in the fields below it; every change goes through the procedure "Start".

#include "controls/FormWindow.h"
#include "data/RowSnapshot.h"
#include "documents/SeriesStatements.h"

#include <memory>
#include <vector>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vornel {

class FlexGrid;
class Recordset;

class ConfDocOut : public FormWindow {
    Q_OBJECT
public:
    ConfDocOut();
    ~ConfDocOut() override;

    // Loads the series and shows the window in browsing mode.
    void Incarca();

    // (Re)opens the series recordset and binds the grid.
    void IncarcaSerii();
    // Shows the current row of the recordset in the fields.
    void AfiseazaSeria();
    // Empties the fields for a new series.
    void GolesteCampuri();
    // Switches between browsing and editing.
    void ModEditare(bool edit);
    // Moves the recordset to a grid row; with the marker, to the row whose description is the one
    // in txtDescriere.
    void PozitioneazaSeria(int row, bool marker = false);
    // Calls "Start" with the operation and rewrites the packaging accounts; the procedure's result.
    qint16 ExecutaSeria(quint8 operation);
    bool ExistaDescriere(const QString& descriere);

    const QString& mode() const { return m_mode; }
    double currentId() const { return m_currentId; }
    Recordset* series() const { return m_series.get(); }
    FlexGrid* grid() const { return m_grid; }
    QPushButton* cmdAction(int index) const { return m_cmdAction.at(static_cast<std::size_t>(index)); }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QLineEdit* txtDescriere() const { return m_txtDescriere; }
    QLineEdit* txtSerie() const { return m_txtSerie; }
    QLineEdit* txtPD() const { return m_txtPD; }
    QLineEdit* txtUD() const { return m_txtUD; }
    QLineEdit* txtNrLinFac() const { return m_txtNrLinFac; }
    QComboBox* cmbTipFactura() const { return m_cmbTipFactura; }
    QComboBox* cmbTipHartie() const { return m_cmbTipHartie; }

protected:
    bool queryUnload(bool byCode) override;
    void onUnload() override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    // Controls, key filters and arrow movement (ConfDocOutLayout.cpp).
    void buildUi();
    void attachKeyboard();
    bool arrowKey(QObject* watched, int key);

    // Buttons (ConfDocOutActions.cpp).
    void onAction(int index);
    void startAdd();
    void startModify();
    void deleteSeries();
    void accept();
    void cancel();
    void exitWindow(); // hides the window and closes the component
    void backToBrowsing();
    void focusField(Series::Field field);
    Series::Fields fields() const;
    void showError(const QString& text);
    // The shown series' row, and its columns as the list read them.
    RowKey seriesRow() const;
    RowSnapshot shownSeries() const;
    // Reads the list again after a save refused for another user's change, on the row given; the
    // fields are refilled only with `show` (an edit keeps what was typed).
    void reloadSeries(int row, bool show = true);
    void showHistory();

    void fillCombos();
    void formatGrid();
    void bindGrid();
    void gridNavigate(int row);
    void setComboText(QComboBox* combo, const QString& text);
    int comboIndex(const QComboBox* combo) const;

    QString m_rightsCode; // the entry's, from when the window opened
    QString m_mode = QStringLiteral("V");
    int m_savedRow = 0;
    double m_currentId = 0;
    bool m_closed = false;
    std::unique_ptr<Recordset> m_series;

    QGroupBox* m_fraGrid = nullptr;
    FlexGrid* m_grid = nullptr;
    QGroupBox* m_fraMessage = nullptr;
    QGroupBox* m_fraDate = nullptr;
    QLineEdit* m_txtDescriere = nullptr;
    QRadioButton* m_optFacturi = nullptr;
    QRadioButton* m_optAviz = nullptr;
    QLineEdit* m_txtSerie = nullptr;
    QLineEdit* m_txtPD = nullptr;
    QLineEdit* m_txtUD = nullptr;
    QComboBox* m_cmbTipFactura = nullptr;
    QComboBox* m_cmbTipHartie = nullptr;
    QLabel* m_lblOrientare = nullptr;
    QLineEdit* m_txtNumarCopii = nullptr;
    QLineEdit* m_txtNrLinFac = nullptr;
    QComboBox* m_cmbCasierie = nullptr;
    std::vector<QPushButton*> m_cmdAction; // 0 Adauga, 1 Modifica, 2 Sterge, 3 Iesire
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdIstoric = nullptr;
};

} // namespace vornel
