#pragma once
// The data-layer tests' databases: a small company-like one, the demo database, or a native SQLite
// file for the ODBC driver, in a temporary folder; a small company shaped database in memory for
// the dialect; and the calls of the stored procedures as the windows make them.

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"
#include "data/sqlite/TsqlDialect.h"
#include "documents/SeriesStatements.h"
#include "support/TestSupport.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>
#include <string>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace vornel::test {

inline const char* const kSchema = R"(
CREATE TABLE Grupe (Id INTEGER PRIMARY KEY, Cod nvarchar(10) COLLATE NOCASE NOT NULL UNIQUE,
                    Denumire nvarchar(50) COLLATE NOCASE, Pret float);
INSERT INTO Grupe VALUES (1, 'AB1', 'Alfa', 1.5), (2, 'ab2', 'Beta', 2), (3, 'CD3', 'gama', NULL),
                         (4, 'X*Y', '', 10);
CREATE TABLE Parinte (Cod nvarchar(10) COLLATE NOCASE PRIMARY KEY, Nume nvarchar(30));
INSERT INTO Parinte VALUES ('P1', 'Unu'), ('P2', 'Doi');
CREATE TABLE Copil (Id INTEGER PRIMARY KEY, Parinte nvarchar(10) NOT NULL REFERENCES Parinte(Cod),
                    Nota int CHECK (Nota >= 0));
INSERT INTO Copil VALUES (1, 'P1', 5);
)";

// Every row of a table as "a|b|<null>|" lines, sorted: compares the whole table before and after.
inline QString digest(Connection& db, const QString& table) {
    QStringList lines;
    const QueryResult r = db.query(QStringLiteral("SELECT * FROM ") + table);
    for (std::size_t row = 0; row < r.rows.rowCount(); ++row) {
        QString line;
        for (int c = 0; c < r.rows.columnCount(); ++c)
            line += (r.rows.isNull(row, c) ? QStringLiteral("<null>") : r.rows.value(row, c).toString()) +
                    QLatin1Char('|');
        lines << line;
    }
    lines.sort();
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// The small schema above (`demo` false) or the demo database (`demo` true).
class DatabaseTest : public ::testing::Test {
protected:
    explicit DatabaseTest(bool demo = false) : m_demo(demo) {}
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("firma.db"));
        if (m_demo) {
            DemoDatabase::create(m_path);
        } else {
            SqliteBackend creator(m_path, {}, true);
            creator.executeNative(QString::fromUtf8(kSchema));
        }
        m_db = Connection::open(QStringLiteral("sqlite:") + m_path);
    }

    SqliteBackend& sqlite() { return static_cast<SqliteBackend&>(m_db->backend()); }
    QString digest(const QString& table) { return test::digest(*m_db, table); }
    QString text(const QString& sql) { return m_db->scalar(sql).toString(); }
    int count(const QString& sql) { return m_db->scalar(sql).toInt(); }

    QTemporaryDir m_dir;
    QString m_path;
    std::shared_ptr<Connection> m_db;

private:
    bool m_demo;
};

class DemoTest : public DatabaseTest {
protected:
    DemoTest() : DatabaseTest(true) {}
};

// Runs `f` and returns the DbError it throws; fails the test when it throws none.
inline DbError errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const DbError& e) {
        return e;
    }
    ADD_FAILURE() << "no DbError thrown";
    return DbError(0, {});
}

// The deletion check "Sterge" of the demo company.
inline std::vector<Parameter> stergeParameters(int what, int varInt, const QString& varString) {
    return {in("NumeSoc", DataType::VarWChar, QStringLiteral("LEMNART_2026"), 50),
            in("what", DataType::Integer, what), in("varInt", DataType::Integer, varInt),
            in("varString", DataType::VarWChar, varString, 50)};
}

// A new series as the output documents window holds it in its fields.
inline Series::Fields seriesFields(const QString& serie = QStringLiteral("LEX"),
                                   const QString& descriere = QStringLiteral("Facturi export")) {
    Series::Fields f;
    f.mode = QStringLiteral("A");
    f.descriere = descriere;
    f.facturi = true;
    f.serie = serie;
    f.pd = QStringLiteral("1");
    f.ud = QStringLiteral("999");
    f.numarCopii = QStringLiteral("2");
    f.nrLinFac = QStringLiteral("18");
    f.tipFactura = QStringLiteral("Normal");
    f.tipHartie = QStringLiteral("A4");
    return f;
}

