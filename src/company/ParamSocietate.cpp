#include "company/ParamSocietate.h"

#include "company/CompanyStatements.h"
#include "company/FiscalIdentity.h"
#include "controls/EditableGrid.h"
#include "controls/FlexGrid.h"
#include "controls/Saving.h"
#include "data/ChangeSet.h"
#include "data/DbError.h"
#include "data/DbFault.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"
#include "history/IstoricModificari.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vornel {

ParamSocietate::ParamSocietate() : FormWindow(QStringLiteral("ParamSocietate")) {
    buildUi();
    attachKeys();
    // A check that cannot run refuses the row.
    m_gridEX1->setBeforeUpdate([this](int row) {
        bool right = false;
        guard([&] { right = VerificaRegie(row); });
        return right;
    });
    m_gridEX1->setBeforeDelete([this](int row) {
        bool right = false;
        guard([&] { right = VerificaStergereRegie(row); });
        return right;
    });
    connect(m_gridEX1, &EditableGrid::writeFailed, this,
            guarded<const QString&, int>([this](const QString& text, int icon) {
                ComponentContext::current().Afiseaza(text, icon, MessageButtons::Ok, windowTitle());
            }));
    connect(m_gridEX1, &EditableGrid::escapePressed, this, guarded([this] { AscundeRegie(); }));
    connect(m_cmdC, &QPushButton::clicked, this, guarded([this] { AscundeRegie(); }));
}

ParamSocietate::~ParamSocietate() = default;

void ParamSocietate::message(const QString& text) const {
    ComponentContext::current().Afiseaza(text, MessageIcon::Error, MessageButtons::Ok, windowTitle());
}

void ParamSocietate::Incarca() {
    load([&] {
        auto& context = ComponentContext::current();
        m_societate = std::make_unique<Recordset>();
        m_societate->open(company::loadStatement(context.idSoc), context.connection);
        // The row as loaded, so that a save never overwrites what another user saved meanwhile.
        m_loaded = m_societate->recordCount() > 0
                       ? RowSnapshot::read(*context.connection, company::companyRow(context.idSoc))
                       : std::nullopt;
        fill();

        m_depozite = std::make_unique<Recordset>();
        m_depozite->open(company::depoziteStatement(), context.connection);
        m_grid->bind(m_depozite.get());
        const int widths[] = {600, 2600, 1400, 1400, 1400};
        for (int col = 0; col < 5; ++col)
            m_grid->setColWidth(col, widths[col]);

        adjustSize();
        centre();
        show();
        activateWindow();
    });
}

void ParamSocietate::clearFields() {
    for (QLineEdit* field : findChildren<QLineEdit*>())
        if (field->parentWidget() != m_gridEX1 && !m_gridEX1->isAncestorOf(field)) field->clear();
}

void ParamSocietate::fill() {
    if (m_societate->recordCount() == 0) {
        message(QStringLiteral("Eroare la citirea parametrilor societatii!"));
        clearFields();
        return;
    }
    const Recordset& rs = *m_societate;
    const auto text = [&rs](const char* column) {
        const QVariant value = rs.value(QString::fromLatin1(column));
        return value.isNull() ? QString() : rs.text(rs.indexOf(QString::fromLatin1(column)));
    };
    m_txtDs->setText(text("DenumireS"));
    m_txtExercitiu->setText(text("Exercitiu"));
    m_txtAdresa->setText(text("Adresa"));
    m_txtOras->setText(text("Orasul"));
    m_txtJudet->setText(text("Judetul"));
    const char* phones[] = {"Tel1", "Tel2", "Tel3", "Tel4"};
    for (std::size_t i = 0; i < 4; ++i)
        m_txtTelefon[i]->setText(text(phones[i]));
    m_txtCodFiscal->setText(text("CodFiscal"));
    m_txtNrInm->setText(text("j"));
    m_txtCafea->setText(text("Cafea"));
    m_txtAlcool->setText(text("Alcool"));
    m_txtTigari->setText(text("Tigari"));
    m_txtBanca->setText(text("Banca"));
    m_txtContBanca->setText(text("ContBanca"));
    m_txtExercitiu->setReadOnly(true);
    m_lblPump->setText(text("CalculPump"));
    for (const auto& [column, label] : m_dateLabels)
        label->setText(company::dateText(rs.value(column)));
    const company::CalculationLabels method =
        company::calculationLabels(rs.value(QStringLiteral("ModalitateCalcul")));
    m_lblModCalcul->setText(method.method);
    m_lblCalculat->setText(method.calculated);
}

void ParamSocietate::onAction(int index) {
    switch (index) {
    case 0:
        if (Salveaza()) {
            m_societate.reset();
            ComponentContext::current().InchideTot();
        }
        break;
    case 1:
        m_societate.reset();
        ComponentContext::current().InchideTot();
        break;
    default:
        ArataRegie();
        break;
    }
}

bool ParamSocietate::Salveaza() {
    // Without a company record there is nothing to save into.
    if (!m_loaded) {
        message(QStringLiteral("Eroare la citirea parametrilor societatii!"));
        return false;
    }
    const struct {
        QLineEdit* field;
        const char* text;
    } required[] = {{m_txtCodFiscal, "Codul fiscal este obligatoriu !"},
                    {m_txtContBanca, "Contul bancii este obligatoriu !"},
                    {m_txtBanca, "Banca este obligatorie !"}};
    for (const auto& check : required)
        if (check.field->text().trimmed().isEmpty()) {
            message(QString::fromLatin1(check.text));
            check.field->setFocus(Qt::OtherFocusReason);
            return false;
        }
    if (!ConfirmaIdentitateFiscala()) return false;

    company::CompanyFields fields;
    fields.denumire = m_txtDs->text();
    fields.adresa = m_txtAdresa->text();
    fields.judet = m_txtJudet->text();
    fields.oras = m_txtOras->text();
    for (std::size_t i = 0; i < 4; ++i)
        fields.telefon[i] = m_txtTelefon[i]->text();
    fields.codFiscal = m_txtCodFiscal->text();
    fields.nrInm = m_txtNrInm->text();
    fields.banca = m_txtBanca->text();
    fields.contBanca = fiscal::compactIban(m_txtContBanca->text()); // blanks only group it on screen
    fields.cafea = m_txtCafea->text();
    fields.alcool = m_txtAlcool->text();
    fields.tigari = m_txtTigari->text();
    auto& context = ComponentContext::current();
    try {
        ChangeSet(*context.connection, auditContext(windowTitle()))
            .add(RowChange::modifying(company::companyRow(context.idSoc),
                                      company::updateStatement(fields, context.idSoc), m_loaded))
            .apply();
    } catch (const DbError& error) {
        // Nothing was written: the window stays open with what was typed.
        showSaveError(error, windowTitle());
        if (faultOf(error) == DbFault::RowChanged) m_loaded = storedRow(company::companyRow(context.idSoc));
        return false;
    }
    return true;
}

void ParamSocietate::showHistory() {
    const RowKey row = company::companyRow(ComponentContext::current().idSoc);
    vornel::showHistory(windowTitle(), row.table, row.text());
}

bool ParamSocietate::queryUnload(bool byCode) {
    if (!byCode) ComponentContext::current().InchideTot();
    return true;
}

void ParamSocietate::onUnload() {
    m_gridEX1->bind(nullptr);
    m_grid->bind(nullptr);
}

} // namespace vornel
