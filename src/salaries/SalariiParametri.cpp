// The parameters of a month and work group: loading them into the fields, the checks of "Accepta"
// and the statement that writes them into the month and every later month of the group.
#include "salaries/Salarii.h"

#include "controls/NumericBox.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"
#include "salaries/SalaryStatements.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

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

// The box holds text that reads as a number (or nothing, which counts as 0).
bool readsAsNumber(const NumericBox* box) {
    QString typed = box->text().trimmed();
    typed.remove(QChar(u' '));
    if (typed.isEmpty()) return true;
    if (box->Valoare() != 0.0) return true;
    // Valoare() is 0 both for a zero and for text it cannot read.
    bool ok = false;
    QLocale().toDouble(typed, &ok);
    if (!ok) QLocale::c().toDouble(QString(typed).replace(u',', u'.'), &ok);
    return ok;
}

bool wrongRate(const NumericBox* box) {
    return !readsAsNumber(box) || box->Valoare() >= 100;
}

} // namespace

void Salarii::IncarcaParametri() {
    if (m_cmbGrupa->count() == 0 || m_cmbGrupa->currentIndex() < 0 || m_cmb->currentIndex() < 0) return;
    Recordset row;
    row.open(parametersQuery(month(), group()), ComponentContext::current().connection,
             CursorLocation::Client, CursorType::Static, LockType::ReadOnly);
    m_loading = true;
    bool closed = false;
    if (row.recordCount() > 0) {
        row.moveFirst();
        fillFields(row);
        closed = flag(row, "V");
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
    QWidget* wrong = nullptr;
    QGroupBox* page = nullptr;
    for (int i = 0; i < 8 && !wrong; ++i) {
        if (wrongRate(m_txtX[i]))
            wrong = m_txtX[i];
        else if (accountChanged(m_txtCh[i]))
            wrong = m_txtCh[i];
        else if (accountChanged(m_txtC[i]))
            wrong = m_txtC[i];
        page = m_f[0];
    }
    for (int i = 0; i < 7 && !wrong; ++i) {
        if (wrongRate(m_txtXa[i]))
            wrong = m_txtXa[i];
        else if (accountChanged(m_txtAch[i]))
            wrong = m_txtAch[i];
        else if (accountChanged(m_txtCa[i]))
            wrong = m_txtCa[i];
        page = m_f[1];
    }
    if (!wrong && accountChanged(m_txtCD)) {
        wrong = m_txtCD;
        page = m_f[2];
    }
    // The first three deductions (DP, CP, DBA) are amounts, not rates.
    for (int i = 0; i < 12 && !wrong; ++i) {
        if (i >= 3 ? wrongRate(m_txtXd[i]) : !readsAsNumber(m_txtXd[i])) wrong = m_txtXd[i];
        page = m_f[2];
    }
    for (int i = 0; i < 9 && !wrong; ++i) {
        if (!readsAsNumber(m_txtXAC[i])) wrong = m_txtXAC[i];
        page = m_f[3];
    }
    if (!wrong) return true;
    message(QStringLiteral("Valoare Incorecta!!"));
    showOnly(page);
    wrong->setFocus(Qt::OtherFocusReason);
    return false;
}

void Salarii::accepta() {
    if (m_lblClose->isHidden()) {
        if (!validate()) return;
        const std::optional<QString> update = parametersUpdate(collect(), month(), group());
        if (!update) {
            message(QStringLiteral("Valoare Incorecta!!"));
            return;
        }
        try {
            ComponentContext::current().connection->execute(*update);
        } catch (const DbError& e) {
            reportDbError(e.description());
            return;
        }
    }
    if (!VerificaTabele()) return;
    hide();
    ComponentContext::current().InchideTot();
}

} // namespace vornel
