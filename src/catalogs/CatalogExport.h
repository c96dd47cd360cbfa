#pragma once
// Export of a catalogue from the command line (`vornel --export "CAPTION" FILE`): the list as its
// window first shows it to the user (columns, widths and order the user keeps), written to a
// .csv, .xlsx or .pdf file without opening a window. The user needs a right on the catalogue's
// screen: "Vezi" has to allow adding, modifying or deleting there.

#include <QString>

class QTextStream;

namespace vornel::CatalogExport {

// Exports with the connection, company and user of the component context; returns what went
// wrong (a refusal, an unknown caption, a file that cannot be written), empty when written.
QString exportList(const QString& caption, const QString& file);

// Opens the database ("sqlite:PATH" or "odbc:..."), exports, and reports any failure on `errors`;
// returns the exit status of the program (0 when the file is written).
int run(const QString& connectionString, const QString& caption, qint32 idSoc, qint32 idUsers,
        const QString& file, QTextStream& errors);

} // namespace vornel::CatalogExport
