#pragma once
// Exported lists read back the way a scenario compares them: a CSV file as its text after the
// UTF-8 BOM; an Excel workbook as the cells of its first sheet, a line per row ending in CR LF,
// ";" between cells, text cells between double quotes (quotes doubled), numbers bare; a PDF as
// the number of its pages ("3 pages").

#include <QString>
#include <optional>

namespace vornel::scenario {

std::optional<QString> readExported(const QString& path, QString& problem);

// The files inside a zip archive (an Excel workbook is one): the bytes of the named member,
// nullopt when it is missing or cannot be read.
std::optional<QByteArray> zipMember(const QByteArray& archive, const QString& name);

} // namespace vornel::scenario
