// The large record editor's input rules and save: key filters, the Enter lookup of the account
// field, the lookups and checks of the save button, and the statement.
#include "editors/GridDetailMare.h"

#include "catalogs/AlegeGrupaProd.h"
#include "controls/KeyFilter.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/SqlText.h"
#include "editors/LargeRecordStatements.h"
#include "editors/RecordStatements.h"
#include "entry/ComponentContext.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace vornel {

namespace {

const QString kNotANumber = QStringLiteral("Valoare numerica incorecta !");

} // namespace

void GridDetailMare::attachKeyFilters() {
    using namespace KeyFilter;
    const Rule usual = rejecting(kQuoteSemicolonPercentComma);
    const Rule code = rejecting(kQuoteSemicolonPercentComma + QStringLiteral(".]["));
    const bool numericCode = m_caption == u"Casierii" || m_caption == u"Depozite";
    const bool minutes = m_caption == u"Centre de productie";
    attach(m_txtCodCasierie, numericCode ? both(digitsOnly(), code) : code);
    attach(m_txtDenumireDepozit, usual);
    attach(m_txtContAnalitic, usual);
    attach(m_txtNumeGestionar, usual);
    attach(m_txtDescriereDepozit, minutes ? digitsOnly() : usual);
    attach(m_txtAdresaDepozit, minutes ? digitsOnly() : usual);
    const Rule phone = rejecting(kQuoteSemicolonPercentComma + QLatin1Char('"'));
    attach(m_txtTelefonVetra, phone);
    attach(m_txtTelefonMobil, phone);
    m_txtContAnalitic->installEventFilter(this);
}

bool GridDetailMare::filterEvent(QObject* watched, QEvent* event) {
    if (watched == m_txtContAnalitic && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The chooser writes the picked code back into this field.
            if (m_caption == u"Casierii")
                AlegeGrupaProd::alege(QStringLiteral("Conturi CASA"), m_txtContAnalitic->text());
            else if (m_caption == u"Centre de productie")
                AlegeGrupaProd::alege(QStringLiteral("Centre de productie"), m_txtContAnalitic->text());
            return true;
        }
    }
    return FormWindow::filterEvent(watched, event);
}

void GridDetailMare::message(const QString& text) const {
    ComponentContext::current().Afiseaza(text, MessageIcon::Error, MessageButtons::Ok, windowTitle(), 0, 0);
}

bool GridDetailMare::hasRow(const QString& sql) const {
    Recordset rs;
    rs.open(sql, ComponentContext::current().connection, CursorLocation::Client, CursorType::Static,
            LockType::ReadOnly);
    const bool any = !(rs.bof() && rs.eof());
    rs.close();
    return any;
}

bool GridDetailMare::ExistaDeja(const QString& value) const {
    // The record's own code or name (letter case and surrounding blanks aside) is no duplicate.
    if (m_mode == u"M" && value.trimmed().toUpper() == m_loadedKey.trimmed().toUpper()) return false;
    QStringList columns;
    for (int i = 0; m_list && m_list->isOpen() && i < m_list->fieldCount(); ++i)
        columns << m_list->column(i).name;
    const auto sql = duplicateQuery(m_caption, m_table, columns, value);
    return sql && hasRow(*sql);
}

bool GridDetailMare::ExistaCont(const QString& cont) const {
    return hasRow(accountQuery(cont));
}

bool GridDetailMare::ExistaCentruCost(const QString& cod) const {
    return hasRow(costCentreQuery(cod));
}

bool GridDetailMare::VerificaCod() {
    const QString code = m_txtCodCasierie->text();
    if (code.isEmpty()) {
        message(QStringLiteral("Cod casierie obligatoriu !"));
        return false;
    }
    // A cash desk code is looked up and written bare.
    if (m_caption == u"Casierii" && !Sql::isNumber(code.trimmed())) {
        message(kNotANumber);
        return false;
    }
    if (ExistaDeja(code)) {
        message(QStringLiteral("Exista deja o inregistrare cu acest cod !"));
        return false;
    }
    return true;
}

bool GridDetailMare::VerificaDenumire() {
    const QString name = m_txtDenumireDepozit->text();
    if (name.trimmed().isEmpty()) {
        message(QStringLiteral("Denumire obligatorie !"));
        return false;
    }
    // Warehouses have no code to type: their name is their key.
    if (m_caption == u"Depozite" && ExistaDeja(name)) {
        message(QStringLiteral("Exista deja o inregistrare cu aceasta denumire !"));
        return false;
    }
    return true;
}

