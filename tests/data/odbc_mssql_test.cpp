// The ODBC backend against a real SQL Server holding the company database with its demo data and
// procedures (db/mssql, see its README). Runs only when VORNEL_TEST_MSSQL holds a connection string.
// Every change is made inside a transaction that is rolled back.
#include "data/DbError.h"
#include "data/odbc/OdbcBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace vornel;

namespace {

QString mssqlConnectionString() {
    const char* cs = std::getenv("VORNEL_TEST_MSSQL");
    return cs ? QString::fromUtf8(cs) : QString();
}

Parameter input(const char* name, DataType type, int size, QVariant value) {
    return Parameter{QString::fromLatin1(name), type, ParameterDirection::Input, size, std::move(value)};
}

class OdbcMssql : public ::testing::Test {
protected:
    void SetUp() override {
        if (mssqlConnectionString().isEmpty())
            GTEST_SKIP() << "VORNEL_TEST_MSSQL not set: no SQL Server to test against";
        backend = std::make_unique<OdbcBackend>(mssqlConnectionString());
    }

    void TearDown() override {
        if (backend) backend->rollback();
    }

    int vezi(const char* tip, qlonglong user) {
        std::vector<Parameter> params{
            Parameter{"RETURN_VALUE", DataType::Integer, ParameterDirection::ReturnValue, 0, {}},
            input("nr", DataType::VarWChar, 50, "4311"), input("tip", DataType::VarWChar, 1, tip),
            input("user", DataType::BigInt, 0, user), input("IdSoc", DataType::BigInt, 0, qlonglong(1))};
        const int returned = backend->callProcedure("Vezi", params);
        EXPECT_EQ(params[0].value.toInt(), returned) << "the return value parameter holds the result";
        return returned;
    }

    // The document series procedure with its 23 parameters, in the order the window appends them.
    int start(int operation, int idTop, const QString& serie, const QString& descriere,
              const QString& primitor = {}) {
        std::vector<Parameter> p{
            Parameter{"@Return_Value", DataType::Integer, ParameterDirection::ReturnValue, 0, {}},
            input("@Name", DataType::VarChar, 50, ""),
            input("@Document", DataType::VarChar, 50, descriere),
            input("@Dep", DataType::Integer, 0, "20"),
            input("@Operatiune", DataType::TinyInt, 0, operation),
            input("@ec", DataType::TinyInt, 0, 0),
            input("@IdTop", DataType::Integer, 0, idTop),
            input("@DataDoc", DataType::Date, 0, {}),
            input("@DataPlatii", DataType::Date, 0, {}),
            input("@Agent", DataType::Integer, 0, "1"),
            input("@DenumireAgent", DataType::VarChar, 50, serie),
            input("@Client", DataType::VarChar, 50, "0"),
            input("@DenumireClient", DataType::VarChar, 50, ""),
            input("@DebitMaxim", DataType::Currency, 0, 0),
            input("@SoldTotal", DataType::Currency, 0, 0),
            input("@TipValuta", DataType::VarChar, 20, "F"),
            input("@CursV", DataType::TinyInt, 0, "2"),
            input("@DocTransferat", DataType::VarChar, 50, "Normal"),
            input("@TipBon", DataType::Integer, 0, "999"),
            input("@DescriereDepozit", DataType::VarChar, 50, "A4"),
            input("@catreDep", DataType::Integer, 0, 0),
            input("@DesDepozit", DataType::VarChar, 50, ""),
            input("@Primitor", DataType::VarChar, 50, primitor),
            input("@IntoarceDocument", DataType::VarChar, 50, ""),
        };
        return backend->callProcedure("Start", p);
    }

    std::unique_ptr<OdbcBackend> backend;
};

DbError errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DbError& e) {
        return e;
    }
    ADD_FAILURE() << "no DbError raised";
    return DbError(0, {});
}

} // namespace

TEST_F(OdbcMssql, VeziReturnValueDecidesAccess) {
    EXPECT_EQ(vezi("S", 1), 0); // the administrator may delete
    EXPECT_EQ(vezi("S", 2), 1); // the operator may not
    EXPECT_EQ(vezi("A", 2), 0);
    EXPECT_EQ(vezi("A", 999), 1); // unknown user
}

TEST_F(OdbcMssql, StergeRefusalArrivesAsErrorWithTheProcedureText) {
    backend->begin();
    std::vector<Parameter> params{
        input("NumeSoc", DataType::VarWChar, 50, "LEMNART_2026"), input("what", DataType::Integer, 0, 5),
        input("varInt", DataType::Integer, 0, 1), input("varString", DataType::VarWChar, 50, " ")};
    const DbError e = errorOf([&] { backend->callProcedure("Sterge", params); });
    EXPECT_EQ(e.description(),
              "Banca este folosita in conturile bancare ale tertilor si nu poate fi stearsa !");
    EXPECT_EQ(backend->query("SELECT count(*) FROM Banci WHERE [Cod Banca] = 1").rows.value(0, 0).toInt(), 1);

    // A bank nobody uses goes.
    params[2].value = 5;
    EXPECT_EQ(backend->callProcedure("Sterge", params), 0);
    EXPECT_EQ(backend->query("SELECT count(*) FROM Banci WHERE [Cod Banca] = 5").rows.value(0, 0).toInt(), 0);
}

