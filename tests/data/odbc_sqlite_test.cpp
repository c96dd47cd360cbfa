// The ODBC backend through the distribution's SQLite ODBC driver, on a file prepared natively.
#include "TestDatabase.h"

#include "data/odbc/OdbcBackend.h"

#include <clocale>
#include <memory>
#include <string>

using namespace vornel;
using namespace vornel::test;

namespace {

const QString Unicode = QString::fromUtf8("Ionut Sandulescu \xC4\x83\xC3\xAE\xC8\x99\xC8\x9B"); // ...ăîșț

class OdbcSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        if (!odbcDriverRegistered("SQLite3"))
            GTEST_SKIP() << "ODBC driver \"SQLite3\" not registered (install libsqliteodbc; "
                            "odbcinst -i -d -f /usr/share/sqliteodbc/unixodbc.ini)";
        db.exec("CREATE TABLE Banci ([Cod Banca] int NOT NULL PRIMARY KEY, Descriere nvarchar(50) NOT NULL,"
                " Cont nvarchar(10), Sold float, Data datetime);"
                "CREATE TABLE Perechi (b nvarchar(5) NOT NULL, a int NOT NULL, v nvarchar(20), PRIMARY KEY "
                "(b, a));"
                "CREATE TABLE Auto (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nume nvarchar(50));");
        db.exec("INSERT INTO Banci VALUES (1, '" + Unicode +
                "', '5121.01', 1250.75, '2026-03-31 10:20:30');"
                "INSERT INTO Banci VALUES (2, 'BRD', '', NULL, NULL);"
                "INSERT INTO Banci VALUES (3, 'CEC', NULL, -4, NULL);");
        db.close(); // the ODBC side gets the file to itself, as in production
        backend = std::make_unique<OdbcBackend>(db.odbcConnectionString());
    }

    NativeSqliteFile db;
    std::unique_ptr<OdbcBackend> backend;
};

} // namespace

TEST_F(OdbcSqlite, ResultSetDescribesColumnsAndKeepsNullApartFromEmpty) {
    const QueryResult r =
        backend->query("SELECT [Cod Banca], Descriere, Cont, Sold, Data, Cont || 'x' AS Expr "
                       "FROM Banci ORDER BY [Cod Banca]");
    ASSERT_EQ(r.columns.size(), 6u);
    ASSERT_EQ(r.rows.rowCount(), 3u);
    const std::tuple<ColumnType, int, bool> expected[] = {{ColumnType::Integer, 4, true},
                                                          {ColumnType::Text, 50, false},
                                                          {ColumnType::Text, 10, false},
                                                          {ColumnType::Double, 8, false}};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(std::tuple(r.columns[c].type, r.columns[c].definedSize, r.columns[c].key), expected[c])
            << c;
    EXPECT_EQ(r.columns[4].type, ColumnType::DateTime);
    EXPECT_EQ(r.columns[0].baseTable + '.' + r.columns[0].baseColumn, "Banci.Cod Banca");
    EXPECT_EQ(r.columns[5].baseTable, "");

    EXPECT_EQ(r.rows.value(0, 2).toString() + '|' + r.rows.value(0, 3).toString() + '|' +
                  r.rows.value(0, 4).toString() + '|' + r.rows.value(2, 3).toString(),
              "5121.01|1250.75|2026-03-31 10:20:30|-4");
    EXPECT_FALSE(r.rows.isNull(1, 2)); // ''
    EXPECT_TRUE(r.rows.isNull(1, 3) && r.rows.isNull(1, 4) && r.rows.isNull(2, 2));
    EXPECT_TRUE(r.rows.isNull(2, 5)); // NULL || 'x' is NULL
    EXPECT_EQ(backend->query("SELECT Descriere FROM Banci WHERE 1 = 0").columns.size(), 1u);
}

TEST_F(OdbcSqlite, TextRoundTripsByteForByteWhateverTheHostLocaleAndLength) {
    EXPECT_EQ(backend->query("SELECT Descriere FROM Banci WHERE [Cod Banca] = 1").rows.value(0, 0).toString(),
              Unicode);
    // Written through ODBC as literal and as bound value, read natively.
    EXPECT_EQ(backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (10, '" + Unicode +
                               " O''Brien')"),
              1);
    EXPECT_EQ(backend->execute("INSERT INTO Banci ([Cod Banca], Descriere, Cont) VALUES (?, ?, ?)",
                               {QVariant(11), QVariant(Unicode), QVariant()}),
              1);
    EXPECT_EQ(db.scalar("SELECT Descriere FROM Banci WHERE [Cod Banca] = 10"),
              Unicode + QStringLiteral(" O'Brien"));
    EXPECT_EQ(db.scalar("SELECT Descriere || quote(Cont) FROM Banci WHERE [Cod Banca] = 11"),
              Unicode + "NULL");
    EXPECT_EQ(
        backend->query("SELECT [Cod Banca] FROM Banci WHERE Descriere = '" + Unicode + "'").rows.rowCount(),
        2u);
    db.close();

    // unixODBC converts wide calls for this ANSI driver by the C library's locale; a host that
    // never calls setlocale() runs in "C", where that conversion would lose the Romanian letters.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    {
        OdbcBackend plain(db.odbcConnectionString());
        plain.execute("UPDATE Banci SET Cont = 'Ion" + QString::fromUtf8("\xC8\x9B") +
                      "' WHERE [Cod Banca] = 2");
        EXPECT_EQ(
            plain.query("SELECT Descriere FROM Banci WHERE [Cod Banca] = 1").rows.value(0, 0).toString(),
            Unicode);
    }
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(db.scalar("SELECT Cont FROM Banci WHERE [Cod Banca] = 2"), "Ion\xC8\x9B");
    db.close();

    // Two-byte letters at odd offsets make the driver's chunks end inside a character.
    QString longText = QStringLiteral("x");
    while (longText.size() < 50000)
        longText += QString::fromUtf8("\xC4\x83"
                                      "ab\xC8\x99");
    backend->execute("INSERT INTO Perechi (b, a, v) VALUES ('L', 1, ?)", {QVariant(longText)});
    EXPECT_EQ(backend->query("SELECT v FROM Perechi WHERE b = 'L'").rows.value(0, 0).toString(), longText);
}

