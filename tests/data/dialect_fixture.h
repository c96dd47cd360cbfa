#pragma once
// A small company database in memory, shaped like the real one, with the administration database
// attached as AdmTivra; statements are written in T-SQL and run through the dialect layer.

#include "data/sqlite/SqliteFunctions.h"
#include "data/sqlite/TsqlDialect.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <ostream>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace vornel::test {

class DialectDb : public ::testing::Test {
public:
    void SetUp() override {
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        registerSqliteFunctions(db);
        native("ATTACH ':memory:' AS AdmTivra");
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

    void TearDown() override { sqlite3_close(db); }

    void native(const char* sql) {
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
        ASSERT_EQ(rc, SQLITE_OK) << (error ? error : "");
    }

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

    void run(const QString& tsql) { rows(tsql); }

    sqlite3* db = nullptr;
};

} // namespace vornel::test
