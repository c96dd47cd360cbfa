// The ODBC backend through the distribution's SQLite ODBC driver, on a file prepared natively.
#include "odbc_fixture.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/odbc/OdbcBackend.h"

#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>

using namespace vornel;
using vornel::testing::NativeSqliteFile;

namespace {

const QString Unicode = QString::fromUtf8("Ionut Sandulescu \xC4\x83\xC3\xAE\xC8\x99\xC8\x9B"); // ...ăîșț

class OdbcSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        if (!vornel::testing::odbcDriverRegistered("SQLite3"))
            GTEST_SKIP() << "ODBC driver \"SQLite3\" not registered (install libsqliteodbc; "
                            "odbcinst -i -d -f /usr/share/sqliteodbc/unixodbc.ini)";
        db.exec("CREATE TABLE Banci ([Cod Banca] int NOT NULL PRIMARY KEY, Descriere nvarchar(50) NOT NULL,"
                " Cont nvarchar(10), Sold float, Data datetime);"
                "CREATE TABLE Perechi (b nvarchar(5) NOT NULL, a int NOT NULL, v nvarchar(20), PRIMARY KEY "
                "(b, a));"
                "CREATE TABLE Auto (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nume nvarchar(50));");
        db.exec(("INSERT INTO Banci VALUES (1, '" + Unicode.toStdString() +
                 "', '5121.01', 1250.75, '2026-03-31 10:20:30');"
                 "INSERT INTO Banci VALUES (2, 'BRD', '', NULL, NULL);"
                 "INSERT INTO Banci VALUES (3, 'CEC', NULL, -4, NULL);")
                    .c_str());
        db.close(); // the ODBC side gets the file to itself, as in production
        backend = std::make_unique<OdbcBackend>(db.odbcConnectionString());
    }

    int columnIndex(const QueryResult& r, const char* name) const {
        for (std::size_t i = 0; i < r.columns.size(); ++i)
            if (r.columns[i].name == QLatin1String(name)) return static_cast<int>(i);
        ADD_FAILURE() << "no column " << name;
        return 0;
    }

    NativeSqliteFile db;
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

TEST_F(OdbcSqlite, ResultSetDescribesColumnsAndKeepsNullApartFromEmpty) {
    const QueryResult r =
        backend->query("SELECT [Cod Banca], Descriere, Cont, Sold, Data, Cont || 'x' AS Expr "
                       "FROM Banci ORDER BY [Cod Banca]");
    ASSERT_EQ(r.columns.size(), 6u);
    ASSERT_EQ(r.rows.rowCount(), 3u);
    const Column& code = r.columns[0];
    EXPECT_EQ(code.name, "Cod Banca");
    EXPECT_EQ(code.type, ColumnType::Integer);
    EXPECT_EQ(code.definedSize, 4);
    EXPECT_EQ(code.baseTable, "Banci");
    EXPECT_EQ(code.baseColumn, "Cod Banca");
    EXPECT_TRUE(code.key);
    // Declared lengths of text columns come through as defined sizes.
    EXPECT_EQ(r.columns[1].definedSize, 50);
    EXPECT_EQ(r.columns[1].type, ColumnType::Text);
    EXPECT_FALSE(r.columns[1].key);
    EXPECT_EQ(r.columns[2].definedSize, 10);
    EXPECT_EQ(r.columns[3].type, ColumnType::Double);
    EXPECT_EQ(r.columns[3].definedSize, 8);
    EXPECT_EQ(r.columns[4].type, ColumnType::DateTime);
    EXPECT_EQ(r.columns[5].baseTable, "");

    EXPECT_EQ(r.rows.value(0, 0).toInt(), 1);
    EXPECT_EQ(r.rows.value(0, 2).toString(), "5121.01");
    EXPECT_DOUBLE_EQ(r.rows.value(0, 3).toDouble(), 1250.75);
    EXPECT_EQ(r.rows.value(0, 4).toString(), "2026-03-31 10:20:30");
    EXPECT_FALSE(r.rows.isNull(1, 2)); // ''
    EXPECT_EQ(r.rows.value(1, 2).toString(), "");
    EXPECT_TRUE(r.rows.isNull(1, 3));
    EXPECT_TRUE(r.rows.isNull(1, 4));
    EXPECT_TRUE(r.rows.isNull(2, 2)); // NULL
    EXPECT_TRUE(r.rows.isNull(2, 5)); // NULL || 'x' is NULL
    EXPECT_DOUBLE_EQ(r.rows.value(2, 3).toDouble(), -4.0);

    const QueryResult none = backend->query("SELECT Descriere FROM Banci WHERE 1 = 0");
    EXPECT_EQ(none.columns.size(), 1u);
    EXPECT_EQ(none.rows.rowCount(), 0u);
}

