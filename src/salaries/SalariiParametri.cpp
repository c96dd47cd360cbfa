// The parameters of a month and work group: loading them into the fields, the checks of "Accepta"
// and the statement that writes them into the month and every later month of the group.
#include "salaries/Salarii.h"

#include "controls/NumericBox.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"
#include "salaries/SalaryStatements.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace vornel {

namespace {

const int kEmployerFlagBoxes[] = {13, 12, 11, 10, 9, 8, 7, 14};

double number(const Recordset& row, const char* column) {
    return row.value(QString::fromLatin1(column)).toDouble();
}

QString text(const Recordset& row, const char* column) {
    const QVariant v = row.value(QString::fromLatin1(column));
    return v.isNull() ? QString() : v.toString();
}

bool flag(const Recordset& row, const char* column) {
    return row.value(QString::fromLatin1(column)).toInt() != 0;
}

// Why a number field is refused, or nothing: text that shows no number, a negative value, and
// for a rate a value of 100 or more.
QString refusal(const NumericBox* box, bool rate) {
    if (!box->holdsNumber()) return QStringLiteral("Valoare numerica incorecta !");
    if (box->Valoare() < 0 || (rate && box->Valoare() >= 100)) return QStringLiteral("Valoare Incorecta!!");
    return {};
}

} // namespace

void Salarii::IncarcaParametri() {
    if (m_cmbGrupa->count() == 0 || m_cmbGrupa->currentIndex() < 0 || m_cmb->currentIndex() < 0) return;
    Recordset row;
    row.open(parametersQuery(month(), group()), ComponentContext::current().connection,
             CursorLocation::Client, CursorType::Static, LockType::ReadOnly);
    m_loading = true;
    bool closed = false;
    m_loadedRow.reset();
    if (row.recordCount() > 0) {
        row.moveFirst();
        fillFields(row);
        closed = flag(row, "V");
        // The row as loaded, so that a save never overwrites what another user saved meanwhile.
        RowSnapshot::Values values;
        for (int c = 0; c < row.fieldCount(); ++c)
            values.emplace_back(row.column(c).name, row.value(c));
        m_loadedRow = RowSnapshot(std::move(values));
    } else {
        // A group without parameters for the month: empty fields.
        for (QLineEdit* f : findChildren<QLineEdit*>())
            if (f != m_txtG) f->clear();
        for (QCheckBox* c : m_chk)
            c->setChecked(false);
    }
    row.close();
    for (QLineEdit* f : m_txtCh)
        setMarked(f, false);
    for (QLineEdit* f : m_txtC)
        setMarked(f, false);
    for (QLineEdit* f : m_txtAch)
        setMarked(f, false);
    for (QLineEdit* f : m_txtCa)
        setMarked(f, false);
    setMarked(m_txtCD, false);
    m_loading = false;

    for (QGroupBox* p : m_f)
        p->setEnabled(!closed);
    m_lblClose->setHidden(!closed);
    m_shownMonth = month();
    m_shownGroup = group();
    m_loadedState = fieldState();
    // The bracket table on screen follows the month.
    if (m_tableTip >= 0) bindTable(m_tableTip);
}

void Salarii::fillFields(const Recordset& row) {
    for (int i = 0; i < 8; ++i) {
        m_txtX[i]->setValoare(number(row, kEmployerRateColumns[i]));
        m_txtCh[i]->setText(text(row, kEmployerDebitColumns[i]));
        m_txtC[i]->setText(text(row, kEmployerCreditColumns[i]));
        m_chk[kEmployerFlagBoxes[i]]->setChecked(flag(row, kEmployerFlagColumns[i]));
    }
    for (int i = 0; i < 7; ++i) {
        m_txtXa[i]->setValoare(number(row, kEmployeeRateColumns[i]));
        m_txtAch[i]->setText(text(row, kEmployeeDebitColumns[i]));
        m_txtCa[i]->setText(text(row, kEmployeeCreditColumns[i]));
        m_chk[i]->setChecked(flag(row, kEmployeeFlagColumns[i]));
    }
    m_txtCD->setText(text(row, "IMPCT"));
    for (int i = 0; i < 12; ++i)
        m_txtXd[i]->setValoare(number(row, kDeductionColumns[i]));
    for (int i = 0; i < 9; ++i)
        m_txtXAC[i]->setValoare(number(row, kConstantColumns[i]));
}

SalaryParameters Salarii::collect() const {
    SalaryParameters p;
    for (int i = 0; i < 8; ++i) {
        p.employerRates[i] = m_txtX[i]->Valoare();
        p.employerDebit[i] = m_txtCh[i]->text();
        p.employerCredit[i] = m_txtC[i]->text();
        p.employerFlags[i] = m_chk[kEmployerFlagBoxes[i]]->isChecked();
    }
    for (int i = 0; i < 7; ++i) {
        p.employeeRates[i] = m_txtXa[i]->Valoare();
        p.employeeDebit[i] = m_txtAch[i]->text();
        p.employeeCredit[i] = m_txtCa[i]->text();
        p.employeeFlags[i] = m_chk[i]->isChecked();
    }
    p.taxAccount = m_txtCD->text();
    for (int i = 0; i < 12; ++i)
        p.deductions[i] = m_txtXd[i]->Valoare();
    for (int i = 0; i < 9; ++i)
        p.constants[i] = m_txtXAC[i]->Valoare();
    return p;
}

bool Salarii::validate() {
    const QString marked = QStringLiteral("Valoare Incorecta!!");
    QWidget* wrong = nullptr;
    QString why;
    QGroupBox* page = nullptr;
    const auto number = [&](NumericBox* box, bool rate) {
        why = refusal(box, rate);
        if (!why.isEmpty()) wrong = box;
    };
    const auto account = [&](QLineEdit* field) {
        if (!wrong && accountChanged(field)) {
            wrong = field;
            why = marked;
        }
    };
    for (int i = 0; i < 8 && !wrong; ++i) {
        number(m_txtX[i], true);
        account(m_txtCh[i]);
        account(m_txtC[i]);
        page = m_f[0];
    }
    for (int i = 0; i < 7 && !wrong; ++i) {
        number(m_txtXa[i], true);
        account(m_txtAch[i]);
        account(m_txtCa[i]);
        page = m_f[1];
    }
    if (!wrong) {
        account(m_txtCD);
        page = m_f[2];
    }
    // The first three deductions (DP, CP, DBA) are amounts, not rates.
    for (int i = 0; i < 12 && !wrong; ++i) {
        number(m_txtXd[i], i >= 3);
        page = m_f[2];
    }
    for (int i = 0; i < 9 && !wrong; ++i) {
        number(m_txtXAC[i], false);
        page = m_f[3];
    }
    if (!wrong) return true;
    message(why);
    showOnly(page);
    wrong->setFocus(Qt::OtherFocusReason);
    return false;
}

void Salarii::accepta() {
    if (m_lblClose->isHidden() && !saveShown()) return;
    if (!VerificaTabele()) return;
    hide();
    ComponentContext::current().InchideTot();
}

} // namespace vornel
