#pragma once
// The company parameters window: identification data, accounting state and monthly overheads.

#include "controls/FormWindow.h"
#include "data/RowSnapshot.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QFrame;

namespace vornel {

class AnafClient;
class EditableGrid;
class FlexGrid;
class Recordset;
struct AnafCompany;

class ParamSocietate : public FormWindow {
    Q_OBJECT
public:
    ParamSocietate();
    ~ParamSocietate() override;

    // Loads the company record of the context's company and shows the window.
    void Incarca();

    // The overheads check before a changed row is written: false (with its message) refuses it.
    bool VerificaRegie(int row);
    // The check before an overheads row is deleted: a row of a calculated month stays.
    bool VerificaStergereRegie(int row);

    QPushButton* cmdAction(int index) const { return m_cmdAction.at(static_cast<std::size_t>(index)); }
    EditableGrid* gridEX1() const { return m_gridEX1; }
    FlexGrid* grid() const { return m_grid; }

protected:
    bool queryUnload(bool byCode) override;
    void onUnload() override;
    bool filterEvent(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildUi();                            // ParamSocietateLayout.cpp
    QLineEdit* addField(const char* name);     // ParamSocietateLayout.cpp
    void attachKeys();                         // ParamSocietateKeys.cpp
    bool moveByArrow(QWidget* field, int key); // ParamSocietateKeys.cpp
    bool gridArrow(int key);                   // ParamSocietateKeys.cpp
    void fill();
    void clearFields();
    void onAction(int index);
    bool Salveaza();
    void showHistory();
    void message(const QString& text) const;
    // The overheads frame (ParamSocietateRegie.cpp).
    void ArataRegie();
    void AscundeRegie();
    void placeRegie();
    // Month up to which stock values are calculated (LunaDinNume of the company's CalculPump).
    int calculatedMonth() const;
    // The fiscal identity (ParamSocietateFiscal.cpp): hints while typing, the questions of the
    // save, and the company's data from ANAF's register.
    QLayout* fiscalCodeCell();
    QLayout* bankAccountCell();
    void ArataVerificareCodFiscal();
    void ArataVerificareContBanca();
    bool ConfirmaIdentitateFiscala();
    void PreiaDateAnaf();
    void CompleteazaDinAnaf(const AnafCompany& company);
    void arataCerereAnaf(bool inCurs);

    std::unique_ptr<Recordset> m_societate;
    std::unique_ptr<Recordset> m_depozite;
    std::unique_ptr<Recordset> m_regie;
    std::optional<RowSnapshot> m_loaded; // the company row as the window loaded it; none without one

    QWidget* m_body = nullptr; // everything but the overheads frame
    QLabel* m_imgFirma = nullptr;
    QLineEdit* m_txtDs = nullptr;
    QLineEdit* m_txtExercitiu = nullptr;
    QLineEdit* m_txtAdresa = nullptr;
    QLineEdit* m_txtOras = nullptr;
    QLineEdit* m_txtJudet = nullptr;
    std::vector<QLineEdit*> m_txtTelefon;
    QLineEdit* m_txtCodFiscal = nullptr;
    QLineEdit* m_txtNrInm = nullptr;
    QLineEdit* m_txtBanca = nullptr;
    QLineEdit* m_txtContBanca = nullptr;
    QLineEdit* m_txtCafea = nullptr;
    QLineEdit* m_txtAlcool = nullptr;
    QLineEdit* m_txtTigari = nullptr;
    QLabel* m_lblModCalcul = nullptr;
    QLabel* m_lblCalculat = nullptr;
    QLabel* m_lblPump = nullptr;
    std::map<QString, QLabel*> m_dateLabels; // column -> value label
    FlexGrid* m_grid = nullptr;
    std::vector<QPushButton*> m_cmdAction; // 0 Accepta, 1 Renunta, 2 Regie Societate
    QFrame* m_frmC = nullptr;
    EditableGrid* m_gridEX1 = nullptr;
    QPushButton* m_cmdC = nullptr;
    QPushButton* m_cmdIstoric = nullptr;
    QPushButton* m_cmdAnaf = nullptr;
    QLabel* m_lblInfoCodFiscal = nullptr;
    QLabel* m_lblInfoContBanca = nullptr;
    QLabel* m_lblStareTva = nullptr;
    AnafClient* m_anaf = nullptr; // created on the first request
    // Arrow key -> field to focus, per field.
    std::map<QWidget*, std::map<int, QWidget*>> m_arrows;
};

} // namespace vornel
