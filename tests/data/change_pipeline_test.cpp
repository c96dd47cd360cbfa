// Saving through the change pipeline, on the embedded database and through the SQLite ODBC driver:
// the change and its audit row are written together or not at all, a row another user changed
// meanwhile is never overwritten, and a failed save names its cause.
#include "TestDatabase.h"

#include "data/ChangeSet.h"
#include "data/Connection.h"
#include "data/DbFault.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace vornel::test {
namespace {

enum class Engine { Sqlite, Odbc };

void PrintTo(Engine engine, std::ostream* os) {
    *os << (engine == Engine::Sqlite ? "SQLite" : "ODBC over SQLite");
}

const RowKey kTva19{QStringLiteral("TVA"), {{QStringLiteral("TVA"), 19}}};
const AuditContext kOperator{2, 1, QStringLiteral("Rate TVA")};

class ChangePipeline : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (GetParam() == Engine::Odbc && !odbcDriverRegistered("SQLite3"))
            GTEST_SKIP() << "ODBC driver \"SQLite3\" not registered";
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("firma.db"));
        {
            SqliteBackend creator(m_path, {}, true);
            creator.executeNative(DemoDatabase::script(QStringLiteral("schema.sql")));
            creator.executeNative(QStringLiteral(
                "INSERT INTO TVA VALUES (19, 'TVA 19%', '4426', '4427'), (9, 'TVA 9%', '4426', '4427');"));
        }
        other = std::make_unique<SqliteBackend>(m_path, QString()); // the second user
        db = open();
    }

    // Our connection; `readOnly` opens the file for reading only.
    std::shared_ptr<Connection> open(bool readOnly = false) {
        if (GetParam() == Engine::Sqlite) {
            auto c = Connection::open(QStringLiteral("sqlite:") + m_path + (readOnly ? ";mode=ro" : ""));
            static_cast<SqliteBackend&>(c->backend()).setBusyTimeout(100);
            return c;
        }
        auto c = Connection::open(QStringLiteral("odbc:Driver=SQLite3;Timeout=100;Database=") + m_path);
        if (readOnly) c->execute(QStringLiteral("PRAGMA query_only = 1"));
        return c;
    }

    // SQLite's own SQL on our connection (the ODBC driver passes text through unchanged).
    void native(Connection& c, const QString& sql) {
        if (GetParam() == Engine::Sqlite)
            static_cast<SqliteBackend&>(c.backend()).executeNative(sql);
        else
            c.execute(sql);
    }

    QStringList rows(const QString& sql) {
        QStringList list;
        const QueryResult r = other->query(sql);
        for (std::size_t i = 0; i < r.rows.rowCount(); ++i)
            list << (r.rows.isNull(i, 0) ? QStringLiteral("<null>") : r.rows.value(i, 0).toString());
        return list;
    }

    // Every row of the tables a save may touch, as the second user reads them.
    QString digest() {
        return (rows(QStringLiteral("SELECT TVA || '|' || IFNULL(DenumireTVA, '') || '|' || "
                                    "IFNULL([Cont TVA colectat], '') FROM TVA ORDER BY TVA")) +
                rows(QStringLiteral("SELECT IdImp FROM sal_imp ORDER BY IdImp")) +
                rows(QStringLiteral("SELECT Id FROM JurnalModificari ORDER BY Id")))
            .join(QLatin1Char('\n'));
    }

    DbError failureOf(Connection& c, std::vector<RowChange> changes) {
        ChangeSet set(c, kOperator);
        for (RowChange& change : changes)
            set.add(std::move(change));
        try {
            set.apply();
        } catch (const DbError& e) {
            return e;
        }
        ADD_FAILURE() << "the save was not refused";
        return DbError(0, {});
    }

    RowChange rename19(const QString& name, std::optional<RowSnapshot> loaded = {}) {
        return RowChange::modifying(kTva19,
                                    QStringLiteral("UPDATE TVA SET DenumireTVA='%1' WHERE TVA=19").arg(name),
                                    std::move(loaded));
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<SqliteBackend> other;
    std::shared_ptr<Connection> db;
};

