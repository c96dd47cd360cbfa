// The ODBC backend against a real SQL Server holding the company database with its demo data and
// procedures (db/mssql, see its README). Runs only when VORNEL_TEST_MSSQL holds a connection string.
// Every change is made inside a transaction that is rolled back.
#include "TestDatabase.h"

#include "data/odbc/OdbcBackend.h"

#include <cstdlib>
#include <memory>
#include <tuple>

using namespace vornel;
using namespace vornel::test;

namespace {

QString mssqlConnectionString() {
    const char* cs = std::getenv("VORNEL_TEST_MSSQL");
    return cs ? QString::fromUtf8(cs) : QString();
}

class OdbcMssql : public ::testing::Test {
protected:
    void SetUp() override {
        if (mssqlConnectionString().isEmpty())
            GTEST_SKIP() << "VORNEL_TEST_MSSQL not set: no SQL Server to test against";
        backend = std::make_unique<OdbcBackend>(mssqlConnectionString());
        backend->begin();
    }
    void TearDown() override {
        if (backend) backend->rollback();
    }

    int start(int operation, int idTop, const char* serie, const char* descriere, const char* veche = "") {
        auto p = Series::startParameters(
            operation, seriesFields(QString::fromLatin1(serie), QString::fromLatin1(descriere)), idTop, {},
            QString::fromLatin1(veche));
        return backend->callProcedure("Start", p);
    }
    int number(const QString& sql) { return backend->query(sql).rows.value(0, 0).toInt(); }

    std::unique_ptr<OdbcBackend> backend;
};

} // namespace

TEST_F(OdbcMssql, ProceduresDecideRefuseAndChange) {
    const std::tuple<const char*, int, int> rights[] = {{"S", 1, 0}, {"S", 2, 1}, {"A", 2, 0}, {"A", 999, 1}};
    for (const auto& [action, user, allowed] : rights) {
        auto p = veziParameters(QStringLiteral("4311"), QString::fromLatin1(action), user);
        EXPECT_EQ(backend->callProcedure("Vezi", p), allowed) << action << user;
        EXPECT_EQ(p[0].value.toInt(), allowed) << "the return value parameter holds the result";
    }

    auto sterge = stergeParameters(5, 1, QStringLiteral(" "));
    EXPECT_EQ(errorOf([&] { backend->callProcedure("Sterge", sterge); }).description(),
              "Banca este folosita in conturile bancare ale tertilor si nu poate fi stearsa !");
    sterge[2].value = 5; // a bank nobody uses goes
    EXPECT_EQ(backend->callProcedure("Sterge", sterge), 0);
    EXPECT_EQ(number("SELECT count(*) FROM Banci WHERE [Cod Banca] IN (1, 5)"), 1);

    EXPECT_EQ(start(15, 1, "ZZT", "Serie de test"), 0);
    EXPECT_EQ(start(15, 1, "ZZT", "Alta descriere"), 10); // the code exists
    const QueryResult added = backend->query(
        "SELECT IdSerie, Descriere, NumarCopii, Casierie FROM SeriiDocumente WHERE Serie = 'ZZT'");
    ASSERT_EQ(added.rows.rowCount(), 1u);
    const QString id = added.rows.value(0, 0).toString();
    EXPECT_EQ(added.rows.value(0, 1).toString() + added.rows.value(0, 2).toString(), "Serie de test2");
    EXPECT_TRUE(added.rows.isNull(0, 3)); // "0" means no cash desk
    EXPECT_EQ(start(13, id.toInt(), "ZZU", "Modificata", "ZZT"), 0);
    EXPECT_EQ(
        backend->query("SELECT Serie FROM SeriiDocumente WHERE IdSerie = " + id).rows.value(0, 0).toString(),
        "ZZU");
    EXPECT_EQ(start(14, number("SELECT IdSerie FROM SeriiDocumente WHERE Serie = 'LMC'"), "LMC",
                    "Facturi mobilier"),
              10); // documents already issued
    EXPECT_EQ(start(14, id.toInt(), "ZZU", "Modificata"), 0);
    EXPECT_EQ(number("SELECT count(*) FROM SeriiDocumente WHERE IdSerie = " + id), 0);
}

TEST_F(OdbcMssql, ColumnsKeysIntegrityAndUnicode) {
    const QueryResult r =
        backend->query("SELECT IdSerie, Descriere, Tip, FirstDoc, TipHartie FROM SeriiDocumente");
    ASSERT_EQ(r.columns.size(), 5u);
    const int sizes[] = {4, 50, 1, 4, 10};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(r.columns[c].definedSize, sizes[c]) << c;
    if (!r.columns[0].baseTable.isEmpty()) {
        EXPECT_TRUE(r.columns[0].key && !r.columns[1].key);
    }
    EXPECT_EQ(backend->primaryKey("dbo.SeriiDocumente"), (std::vector<QString>{"IdSerie"}));

    const QString year = QString::number(number("SELECT An FROM An"));
    EXPECT_EQ(errorOf([&] { backend->execute("INSERT INTO An (An) VALUES (" + year + ")"); }).number(),
              0x80040E2Fu);
    const DbError fk = errorOf([&] { backend->execute("DELETE FROM Banci WHERE [Cod Banca] = 1"); });
    EXPECT_EQ(fk.number(), ErrorNumber::Integrity);
    EXPECT_EQ(fk.nativeCode(), 547);

    const QString name = QString::fromUtf8("Ionut Sandulescu \xC4\x83\xC3\xAE\xC8\x99\xC8\x9B");
    EXPECT_EQ(backend->execute("UPDATE Banci SET Descriere = ? WHERE [Cod Banca] = 5", {QVariant(name)}), 1);
    EXPECT_EQ(backend->execute("UPDATE Banci SET Descriere = N'" + name + "' WHERE [Cod Banca] = 4"), 1);
    EXPECT_EQ(backend->query("SELECT Descriere FROM Banci WHERE [Cod Banca] = 5").rows.value(0, 0).toString(),
              name);
    EXPECT_EQ(number("SELECT count(*) FROM Banci WHERE Descriere = N'" + name + "'"), 2);
}

TEST_F(OdbcMssql, KilledSessionIsReportedThenReconnected) {
    backend->rollback();
    const int spid = number("SELECT @@SPID");
    OdbcBackend other(mssqlConnectionString());
    try {
        other.execute("KILL " + QString::number(spid));
    } catch (const DbError& e) {
        GTEST_SKIP() << "cannot KILL a session with this login: " << e.description().toStdString();
    }
    const DbError lost = errorOf([&] { backend->query("SELECT 1"); });
    EXPECT_TRUE(lost.description().contains("lost")) << lost.description().toStdString();
    EXPECT_EQ(number("SELECT 2"), 2);
}