// True when unixODBC knows a driver of this name (as in /etc/odbcinst.ini).
inline bool odbcDriverRegistered(const char* name) {
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return false;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    bool found = false;
    SQLCHAR driver[256], attributes[1024];
    SQLSMALLINT driverLength = 0, attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (!found && SQL_SUCCEEDED(SQLDrivers(env, direction, driver, sizeof driver, &driverLength,
                                              attributes, sizeof attributes, &attributesLength))) {
        found = std::string(reinterpret_cast<const char*>(driver)) == name;
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return found;
}

// A temporary SQLite file written and read through the embedded backend, so that the ODBC side is
// checked against bytes it did not write; close() leaves the file to the ODBC side alone.
class NativeSqliteFile {
public:
    QString odbcConnectionString() const { return QStringLiteral("Driver=SQLite3;Database=") + m_path; }
    void exec(const QString& script) { native().executeNative(script); }
    // The first column of the first row; "<NULL>" for NULL, "<none>" without a row.
    QString scalar(const QString& sql) {
        const QueryResult r = native().query(sql);
        if (r.rows.rowCount() == 0) return QStringLiteral("<none>");
        return r.rows.isNull(0, 0) ? QStringLiteral("<NULL>") : r.rows.value(0, 0).toString();
    }
    void close() { m_native.reset(); }

private:
    SqliteBackend& native() {
        if (!m_native) m_native = std::make_unique<SqliteBackend>(m_path, QString(), true);
        return *m_native;
    }
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("firma.db"));
    std::unique_ptr<SqliteBackend> m_native;
};

