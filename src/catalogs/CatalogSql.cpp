#include "catalogs/CatalogSql.h"

#include "data/StatementBuilder.h"

namespace vornel::CatalogSql {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString wildcards(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('/'), QLatin1Char('%'));
    return out;
}

struct SearchPieces {
    const char* base;
    const char* cond1;
    const char* cond0;
    const char* tail;
};

SearchPieces searchPieces(const QString& caption) {
    if (caption == QLatin1String("Centre de productie"))
        return {"SELECT Cod, Denumire, CodC, TMax, TZi, NrU FROM Poft ", " WHERE  DEnumire LIKE ",
                " Cod LIKE ", " Order BY Cod, Denumire"};
    if (caption == QLatin1String("Angajati"))
        return {"SELECT Nume, Prenume, TipAngajat, SeriaBi , NrBi, Eliberat,MijlocT, Auto FROM pTerti ",
                " WHERE  Prenume LIKE ", " Nume LIKE ", " Order BY TipAngajat, Nume, Prenume"};
    if (caption == QLatin1String("Incasari"))
        return {"SELECT IdOp, DenumireOp, Cont, "
                " ContTva, Incasare  FROM TipuriApi WHERE Incasare = 1 AND ",
                " DenumireOp LIKE ", " Cont LIKE ", " ORDER BY DenumireOp "};
    if (caption == QLatin1String("Plati"))
        return {"SELECT IdOp, DenumireOp, Cont, "
                "  ContTva, Incasare  FROM TipuriApi WHERE Incasare = 0 AND ",
                " DenumireOp LIKE ", " Cont LIKE ", " ORDER BY DenumireOp "};
    if (caption == QLatin1String("Subgrupe Centre"))
        return {
            "SELECT  yC2.CodC , yC2.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END,  yC1.Cod, yc2.R "
            " FROM dbo.yC1 INNER JOIN dbo.yC2 ON dbo.yC1.Cod = dbo.yC2.Cod "
            " WHERE  ",
            " yC2.Denumire LIKE ", " yC2.CodC LIKE ", " ORDER BY yC1.Cod, yC2.Cod"};
    // The remaining catalogue with a search button is "Grupe Centre".
    return {"SELECT  yC1.Cod , yC1.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END "
            " FROM dbo.yC1  "
            " WHERE  ",
            " yC1.Denumire LIKE ", " yC1.Cod LIKE ", "ORDER BY yC1.Tip, yC1.Cod"};
}

bool isOneOf(const QString& caption, std::initializer_list<const char*> captions) {
    for (const char* c : captions)
        if (caption == QLatin1String(c)) return true;
    return false;
}

QString quotedKey(const QString& table, const QString& name, const QString& value, const char* equals) {
    return QStringLiteral("DELETE FROM [") + table + QStringLiteral("] WHERE [") + name +
           QStringLiteral("]") + QLatin1String(equals) + QStringLiteral("'") + Sql::text(value) +
           QStringLiteral("'");
}

} // namespace

QString searchText(const QString& fieldText) {
    if (fieldText.trimmed().isEmpty()) return QStringLiteral("/");
    return fieldText;
}

QString searchQuery(const QString& caption, const QString& text0, const QString& text1,
                    Sql::LikeDialect dialect) {
    const SearchPieces p = searchPieces(caption);
    return QLatin1String(p.base) + QLatin1String(p.cond1) + Sql::likeLiteral(searchText(text1), dialect) +
           QStringLiteral(" AND ") + QLatin1String(p.cond0) + Sql::likeLiteral(searchText(text0), dialect) +
           QLatin1String(p.tail);
}

DeletePath deletePath(const QString& caption) {
    if (caption == QLatin1String("Depozite")) return DeletePath::Refused;
    if (procedureWhat(caption) != 0) return DeletePath::Procedure;
    return DeletePath::Statement;
}

