#pragma once
// Lists on paper and in PDF, page by page: the title, the company and the date at the top, the
// column headers, the rows, "Pagina N din M" at the bottom; the columns share the page's width
// in the proportions of the grid. The layout depends only on the page, so a print preview and
// a PDF of the same list have the same pages.

#include "controls/ListExport.h"

#include <QString>

class QPrinter;
class QWidget;

namespace vornel::ListPrint {

// A4 with margins of one centimetre, landscape when the columns are wider than a portrait page.
void setUp(QPrinter& printer, const ListTable& table);
int pageCount(const QPrinter& printer, const ListTable& table);
// Paints every page; false when the printer cannot be painted on (a file that cannot be written).
bool paint(QPrinter& printer, const ListTable& table);
// The print preview from which the user prints.
void preview(QWidget* parent, const ListTable& table);
QString writePdf(const ListTable& table, const QString& file);

// The name of the company on paper: its full name, else its short one.
QString companyQuery(qint32 idSoc);

} // namespace vornel::ListPrint