TEST_F(OdbcSqlite, UnicodeTextRoundTripsByteForByte) {
    // Written natively, read through ODBC.
    EXPECT_EQ(backend->query("SELECT Descriere FROM Banci WHERE [Cod Banca] = 1").rows.value(0, 0).toString(),
              Unicode);

    // Written through ODBC as literal and as bound value, read natively.
    const QString quoted = Unicode + QStringLiteral(" O''Brien");
    EXPECT_EQ(backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (10, '" + quoted + "')"),
              1);
    EXPECT_EQ(backend->execute("INSERT INTO Banci ([Cod Banca], Descriere, Cont) VALUES (?, ?, ?)",
                               {QVariant(11), QVariant(Unicode), QVariant()}),
              1);
    EXPECT_EQ(db.scalar("SELECT Descriere FROM Banci WHERE [Cod Banca] = 10"),
              (Unicode + QStringLiteral(" O'Brien")).toStdString());
    EXPECT_EQ(db.scalar("SELECT Descriere FROM Banci WHERE [Cod Banca] = 11"), Unicode.toStdString());
    EXPECT_EQ(db.scalar("SELECT Cont FROM Banci WHERE [Cod Banca] = 11"), "<NULL>");
    // The search compares the same bytes.
    EXPECT_EQ(
        backend->query("SELECT [Cod Banca] FROM Banci WHERE Descriere = '" + Unicode + "'").rows.rowCount(),
        2u);
}

TEST_F(OdbcSqlite, UnicodeSurvivesAHostWithoutUtf8Locale) {
    // unixODBC converts wide calls for this ANSI driver by the C library's locale; a host that
    // never calls setlocale() runs in "C", where that conversion would lose the Romanian letters.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    {
        OdbcBackend plain(db.odbcConnectionString());
        plain.execute("UPDATE Banci SET Cont = '" + Unicode.left(3) + QString::fromUtf8("\xC8\x9B") +
                      "' WHERE [Cod Banca] = 2");
        EXPECT_EQ(
            plain.query("SELECT Descriere FROM Banci WHERE [Cod Banca] = 1").rows.value(0, 0).toString(),
            Unicode);
    }
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(db.scalar("SELECT Cont FROM Banci WHERE [Cod Banca] = 2"), "Ion\xC8\x9B");
}

TEST_F(OdbcSqlite, LongValuesArriveWhole) {
    // Two-byte letters at odd offsets make the driver's chunks end inside a character.
    QString longText = QStringLiteral("x");
    while (longText.size() < 50000)
        longText += QString::fromUtf8("\xC4\x83"
                                      "ab\xC8\x99");
    backend->execute("INSERT INTO Perechi (b, a, v) VALUES ('L', 1, ?)", {QVariant(longText)});
    const QueryResult r = backend->query("SELECT v FROM Perechi WHERE b = 'L'");
    ASSERT_EQ(r.rows.rowCount(), 1u);
    EXPECT_EQ(r.rows.value(0, 0).toString(), longText);
    EXPECT_EQ(db.scalar("SELECT length(v) FROM Perechi"), std::to_string(longText.size()));
}

TEST_F(OdbcSqlite, StatementsReportRowsAffectedAndBindEveryValueKind) {
    EXPECT_EQ(backend->execute("UPDATE Banci SET Cont = 'c' WHERE [Cod Banca] > 1"), 2);
    EXPECT_EQ(backend->execute("DELETE FROM Banci WHERE [Cod Banca] = 99"), 0);
    EXPECT_EQ(backend->execute("INSERT INTO Banci VALUES (?, ?, ?, ?, ?)",
                               {QVariant(qlonglong(7)), QVariant(QString()), QVariant(QStringLiteral("")),
                                QVariant(2.5), QVariant(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)))}),
              1);
    // An empty QString is text, not NULL: only an invalid QVariant is NULL.
    EXPECT_EQ(db.scalar("SELECT quote(Descriere) || quote(Cont) FROM Banci WHERE [Cod Banca] = 7"), "''''");
    EXPECT_EQ(db.scalar("SELECT Sold FROM Banci WHERE [Cod Banca] = 7"), "2.5");
    EXPECT_EQ(db.scalar("SELECT substr(Data, 1, 19) FROM Banci WHERE [Cod Banca] = 7"),
              "2026-01-02 03:04:05");
}

