// The record editor's input rules: key filters, Enter lookups through the code chooser, the
// existence lookups and the checks of the save button.
#include "editors/GridDetail.h"

#include "catalogs/AlegeGrupaProd.h"
#include "controls/KeyFilter.h"
#include "controls/NumericBox.h"
#include "data/Recordset.h"
#include "data/SqlText.h"
#include "editors/RecordStatements.h"
#include "entry/ComponentContext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace vornel {

namespace {

const QString kDuplicateKey = QStringLiteral("Exista deja o inregistrare cu aceasta cheie !");
const QString kRequired = QStringLiteral("Valoare obligatorie !");
const QString kNotANumber = QStringLiteral("Valoare numerica incorecta !");

bool isOneOf(const QString& caption, std::initializer_list<const char*> captions) {
    for (const char* c : captions)
        if (caption == QLatin1String(c)) return true;
    return false;
}

struct Lookup {
    QString kind;
    bool focusBack = false;
};

} // namespace

void GridDetail::attachKeyFilters() {
    using namespace KeyFilter;
    const Rule usual = rejecting(kQuoteSemicolonPercentComma);
    const QString& c = m_caption;
    attach(m_txtCheie, c == u"Rate TVA" ? digitsOnly() : usual);
    attach(m_txtCod, c == u"Banci" ? digitsOnly() : usual);
    attach(m_txtDescriere, usual);
    attach(m_txtCont, usual);
    attach(m_txtRezerva, c == u"Grupe Amortizari" ? both(digitsOnly(), usual) : usual);
    attach(m_cmbRezerva, rejecting(kQuoteSemicolonPercentComma + QLatin1Char('"')));
    // The discount box takes no further character once its value is long enough.
    attach(m_txtDiscount, [box = m_txtDiscount](QChar typed) {
        return typed.unicode() < 32 || Sql::numberText(box->Valoare()).size() <= 5;
    });
    for (QWidget* field : {static_cast<QWidget*>(m_txtCont), static_cast<QWidget*>(m_txtDescriere),
                           static_cast<QWidget*>(m_txtRezerva), static_cast<QWidget*>(m_txtRezerva1)})
        field->installEventFilter(this);
}

bool GridDetail::filterEvent(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && enterLookup(qobject_cast<QWidget*>(watched)))
            return true;
    }
    return FormWindow::filterEvent(watched, event);
}

bool GridDetail::enterLookup(QWidget* field) {
    const QString& c = m_caption;
    Lookup lookup;
    if (field == m_txtCont) {
        if (c == u"Banci")
            lookup = {QStringLiteral("Conturi curente la banci"), true};
        else if (c == u"Alte Documente Iesire")
            lookup = {QStringLiteral("Alegeti contul pentru > Alte Documente Iesire <"), true};
        else if (c == u"Alte Documente Intrare")
            lookup = {QStringLiteral("Alegeti contul pentru > Alte Documente Intrare <"), true};
    } else if (field == m_txtDescriere) {
        if (c == u"Incasari" || c == u"Plati") lookup = {QStringLiteral("Incasari/Plati")};
    } else if (field == m_txtRezerva) {
        if (c == u"Rate TVA")
            lookup = {QStringLiteral("TVA deductibil")};
        else if (c == u"Categorii de clienti")
            lookup = {QStringLiteral("Conturi de clienti")};
        else if (c == u"Categorii de furnizori")
            lookup = {QStringLiteral("Conturi de furnizori")};
        else if (c == u"Subclasa Cont")
            lookup = {QStringLiteral("Clasa Cont")};
        else if (c == u"Subgrupe de produse")
            lookup = {QStringLiteral("Grupe produs")};
        else if (c == u"Incasari" || c == u"Plati")
            lookup = {QStringLiteral("Incasari/Plati-TVA")};
        else if (c == u"Subgrupe Centre" && m_groupLookup)
            lookup = {QStringLiteral("Grupe Centre")};
    } else if (field == m_txtRezerva1) {
        if (c == u"Rate TVA") lookup = {QStringLiteral("TVA colectat"), true};
    }
    if (lookup.kind.isEmpty()) return false;
    AlegeGrupaProd::alege(lookup.kind, static_cast<QLineEdit*>(field)->text());
    if (lookup.focusBack) field->setFocus(Qt::OtherFocusReason);
    return true;
}