QString useCheckQuery(const QString& caption, const QString& name0, const QString& value0) {
    if (caption == QLatin1String("Grupe de produse"))
        return QStringLiteral(
                   "SELECT Count(*) FROM GrupeProdus INNER JOIN (Subgrupeprodus INNER JOIN CoduriProdus "
                   "ON Subgrupeprodus.[Subgrupa Produs] = CoduriProdus.[Subgrupa Produs]) ON "
                   "GrupeProdus.[Grupa Produs] = Subgrupeprodus.[Grupa Produs] WHERE GrupeProdus.[") +
               name0 + QStringLiteral("]='") + Sql::text(value0) + QStringLiteral("'");
    if (caption == QLatin1String("Clasa Cont"))
        return QStringLiteral(
                   "SELECT Count(*) FROM (zContaGrupa INNER JOIN zContaSubGrupa ON zContaGrupa.Grupa = "
                   "zContaSubGrupa.Grupa) INNER JOIN zConta_Plan ON zContaSubGrupa.SubGrupa = "
                   "zConta_Plan.SubGrupa WHERE zContaGrupa.[") +
               name0 + QStringLiteral("]='") + Sql::text(value0) + QStringLiteral("'");
    return {};
}

QString confirmationText(const QString& name0, const QString& value0, const QString& name1,
                         const QString& value1) {
    return QStringLiteral("Sunteti sigur ca doriti stergerea pentru :") + kCrLf + name0 +
           QStringLiteral("=") + value0 + kCrLf + name1 + QStringLiteral("=") + value1;
}

std::optional<QString> deleteStatement(const QString& caption, const QString& table, const QString& name0,
                                       const QString& value0, const QString& name1, const QString& value1) {
    if (caption == QLatin1String("Angajati"))
        return QStringLiteral("DELETE pTErti WHERE Nume = '") + Sql::text(value0) +
               QStringLiteral("' AND Prenume = '") + Sql::text(value1) + QStringLiteral("'");
    if (isOneOf(caption, {"Tipuri de produse", "Grupe de produse", "Clasa Cont", "Unitati de vinzare",
                          "Tipuri de clienti", "Tipuri de furnizori", "Categorii de clienti",
                          "Categorii de furnizori", "Coduri vamale", "Alte Documente Iesire",
                          "Alte Documente Intrare", "Documente de Transfer", "Grupe Centre", "Producatori"}))
        return quotedKey(table, name0, value0, "=");
    if (caption == QLatin1String("Rate TVA")) {
        QString rate = value0;
        rate.remove(QLatin1Char(','));
        StatementBuilder b;
        return b.statement(QStringLiteral("DELETE FROM [") + table + QStringLiteral("] WHERE [") + name0 +
                           QStringLiteral("]=") + b.number(rate));
    }
    if (isOneOf(caption, {"Subgrupe de produse", "Subclasa Cont", "Documente Corectie Terti"}))
        return quotedKey(table, name1, value1, "=");
    if (isOneOf(caption, {"Incasari", "Plati"})) {
        StatementBuilder b;
        return b.statement(QStringLiteral("DELETE FROM TipuriApi WHERE IdOp = ") + b.number(value0));
    }
    if (isOneOf(caption, {"Locatii", "Grupe Amortizari", "Norme Productie"}))
        return quotedKey(table, name0, value0, "= ");
    return std::nullopt;
}

int procedureWhat(const QString& caption) {
    if (caption == QLatin1String("Banci")) return 5;
    if (caption == QLatin1String("Casierii")) return 6;
    if (caption == QLatin1String("Centre de productie")) return 7;
    if (caption == QLatin1String("Subgrupe Centre")) return 9;
    return 0;
}

bool procedureTakesIntegerKey(const QString& caption) {
    return caption == QLatin1String("Banci") || caption == QLatin1String("Casierii");
}

