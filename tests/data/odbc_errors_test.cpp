// How ODBC diagnostics become data layer errors, and the small parsers the ODBC backend relies on.
// None of this needs a driver.
#include "data/odbc/OdbcCatalog.h"
#include "data/odbc/OdbcErrors.h"
#include "data/odbc/OdbcResult.h"

#include <gtest/gtest.h>

using namespace vornel;
using namespace vornel::odbc;

namespace {

DiagRecord rec(const char* state, int native, const char* message) {
    return DiagRecord{QString::fromLatin1(state), native, QString::fromUtf8(message)};
}

} // namespace

TEST(OdbcErrorMapping, SqlServerIntegrityViolationsAllBecomeTheAdoIntegrityNumber) {
    // Foreign key, unique index, primary key, NOT NULL: ADO reports all as 0x80040E2F.
    for (int native : {547, 2601, 2627, 515}) {
        const OdbcError e =
            classify({rec("23000", native,
                          "[Microsoft][ODBC Driver 18 for SQL Server][SQL Server]The "
                          "DELETE statement conflicted with the REFERENCE constraint"),
                      rec("01000", 3621, "[Microsoft][SQL Server]The statement has been terminated.")},
                     false);
        EXPECT_EQ(e.number(), ErrorNumber::Integrity) << native;
        EXPECT_EQ(e.nativeCode(), native);
        EXPECT_EQ(e.sqlState(), "23000"); // the log names it
        EXPECT_EQ(e.description(), "The DELETE statement conflicted with the REFERENCE constraint");
        EXPECT_FALSE(e.connectionLost());
    }
    // A driver that reports the constraint only through the native number.
    EXPECT_EQ(classify({rec("HY000", 2627, "Violation of PRIMARY KEY constraint")}, false).number(),
              ErrorNumber::Integrity);
}

TEST(OdbcErrorMapping, SqliteDriverKindsAreToldByNativeCode) {
    // The SQLite driver says HY000 for everything.
    EXPECT_EQ(classify({rec("HY000", 19, "[SQLite]UNIQUE constraint failed: t.a (19)")}, true).number(),
              ErrorNumber::Integrity);
    EXPECT_EQ(classify({rec("HY000", 1555, "[SQLite]UNIQUE constraint failed")}, true).number(),
              ErrorNumber::Integrity); // extended code SQLITE_CONSTRAINT_PRIMARYKEY
    EXPECT_EQ(classify({rec("HY000", 1, "[SQLite]no such table: X (1)")}, true).number(),
              ErrorNumber::NoTable);
    EXPECT_EQ(classify({rec("HY000", 1, "[SQLite]near \"selec\": syntax error (1)")}, true).number(),
              ErrorNumber::Command);
    EXPECT_EQ(classify({rec("HY000", 5, "[SQLite]database is locked (5)")}, true).number(),
              ErrorNumber::Unspecified);
    // The same native numbers mean nothing special from SQL Server.
    EXPECT_EQ(classify({rec("HY000", 19, "whatever")}, false).number(), ErrorNumber::Unspecified);
}

TEST(OdbcErrorMapping, MissingObjectsAndBadSql) {
    EXPECT_EQ(classify({rec("42S02", 208, "Invalid object name 'Nimic'.")}, false).number(),
              ErrorNumber::NoTable);
    EXPECT_EQ(classify({rec("42000", 2812, "Could not find stored procedure 'Vezi'.")}, false).number(),
              ErrorNumber::NoTable);
    EXPECT_EQ(classify({rec("42000", 102, "Incorrect syntax near 'FORM'.")}, false).number(),
              ErrorNumber::Command);
    EXPECT_EQ(classify({rec("42S22", 207, "Invalid column name 'x'.")}, false).number(),
              ErrorNumber::Command);
    EXPECT_EQ(classify({rec("21S01", 213, "Column name or number of supplied values does not match")}, false)
                  .number(),
              ErrorNumber::Command);
    // A procedure's RAISERROR is not a command error: its text is what the user must read.
    const OdbcError raised =
        classify({rec("42000", 50000, "[Microsoft][SQL Server]Banca este folosita")}, false);
    EXPECT_EQ(raised.description(), "Banca este folosita");
}

TEST(OdbcErrorMapping, LostConnectionIsFlaggedAndSaysSo) {
    for (const char* state : {"08S01", "08003", "08007"}) {
        const OdbcError e =
            classify({rec(state, 10054, "[Microsoft]TCP Provider: Connection reset by peer")}, false);
        EXPECT_TRUE(e.connectionLost()) << state;
        EXPECT_EQ(e.number(), ErrorNumber::Unspecified);
        EXPECT_TRUE(e.description().startsWith("Connection to the database server was lost: TCP Provider"))
            << e.description().toStdString();
    }
    // A lost connection outranks the integrity error reported beside it.
    EXPECT_TRUE(classify({rec("23000", 2627, "dup"), rec("08S01", 0, "link")}, false).connectionLost());
    EXPECT_FALSE(classify({rec("HYT00", 0, "Query timeout expired")}, false).connectionLost());
}

