#include "editors/RecordStatements.h"

#include "data/SqlText.h"
#include "data/StatementBuilder.h"
#include "entry/ComponentContext.h"

namespace vornel {

namespace {

// A text value ready to stand between single quotes.
QString q(const QString& value) {
    return Sql::text(value);
}
QString qt(const QString& value) {
    return Sql::text(value.trimmed());
}

QString col(const RecordInput& in, int n) {
    return in.columns.value(n);
}
QString rowAt(const RecordInput& in, int n) {
    return in.row.value(n);
}

using Builder = StatementBuilder;

QString flag(bool value, const char* whenTrue, const char* whenFalse) {
    return QString::fromLatin1(value ? whenTrue : whenFalse);
}

bool isOtherDocuments(const QString& caption) {
    return caption == u"Alte Documente Iesire" || caption == u"Alte Documente Intrare";
}

SaveStatement updateStatement(const RecordInput& in) {
    const QString& c = in.caption;
    const QString& T = in.table;
    Builder b;
    if (c == u"Norme Productie")
        return b.done("UPDATE sal_acordcod SET Cod = '" + q(in.cheie) + "', Descriere = '" + q(in.descriere) +
                      "' WHERE Cod = '" + q(in.oldKey) + "'");
    if (c == u"Locatii")
        return b.done("UPDATE mf_Sectii SET Sectie = '" + q(in.cheie) + "', Descriere = '" + q(in.descriere) +
                      "' WHERE Sectie = '" + q(in.oldKey) + "'");
    if (c == u"Rate TVA") {
        const QString key = b.number(in.cheie.trimmed(), RecordField::Cheie);
        const QString old = b.number(in.oldKey.trimmed(), RecordField::OldKey);
        return b.done("UPDATE [" + T + "] SET [" + col(in, 0) + "]=" + key + ", [" + col(in, 1) + "]='" +
                      qt(in.descriere) + "', [" + col(in, 3) + "]='" + qt(in.rezerva1) + "', [" + col(in, 2) +
                      "]='" + q(in.rezerva) + "' WHERE [" + col(in, 0) + "]=" + old);
    }
    if (c == u"Categorii de clienti" || c == u"Categorii de furnizori")
        return b.done("UPDATE [" + T + "] SET [" + col(in, 0) + "]='" + qt(in.cheie) + "', [" + col(in, 1) +
                      "]='" + qt(in.descriere) + "', [" + col(in, 2) + "]='" + qt(in.rezerva) + "' WHERE [" +
                      col(in, 0) + "]='" + qt(in.oldKey) + "'");
    if (c == u"Subgrupe de produse" || c == u"Subclasa Cont")
        return b.done("UPDATE [" + T + "] SET [" + col(in, 1) + "]='" + qt(in.cheie) + "', [" + col(in, 2) +
                      "]='" + qt(in.descriere) + "', [" + col(in, 0) + "]='" + qt(in.rezerva) + "' WHERE [" +
                      col(in, 1) + "]='" + qt(in.oldKey) + "'");
    if (c == u"Banci") {
        const QString old = b.number(in.oldKey.trimmed(), RecordField::OldKey);
        return b.done("UPDATE [" + T + "] SET [" + col(in, 1) + "]='" + qt(in.cheie) + "', [" + col(in, 2) +
                      "]='" + qt(in.descriere) + "', [" + col(in, 3) + "]='" + qt(in.rezerva) + "', [" +
                      col(in, 5) + "]='" + qt(in.cont) + "', [" + col(in, 4) + "]='" + qt(in.rezerva1) +
                      "' WHERE [" + col(in, 0) + "]=" + old);
    }
    if (c == u"Documente Corectie Terti")
        return b.done("UPDATE [" + T + "] SET [" + col(in, 0) + "]='" + qt(in.cheie) + "' WHERE [" +
                      col(in, 1) + "]='" + q(rowAt(in, 1)) + "'");
    if (isOtherDocuments(c)) {
        const QString old = b.number(in.oldKey.trimmed(), RecordField::OldKey);
        const QString account = in.ticked ? QString() : in.cont;
        return b.done("UPDATE [" + T + "] SET [" + col(in, 0) + "]='" + qt(in.cheie) + "', [" + col(in, 1) +
                      "]='" + qt(account) + "', [" + col(in, 2) + "]='" + qt(in.combo) + "' " +
                      ", Transferabil = " + flag(in.ticked, "1", "0") + " WHERE [" + col(in, 4) + "]=" + old);
    }
    if (c == u"Documente de Transfer")
        // The table holds all three kinds of document: only the transfer document may change.
        return b.done("UPDATE [" + T + "] SET [" + col(in, 0) + "]='" + qt(in.cheie) + "', [" + col(in, 1) +
                      "]= '" + q(in.combo) + "' WHERE [" + col(in, 0) + "]='" + qt(in.oldKey) +
                      "' AND [EC]=4");
    if (c == u"Incasari" || c == u"Plati") {
        const QString id = b.number(rowAt(in, 0), RecordField::Row);
        return b.done("UPDATE TipuriAPI SET DenumireOp = '" + q(in.cheie) + "', Cont = '" + q(in.descriere) +
                      "', ContTva = '" + q(in.rezerva) + "'  Where IdOp = " + id);
    }
    if (c == u"Grupe Centre")
        return b.done("UPDATE yC1 SET Cod = '" + q(in.cheie) + "', Denumire = '" + q(in.descriere) + "' " +
                      ", Tip = " + flag(in.ticked, "0", "1") + " Where Cod = '" + q(rowAt(in, 0)) + "'");
    if (c == u"Subgrupe Centre")
        return b.done("UPDATE yC2 SET CodC = '" + q(in.cheie) + "', Denumire = '" + q(in.descriere) +
                      "', Cod = '" + q(in.rezerva) + "'" + ", R =  " + flag(in.ticked, "1", "0") +
                      " Where CodC = '" + q(rowAt(in, 0)) + "'");
    if (c == u"Producatori")
        return b.done(QString("UPDATE Cpp SET ") + " P = '" + qt(in.cheie) + "', Denumire = '" +
                      qt(in.descriere) + "', Telefon = '" + qt(in.rezerva) + "', Adresa  = '" +
                      qt(in.rezerva1) + "' WHERE [" + col(in, 0) + "]='" + qt(in.oldKey) + "'");
    if (c == u"Grupe de produse")
        return b.done("update GrupeProdus set [Grupa Produs]='" + q(in.cheie) + "',Descriere='" +
                      q(in.descriere) + "', Discount=" + NumarCuPunct(in.discount) +
                      " where [Grupa Produs]='" + qt(in.oldKey) + "'");
    if (c == u"Grupe Amortizari") {
        // The years are shown and editable, so a change writes them too, as adding does.
        const QString years = b.number(in.rezerva, RecordField::Rezerva);
        return b.done("UPDATE [" + T + "] SET [" + col(in, 0) + "]='" + qt(in.cheie) + "', [" + col(in, 1) +
                      "]='" + qt(in.descriere) + "', [amortizare]=" + years + " WHERE [" + col(in, 0) +
                      "]='" + qt(in.oldKey) + "'");
    }
    return b.done("UPDATE [" + T + "] SET [" + col(in, 0) + "]='" + qt(in.cheie) + "', [" + col(in, 1) +
                  "]='" + qt(in.descriere) + "' WHERE [" + col(in, 0) + "]='" + qt(in.oldKey) + "'");
}

SaveStatement insertStatement(const RecordInput& in) {
    const QString& c = in.caption;
    const QString& T = in.table;
    Builder b;
    if (c == u"Norme Productie")
        return b.done("INSERT INTO sal_acordcod (Cod, Descriere) VALUES ('" + q(in.cheie) + "', '" +
                      q(in.descriere) + "')");
    if (c == u"Locatii")
        return b.done("INSERT INTO mf_Sectii (Sectie , Descriere) VALUES('" + q(in.cheie) + "', '" +
                      q(in.descriere) + "')");
    if (c == u"Categorii de clienti" || c == u"Categorii de furnizori")
        return b.done("INSERT INTO [" + T + "]([" + col(in, 0) + "],[" + col(in, 1) + "],[" + col(in, 2) +
                      "]) VALUES('" + qt(in.cheie) + "','" + qt(in.descriere) + "','" + qt(in.rezerva) +
                      "')");
    if (c == u"Rate TVA") {
        const QString key = b.number(in.cheie, RecordField::Cheie);
        return b.done("INSERT INTO [" + T + "]([" + col(in, 0) + "],[" + col(in, 1) + "],[" + col(in, 3) +
                      "],[" + col(in, 2) + "]) VALUES(" + key + ",'" + qt(in.descriere) + "','" +
                      qt(in.rezerva1) + "','" + q(in.rezerva) + "')");
    }
    if (c == u"Subgrupe de produse" || c == u"Subclasa Cont")
        return b.done("INSERT INTO [" + T + "]([" + col(in, 1) + "],[" + col(in, 2) + "],[" + col(in, 0) +
                      "]) VALUES('" + qt(in.cheie) + "','" + qt(in.descriere) + "','" + qt(in.rezerva) +
                      "')");
    if (c == u"Documente Corectie Terti")
        return b.done("INSERT INTO [" + T + "]([" + col(in, 0) + "]) VALUES('" + qt(in.cheie) + "')");
    if (c == u"Banci")
        return b.done("INSERT INTO [" + T + "]([" + col(in, 0) + "],[" + col(in, 1) + "],[" + col(in, 2) +
                      "],[" + col(in, 3) + "],[" + col(in, 5) + "],[" + col(in, 4) + "]) VALUES(" +
                      Sql::numberText(Sql::leadingNumber(in.cod)) + ",'" + qt(in.cheie) + "','" +
                      qt(in.descriere) + "','" + qt(in.rezerva) + "','" + qt(in.cont) + "','" +
                      qt(in.rezerva1) + "')");
    if (isOtherDocuments(c)) {
        const QString account = in.ticked ? QString() : in.cont;
        const char* ec = c == u"Alte Documente Iesire" ? "3" : "2";
        return b.done("INSERT INTO [" + T + "]([" + col(in, 0) + "],[" + col(in, 1) + "],[" + col(in, 2) +
                      "], " + " [EC], Transferabil) VALUES('" + qt(in.cheie) + "','" + qt(account) + "','" +
                      q(in.combo) + "'," + QString::fromLatin1(ec) + ", " + flag(in.ticked, "1", "0") + ")");
    }
    if (c == u"Documente de Transfer")
        return b.done("INSERT INTO [" + T + "]([" + col(in, 0) + "],[" + col(in, 1) + "],EC) VALUES('" +
                      qt(in.cheie) + "','" + q(in.combo) + "',4)");
    if (c == u"Incasari")
        return b.done("INSERT INTO TipuriAPI (DenumireOp, Cont, Incasare, ContTVA) VALUES ('" + q(in.cheie) +
                      "', '" + q(in.descriere) + "' , 1, '" + q(in.rezerva) + "')");
    if (c == u"Plati")
        return b.done("INSERT INTO TipuriAPI (DenumireOp, Cont, ContTVA, Jurnal) VALUES ('" + q(in.cheie) +
                      "', '" + q(in.descriere) + "', '" + q(in.rezerva) + "', " + flag(in.ticked, "1", "0") +
                      ")");
    if (c == u"Grupe Centre")
        return b.done("INSERT INTO  yC1 (Cod, Denumire, Tip) VALUES ('" + q(in.cheie) + "', '" +
                      q(in.descriere) + "', " + flag(in.ticked, "0", "1") + ")");
    if (c == u"Subgrupe Centre")
        return b.done("INSERT INTO  yC2 (CodC, Denumire, Cod, R) VALUES ('" + q(in.cheie) + "', '" +
                      q(in.descriere) + "', '" + q(in.rezerva) + "', " + flag(in.ticked, "1", "0") + ")");
    if (c == u"Producatori")
        return b.done("INSERT INTO  Cpp (P, Denumire, Telefon, Adresa) VALUES ('" + q(in.cheie) + "', '" +
                      q(in.descriere) + "', '" + q(in.rezerva) + "', '" + q(in.rezerva1) + "')");
    if (c == u"Grupe de produse")
        return b.done(QString("INSERT INTO GrupeProdus ([Grupa Produs],Descriere,Discount)") + "values ('" +
                      q(in.cheie) + "','" + q(in.descriere) + "'," + NumarCuPunct(in.discount) + ")");
    if (c == u"Grupe Amortizari") {
        // An empty years field goes in as nothing: the database refuses the statement.
        const QString years = in.rezerva.isEmpty() ? QString() : b.number(in.rezerva, RecordField::Rezerva);
        return b.done(QString("INSERT INTO mf_grupe (") + "cod, descriere,amortizare) VALUES('" +
                      qt(in.cheie) + "','" + qt(in.descriere) + "'," + years + ")");
    }
    return b.done("INSERT INTO [" + T + "]([" + col(in, 0) + "],[" + col(in, 1) + "]) VALUES('" +
                  qt(in.cheie) + "','" + qt(in.descriere) + "')");
}

} // namespace

bool hasNumericKey(const QString& caption) {
    return caption == u"Rate TVA" || caption == u"Banci";
}

SaveStatement saveStatement(const RecordInput& in) {
    return in.mode == u"M" ? updateStatement(in) : insertStatement(in);
}

QString accountQuery(const QString& account) {
    return "SELECT 'x' FROM zConta_Plan WHERE zConta_Plan.Cont='" + qt(account) + "'";
}

QString groupQuery(const QString& caption, const QString& group) {
    if (caption == u"Subclasa Cont")
        return "SELECT 'x' FROM zContaGrupa WHERE zContaGrupa.Grupa='" + qt(group) + "'";
    return "SELECT 'x' FROM GrupeProdus WHERE GrupeProdus.[Grupa Produs]='" + qt(group) + "'";
}

std::optional<QString> keyQuery(const QString& caption, const QString& table, const QStringList& columns,
                                const QString& key) {
    const QString T = table;
    const QString k = key.trimmed();
    const QString head = "SELECT 'x' FROM [" + T + "] WHERE [" + T + "].[";
    if (hasNumericKey(caption)) {
        StatementBuilder b;
        return b.statement(head + columns.value(0) + "]=" + b.number(k));
    }
    if (caption == u"Subgrupe de produse" || caption == u"Subclasa Cont")
        return head + columns.value(1) + "]='" + q(k) + "'";
    QString sql = head + columns.value(0) + "]='" + q(k) + "'";
    if (caption == u"Alte Documente Intrare")
        sql += " AND [" + T + "].[" + columns.value(3) + "]=2";
    else if (caption == u"Alte Documente Iesire")
        sql += " AND [" + T + "].[" + columns.value(3) + "]=3";
    else if (caption == u"Documente de Transfer")
        sql += " AND [" + T + "].[EC]=4";
    return sql;
}

} // namespace vornel
