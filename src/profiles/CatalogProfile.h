#pragma once
// The profile of a generic catalogue, its one home: the caption and rights code, the table, the
// list (format string, widths, listing query, buttons), the search, the deletion and the record
// editor with its fields, checks and statements. Windows ask the profile; none compares captions.

#include "profiles/EditorProfile.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace vornel {

enum class CatalogKind {
    GrupeAmortizari,
    Locatii,
    NormeProductie,
    CentreDeProductie,
    Angajati,
    Producatori,
    TipuriDeProduse,
    RateTva,
    RegimuriTva,
    GrupeDeProduse,
    SubgrupeDeProduse,
    CoduriVamale,
    UnitatiDeVinzare,
    TipuriDeClienti,
    TipuriDeFurnizori,
    CategoriiDeClienti,
    CategoriiDeFurnizori,
    Depozite,
    Casierii,
    Banci,
    AlteDocumenteIntrare,
    AlteDocumenteIesire,
    DocumenteDeTransfer,
    DocumenteCorectieTerti,
    Incasari,
    Plati,
    GrupeCentre,
    SubgrupeCentre,
    ClasaCont,
    SubclasaCont,
};

// The window that adds and modifies the catalogue's records.
enum class CatalogEditor { GridDetail, GridDetailMare, TipuriProdus };

// The search frame: the captions of its two fields and the pieces of its query.
struct SearchProfile {
    QString label0{}; // empty: the design caption
    QString label1{};
    QString base{};
    QString condition1{}; // compares the second field's pattern
    QString condition0{}; // compares the first field's pattern
    QString tail{};
};

// The selected row's first two columns, by name and as text.
struct ListRow {
    QString table{};
    QString name0{};
    QString value0{};
    QString name1{};
    QString value1{};
};

struct DeleteProfile {
    enum class Path { Refused, Procedure, Statement };
    Path path = Path::Statement;
    int procedureWhat = 0;   // the "what" of the procedure "Sterge"
    bool integerKey = false; // the procedure takes the code as its integer argument
    // The count query that tells whether other data still uses the record (none when empty).
    std::function<QString(const ListRow&)> useCheck{};
    // The DELETE statement; nothing when a value written bare is not a number.
    std::function<std::optional<QString>(const ListRow&)> statement{};
};

struct CatalogProfile {
    CatalogKind kind{};
    QString caption{};
    QString rightsCode{};
    QString table{};
    QString format{};
    std::vector<int> widths{}; // twips; entry k applies to grid column k-1
    QString query{};
    CatalogEditor editor = CatalogEditor::GridDetail;
    bool hideDelete = false;
    std::optional<SearchProfile> search{};
    DeleteProfile deletion{};
    // A code the list keeps as it is: neither modified nor deleted.
    QString protectedCode{};
    // The columns of the list that name a record in the table, and the values every record of the
    // catalogue has in further key columns of the table (the kind of document).
    std::vector<int> keyColumns{0};
    std::vector<std::pair<QString, QVariant>> keyValues{};
    EditorProfile form{};
};

} // namespace vornel