TEST_P(ChangePipeline, WritesEachChangeWithItsAuditRowAndOnlyTheColumnsThatChanged) {
    QStringList seen;
    db->addObserver([&](const QString& sql) { seen << sql; });
    const QString insert = QStringLiteral("INSERT INTO TVA (TVA, DenumireTVA) VALUES (5, 'TVA 5%')");
    const QString remove = QStringLiteral("DELETE FROM TVA WHERE TVA=9");
    const QString bracket =
        QStringLiteral("INSERT INTO sal_imp (T, TIP, DELA, PANALA, CONST, PR) VALUES (1, 0, 0, 1000, 0, 10)");
    ChangeSet changes(*db, kOperator);
    changes.add(RowChange::adding({QStringLiteral("TVA"), {{QStringLiteral("TVA"), 5}}}, insert))
        .add(rename19(QStringLiteral("TVA 19 la suta"), RowSnapshot::read(*db, kTva19)))
        .add(RowChange::deleting({QStringLiteral("TVA"), {{QStringLiteral("TVA"), 9}}}, remove))
        .add(RowChange::adding({QStringLiteral("[sal_imp]"), {{QStringLiteral("IdImp"), QVariant()}}},
                               bracket));
    changes.apply();

    // The windows' statements ran as they were written.
    for (const QString& statement : {insert, remove, bracket})
        EXPECT_TRUE(seen.contains(statement)) << statement.toStdString();
    EXPECT_EQ(rows(QStringLiteral("SELECT TVA || ' ' || DenumireTVA FROM TVA ORDER BY TVA")),
              QStringList({"5 TVA 5%", "19 TVA 19 la suta"}));
    const QString id = rows(QStringLiteral("SELECT IdImp FROM sal_imp")).value(0);
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Actiune || '|' || Tabela || '|' || Cheie || '|' || "
                            "IFNULL(ValoriInainte, '-') || '|' || IFNULL(ValoriDupa, '-') "
                            "FROM JurnalModificari ORDER BY Id")),
        QStringList({
            R"(A|TVA|5|-|{"Cont TVA colectat":null,"Cont TVA deductibil":null,"DenumireTVA":"TVA 5%","TVA":5})",
            R"(M|TVA|19|{"DenumireTVA":"TVA 19%"}|{"DenumireTVA":"TVA 19 la suta"})",
            R"(S|TVA|9|{"Cont TVA colectat":"4427","Cont TVA deductibil":"4426","DenumireTVA":"TVA 9%","TVA":9}|-)",
            "A|sal_imp|" + id + R"(|-|{"CONST":0,"DELA":0,"IdImp":)" + id +
                R"(,"PANALA":1000,"PR":10,"T":1,"TIP":0})",
        }));
    EXPECT_EQ(rows(QStringLiteral("SELECT DISTINCT IdUtilizator || '|' || IdSocietate || '|' || Fereastra "
                                  "FROM JurnalModificari")),
              QStringList({"2|1|Rate TVA"}));
    const QDateTime moment =
        QDateTime::fromString(rows(QStringLiteral("SELECT MAX(Moment) FROM JurnalModificari")).value(0),
                              QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    EXPECT_LT(
        std::abs(QDateTime(moment.date(), moment.time(), Qt::UTC).secsTo(QDateTime::currentDateTimeUtc())),
        120);

    // Saving a record as it was changes nothing, so it records nothing.
    const QString before = digest();
    ChangeSet(*db, kOperator)
        .add(rename19(QStringLiteral("TVA 19 la suta"), RowSnapshot::read(*db, kTva19)))
        .apply();
    EXPECT_EQ(digest(), before);
}