TEST_F(OdbcSqlite, DatabaseErrorsCarryAdoNumbersAndLeaveTheBackendUsable) {
    const DbError duplicate =
        errorOf([&] { backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (1, 'x')"); });
    EXPECT_EQ(duplicate.number(), 0x80040E2Fu);
    EXPECT_TRUE(duplicate.description().contains("UNIQUE constraint failed"))
        << duplicate.description().toStdString();
    EXPECT_FALSE(duplicate.description().startsWith("[")); // no vendor prefix for the user

    const DbError notNull = errorOf([&] { backend->execute("INSERT INTO Banci ([Cod Banca]) VALUES (50)"); });
    EXPECT_EQ(notNull.number(), ErrorNumber::Integrity);

    const DbError syntax = errorOf([&] { backend->query("SELEC * FROM Banci"); });
    EXPECT_EQ(syntax.number(), ErrorNumber::Command);
    EXPECT_TRUE(syntax.description().contains("syntax error"));

    const DbError missing = errorOf([&] { backend->execute("DELETE FROM Nimic WHERE a = 1"); });
    EXPECT_EQ(missing.number(), ErrorNumber::NoTable);

    // Nothing of the failed statements was written, and the next ones work.
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Banci"), "3");
    EXPECT_EQ(backend->execute("UPDATE Banci SET Cont = 'ok' WHERE [Cod Banca] = 2"), 1);
    EXPECT_EQ(backend->query("SELECT Cont FROM Banci WHERE [Cod Banca] = 2").rows.value(0, 0).toString(),
              "ok");
}

TEST_F(OdbcSqlite, TransactionsCommitOrRollBackEverything) {
    backend->begin();
    backend->execute("DELETE FROM Banci");
    backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (20, 'temporar')");
    backend->rollback();
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Banci"), "3");
    db.close();

    // Nested begin/commit: only the outermost commit ends the transaction.
    backend->begin();
    backend->begin();
    backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (21, 'interior')");
    backend->commit();
    backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (22, 'exterior')");
    backend->rollback();
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Banci WHERE [Cod Banca] IN (21, 22)"), "0");
    db.close();

    backend->begin();
    backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (23, 'pastrat')");
    backend->commit();
    EXPECT_EQ(db.scalar("SELECT Descriere FROM Banci WHERE [Cod Banca] = 23"), "pastrat");
    db.close();

    // Back in autocommit: a lone statement is saved at once; a stray rollback changes nothing.
    backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (24, 'singur')");
    backend->rollback();
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Banci WHERE [Cod Banca] = 24"), "1");
}

TEST_F(OdbcSqlite, KeysAndInsertedIds) {
    EXPECT_EQ(backend->primaryKey("Perechi"),
              (std::vector<QString>{"b", "a"})); // key order, not column order
    EXPECT_EQ(backend->primaryKey("[Banci]"), (std::vector<QString>{"Cod Banca"}));
    EXPECT_EQ(backend->primaryKey("dbo.Banci"), (std::vector<QString>{"Cod Banca"}));
    EXPECT_TRUE(backend->primaryKey("Nimic").empty());

    const QueryResult pairs = backend->query("SELECT a, v, b FROM Perechi");
    EXPECT_TRUE(pairs.columns[0].key);
    EXPECT_FALSE(pairs.columns[1].key);
    EXPECT_TRUE(pairs.columns[2].key);

    backend->execute("INSERT INTO Auto (Nume) VALUES ('a')");
    backend->execute("INSERT INTO Auto (Nume) VALUES ('b')");
    EXPECT_EQ(backend->lastInsertId().toLongLong(), 2);
}

TEST_F(OdbcSqlite, StoredProceduresAreRefusedClearly) {
    std::vector<Parameter> params{{"RETURN_VALUE", DataType::Integer, ParameterDirection::ReturnValue, 0, {}},
                                  {"nr", DataType::VarWChar, ParameterDirection::Input, 50, "4311"}};
    const DbError e = errorOf([&] { backend->callProcedure("Vezi", params); });
    EXPECT_EQ(e.number(), ErrorNumber::NoTable);
    EXPECT_TRUE(e.description().contains("no stored procedures")) << e.description().toStdString();
    EXPECT_EQ(backend->query("SELECT count(*) FROM Banci").rows.value(0, 0).toInt(), 3);
}

TEST_F(OdbcSqlite, ReachableThroughConnectionOpen) {
    backend.reset();
    const auto connection = Connection::open("odbc:" + db.odbcConnectionString());
    std::vector<QString> seen;
    connection->addObserver([&](const QString& sql) { seen.push_back(sql); });
    EXPECT_EQ(connection->execute("UPDATE Banci SET Cont = 'z'"), 3);
    EXPECT_EQ(connection->scalar("SELECT Cont FROM Banci WHERE [Cod Banca] = 3").toString(), "z");
    EXPECT_EQ(seen.front(), "UPDATE Banci SET Cont = 'z'");
}

TEST(OdbcConnect, BadConnectionStringsGiveClearErrors) {
    const auto failure = [](const QString& cs) -> DbError {
        try {
            OdbcBackend backend(cs);
        } catch (const DbError& e) {
            return e;
        }
        ADD_FAILURE() << "connected with " << cs.toStdString();
        return DbError(0, {});
    };
    const DbError driver = failure("Driver=NoSuchDriver9;Database=/tmp/x.db");
    EXPECT_EQ(driver.number(), ErrorNumber::Unspecified);
    EXPECT_EQ(driver.description(), "ODBC driver not found: NoSuchDriver9");
    EXPECT_TRUE(failure("DSN=NoSuchDsn9").description().contains("NoSuchDsn9"));

    if (!vornel::testing::odbcDriverRegistered("SQLite3"))
        GTEST_SKIP() << "ODBC driver \"SQLite3\" not registered: the unreachable-file case needs it";
    const DbError file = failure("Driver=SQLite3;Database=/nonexistent-dir-9/firma.db");
    EXPECT_TRUE(file.description().startsWith(
        "Could not connect to the database (Database=/nonexistent-dir-9/firma.db)"))
        << file.description().toStdString();
}
