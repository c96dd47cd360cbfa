#pragma once
// Statements and small rules of the company parameters window, as free functions.

#include "data/RowSnapshot.h"

#include <QString>
#include <QVariant>

namespace vornel::company {

// The company record with its accounting state.
QString loadStatement(qint32 idSoc);
// The company's row, as the change pipeline and the audit trail name it.
RowKey companyRow(qint32 idSoc);
// Validated period of every warehouse.
QString depoziteStatement();
// The overheads, one row per month.
QString regieStatement();
// The month name up to which stock values are calculated ('null' when none).
QString calculPumpStatement(qint32 idSoc);

// The fields the save writes, as they stand in the window.
struct CompanyFields {
    QString denumire, adresa, judet, oras;
    QString telefon[4];
    QString codFiscal, nrInm, banca, contBanca, cafea, alcool, tigari;
};
// Name, address, county and town are trimmed; every other field goes in as typed.
QString updateStatement(const CompanyFields& fields, qint32 idSoc);

// Month number of a month name: "ianuarie".."decembrie" give 1..12 (any letter case), "null" 13,
// any other text 25.
int LunaDinNume(const QString& name);

// Captions of the calculation method: {method, "... calculat pina in"}.
struct CalculationLabels {
    QString method;
    QString calculated;
};
CalculationLabels calculationLabels(const QVariant& modalitateCalcul);

// A date value as "dd-mm-yyyy"; empty for NULL or a value that is not a date.
QString dateText(const QVariant& value);

} // namespace vornel::company
