#include "controls/ListPrint.h"

#include <QDate>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace vornel::ListPrint {

namespace {

// Heights in points: fixed, never measured from fonts, so that every printer pages alike.
constexpr double kTitle = 18;
constexpr double kSubtitle = 13;
constexpr double kGap = 6;
constexpr double kHeader = 15;
constexpr double kRow = 13;
constexpr double kFooter = 20;
constexpr double kCellPadding = 2;
// A portrait A4 page between margins of one centimetre, in twips.
constexpr int kPortraitWidthTwips = 10772;

struct Layout {
    double unit = 1; // device pixels to the point
    QRectF page;     // the printable area in device pixels, from (0, 0)
    int rowsPerPage = 1;
    int pages = 1;
    std::vector<double> widths; // device pixels per column

    Layout(const QPrinter& printer, const ListTable& table) {
        unit = printer.resolution() / 72.0;
        const QRectF points = printer.pageLayout().paintRect(QPageLayout::Point);
        page = QRectF(0, 0, points.width() * unit, points.height() * unit);
        const double body = points.height() - kTitle - kSubtitle - kGap - kHeader - kFooter;
        rowsPerPage = std::max(1, static_cast<int>(std::floor(body / kRow)));
        pages = std::max(1, (table.rowCount() + rowsPerPage - 1) / rowsPerPage);
        const double total = std::max(1, table.totalWidthTwips());
        for (const ListColumn& c : table.columns)
            widths.push_back(page.width() * c.widthTwips / total);
    }

    QFont font(double points, bool bold = false) const {
        QFont f(QStringLiteral("Sans"));
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * unit))));
        f.setBold(bold);
        return f;
    }
};

void cell(QPainter& painter, const QRectF& box, const QString& text, Qt::Alignment alignment,
          double padding) {
    const QRectF inner = box.adjusted(padding, 0, -padding, 0);
    const QString shown = QFontMetricsF(painter.font()).elidedText(text, Qt::ElideRight, inner.width());
    painter.drawText(inner, static_cast<int>(alignment | Qt::AlignVCenter), shown);
}

void paintPage(QPainter& painter, const Layout& layout, const ListTable& table, int page) {
    const double u = layout.unit;
    const double width = layout.page.width();
    double y = 0;
    painter.setPen(Qt::black);
    painter.setFont(layout.font(12, true));
    cell(painter, QRectF(0, y, width, kTitle * u), table.title, Qt::AlignLeft, 0);
    y += kTitle * u;
    painter.setFont(layout.font(9));
    cell(painter, QRectF(0, y, width * 0.7, kSubtitle * u), table.company, Qt::AlignLeft, 0);
    cell(painter, QRectF(width * 0.7, y, width * 0.3, kSubtitle * u),
         QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")), Qt::AlignRight, 0);
    y += (kSubtitle + kGap) * u;

    const auto columns = static_cast<int>(table.columns.size());
    painter.setFont(layout.font(8.5, true));
    painter.fillRect(QRectF(0, y, width, kHeader * u), QColor(0xe6, 0xe6, 0xe6));
    double x = 0;
    for (int c = 0; c < columns; ++c) {
        const ListColumn& column = table.columns[static_cast<std::size_t>(c)];
        const double w = layout.widths[static_cast<std::size_t>(c)];
        cell(painter, QRectF(x, y, w, kHeader * u), column.header, column.alignment, kCellPadding * u);
        x += w;
    }
    y += kHeader * u;
    painter.setPen(QPen(Qt::black, 0.5 * u));
    painter.drawLine(QPointF(0, y), QPointF(width, y));

    painter.setFont(layout.font(8.5));
    const int first = page * layout.rowsPerPage;
    const int last = std::min(table.rowCount(), first + layout.rowsPerPage);
    for (int r = first; r < last; ++r) {
        x = 0;
        for (int c = 0; c < columns; ++c) {
            const ListColumn& column = table.columns[static_cast<std::size_t>(c)];
            const double w = layout.widths[static_cast<std::size_t>(c)];
            cell(painter, QRectF(x, y, w, kRow * u), table.text(r, c), column.alignment, kCellPadding * u);
            x += w;
        }
        y += kRow * u;
    }

    painter.setFont(layout.font(8));
    cell(painter, QRectF(0, layout.page.height() - kFooter * u, width, kFooter * u),
         QStringLiteral("Pagina %1 din %2").arg(page + 1).arg(layout.pages), Qt::AlignRight, 0);
}

} // namespace

void setUp(QPrinter& printer, const ListTable& table) {
    const bool wide = table.totalWidthTwips() > kPortraitWidthTwips;
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      wide ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    printer.setDocName(table.title);
}

int pageCount(const QPrinter& printer, const ListTable& table) {
    return Layout(printer, table).pages;
}

bool paint(QPrinter& printer, const ListTable& table) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const Layout layout(printer, table);
    for (int page = 0; page < layout.pages; ++page) {
        if (page > 0) printer.newPage();
        paintPage(painter, layout, table, page);
    }
    return painter.end();
}

void preview(QWidget* parent, const ListTable& table) {
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, table);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(table.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&table](QPrinter* target) { paint(*target, table); });
    dialog.exec();
}

QString writePdf(const ListTable& table, const QString& file) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    setUp(printer, table);
    printer.setCreator(QStringLiteral("Vornel"));
    if (!paint(printer, table)) return QStringLiteral("Fisierul %1 nu poate fi scris.").arg(file);
    return {};
}

QString companyQuery(qint32 idSoc) {
    return QStringLiteral("SELECT IsNull(DenumireS, Societate) FROM AdmTivra.dbo.Societati WHERE ID=") +
           QString::number(idSoc);
}

} // namespace vornel::ListPrint