void GridDetail::message(const QString& text) const {
    ComponentContext::current().Afiseaza(text, MessageIcon::Error, MessageButtons::Ok, windowTitle(), 0, 0);
}

bool GridDetail::hasRow(const QString& sql) const {
    Recordset rs;
    rs.open(sql, ComponentContext::current().connection, CursorLocation::Client, CursorType::Static,
            LockType::ReadOnly);
    const bool any = !(rs.bof() && rs.eof());
    rs.close();
    return any;
}

bool GridDetail::ExistaCont(const QString& cont) const {
    return hasRow(accountQuery(cont));
}

bool GridDetail::ExistaGrupa(const QString& grupa) const {
    return hasRow(groupQuery(m_caption, grupa));
}

bool GridDetail::ExistaCheie(const QString& cheie) const {
    // An unchanged key (letter case and surrounding blanks aside) is never a duplicate.
    if (m_mode == u"M" && cheie.trimmed().compare(m_oldKey.trimmed(), Qt::CaseInsensitive) == 0) return false;
    QStringList columns;
    for (int i = 0; m_list && m_list->isOpen() && i < m_list->fieldCount(); ++i)
        columns << m_list->column(i).name;
    const auto sql = keyQuery(m_caption, m_table, columns, cheie);
    return sql && hasRow(*sql);
}

bool GridDetail::VerificaCampCod() {
    if (isOneOf(m_caption, {"Grupe Centre", "Subgrupe Centre", "Incasari", "Plati"}) ||
        m_txtCod->isHidden() || m_txtCod->isReadOnly())
        return true;
    const QString code = m_txtCod->text().trimmed();
    if (code.isEmpty()) {
        message(QStringLiteral("Cod obligatoriu !"));
        return false;
    }
    if (hasNumericKey(m_caption) && !Sql::isNumber(code)) {
        message(kNotANumber);
        return false;
    }
    if (ExistaCheie(m_txtCod->text())) {
        message(kDuplicateKey);
        return false;
    }
    return true;
}

bool GridDetail::VerificaCampCheie() {
    const QString& c = m_caption;
    if (c == u"Plati" || c == u"Incasari" || !m_txtCheie->isEnabled() || m_txtCheie->isHidden()) return true;
    const QString text = m_txtCheie->text();
    const QString key = text.trimmed();
    if (isOneOf(c, {"Grupe Centre", "Subgrupe Centre", "Locatii", "Grupe Amortizari", "Norme Productie"})) {
        if (key.isEmpty()) {
            message(kRequired);
            return false;
        }
        if (ExistaCheie(text)) {
            message(kDuplicateKey);
            return false;
        }
        return true;
    }
    if (c == u"Subclasa Cont") {
        const QString group = m_txtRezerva->text();
        if (text.left(group.size()) != group) {
            message(QStringLiteral("Clasa contului trebuie sa fie inclusa in subclasa!!"));
            return false;
        }
    } else if (c == u"Rate TVA") {
        if (key.isEmpty()) {
            message(kRequired);
            return false;
        }
        if (!Sql::isNumber(key)) {
            message(kNotANumber);
            return false;
        }
        if (Sql::leadingNumber(key) > 100) {
            message(QStringLiteral("Valoarea TVA trebuie sa fie <= 100% !"));
            return false;
        }
    } else if (key.isEmpty()) {
        message(kRequired);
        return false;
    }
    if (c == u"Banci") return true;
    if (ExistaCheie(text)) {
        const bool byKey =
            isOneOf(c, {"Alte Documente Iesire", "Alte Documente Intrare", "Documente Corectie Terti"});
        message(byKey ? kDuplicateKey : QStringLiteral("Exista deja o inregistrare cu aceasta descriere !"));
        return false;
    }
    return true;
}

bool GridDetail::VerificaDiscount() {
    if (!m_txtDiscount->isHidden() && !m_txtDiscount->holdsNumber()) {
        message(kNotANumber);
        return false;
    }
    if (!m_txtDiscount->isHidden() && m_txtDiscount->Valoare() > 99.99) {
        message(QStringLiteral("Valoare incorecta !"));
        return false;
    }
    return true;
}

