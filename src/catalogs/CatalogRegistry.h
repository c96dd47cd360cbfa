#pragma once
// The registry of generic catalogues: for each caption its rights code, table, grid format
// string, column widths, listing query, search labels and which buttons the list shows.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vornel {

enum class CatalogEditor { GridDetail, GridDetailMare, TipuriProdus };

struct CatalogEntry {
    QString caption;
    QString rightsCode;
    QString table;
    QString format;
    std::vector<int> widths; // twips; entry k applies to grid column k-1
    QString query;
    CatalogEditor editor = CatalogEditor::GridDetail;
    bool showSearch = false;
    bool hideDelete = false;
    QString searchLabel0; // empty: keep the design caption "Cont"
    QString searchLabel1; // empty: keep the design caption "Denumire Operatie"
};

namespace CatalogRegistry {

// Exact, case-sensitive lookup; nullopt for a caption that is not a catalogue.
std::optional<CatalogEntry> find(const QString& caption);
// The 29 captions in registry order.
QStringList captions();

} // namespace CatalogRegistry

} // namespace vornel
