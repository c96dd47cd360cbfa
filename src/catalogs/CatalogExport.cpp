#include "catalogs/CatalogExport.h"

#include "controls/FlexGrid.h"
#include "controls/ListExport.h"
#include "controls/ListPrint.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/SchemaCheck.h"
#include "data/SchemaUpgrade.h"
#include "entry/ComponentContext.h"
#include "profiles/CatalogRegistry.h"

#include <QFileInfo>
#include <QTextStream>

namespace vornel::CatalogExport {

namespace {

// Messages of the checks, kept for the caller to report instead of shown in a window.
class KeptMessages : public MessageWindow {
public:
    int Afiseaza(const QString& text, int, int, const QString&, int, int) override {
        last = text;
        return MessageResult::No;
    }
    QString last;
};

} // namespace

QString exportList(const QString& caption, const QString& file) {
    auto& ctx = ComponentContext::current();
    // The catalogue the caption opens, as Apel has it (the host's "Banca Tert" is the bank list).
    const Entry opened = CatalogRegistry::entry(caption);
    const QString name = opened.catalogue;
    const CatalogProfile* entry =
        opened.window == EntryWindow::GridComun ? CatalogRegistry::find(name) : nullptr;
    if (!entry) return QStringLiteral("Catalogul ") + caption + QStringLiteral(" nu exista.");
    if (ListExport::typeOf(file).isEmpty())
        return QStringLiteral("Fisierul %1 nu este de tip csv, xlsx sau pdf.").arg(file);

    auto kept = std::make_unique<KeptMessages>();
    KeptMessages* messages = kept.get();
    ctx.messages = std::move(kept);
    bool allowed = false;
    for (const char* tip : {"A", "M", "S"})
        if ((allowed = VerificaAcces(QString::fromLatin1(tip), entry->rightsCode))) break;
    if (!allowed) return messages->last.replace(QStringLiteral("\r\n"), QStringLiteral(" "));

    try {
        Recordset list;
        list.open(entry->query, ctx.connection);
        // The grid the list window would show, never shown: the same columns, widths and layout.
        FlexGrid grid;
        grid.bind(&list);
        grid.setFormatString(entry->format);
        for (int i = 0; i < grid.Cols(); ++i) {
            const auto index = static_cast<std::size_t>(i);
            grid.setColWidth(i, (index < entry->widths.size() ? entry->widths[index] : 0) + 1);
        }
        grid.setLayoutKey(name);
        const QString company = ctx.connection->scalar(ListPrint::companyQuery(ctx.idSoc)).toString();
        const QString error = ListExport::write(ListTable::of(grid, name, company), file);
        grid.bind(nullptr);
        return error;
    } catch (const DbError& e) {
        return e.description();
    }
}

int run(const QString& connectionString, const QString& caption, qint32 idSoc, qint32 idUsers,
        const QString& file, QTextStream& errors) {
    auto& ctx = ComponentContext::current();
    if (file.isEmpty()) {
        errors << "vornel --export: lipseste fisierul (FILE.csv, FILE.xlsx sau FILE.pdf).\n";
        return 2;
    }
    try {
        if (connectionString.startsWith(QLatin1String("sqlite:")) &&
            !QFileInfo::exists(connectionString.mid(7)))
            throw DbError(ErrorNumber::Unspecified,
                          QStringLiteral("Fisierul %1 nu exista.").arg(connectionString.mid(7)));
        ctx.connection = Connection::open(connectionString);
        // The database is taken as the windows take it: brought up to date, then checked.
        SchemaUpgrade::addProgramTables(*ctx.connection);
        SchemaCheck::verify(*ctx.connection);
    } catch (const DbError& e) {
        errors << "vornel --export: baza de date nu poate fi deschisa: " << e.description() << '\n';
        return 1;
    }
    ctx.idSoc = idSoc;
    ctx.idUsers = idUsers;
    const QString error = exportList(caption, file);
    ctx.messages.reset();
    ctx.connection.reset();
    if (error.isEmpty()) return 0;
    errors << "vornel --export: " << error << '\n';
    return 1;
}

} // namespace vornel::CatalogExport