bool GridDetailMare::VerificaCont() {
    const QString account = m_txtContAnalitic->text();
    if (m_caption == u"Casierii") {
        if (account.trimmed().isEmpty() || account.size() < 2) {
            message(QStringLiteral("Cont obligatoriu si in grupa 53 de conturi !"));
            return false;
        }
        if (!ExistaCont(account)) {
            message(QStringLiteral("Contul nu exista in planul de conturi in grupa 53 !"));
            return false;
        }
    } else if (m_caption == u"Centre de productie" && !ExistaCentruCost(account)) {
        message(QStringLiteral("Centru de cost inexistent !"));
        return false;
    }
    return true;
}

bool GridDetailMare::VerificaProgram() {
    bool ok = true;
    const QString folder = m_txtCale->text();
    if (!folder.isEmpty() && (!folder.contains(u'\\') || !folder.contains(u':'))) {
        message(QStringLiteral("Calea catre program nu este corecta !"));
        m_txtCale->setFocus(Qt::OtherFocusReason);
        ok = false;
    }
    const QString program = m_txtNumeProgram->text();
    if (!program.isEmpty() && (program.contains(u'\\') || program.contains(u':'))) {
        message(QStringLiteral("Numele programlui nu este corect !"));
        m_txtNumeProgram->setFocus(Qt::OtherFocusReason);
        ok = false;
    }
    return ok;
}

bool GridDetailMare::runChecks() {
    if (m_caption == u"Angajati") return true; // employees are saved as typed
    const auto fail = [](QWidget* field) {
        field->setFocus(Qt::OtherFocusReason);
        return false;
    };
    if (!m_txtCodCasierie->isHidden() && !VerificaCod()) return fail(m_txtCodCasierie);
    if (!VerificaDenumire()) return fail(m_txtDenumireDepozit);
    if (!VerificaCont()) return fail(m_txtContAnalitic);
    return VerificaProgram();
}

LargeRecordInput GridDetailMare::input() const {
    LargeRecordInput in;
    in.caption = m_caption;
    in.mode = m_mode;
    in.table = m_table;
    for (int i = 0; m_list && m_list->isOpen() && i < m_list->fieldCount(); ++i)
        in.columns << m_list->column(i).name;
    in.loadedKey = m_loadedKey;
    in.codCasierie = m_txtCodCasierie->text();
    in.denumire = m_txtDenumireDepozit->text();
    in.descriere = m_txtDescriereDepozit->text();
    in.adresa = m_txtAdresaDepozit->text();
    in.cont = m_txtContAnalitic->text();
    in.gestionar = m_txtNumeGestionar->text();
    in.telefonVetra = m_txtTelefonVetra->text();
    in.telefonMobil = m_txtTelefonMobil->text();
    in.cale = m_txtCale->text();
    in.numeProgram = m_txtNumeProgram->text();
    in.ticked = m_chkTransferabil->isChecked();
    return in;
}

bool GridDetailMare::SalveazaDate() {
    if (m_caption == u"Centre de productie") {
        // Empty or zero minutes are stored as one minute.
        m_txtDescriereDepozit->setText(minutesText(m_txtDescriereDepozit->text()));
        m_txtAdresaDepozit->setText(minutesText(m_txtAdresaDepozit->text()));
    }
    const LargeStatement statement = largeSaveStatement(input());
    if (!statement.ok()) {
        message(kNotANumber);
        const auto bad = static_cast<LargeField>(statement.badField);
        QLineEdit* field = bad == LargeField::Descriere ? m_txtDescriereDepozit
                           : bad == LargeField::Adresa  ? m_txtAdresaDepozit
                                                        : m_txtCodCasierie;
        field->setFocus(Qt::OtherFocusReason);
        return false;
    }
    auto& ctx = ComponentContext::current();
    try {
        ctx.connection->execute(statement.sql);
    } catch (const std::exception&) {
        ctx.Afiseaza(QStringLiteral(" Exista deja o inregistrare cu acesta cheie!!"), MessageIcon::Error,
                     MessageButtons::Ok, QStringLiteral("Eroare"), 0, 0);
    }
    return true;
}

} // namespace vornel
