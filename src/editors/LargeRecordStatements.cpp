#include "editors/LargeRecordStatements.h"

#include "data/StatementBuilder.h"

namespace vornel {

namespace {

QString q(const QString& value) {
    return Sql::text(value);
}
QString qt(const QString& value) {
    return Sql::text(value.trimmed());
}

using Builder = StatementBuilder;

QString bit(bool value, const char* whenTrue, const char* whenFalse) {
    return QString::fromLatin1(value ? whenTrue : whenFalse);
}

LargeStatement warehouse(const LargeRecordInput& in) {
    const auto F = [&in](int n) { return "[" + in.columns.value(n) + "]"; };
    const QString T = "[" + in.table + "]";
    if (in.mode == u"M")
        return {"UPDATE " + T + " SET " + F(2) + "='" + qt(in.descriere) + "', " + F(1) + "='" +
                qt(in.denumire) + "', " + F(3) + "='" + qt(in.adresa) + "', " + F(4) + "='" +
                qt(in.gestionar) + "', " + F(7) + "='" + q(in.telefonVetra) + "', " + F(6) + "='" +
                q(in.telefonMobil) + "', " + F(8) + "= " + bit(in.ticked, "1", "0") + " WHERE " + F(1) +
                "='" + qt(in.loadedKey) + "'"};
    return {"INSERT INTO " + T + "(" + F(1) + "," + F(2) + "," + F(3) + "," + F(4) + "," + F(7) + "," + F(6) +
            ", Custodie) VALUES('" + qt(in.denumire) + "','" + qt(in.descriere) + "','" + qt(in.adresa) +
            "','" + qt(in.gestionar) + "','" + q(in.telefonVetra) + "','" + q(in.telefonMobil) + "', " +
            bit(in.ticked, "1", "0") + ")"};
}

LargeStatement cashDesk(const LargeRecordInput& in) {
    const auto F = [&in](int n) { return "[" + in.columns.value(n) + "]"; };
    const QString T = "[" + in.table + "]";
    const QString folder = programFolder(in.cale);
    Builder b;
    const QString code = b.number(in.codCasierie, LargeField::Cod);
    if (in.mode == u"M") {
        const QString old = b.number(in.loadedKey.trimmed(), LargeField::LoadedKey);
        return b.done("UPDATE " + T + " SET " + F(0) + "=" + code + ", " + F(2) + "='" + qt(in.descriere) +
                      "', " + F(1) + "='" + qt(in.denumire) + "', " + F(3) + "='" + qt(in.adresa) + "', " +
                      F(4) + "='" + qt(in.gestionar) + "', " + F(7) + "='" + q(in.telefonVetra) + "', " +
                      F(6) + "='" + q(in.telefonMobil) + "', " + F(8) + "='" + qt(in.cont) +
                      "',CaleProgram='" + q(folder) + "',NumeProgram='" + qt(in.numeProgram) + "' WHERE " +
                      F(0) + "=" + old);
    }
    return b.done("INSERT INTO " + T + "(" + F(0) + "," + F(1) + "," + F(2) + "," + F(3) + "," + F(4) + "," +
                  F(7) + "," + F(6) + "," + F(8) + ",[CaleProgram],[NumeProgram]) VALUES(" + code + ",'" +
                  qt(in.denumire) + "','" + qt(in.descriere) + "','" + qt(in.adresa) + "','" +
                  qt(in.gestionar) + "','" + q(in.telefonVetra) + "','" + q(in.telefonMobil) + "','" +
                  qt(in.cont) + "'" + ",'" + q(folder) + "'" + ",'" + qt(in.numeProgram) + "')");
}

LargeStatement productionCentre(const LargeRecordInput& in) {
    Builder b;
    const QString monthly = b.number(in.descriere, LargeField::Descriere);
    const QString daily = b.number(in.adresa, LargeField::Adresa);
    const QString labour = bit(in.ticked, "1", "0");
    if (in.mode == u"M")
        return b.done("Update poft Set Denumire = '" + q(in.denumire) + "', TMax = " + monthly +
                      ", TZI = " + daily + ", CodC = '" + q(in.cont) + "', NrU = " + labour +
                      "  WHERE Cod = '" + q(in.codCasierie) + "'");
    return b.done("INSERT INTO poft (Cod, DEnumire, Tmax, TZi, CodC, NrU) VALUES('" + q(in.codCasierie) +
                  "', '" + q(in.denumire) + "', " + monthly + ", " + daily + ", '" + q(in.cont) + "', " +
                  labour + ")");
}

LargeStatement employee(const LargeRecordInput& in) {
    if (in.mode == u"M")
        return {"Update pTerti SET  SeriaBi = '" + q(in.descriere) + "', NrBi = '" + q(in.adresa) +
                "', Eliberat = '" + q(in.cont) + "', MijlocT = '" + q(in.gestionar) + "', Auto = '" +
                q(in.telefonVetra) + "'  WHERE " + " Nume = '" + q(in.codCasierie) + "' AND Prenume = '" +
                q(in.denumire) + "'"};
    return {
        "INSERT INTO pTerti (Nume, Prenume, SeriaBi, NrBi, Eliberat, MijlocT, Auto, TipAngajat) VALUES ('" +
        q(in.codCasierie) + "', '" + q(in.denumire) + "', '" + q(in.descriere) + "', '" + q(in.adresa) +
        "', '" + q(in.cont) + "', '" + q(in.gestionar) + "', '" + q(in.telefonVetra) + "', 'P')"};
}

} // namespace

LargeStatement largeSaveStatement(const LargeRecordInput& in) {
    if (in.caption == u"Depozite") return warehouse(in);
    if (in.caption == u"Casierii") return cashDesk(in);
    if (in.caption == u"Centre de productie") return productionCentre(in);
    return employee(in);
}

std::optional<QString> duplicateQuery(const QString& caption, const QString& table,
                                      const QStringList& columns, const QString& value) {
    const QString v = value.trimmed();
    if (caption == u"Depozite")
        return "SELECT 'x' FROM [" + table + "] WHERE [" + table + "].[" + columns.value(1) + "]='" + q(v) +
               "'";
    if (caption == u"Centre de productie")
        return "SELECT 'x' FROM [" + table + "] WHERE Cod = '" + q(v) + "'";
    if (caption == u"Casierii") {
        StatementBuilder b;
        return b.statement("SELECT 'x' FROM [" + table + "] WHERE [" + table + "].[" + columns.value(0) +
                           "]=" + b.number(v));
    }
    return std::nullopt;
}

QString costCentreQuery(const QString& code) {
    return "SELECT 'x' FROM yC1 WHERE Cod ='" + qt(code) + "'";
}

QString programFolder(const QString& path) {
    QString folder = path.trimmed();
    if (folder.endsWith(u'\\')) folder.chop(1);
    return folder;
}

QString minutesText(const QString& text) {
    const QString value = text.trimmed().isEmpty() ? QStringLiteral("0") : text;
    return Sql::leadingNumber(value) == 0 ? QStringLiteral("1") : value;
}

} // namespace vornel