// A small company database in memory, shaped like the real one, with the administration database
// attached as AdmTivra; statements are written in T-SQL and run through the dialect layer.
class DialectDb : public ::testing::Test {
public:
    void SetUp() override {
        m_backend =
            std::make_unique<SqliteBackend>(QStringLiteral(":memory:"), QStringLiteral(":memory:"), true);
        db = m_backend->handle();
        native(R"(
CREATE TABLE [Cod Vamal]([Cod Vamal] nvarchar(20) PRIMARY KEY, Descriere nvarchar(50));
CREATE TABLE [Tip Client]([Tip Client] nvarchar(20) PRIMARY KEY, Descriere nvarchar(50));
CREATE TABLE zContaGrupa(Grupa nvarchar(10) PRIMARY KEY, Descriere nvarchar(50));
CREATE TABLE zContaSubGrupa(Grupa nvarchar(10), SubGrupa nvarchar(10) PRIMARY KEY, Descriere nvarchar(50));
CREATE TABLE zConta_Plan(Cont nvarchar(20) PRIMARY KEY, [Titlu Cont] nvarchar(80), SubGrupa nvarchar(10));
CREATE TABLE Casierii([Cod Casierie] int PRIMARY KEY, [Denumire Casierie] nvarchar(50));
CREATE TABLE yC1(Cod nvarchar(10) PRIMARY KEY, Denumire nvarchar(50), Tip int);
CREATE TABLE yC2(CodC nvarchar(10) PRIMARY KEY, Denumire nvarchar(50), Cod nvarchar(10), R int);
CREATE TABLE SeriiDocumente(IdSerie integer PRIMARY KEY, Descriere nvarchar(50), Tip nvarchar(1), Serie nvarchar(10),
  Casierie int, NrLinAmbalaje int);
CREATE TABLE ConturiAmbalaje(IdSeriiD int, Cont nvarchar(20));
CREATE TABLE Depozite(Depozit int PRIMARY KEY, [Denumire Depozit] nvarchar(50), Furnizori datetime, Clienti datetime,
  Altele datetime);
CREATE TABLE GrupeProdus([Grupa Produs] nvarchar(10) PRIMARY KEY, Descriere nvarchar(50), Discount real);
CREATE TABLE Subgrupeprodus([Grupa Produs] nvarchar(10), [Subgrupa Produs] nvarchar(10) PRIMARY KEY, Descriere nvarchar(50));
CREATE TABLE CoduriProdus(Cod nvarchar(10) PRIMARY KEY, [Subgrupa Produs] nvarchar(10));
CREATE TABLE pTerti(Nume nvarchar(30), Prenume nvarchar(30), TipAngajat nvarchar(1));
CREATE TABLE TVA(TVA real, DenumireTVA nvarchar(50), [Cont TVA deductibil] nvarchar(20), [Cont TVA colectat] nvarchar(20));
CREATE TABLE AdmTivra.Societati(ID int PRIMARY KEY, Societate nvarchar(50), DenumireS nvarchar(50), Adresa nvarchar(50),
  CalculPump nvarchar(20), Curs real);

INSERT INTO [Cod Vamal] VALUES ('Fara Cod', 'fara'), ('8471', 'calculatoare');
INSERT INTO [Tip Client] VALUES ('EN', 'en gros');
INSERT INTO zContaGrupa VALUES ('4', 'Terti'), ('7', 'Venituri');
INSERT INTO zContaSubGrupa VALUES ('4', '40', 'Furnizori'), ('4', '41', 'Clienti'), ('7', '70', 'Cifra');
INSERT INTO zConta_Plan VALUES ('401', 'Furnizori', '40'), ('4111', 'Clienti', '41'), ('5311', NULL, NULL);
INSERT INTO Casierii VALUES (1, 'Centrala'), (12, NULL);
INSERT INTO yC1 VALUES ('A1', 'Atelier', 0), ('B2', 'Birou', 1);
INSERT INTO yC2 VALUES ('A1-1', 'Linia 1', 'A1', 1), ('B2-1', 'Contabilitate', 'B2', 0);
INSERT INTO SeriiDocumente VALUES (1, 'Facturi', 'F', 'FV', 1, 3), (2, 'Avize', 'A', 'AV', NULL, 0),
  (3, 'Bonuri', 'F', 'BF', 12, 0);
INSERT INTO ConturiAmbalaje VALUES (1, '401'), (1, '4111');
INSERT INTO Depozite VALUES (7, 'Central', '2024-03-05', '2023-12-31 00:00:00', NULL);
INSERT INTO GrupeProdus VALUES ('G1', 'Alimente', 2.5), ('G2', 'Nefolosita', 0);
INSERT INTO Subgrupeprodus VALUES ('G1', 'S1', 'Lactate'), ('G2', 'S2', 'Goala');
INSERT INTO CoduriProdus VALUES ('P1', 'S1'), ('P2', 'S1');
INSERT INTO pTerti VALUES ('Pop', 'Ion', 'P'), ('Pop', 'Ana', 'P');
INSERT INTO TVA VALUES (19, 'Normala', '4426', '4427'), (9, 'Redusa', '4426', '4427');
INSERT INTO AdmTivra.Societati VALUES (1, 'Firma', 'Firma SRL', 'Str. 1', NULL, 4.97);
)");
    }

    void native(const char* sql) { m_backend->executeNative(QString::fromUtf8(sql)); }

    // Translates and prepares one statement; fails the test for an error or a second statement.
    sqlite3_stmt* prepare(const QString& tsql) {
        const QByteArray sql = TsqlDialect::toSqlite(tsql).toUtf8();
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, &tail);
        EXPECT_EQ(rc, SQLITE_OK) << sqlite3_errmsg(db) << "\n  in: " << sql.constData();
        EXPECT_TRUE(tail == nullptr || *tail == '\0') << "unparsed tail: " << tail;
        return statement;
    }

    // Rows as "a|b|<null>" texts.
    QStringList rows(const QString& tsql) {
        QStringList out;
        sqlite3_stmt* statement = prepare(tsql);
        if (!statement) return {QStringLiteral("<not prepared>")};
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
                row << (text ? QString::fromUtf8(text) : QStringLiteral("<null>"));
            }
            out << row.join(u'|');
        }
        EXPECT_EQ(rc, SQLITE_DONE) << sqlite3_errmsg(db);
        sqlite3_finalize(statement);
        return out;
    }

    QString value(const QString& tsql) {
        const QStringList all = rows(tsql);
        return all.isEmpty() ? QStringLiteral("<no row>") : all.front();
    }

    std::unique_ptr<SqliteBackend> m_backend;
    sqlite3* db = nullptr;
};

} // namespace vornel::test