ChooserList chooserList(const QString& kind, const QString& startText) {
    const bool filtered = !startText.trimmed().isEmpty();
    const QString start = Sql::text(wildcards(startText));
    auto filter = [&](const char* piece) {
        return filtered ? QLatin1String(piece) + start + QStringLiteral("'") : QString();
    };

    ChooserList list;
    if (kind == QLatin1String("Centre de productie")) {
        list.query = QStringLiteral("  SELECT Cod, Denumire ") + QStringLiteral("    From yC1 ") +
                     filter("   WHERE Cod LIKE '") + QStringLiteral(" ORDER BY Cod;");
        list.format = QStringLiteral("<Cod|<Denumire");
        list.columnNames = {QStringLiteral("Cod"), QStringLiteral("Denumire")};
    } else if (kind == QLatin1String("Grupe produs")) {
        list.query = QStringLiteral("  SELECT GrupeProdus.[Grupa Produs], GrupeProdus.Descriere ") +
                     QStringLiteral("    From GrupeProdus ") +
                     filter("   WHERE GrupeProdus.[Grupa Produs] LIKE '") +
                     QStringLiteral(" ORDER BY GrupeProdus.[Grupa Produs];");
        list.format = QStringLiteral("<Grupa produs|<Descriere");
        list.columnNames = {QStringLiteral("[Grupa Produs]"), QStringLiteral("Descriere")};
    } else if (kind == QLatin1String("Clasa Cont")) {
        list.query = QStringLiteral("  SELECT zContaGrupa.Grupa, zContaGrupa.Descriere ") +
                     QStringLiteral("    FROM zContaGrupa ") + filter("   WHERE zContaGrupa.Grupa LIKE '") +
                     QStringLiteral(" ORDER BY zContaGrupa.Grupa;");
        list.format = QStringLiteral("<Clasa cont|<Descriere");
        list.columnNames = {QStringLiteral("Grupa"), QStringLiteral("Descriere")};
    } else if (kind == QLatin1String("Grupe Centre")) {
        // This list always compares the code, even with an empty start text.
        list.query =
            QStringLiteral(
                "SELECT Cod, Denumire, Case WHEN Tip = 0 THEN 'I' ELSE 'II' END FROM yC1 WHERE  Cod Like '") +
            start + QStringLiteral("'");
        list.format = QStringLiteral("<Cod|<Descriere| Cat");
        list.columnNames = {QStringLiteral("Cod"), QStringLiteral("[Denumire]"), QStringLiteral("[Cat]")};
    } else {
        list.query = QStringLiteral("  SELECT zConta_Plan.Cont, zConta_Plan.[Titlu Cont] ") +
                     QStringLiteral("    FROM zConta_Plan ") + filter("   WHERE zConta_Plan.Cont LIKE '") +
                     QStringLiteral(" ORDER BY zConta_Plan.Cont;");
        list.format = QStringLiteral("<Cont|<Descriere");
        list.columnNames = {QStringLiteral("Cont"), QStringLiteral("[Titlu Cont]")};
    }

    if (kind == QLatin1String("Grupe Centre"))
        list.widths = {2500, 3500, 500};
    else if (isOneOf(kind, {"Conturi curente la banci", "Conturi CASA", "Conturi de stocuri",
                            "Conturi de cheltuieli", "Conturi de venituri", "Conturi de furnizori",
                            "Conturi de clienti", "Alegeti contul pentru > Alte Documente Iesire <",
                            "Alegeti contul pentru > Alte Documente Intrare <",
                            "Alegeti contul pentru > Documente de Transfer <",
                            "Alegeti contul pentru > Documente Corectie Terti <"}))
        list.widths = {2500, 4500};
    else
        list.widths = {3000, 4000};
    return list;
}

QString typeAheadFilter(const QString& columnName, const QString& typed) {
    return columnName + QStringLiteral(" Like '") + Sql::text(typed) + QStringLiteral("%'");
}

} // namespace vornel::CatalogSql
