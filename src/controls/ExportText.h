#pragma once
// Texts of exported lists as Romanian users read them: numbers with a decimal comma, counts with
// "." between thousands, CSV fields quoted where a spreadsheet needs it.

#include <QString>

namespace vornel::ExportText {

// A number as a Romanian spreadsheet reads it: decimal comma, no thousands separator, no exponent
// ("-1234,5", "19").
QString number(double value);
// A count with "." between thousands ("5.000", "1.000.000").
QString count(qint64 value);
// A field of a CSV line with ";" between fields: between double quotes, with its quotes doubled,
// when it holds ";", a double quote or a line break; as it is otherwise.
QString csvField(const QString& text);
// "12 din 5.000": the rows shown out of the rows of the list.
QString shownOf(qint64 shown, qint64 total);

} // namespace vornel::ExportText
