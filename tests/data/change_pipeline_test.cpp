// Saving through the change pipeline: the change and its audit row are written together or not at
// all, and a failed save names its cause. The windows' scenarios prove the rest on their own saves
// (a row another user changed meanwhile, a busy, full or read-only database).
#include "TestDatabase.h"

#include "data/ChangeSet.h"
#include "data/DbFault.h"

#include <QDateTime>

namespace vornel::test {
namespace {

const RowKey kTva19{QStringLiteral("TVA"), {{QStringLiteral("TVA"), 19}}};
const AuditContext kOperator{2, 1, QStringLiteral("Rate TVA")};

class ChangePipeline : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("firma.db"));
        SqliteBackend(path, {}, true)
            .executeNative(DemoDatabase::script(QStringLiteral("schema.sql")) +
                           QStringLiteral("INSERT INTO TVA VALUES (19, 'TVA 19%', '4426', '4427'), "
                                          "(9, 'TVA 9%', '4426', '4427');"));
        db = Connection::open(QStringLiteral("sqlite:") + path);
    }

    QStringList rows(const QString& sql) {
        QStringList list;
        const QueryResult r = db->query(sql);
        for (std::size_t i = 0; i < r.rows.rowCount(); ++i)
            list << (r.rows.isNull(i, 0) ? QStringLiteral("<null>") : r.rows.value(i, 0).toString());
        return list;
    }

    // Every row of the tables a save may touch.
    QString digest() {
        return (rows(QStringLiteral("SELECT TVA || '|' || IFNULL(DenumireTVA, '') || '|' || "
                                    "IFNULL([Cont TVA colectat], '') FROM TVA ORDER BY TVA")) +
                rows(QStringLiteral("SELECT Id FROM JurnalModificari ORDER BY Id")))
            .join(QLatin1Char('\n'));
    }

    DbError failureOf(const RowChange& change) {
        return errorOf([&] { ChangeSet(*db, kOperator).add(change).apply(); });
    }

    RowChange rename19(const QString& name, std::optional<RowSnapshot> loaded = {}) {
        return RowChange::modifying(kTva19,
                                    QStringLiteral("UPDATE TVA SET DenumireTVA='%1' WHERE TVA=19").arg(name),
                                    std::move(loaded));
    }

    QTemporaryDir m_dir;
    std::shared_ptr<Connection> db;
};

TEST_F(ChangePipeline, WritesEachChangeWithItsAuditRowAndOnlyTheColumnsThatChanged) {
    ChangeSet changes(*db, kOperator);
    changes
        .add(RowChange::adding({QStringLiteral("TVA"), {{QStringLiteral("TVA"), 5}}},
                               QStringLiteral("INSERT INTO TVA (TVA, DenumireTVA) VALUES (5, 'TVA 5%')")))
        .add(rename19(QStringLiteral("TVA 19 la suta"), RowSnapshot::read(*db, kTva19)))
        .add(RowChange::deleting({QStringLiteral("TVA"), {{QStringLiteral("TVA"), 9}}},
                                 QStringLiteral("DELETE FROM TVA WHERE TVA=9")))
        // A bracketed table whose key the database numbers.
        .add(RowChange::adding(
            {QStringLiteral("[sal_imp]"), {{QStringLiteral("IdImp"), QVariant()}}},
            QStringLiteral(
                "INSERT INTO sal_imp (T, TIP, DELA, PANALA, CONST, PR) VALUES (1, 0, 0, 1000, 0, 10)")));
    changes.apply();

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
    // The moment is UTC.
    QDateTime moment =
        QDateTime::fromString(rows(QStringLiteral("SELECT MAX(Moment) FROM JurnalModificari")).value(0),
                              QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    moment.setTimeSpec(Qt::UTC);
    EXPECT_LT(std::abs(moment.secsTo(QDateTime::currentDateTimeUtc())), 120);

    // Saving a record as it was changes nothing, so it records nothing.
    const QString before = digest();
    ChangeSet(*db, kOperator)
        .add(rename19(QStringLiteral("TVA 19 la suta"), RowSnapshot::read(*db, kTva19)))
        .apply();
    EXPECT_EQ(digest(), before);
}

TEST_F(ChangePipeline, AFailedSaveLeavesNeitherChangeNorAuditRowAndNamesItsCause) {
    const QString before = digest();
    // A statement the database refuses: the window has its own text for a duplicate key.
    DbError e = failureOf(RowChange::adding(
        kTva19, QStringLiteral("INSERT INTO TVA (TVA, DenumireTVA) VALUES (19, 'Dublura')")));
    EXPECT_TRUE(e.isIntegrityViolation());
    EXPECT_EQ(faultText(e), QString());
    e = failureOf(RowChange::modifying(kTva19, QStringLiteral("UPDATE TVA SET Cota=1 WHERE TVA=19")));
    EXPECT_TRUE(
        faultText(e).startsWith(QStringLiteral("Structura bazei de date nu corespunde programului: ")));
    EXPECT_TRUE(faultText(e).contains(QStringLiteral("Cota")));
    EXPECT_EQ(digest(), before);

    // The change itself succeeds but its audit row cannot be written: the change is undone.
    db->execute(QStringLiteral("DROP TABLE JurnalModificari"));
    EXPECT_EQ(faultOf(failureOf(rename19(QStringLiteral("Fara jurnal")))), DbFault::Structure);
    EXPECT_EQ(rows(QStringLiteral("SELECT DenumireTVA FROM TVA WHERE TVA = 19")), QStringList({"TVA 19%"}));
}

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