TEST_F(OdbcMssql, StartAddsModifiesDeletesAndRefusesWithTen) {
    backend->begin();
    EXPECT_EQ(start(15, 1, "ZZT", "Serie de test"), 0);
    EXPECT_EQ(start(15, 1, "ZZT", "Alta descriere"), 10); // the code exists
    const QueryResult added =
        backend->query("SELECT IdSerie, Descriere, NumarCopii, Casierie FROM SeriiDocumente "
                       "WHERE Serie = 'ZZT'");
    ASSERT_EQ(added.rows.rowCount(), 1u);
    const int id = added.rows.value(0, 0).toInt();
    EXPECT_EQ(added.rows.value(0, 1).toString(), "Serie de test");
    EXPECT_EQ(added.rows.value(0, 2).toInt(), 2);
    EXPECT_TRUE(added.rows.isNull(0, 3)); // "0" means no cash desk

    EXPECT_EQ(start(13, id, "ZZU", "Modificata", "ZZT"), 0);
    EXPECT_EQ(backend->query("SELECT Serie FROM SeriiDocumente WHERE IdSerie = " + QString::number(id))
                  .rows.value(0, 0)
                  .toString(),
              "ZZU");
    const int issued =
        backend->query("SELECT IdSerie FROM SeriiDocumente WHERE Serie = 'LMC'").rows.value(0, 0).toInt();
    EXPECT_EQ(start(14, issued, "LMC", "Facturi mobilier"), 10); // documents already issued
    EXPECT_EQ(start(14, id, "ZZU", "Modificata"), 0);
    EXPECT_EQ(backend->query("SELECT count(*) FROM SeriiDocumente WHERE IdSerie = " + QString::number(id))
                  .rows.value(0, 0)
                  .toInt(),
              0);
}

TEST_F(OdbcMssql, ColumnsReportDeclaredSizesAndKeys) {
    const QueryResult r =
        backend->query("SELECT IdSerie, Descriere, Tip, FirstDoc, TipHartie FROM SeriiDocumente");
    ASSERT_EQ(r.columns.size(), 5u);
    EXPECT_EQ(r.columns[0].definedSize, 4);
    EXPECT_EQ(r.columns[1].definedSize, 50);
    EXPECT_EQ(r.columns[2].definedSize, 1);
    EXPECT_EQ(r.columns[3].definedSize, 4);
    EXPECT_EQ(r.columns[4].definedSize, 10);
    if (!r.columns[0].baseTable.isEmpty()) {
        EXPECT_TRUE(r.columns[0].key);
        EXPECT_FALSE(r.columns[1].key);
    }
    EXPECT_EQ(backend->primaryKey("dbo.SeriiDocumente"), (std::vector<QString>{"IdSerie"}));
}

TEST_F(OdbcMssql, IntegrityViolationsAndUnicode) {
    backend->begin();
    const int year = backend->query("SELECT An FROM An").rows.value(0, 0).toInt();
    EXPECT_EQ(errorOf([&] {
                  backend->execute("INSERT INTO An (An) VALUES (" + QString::number(year) + ")");
              }).number(),
              0x80040E2Fu);
    const DbError fk = errorOf([&] { backend->execute("DELETE FROM Banci WHERE [Cod Banca] = 1"); });
    EXPECT_EQ(fk.number(), ErrorNumber::Integrity);
    EXPECT_EQ(fk.nativeCode(), 547);

    const QString name = QString::fromUtf8("Ionut Sandulescu \xC4\x83\xC3\xAE\xC8\x99\xC8\x9B");
    EXPECT_EQ(backend->execute("UPDATE Banci SET Descriere = ? WHERE [Cod Banca] = 5", {QVariant(name)}), 1);
    EXPECT_EQ(backend->query("SELECT Descriere FROM Banci WHERE [Cod Banca] = 5").rows.value(0, 0).toString(),
              name);
    EXPECT_EQ(backend->execute("UPDATE Banci SET Descriere = N'" + name + "' WHERE [Cod Banca] = 4"), 1);
    EXPECT_EQ(backend->query("SELECT count(*) FROM Banci WHERE Descriere = N'" + name + "'")
                  .rows.value(0, 0)
                  .toInt(),
              2);
}

TEST_F(OdbcMssql, KilledSessionIsReportedThenReconnected) {
    const int spid = backend->query("SELECT @@SPID").rows.value(0, 0).toInt();
    OdbcBackend other(mssqlConnectionString());
    try {
        other.execute("KILL " + QString::number(spid));
    } catch (const DbError& e) {
        GTEST_SKIP() << "cannot KILL a session with this login: " << e.description().toStdString();
    }
    const DbError lost = errorOf([&] { backend->query("SELECT 1"); });
    EXPECT_TRUE(lost.description().contains("lost")) << lost.description().toStdString();
    EXPECT_EQ(backend->query("SELECT 2").rows.value(0, 0).toInt(), 2);
}