TEST(OdbcErrorMapping, WarningsAloneOrNoRecordsStillGiveAnError) {
    EXPECT_EQ(classify({}, false).number(), ErrorNumber::Unspecified);
    const OdbcError w = classify({rec("01000", 0, "[unixODBC]something odd")}, false);
    EXPECT_EQ(w.description(), "something odd");
}

TEST(OdbcConnectErrors, MissingDriverOrDataSourceIsNamed) {
    const QString cs = "Driver={ODBC Driver 18 for SQL Server};Server=srv;Database=Firma;UID=sa;PWD=secret";
    const OdbcError unixodbc =
        connectError({rec("01000", 0,
                          "[unixODBC][Driver Manager]Can't open lib 'ODBC Driver 18 for SQL Server' : "
                          "file not found")},
                     cs);
    EXPECT_EQ(unixodbc.description(), "ODBC driver not found: ODBC Driver 18 for SQL Server");
    EXPECT_EQ(connectError({rec("IM002", 0, "Data source name not found")}, "DSN=Firma;UID=u").description(),
              "ODBC driver not found: data source Firma");
    EXPECT_TRUE(connectError({rec("IM002", 0, "x")}, "Server=a").description().contains("no Driver or DSN"));

    const OdbcError login =
        connectError({rec("28000", 18456, "[Microsoft][SQL Server]Login failed for user 'sa'.")}, cs);
    EXPECT_EQ(login.description(),
              "Could not connect to the database (Server=srv;Database=Firma): Login failed for user 'sa'.");
    EXPECT_FALSE(login.description().contains("secret"));
    EXPECT_FALSE(login.connectionLost());
}

TEST(OdbcConnectionString, ValuesByKeyWithBracesAndCase) {
    const QString cs = " driver = {SQL Server;v2} ; Server=tcp:host,1433;PWD={a}}b;c};Database=Firma";
    EXPECT_EQ(connectionStringValue(cs, "Driver"), "SQL Server;v2");
    EXPECT_EQ(connectionStringValue(cs, "SERVER"), "tcp:host,1433");
    EXPECT_EQ(connectionStringValue(cs, "PWD"), "a}b;c");
    EXPECT_EQ(connectionStringValue(cs, "Database"), "Firma");
    EXPECT_EQ(connectionStringValue(cs, "UID"), "");
}

TEST(OdbcVendorPrefix, OnlyLeadingBracketsAreRemoved) {
    EXPECT_EQ(stripVendorPrefix("[Microsoft][ODBC Driver 18 for SQL Server][SQL Server]Text [with] brackets"),
              "Text [with] brackets");
    EXPECT_EQ(stripVendorPrefix("No prefix"), "No prefix");
    EXPECT_EQ(stripVendorPrefix("[unclosed"), "[unclosed");
}

TEST(OdbcTableNames, QualifiedNamesSplitOutsideBrackets) {
    const QualifiedName three = splitQualifiedName("AdmTivra.dbo.Societati");
    EXPECT_EQ(three.catalog, "AdmTivra");
    EXPECT_EQ(three.schema, "dbo");
    EXPECT_EQ(three.table, "Societati");
    const QualifiedName spaced = splitQualifiedName("[dbo].[Cod Vamal]");
    EXPECT_EQ(spaced.schema, "dbo");
    EXPECT_EQ(spaced.table, "Cod Vamal");
    const QualifiedName dotted = splitQualifiedName("[a.b]");
    EXPECT_EQ(dotted.schema, "");
    EXPECT_EQ(dotted.table, "a.b");
    const QualifiedName skipped = splitQualifiedName("AdmTivra..Societati");
    EXPECT_EQ(skipped.catalog, "AdmTivra");
    EXPECT_EQ(skipped.schema, "");
}

TEST(OdbcDefinedSizes, AsAdoReportsThem) {
    EXPECT_EQ(definedSize(SQL_WVARCHAR, 50), 50);
    EXPECT_EQ(definedSize(SQL_VARCHAR, 1), 1);
    EXPECT_EQ(definedSize(SQL_WVARCHAR, 0), 1073741823); // nvarchar(max)
    EXPECT_EQ(definedSize(SQL_WLONGVARCHAR, 0x7fffffffffULL), 1073741823);
    EXPECT_EQ(definedSize(SQL_INTEGER, 10), 4);
    EXPECT_EQ(definedSize(SQL_SMALLINT, 5), 2);
    EXPECT_EQ(definedSize(SQL_TINYINT, 3), 1);
    EXPECT_EQ(definedSize(SQL_BIT, 1), 2);
    EXPECT_EQ(definedSize(SQL_BIGINT, 19), 8);
    EXPECT_EQ(definedSize(SQL_FLOAT, 53), 8);
    EXPECT_EQ(definedSize(SQL_DECIMAL, 19), 8); // money
    EXPECT_EQ(definedSize(SQL_TYPE_TIMESTAMP, 23), 16);
}
