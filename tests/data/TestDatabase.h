#pragma once
// The data-layer tests' databases: a small company-like one, or the demo database, in a temporary
// folder and opened through a Connection; and the calls of the stored procedures as the windows
// make them.

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

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

inline Parameter in(const char* name, DataType type, QVariant value, int size = 0) {
    return Parameter{QString::fromLatin1(name), type, ParameterDirection::Input, size, std::move(value)};
}

// The rights check "Vezi" for screen `code` and action A, M or S.
inline std::vector<Parameter> veziParameters(const QString& code, const QString& action, qint64 user,
                                             qint64 company = 1) {
    return {
        Parameter{QStringLiteral("RETURN_VALUE"), DataType::Integer, ParameterDirection::ReturnValue, 0, {}},
        in("nr", DataType::VarWChar, code, 50), in("tip", DataType::VarWChar, action, 1),
        in("user", DataType::BigInt, user), in("IdSoc", DataType::BigInt, company)};
}

// The deletion check "Sterge" of the demo company.
inline std::vector<Parameter> stergeParameters(int what, int varInt, const QString& varString) {
    return {in("NumeSoc", DataType::VarWChar, QStringLiteral("LEMNART_2026"), 50),
            in("what", DataType::Integer, what), in("varInt", DataType::Integer, varInt),
            in("varString", DataType::VarWChar, varString, 50)};
}

// A document series as the output documents window holds it in its fields.
struct Serie {
    QString descriere = QStringLiteral("Facturi export");
    QString tip = QStringLiteral("F");
    QString serie = QStringLiteral("LEX");
    QString first = QStringLiteral("1");
    QString last = QStringLiteral("999");
    QString tipFactura = QStringLiteral("Normal");
    QString hartie = QStringLiteral("A4");
    QString copii = QStringLiteral("2");
    QString linii = QStringLiteral("18");
    QString ambalaje = QStringLiteral("0");
    QString casa = QStringLiteral("0");
    QString serieVeche;
};

// The 23 parameters of "Start" as the output documents window appends them.
inline std::vector<Parameter> startParameters(int operation, int idTop, const Serie& s) {
    return {
        Parameter{QStringLiteral("@Return_Value"), DataType::Integer, ParameterDirection::ReturnValue, 0, {}},
        in("@Name", DataType::VarChar, QString(), 50),
        in("@Document", DataType::VarChar, s.descriere, 50),
        in("@Dep", DataType::Integer, s.linii),
        in("@Operatiune", DataType::TinyInt, operation),
        in("@ec", DataType::TinyInt, 0),
        in("@IdTop", DataType::Integer, idTop),
        in("@DataDoc", DataType::Date, {}),
        in("@DataPlatii", DataType::Date, {}),
        in("@Agent", DataType::Integer, s.first),
        in("@DenumireAgent", DataType::VarChar, s.serie, 50),
        in("@Client", DataType::VarChar, s.casa, 50),
        in("@DenumireClient", DataType::VarChar, QString(), 50),
        in("@DebitMaxim", DataType::Currency, 0),
        in("@SoldTotal", DataType::Currency, 0),
        in("@TipValuta", DataType::VarChar, s.tip, 20),
        in("@CursV", DataType::TinyInt, s.copii),
        in("@DocTransferat", DataType::VarChar, s.tipFactura, 50),
        in("@TipBon", DataType::Integer, s.last),
        in("@DescriereDepozit", DataType::VarChar, s.hartie, 50),
        in("@catreDep", DataType::Integer, s.ambalaje),
        in("@DesDepozit", DataType::VarChar, QString(), 50),
        in("@Primitor", DataType::VarChar, s.serieVeche, 50),
        in("@IntoarceDocument", DataType::VarChar, QString(), 50)};
}

} // namespace vornel::test
