#include "catalogs/CatalogSql.h"

#include "data/RecordsetFilter.h"
#include "data/StatementBuilder.h"

namespace vornel::CatalogSql {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString wildcards(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('/'), QLatin1Char('%'));
    return out;
}

} // namespace

QString searchText(const QString& fieldText) {
    if (fieldText.trimmed().isEmpty()) return QStringLiteral("/");
    return fieldText;
}

QString searchQuery(const SearchProfile& search, const QString& text0, const QString& text1,
                    Sql::LikeDialect dialect) {
    return search.base + search.condition1 + Sql::likeLiteral(searchText(text1), dialect) +
           QStringLiteral(" AND ") + search.condition0 + Sql::likeLiteral(searchText(text0), dialect) +
           search.tail;
}

QString confirmationText(const QString& name0, const QString& value0, const QString& name1,
                         const QString& value1) {
    return QStringLiteral("Sunteti sigur ca doriti stergerea pentru :") + kCrLf + name0 +
           QStringLiteral("=") + value0 + kCrLf + name1 + QStringLiteral("=") + value1;
}

ChooserQuery chooserQuery(ChooserList list, const QString& startText) {
    const bool filtered = !startText.trimmed().isEmpty();
    const QString start = StatementBuilder::text(wildcards(startText));
    auto filter = [&](const char* piece) {
        return filtered ? QLatin1String(piece) + start + QStringLiteral("'") : QString();
    };

    ChooserQuery chosen;
    switch (list) {
    case ChooserList::CostCentres:
        chosen.query = QStringLiteral("  SELECT Cod, Denumire ") + QStringLiteral("    From yC1 ") +
                       filter("   WHERE Cod LIKE '") + QStringLiteral(" ORDER BY Cod;");
        chosen.format = QStringLiteral("<Cod|<Denumire");
        chosen.columnNames = {QStringLiteral("Cod"), QStringLiteral("Denumire")};
        break;
    case ChooserList::ProductGroups:
        chosen.query = QStringLiteral("  SELECT GrupeProdus.[Grupa Produs], GrupeProdus.Descriere ") +
                       QStringLiteral("    From GrupeProdus ") +
                       filter("   WHERE GrupeProdus.[Grupa Produs] LIKE '") +
                       QStringLiteral(" ORDER BY GrupeProdus.[Grupa Produs];");
        chosen.format = QStringLiteral("<Grupa produs|<Descriere");
        chosen.columnNames = {QStringLiteral("[Grupa Produs]"), QStringLiteral("Descriere")};
        break;
    case ChooserList::AccountClasses:
        chosen.query = QStringLiteral("  SELECT zContaGrupa.Grupa, zContaGrupa.Descriere ") +
                       QStringLiteral("    FROM zContaGrupa ") + filter("   WHERE zContaGrupa.Grupa LIKE '") +
                       QStringLiteral(" ORDER BY zContaGrupa.Grupa;");
        chosen.format = QStringLiteral("<Clasa cont|<Descriere");
        chosen.columnNames = {QStringLiteral("Grupa"), QStringLiteral("Descriere")};
        break;
    case ChooserList::CentreGroups:
        // This list always compares the code; an empty start text lists every group.
        chosen.query =
            QStringLiteral(
                "SELECT Cod, Denumire, Case WHEN Tip = 0 THEN 'I' ELSE 'II' END FROM yC1 WHERE  Cod Like '") +
            (filtered ? start : QStringLiteral("%")) + QStringLiteral("'");
        chosen.format = QStringLiteral("<Cod|<Descriere| Cat");
        chosen.columnNames = {QStringLiteral("Cod"), QStringLiteral("[Denumire]"), QStringLiteral("[Cat]")};
        break;
    case ChooserList::Accounts:
        chosen.query = QStringLiteral("  SELECT zConta_Plan.Cont, zConta_Plan.[Titlu Cont] ") +
                       QStringLiteral("    FROM zConta_Plan ") + filter("   WHERE zConta_Plan.Cont LIKE '") +
                       QStringLiteral(" ORDER BY zConta_Plan.Cont;");
        chosen.format = QStringLiteral("<Cont|<Descriere");
        chosen.columnNames = {QStringLiteral("Cont"), QStringLiteral("[Titlu Cont]")};
        break;
    }
    return chosen;
}

QString typeAheadFilter(const QString& columnName, const QString& typed) {
    return columnName + QStringLiteral(" Like '") + StatementBuilder::text(likeLiteralText(typed)) +
           QStringLiteral("%'");
}

} // namespace vornel::CatalogSql