TEST_P(ChangePipeline, ARowChangedOrDeletedMeanwhileIsNeverOverwritten) {
    const std::optional<RowSnapshot> loaded = RowSnapshot::read(*db, kTva19);
    ASSERT_TRUE(loaded);
    other->executeNative(QStringLiteral("UPDATE TVA SET [Cont TVA colectat] = '4427.01' WHERE TVA = 19"));
    const QString before = digest();
    const RowChange add5 =
        RowChange::adding({QStringLiteral("TVA"), {{QStringLiteral("TVA"), 5}}},
                          QStringLiteral("INSERT INTO TVA (TVA, DenumireTVA) VALUES (5, 'TVA 5%')"));

    // The other user's change stands, and the addition saved with the refused change is undone.
    DbError e = failureOf(*db, {add5, rename19(QStringLiteral("Noua"), loaded)});
    EXPECT_EQ(faultOf(e), DbFault::RowChanged);
    EXPECT_EQ(faultText(e),
              QStringLiteral("Inregistrarea nu mai exista sau a fost modificata de alt utilizator."));
    EXPECT_EQ(digest(), before);

    // A statement keyed by values that no longer match touches no row.
    e = failureOf(
        *db, {RowChange::modifying(kTva19, QStringLiteral("UPDATE TVA SET DenumireTVA='Noua' WHERE TVA=19 "
                                                          "AND [Cont TVA colectat]='4427'"))});
    EXPECT_EQ(faultOf(e), DbFault::RowChanged);

    // Deleting a row another user deleted.
    other->executeNative(QStringLiteral("DELETE FROM TVA WHERE TVA = 9"));
    const QString afterDelete = digest();
    e = failureOf(*db, {RowChange::deleting({QStringLiteral("TVA"), {{QStringLiteral("TVA"), 9}}},
                                            QStringLiteral("DELETE FROM TVA WHERE TVA=9"))});
    EXPECT_EQ(faultOf(e), DbFault::RowChanged);
    EXPECT_EQ(digest(), afterDelete);
}