bool GridDetail::VerificaCampDescriere() {
    const QString& c = m_caption;
    if (!m_txtDescriere->isEnabled() || m_txtDescriere->isHidden()) return true;
    if (isOneOf(c, {"Rate TVA", "Grupe Amortizari", "Norme Productie"}) &&
        m_txtDescriere->text().trimmed().isEmpty()) {
        message(kRequired);
        return false;
    }
    if ((c == u"Incasari" || c == u"Plati") && !ExistaCont(m_txtDescriere->text())) {
        message(QStringLiteral("Contul nu exista in planul de conturi !"));
        return false;
    }
    return true;
}

bool GridDetail::VerificaCampRezerva() {
    const QString& c = m_caption;
    const QString text = m_txtRezerva->text();
    if (isOneOf(c, {"Categorii de clienti", "Categorii de furnizori", "Rate TVA"})) {
        if (text.trimmed().isEmpty()) {
            message(QStringLiteral("Valoarea cont obligatorie ! "));
            return false;
        }
        if (!ExistaCont(text)) {
            message(QStringLiteral("Cont inexistent !"));
            return false;
        }
    } else if (c == u"Subgrupe de produse" || c == u"Subclasa Cont") {
        if (text.trimmed().isEmpty()) {
            message(kRequired);
            return false;
        }
        if (!ExistaGrupa(text)) {
            const QString k = c == u"Subclasa Cont" ? QStringLiteral("cont") : QStringLiteral("produs");
            message("Grupa " + k + " inexistenta !\r\nIntroduceti alta grupa de " + k + "!");
            return false;
        }
    } else if (c == u"Subgrupe Centre") {
        if (m_groupLookup) {
            message(QStringLiteral("Introduceti o valoare corecta !"));
            return false;
        }
    } else if (c == u"Alte Documente Iesire" || c == u"Alte Documente Intrare") {
        // An output document posted on the products' expense accounts needs no account of its own.
        if (c == u"Alte Documente Iesire" && m_chkTransferabil->isChecked()) return true;
        if (m_txtCont->text().trimmed().isEmpty()) {
            message(QStringLiteral(
                "Valoarea cont obligatorie !  Contul trebuie sa existe in planul de conturi !"));
            return false;
        }
        if (!ExistaCont(m_txtCont->text())) {
            message(QStringLiteral("Valoarea cont trebuie sa existe in planul de conturi !"));
            return false;
        }
    }
    return true;
}

bool GridDetail::VerificaCampRezerva1() {
    if (m_caption != u"Rate TVA") return true;
    if (m_txtRezerva1->text().trimmed().isEmpty()) {
        message(
            QStringLiteral("Valoarea cont obligatorie !  Contul trebuie sa fie in grupa 4427 de conturi !"));
        return false;
    }
    if (!ExistaCont(m_txtRezerva1->text())) {
        message(QStringLiteral("Valoarea cont trebuie sa fie in grupa 4427 de conturi !"));
        return false;
    }
    return true;
}

bool GridDetail::VerificaCampCont() {
    if (m_caption == u"Alte Documente Iesire") return true;
    const QString text = m_txtCont->text();
    if (text.trimmed().isEmpty() || text.size() < 3) {
        message(QStringLiteral("Cont obligatoriu  !"));
        return false;
    }
    if (!ExistaCont(text)) {
        message(QStringLiteral("Contul nu exista in planul de conturi  !"));
        return false;
    }
    return true;
}

bool GridDetail::runChecks() {
    auto fail = [](QWidget* field) {
        if (field) field->setFocus(Qt::OtherFocusReason);
        return false;
    };
    if (!VerificaCampCod()) return fail(m_txtCod);
    if (!VerificaCampCheie()) return fail(m_txtCheie);
    if (!VerificaDiscount()) return fail(m_txtDiscount);
    if (!VerificaCampDescriere()) return fail(m_txtDescriere);
    if (!VerificaCampRezerva()) return fail(m_txtRezerva->isHidden() ? nullptr : m_txtRezerva);
    if (!VerificaCampRezerva1()) return fail(m_txtRezerva1);
    if (!m_txtCont->isHidden() && !VerificaCampCont()) return fail(m_txtCont);
    return true;
}

} // namespace vornel
