// The overheads frame: the monthly overheads of the company in an editable grid, with the check
// that keeps months already calculated from being changed.
#include "company/ParamSocietate.h"

#include "company/CompanyStatements.h"
#include "controls/EditableGrid.h"
#include "controls/NumberText.h"
#include "controls/Saving.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"

#include <QFrame>
#include <QPushButton>
#include <QResizeEvent>
#include <cmath>

namespace vornel {

namespace {

constexpr int kMonthColumn = 2;  // month number the calculated period is compared with
constexpr int kAmountColumn = 3; // the overhead amount

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return std::isfinite(value.toDouble());
    case QMetaType::QString:
        return NumberText::read(value.toString()).has_value();
    default:
        return false;
    }
}

double numberOf(const QVariant& value) {
    return value.typeId() == QMetaType::QString ? NumberText::read(value.toString()).value_or(0.0)
                                                : value.toDouble();
}

void invalid(const QString& text) {
    ComponentContext::current().Afiseaza(text, MessageIcon::Error, MessageButtons::Ok,
                                         QStringLiteral("Date Eronate"));
}

} // namespace

void ParamSocietate::ArataRegie() {
    auto& context = ComponentContext::current();
    auto regie = std::make_unique<Recordset>();
    regie->open(company::regieStatement(), context.connection, CursorLocation::Client, CursorType::Dynamic,
                LockType::Optimistic);
    regie->auditWrites(auditContext(windowTitle()));
    m_gridEX1->bind(regie.get());
    m_regie = std::move(regie);
    m_gridEX1->setColumnVisible(0, false);
    m_gridEX1->setColumnCaption(1, QStringLiteral("Nr."));
    m_gridEX1->setColumnWidth(1, 500);
    m_gridEX1->setColumnCaption(kMonthColumn, QStringLiteral("Luna"));
    m_gridEX1->setColumnWidth(kMonthColumn, 700);
    m_gridEX1->setColumnCaption(kAmountColumn, QStringLiteral("Valoare"));
    m_gridEX1->setColumnWidth(kAmountColumn, 1800);
    m_gridEX1->setColumnFormat(kAmountColumn, QStringLiteral("#,##0.00"));
    m_gridEX1->setColumnCaption(4, QStringLiteral("Denumire"));
    m_gridEX1->setColumnWidth(4, 1800);

    placeRegie();
    m_frmC->show();
    m_frmC->raise();
    m_body->setEnabled(false);
    m_gridEX1->setFocus(Qt::OtherFocusReason);
    if (m_gridEX1->dataRows() > 0) m_gridEX1->setCurrentIndex(m_gridEX1->model()->index(0, kAmountColumn));
}

void ParamSocietate::AscundeRegie() {
    m_gridEX1->commitRow();
    m_frmC->hide();
    m_body->setEnabled(true);
    m_cmdAction[2]->setFocus(Qt::OtherFocusReason);
}

void ParamSocietate::placeRegie() {
    // The frame covers the middle of the window, as wide as the grid's columns need.
    const int width = qMin(this->width() - 40, 520);
    const int height = qMin(this->height() - 40, 360);
    m_frmC->setGeometry((this->width() - width) / 2, (this->height() - height) / 2, width, height);
}

void ParamSocietate::resizeEvent(QResizeEvent* event) {
    FormWindow::resizeEvent(event);
    placeRegie();
}

bool ParamSocietate::VerificaRegie(int row) {
    const QVariant amount = m_gridEX1->pendingValue(kAmountColumn);
    if (!isNumber(amount)) {
        invalid(QStringLiteral("Valoare Invalida! "));
        return false;
    }
    if (numberOf(amount) < 0) {
        invalid(QStringLiteral("Valoare < 0 , Valoare Invalida! "));
        return false;
    }
    // A row of a calculated month is neither changed nor moved to another month.
    const int calculated = calculatedMonth();
    const bool storedClosed =
        !m_regie->adding() && numberOf(m_regie->valueAt(row, kMonthColumn)) <= calculated;
    if (storedClosed || numberOf(m_gridEX1->pendingValue(kMonthColumn)) <= calculated) {
        invalid(QStringLiteral("Perioada Validata Modificare Imposibila "));
        return false;
    }
    return true;
}

bool ParamSocietate::VerificaStergereRegie(int row) {
    if (numberOf(m_regie->valueAt(row, kMonthColumn)) <= calculatedMonth()) {
        invalid(QStringLiteral("Perioada Validata Modificare Imposibila "));
        return false;
    }
    return true;
}

int ParamSocietate::calculatedMonth() const {
    auto& context = ComponentContext::current();
    const QueryResult result = context.connection->query(company::calculPumpStatement(context.idSoc));
    const QString calculated = result.rows.rowCount() > 0 && !result.rows.isNull(0, 0)
                                   ? result.rows.value(0, 0).toString()
                                   : QString();
    return company::LunaDinNume(calculated);
}

} // namespace vornel