TEST_P(ChangePipeline, AFailedSaveLeavesNeitherChangeNorAuditRowAndNamesItsCause) {
    const QString before = digest();

    // A statement the database refuses: the window has its own text for a duplicate key.
    DbError e = failureOf(
        *db, {RowChange::adding(
                 kTva19, QStringLiteral("INSERT INTO TVA (TVA, DenumireTVA) VALUES (19, 'Dublura')"))});
    EXPECT_TRUE(e.isIntegrityViolation());
    EXPECT_EQ(faultText(e), QString());
    EXPECT_EQ(digest(), before);

    e = failureOf(*db, {RowChange::modifying(kTva19, QStringLiteral("UPDATE TVA SET Cota=1 WHERE TVA=19"))});
    EXPECT_TRUE(
        faultText(e).startsWith(QStringLiteral("Structura bazei de date nu corespunde programului: ")));
    EXPECT_TRUE(faultText(e).contains(QStringLiteral("Cota")));
    EXPECT_EQ(digest(), before);

    other->executeNative(QStringLiteral("BEGIN IMMEDIATE"));
    e = failureOf(*db, {rename19(QStringLiteral("Ocupat"))});
    other->executeNative(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(faultText(e),
              QStringLiteral("Baza de date este ocupata de alt utilizator. Incercati din nou."));
    EXPECT_EQ(digest(), before);

    const auto full = open();
    native(*full,
           QStringLiteral("PRAGMA max_page_count = ") + rows(QStringLiteral("PRAGMA page_count")).value(0));
    e = failureOf(*full, {RowChange::modifying(
                             kTva19, // a value that needs pages of its own
                             QStringLiteral("UPDATE TVA SET DenumireTVA=hex(zeroblob(3000)) WHERE TVA=19"))});
    EXPECT_EQ(faultText(e), QStringLiteral("Nu mai este spatiu pe disc. Nimic nu a fost salvat."));
    EXPECT_EQ(digest(), before);

    const auto readOnly = open(true);
    e = failureOf(*readOnly, {rename19(QStringLiteral("Citire"))});
    EXPECT_EQ(faultText(e), QStringLiteral("Baza de date poate fi doar citita. Nimic nu a fost salvat."));
    EXPECT_EQ(digest(), before);
    EXPECT_EQ(rows(QStringLiteral("PRAGMA integrity_check")), QStringList({"ok"}));

    // The change itself succeeds but its audit row cannot be written: the change is undone.
    other->executeNative(QStringLiteral("DROP TABLE JurnalModificari"));
    e = failureOf(*db, {rename19(QStringLiteral("Fara jurnal"))});
    EXPECT_EQ(faultOf(e), DbFault::Structure);
    EXPECT_EQ(rows(QStringLiteral("SELECT DenumireTVA FROM TVA WHERE TVA = 19")), QStringList({"TVA 19%"}));
}

INSTANTIATE_TEST_SUITE_P(Engines, ChangePipeline, ::testing::Values(Engine::Sqlite, Engine::Odbc),
                         [](const auto& p) { return p.param == Engine::Sqlite ? "Sqlite" : "OdbcSqlite"; });

TEST(DbFaults, SqliteCodesSqlStatesAndServerNumbersNameTheCause) {
    const QString hy = QStringLiteral("HY000");
    const struct {
        DbError error;
        DbFault fault;
    } cases[] = {
        {DbError(ErrorNumber::Unspecified, "database is locked", 5), DbFault::Busy},
        {DbError(ErrorNumber::Unspecified, "database is locked", 517), DbFault::Busy}, // BUSY_SNAPSHOT
        {DbError(ErrorNumber::Unspecified, "database table is locked", 6), DbFault::Busy},
        {DbError(ErrorNumber::Unspecified, "attempt to write a readonly database", 1032), DbFault::ReadOnly},
        {DbError(ErrorNumber::Unspecified, "database or disk is full", 13), DbFault::DiskFull},
        {DbError(ErrorNumber::Unspecified, "disk I/O error", 266), DbFault::ConnectionLost},
        {DbError(ErrorNumber::NoTable, "no such table: TVA", 1), DbFault::Structure},
        {DbError(ErrorNumber::Command, "table TVA has no column named Cota", 1), DbFault::Structure},
        {DbError(ErrorNumber::Command, "near \"x\": syntax error", 1), DbFault::Other},
        {DbError(ErrorNumber::Integrity, "UNIQUE constraint failed: TVA.TVA", 1555), DbFault::Other},
        {DbError(ErrorNumber::RowNotFound, "gone"), DbFault::RowChanged},
        // SQL Server through ODBC.
        {DbError(ErrorNumber::Unspecified, "Lock request time out period exceeded.", 1222, hy),
         DbFault::Busy},
        {DbError(ErrorNumber::Unspecified, "chosen as the deadlock victim", 1205, "40001"), DbFault::Busy},
        {DbError(ErrorNumber::Unspecified, "Query timeout expired", 0, "HYT00"), DbFault::Busy},
        {DbError(ErrorNumber::Unspecified, "the database is read-only.", 3906, "25000"), DbFault::ReadOnly},
        {DbError(ErrorNumber::Unspecified, "the 'PRIMARY' filegroup is full.", 1105, hy), DbFault::DiskFull},
        {DbError(ErrorNumber::Unspecified, "The transaction log is full", 9002, hy), DbFault::DiskFull},
        {DbError(ErrorNumber::Unspecified, "Communication link failure", 10054, "08S01"),
         DbFault::ConnectionLost},
        {DbError(ErrorNumber::Unspecified, "Connection does not exist", 0, "08003"), DbFault::ConnectionLost},
        {DbError(ErrorNumber::NoTable, "Invalid object name 'TVA'.", 208, "42S02"), DbFault::Structure},
        {DbError(ErrorNumber::Command, "Invalid column name 'Cota'.", 207, "42S22"), DbFault::Structure},
        {DbError(ErrorNumber::Integrity, "Violation of PRIMARY KEY constraint", 2627, "23000"),
         DbFault::Other},
        // A server number whose low byte is SQLite's "busy" is not read as SQLite's code.
        {DbError(ErrorNumber::Unspecified, "Some server message", 0xB05, hy), DbFault::Other},
        // SQLite's driver: its codes as native numbers, with SQLite's own text.
        {DbError(ErrorNumber::Unspecified, "database is locked (5)", 5, hy), DbFault::Busy},
        {DbError(ErrorNumber::Unspecified, "no such column: Cota (1)", 1, hy), DbFault::Structure},
    };
    for (const auto& c : cases)
        EXPECT_EQ(faultOf(c.error), c.fault) << c.error.what();
    EXPECT_EQ(faultText(cases[5].error),
              QStringLiteral("Legatura cu baza de date s-a pierdut. Nimic nu a fost salvat."));
    EXPECT_EQ(
        faultText(cases[19].error),
        QStringLiteral("Structura bazei de date nu corespunde programului: Invalid object name 'TVA'."));
}

} // namespace
} // namespace vornel::test