TEST_F(OdbcSqlite, StatementsReportRowsAffectedAndBindEveryValueKind) {
    EXPECT_EQ(backend->execute("UPDATE Banci SET Cont = 'c' WHERE [Cod Banca] > 1"), 2);
    EXPECT_EQ(backend->execute("DELETE FROM Banci WHERE [Cod Banca] = 99"), 0); // how a changed row is seen
    EXPECT_EQ(backend->execute("INSERT INTO Banci VALUES (?, ?, ?, ?, ?)",
                               {QVariant(qlonglong(7)), QVariant(QString()), QVariant(QStringLiteral("")),
                                QVariant(2.5), QVariant(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)))}),
              1);
    // An empty QString is text, not NULL: only an invalid QVariant is NULL.
    EXPECT_EQ(db.scalar("SELECT quote(Descriere) || quote(Cont) || '|' || Sold || '|' || substr(Data, 1, 19) "
                        "FROM Banci WHERE [Cod Banca] = 7"),
              "''''|2.5|2026-01-02 03:04:05");
}

TEST_F(OdbcSqlite, DatabaseErrorsCarryAdoNumbersAndLeaveTheBackendUsable) {
    const DbError duplicate =
        errorOf([&] { backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (1, 'x')"); });
    EXPECT_EQ(duplicate.number(), 0x80040E2Fu);
    EXPECT_TRUE(duplicate.description().startsWith("UNIQUE constraint failed")) // no vendor prefix
        << duplicate.description().toStdString();
    const std::pair<const char*, std::uint32_t> failures[] = {
        {"INSERT INTO Banci ([Cod Banca]) VALUES (50)", ErrorNumber::Integrity},
        {"SELEC * FROM Banci", ErrorNumber::Command},
        {"DELETE FROM Nimic WHERE a = 1", ErrorNumber::NoTable},
    };
    for (const auto& [sql, number] : failures)
        EXPECT_EQ(errorOf([&] { backend->execute(sql); }).number(), number) << sql;
    const DbError procedure = errorOf([&] {
        std::vector<Parameter> p{{"nr", DataType::VarWChar, ParameterDirection::Input, 50, "4311"}};
        backend->callProcedure("Vezi", p);
    });
    EXPECT_EQ(procedure.number(), ErrorNumber::NoTable);
    EXPECT_TRUE(procedure.description().contains("no stored procedures"))
        << procedure.description().toStdString();

    // Nothing of the failed statements was written, and the next ones work.
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Banci"), "3");
    EXPECT_EQ(backend->execute("UPDATE Banci SET Cont = 'ok' WHERE [Cod Banca] = 2"), 1);
}

TEST_F(OdbcSqlite, OnlyTheOutermostCommitEndsATransaction) {
    backend->begin();
    backend->begin();
    backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (21, 'interior')");
    backend->commit();
    backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (22, 'exterior')");
    backend->rollback();
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Banci WHERE [Cod Banca] IN (21, 22)"), "0");
    db.close();

    // Back in autocommit: a lone statement is saved at once; a stray rollback changes nothing.
    backend->execute("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (24, 'singur')");
    backend->rollback();
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Banci WHERE [Cod Banca] = 24"), "1");
}

TEST_F(OdbcSqlite, KeysAndInsertedIds) {
    EXPECT_EQ(backend->primaryKey("Perechi"), (std::vector<QString>{"b", "a"})); // key order
    EXPECT_EQ(backend->primaryKey("[Banci]"), (std::vector<QString>{"Cod Banca"}));
    EXPECT_EQ(backend->primaryKey("dbo.Banci"), (std::vector<QString>{"Cod Banca"}));
    EXPECT_TRUE(backend->primaryKey("Nimic").empty());
    const QueryResult pairs = backend->query("SELECT a, v, b FROM Perechi");
    EXPECT_TRUE(pairs.columns[0].key && !pairs.columns[1].key && pairs.columns[2].key);
    backend->execute("INSERT INTO Auto (Nume) VALUES ('a')");
    backend->execute("INSERT INTO Auto (Nume) VALUES ('b')");
    EXPECT_EQ(backend->lastInsertId().toLongLong(), 2);
}

TEST(OdbcConnect, BadConnectionStringsGiveClearErrors) {
    const auto failure = [](const QString& cs) {
        return errorOf([&] { OdbcBackend backend(cs); }).description().toStdString();
    };
    EXPECT_EQ(failure("Driver=NoSuchDriver9;Database=/tmp/x.db"), "ODBC driver not found: NoSuchDriver9");
    EXPECT_NE(failure("DSN=NoSuchDsn9").find("NoSuchDsn9"), std::string::npos);
    if (!odbcDriverRegistered("SQLite3"))
        GTEST_SKIP() << "ODBC driver \"SQLite3\" not registered: the unreachable-file case needs it";
    EXPECT_EQ(failure("Driver=SQLite3;Database=/nonexistent-dir-9/firma.db")
                  .rfind("Could not connect to the database (Database=/nonexistent-dir-9/firma.db)", 0),
              0u);
}
