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

TEST(OdbcErrorMapping, DiagnosticsBecomeAdoNumbers) {
    const struct {
        const char* state;
        int native;
        const char* message;
        bool sqlite;
        std::uint32_t number;
    } cases[] = {
        // SQL Server: foreign key, unique index, primary key, NOT NULL are all 0x80040E2F.
        {"23000", 547, "x", false, ErrorNumber::Integrity},
        {"23000", 2601, "x", false, ErrorNumber::Integrity},
        {"23000", 2627, "x", false, ErrorNumber::Integrity},
        {"23000", 515, "x", false, ErrorNumber::Integrity},
        {"HY000", 2627, "Violation of PRIMARY KEY constraint", false, ErrorNumber::Integrity},
        {"42S02", 208, "Invalid object name 'Nimic'.", false, ErrorNumber::NoTable},
        {"42000", 2812, "Could not find stored procedure 'Vezi'.", false, ErrorNumber::NoTable},
        {"42000", 102, "Incorrect syntax near 'FORM'.", false, ErrorNumber::Command},
        {"42S22", 207, "Invalid column name 'x'.", false, ErrorNumber::Command},
        {"21S01", 213, "Column name or number of supplied values does not match", false,
         ErrorNumber::Command},
        {"HY000", 19, "whatever", false, ErrorNumber::Unspecified}, // SQLite's numbers mean nothing here
        // The SQLite driver says HY000 for everything: the native code tells the kind.
        {"HY000", 19, "[SQLite]UNIQUE constraint failed: t.a (19)", true, ErrorNumber::Integrity},
        {"HY000", 1555, "[SQLite]UNIQUE constraint failed", true, ErrorNumber::Integrity},
        {"HY000", 1, "[SQLite]no such table: X (1)", true, ErrorNumber::NoTable},
        {"HY000", 1, "[SQLite]near \"selec\": syntax error (1)", true, ErrorNumber::Command},
        {"HY000", 5, "[SQLite]database is locked (5)", true, ErrorNumber::Unspecified},
    };
    for (const auto& c : cases)
        EXPECT_EQ(classify({rec(c.state, c.native, c.message)}, c.sqlite).number(), c.number) << c.message;

    const OdbcError e =
        classify({rec("23000", 547,
                      "[Microsoft][ODBC Driver 18 for SQL Server][SQL Server]The "
                      "DELETE statement conflicted with the REFERENCE constraint"),
                  rec("01000", 3621, "[Microsoft][SQL Server]The statement has been terminated.")},
                 false);
    EXPECT_EQ(e.nativeCode(), 547);
    EXPECT_EQ(e.sqlState(), "23000"); // the log names it
    EXPECT_EQ(e.description(), "The DELETE statement conflicted with the REFERENCE constraint");
    EXPECT_FALSE(e.connectionLost());
    // A procedure's RAISERROR is not a command error: its text is what the user must read.
    EXPECT_EQ(
        classify({rec("42000", 50000, "[Microsoft][SQL Server]Banca este folosita")}, false).description(),
        "Banca este folosita");
    EXPECT_EQ(classify({}, false).number(), ErrorNumber::Unspecified);
    EXPECT_EQ(classify({rec("01000", 0, "[unixODBC]something odd")}, false).description(), "something odd");
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

TEST(OdbcConnectErrors, MissingDriverOrDataSourceIsNamed) {
    const QString cs = "Driver={ODBC Driver 18 for SQL Server};Server=srv;Database=Firma;UID=sa;PWD=secret";
    EXPECT_EQ(connectError({rec("01000", 0,
                                "[unixODBC][Driver Manager]Can't open lib 'ODBC Driver 18 for SQL Server' : "
                                "file not found")},
                           cs)
                  .description(),
              "ODBC driver not found: ODBC Driver 18 for SQL Server");
    EXPECT_EQ(connectError({rec("IM002", 0, "Data source name not found")}, "DSN=Firma;UID=u").description(),
              "ODBC driver not found: data source Firma");
    EXPECT_TRUE(connectError({rec("IM002", 0, "x")}, "Server=a").description().contains("no Driver or DSN"));
    const OdbcError login =
        connectError({rec("28000", 18456, "[Microsoft][SQL Server]Login failed for user 'sa'.")}, cs);
    EXPECT_EQ(login.description(), // never the password
              "Could not connect to the database (Server=srv;Database=Firma): Login failed for user 'sa'.");
    EXPECT_FALSE(login.connectionLost());
}

TEST(OdbcText, ConnectionStringsVendorPrefixesAndQualifiedNames) {
    const QString cs = " driver = {SQL Server;v2} ; Server=tcp:host,1433;PWD={a}}b;c};Database=Firma";
    EXPECT_EQ(connectionStringValue(cs, "Driver"), "SQL Server;v2");
    EXPECT_EQ(connectionStringValue(cs, "SERVER"), "tcp:host,1433");
    EXPECT_EQ(connectionStringValue(cs, "PWD"), "a}b;c");
    EXPECT_EQ(connectionStringValue(cs, "Database"), "Firma");
    EXPECT_EQ(connectionStringValue(cs, "UID"), "");

    EXPECT_EQ(stripVendorPrefix("[Microsoft][ODBC Driver 18 for SQL Server][SQL Server]Text [with] brackets"),
              "Text [with] brackets");
    EXPECT_EQ(stripVendorPrefix("[unclosed"), "[unclosed");

    const auto parts = [](const QString& name) {
        const QualifiedName q = splitQualifiedName(name);
        return (q.catalog + "|" + q.schema + "|" + q.table).toStdString();
    };
    EXPECT_EQ(parts("AdmTivra.dbo.Societati"), "AdmTivra|dbo|Societati");
    EXPECT_EQ(parts("[dbo].[Cod Vamal]"), "|dbo|Cod Vamal");
    EXPECT_EQ(parts("[a.b]"), "||a.b");
    EXPECT_EQ(parts("AdmTivra..Societati"), "AdmTivra||Societati");
}

TEST(OdbcDefinedSizes, AsAdoReportsThem) {
    const std::pair<std::pair<int, unsigned long long>, int> cases[] = {
        {{SQL_WVARCHAR, 50}, 50},
        {{SQL_VARCHAR, 1}, 1},
        {{SQL_WVARCHAR, 0}, 1073741823},
        {{SQL_WLONGVARCHAR, 0x7fffffffffULL}, 1073741823},
        {{SQL_INTEGER, 10}, 4},
        {{SQL_SMALLINT, 5}, 2},
        {{SQL_TINYINT, 3}, 1},
        {{SQL_BIT, 1}, 2},
        {{SQL_BIGINT, 19}, 8},
        {{SQL_FLOAT, 53}, 8},
        {{SQL_DECIMAL, 19}, 8} /* money */,
        {{SQL_TYPE_TIMESTAMP, 23}, 16},
    };
    for (const auto& [type, size] : cases)
        EXPECT_EQ(definedSize(type.first, type.second), size) << type.first << " " << type.second;
}
