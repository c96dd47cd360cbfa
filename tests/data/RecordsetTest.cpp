#include "TestDatabase.h"

#include "data/Collation.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/RecordsetFilter.h"

#include <QSignalSpy>
#include <functional>
#include <random>

namespace vornel::test {
namespace {

class RecordsetTest : public DatabaseTest {
protected:
    void openList(LockType lock = LockType::ReadOnly) {
        rs.open(QStringLiteral("SELECT Id, Cod, Denumire, Pret FROM Grupe ORDER BY Id"), m_db,
                CursorLocation::Client, lock == LockType::ReadOnly ? CursorType::Static : CursorType::Dynamic,
                lock);
    }
    std::vector<int> visibleIds() {
        std::vector<int> ids;
        for (int r = 0; r < rs.recordCount(); ++r)
            ids.push_back(rs.valueAt(r, 0).toInt());
        return ids;
    }
    Recordset rs;
};

TEST_F(RecordsetTest, NavigationStopsAtBofAndEofNullIsNotEmptyAndReadOnlyRefusesEdits) {
    openList();
    ASSERT_EQ(rs.recordCount(), 4);
    EXPECT_FALSE(rs.updatable());
    EXPECT_EQ(errorOf([&] { rs.setValue(2, QStringLiteral("x")); }).number(), ErrorNumber::NotSupported);
    EXPECT_THROW(rs.addNew(), DbError);
    EXPECT_EQ(rs.value(QStringLiteral("cod")).toString(), QStringLiteral("AB1"));
    rs.move(2);
    EXPECT_EQ(rs.value(0).toInt(), 3);
    EXPECT_TRUE(rs.isNull(3)); // NULL and empty text stay apart
    rs.moveNext();
    EXPECT_FALSE(rs.isNull(2));
    EXPECT_EQ(rs.value(2).toString(), QString());
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(errorOf([&] { rs.moveNext(); }).number(), ErrorNumber::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs.value(0); }).number(), ErrorNumber::NoCurrentRecord);
    rs.movePrevious();
    EXPECT_EQ(rs.value(0).toInt(), 4);
    rs.move(-10);
    EXPECT_TRUE(rs.bof() && !rs.eof());
    EXPECT_EQ(errorOf([&] { rs.movePrevious(); }).number(), ErrorNumber::NoCurrentRecord);

    rs.open(QStringLiteral("SELECT Id FROM Grupe WHERE Id > 100"), m_db);
    rs.moveFirst();
    rs.moveLast();
    EXPECT_TRUE(rs.bof() && rs.eof());
    EXPECT_THROW(rs.value(0), DbError);
}

TEST_F(RecordsetTest, ColumnsCarryNamesAndDefinedSizes) {
    rs.open(
        QStringLiteral("SELECT Grupe.Id, Grupe.[Cod], Denumire AS [Nume lung], Pret, Cod + '-' + Denumire "
                       "FROM dbo.Grupe"),
        m_db);
    ASSERT_EQ(rs.fieldCount(), 5);
    QStringList seen;
    for (int c = 0; c < 5; ++c)
        seen << rs.column(c).name + ':' + QString::number(rs.column(c).definedSize);
    // An expression without alias has no name and the size of its longest value, "AB1-Alfa".
    EXPECT_EQ(seen.join(u' '), QStringLiteral("Id:4 Cod:10 Nume lung:50 Pret:8 :8"));
    EXPECT_EQ(rs.indexOf(QStringLiteral("[nume LUNG]")), 2);
    EXPECT_EQ(rs.column(1).baseTable, QStringLiteral("Grupe"));
    EXPECT_TRUE(rs.column(0).key && rs.column(0).autoIncrement && !rs.column(1).key);
}

TEST_F(RecordsetTest, RequerySeesNewRowsAndDropsTheFilter) {
    openList();
    rs.setFilter(QStringLiteral("Id = 1"));
    m_db->execute(QStringLiteral("INSERT INTO Grupe (Cod, Denumire) VALUES ('NOU', 'Nou')"));
    rs.moveNext();
    rs.requery();
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_EQ(rs.filter(), QString());
    EXPECT_EQ(rs.position(), 0);
    rs.moveLast();
    EXPECT_EQ(rs.value(1).toString(), QStringLiteral("NOU"));
}

TEST_F(RecordsetTest, FilterSelectsRowsWithoutRegardToCase) {
    openList();
    rs.moveLast();
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"[Cod] Like 'ab%'", {1, 2}},
        {"Cod Like 'AB*'", {1, 2}},
        {"Cod Like '_b2'", {2}},
        {"Denumire Like '%MA'", {3}},
        {"Denumire = 'BETA'", {2}},
        {"Pret >= 2 AND Pret < 10", {2}},
        {"(Cod Like 'a%' OR Cod = 'cd3') AND Id <> 2", {1, 3}},
        {"Denumire = 'It''s'", {}},
        {"", {1, 2, 3, 4}},
    };
    for (const auto& [filter, ids] : cases) {
        rs.setFilter(QString::fromLatin1(filter));
        EXPECT_EQ(visibleIds(), ids) << filter;
        EXPECT_EQ(rs.bof() && rs.eof(), ids.empty()) << filter;
        if (!ids.empty()) {
            EXPECT_EQ(rs.value(0).toInt(), ids.front()) << filter; // first row is current
        }
    }
}

TEST_F(RecordsetTest, UnreadableFilterLeavesThePreviousState) {
    openList();
    rs.setFilter(QStringLiteral("Cod Like 'ab%'"));
    rs.moveNext();
    for (const char* bad : {"Cod Like 'ab", "Nimic = 1", "Cod Like 5", "(Id = 1", "Id = 1 Id",
                            "[Cod Like 'a'", "Id ! 3", "Cod ="}) {
        EXPECT_EQ(errorOf([&] { rs.setFilter(QString::fromLatin1(bad)); }).number(), ErrorNumber::BadArgument)
            << bad;
        EXPECT_EQ(rs.filter(), QStringLiteral("Cod Like 'ab%'"));
        EXPECT_EQ(rs.recordCount(), 2);
        EXPECT_EQ(rs.value(0).toInt(), 2);
    }
}

TEST_F(RecordsetTest, EditsAreWrittenToTheTableByKey) {
    openList(LockType::Optimistic);
    ASSERT_TRUE(rs.updatable());
    QSignalSpy changed(&rs, &Recordset::rowChanged);
    QSignalSpy inserted(&rs, &Recordset::rowInserted);
    QSignalSpy removed(&rs, &Recordset::rowRemoved);

    rs.moveNext();
    rs.setValue(QStringLiteral("Denumire"), QStringLiteral("Beta'2"));
    rs.setValue(3, 2.75);
    rs.update();
    EXPECT_EQ(text(QStringLiteral("SELECT Denumire || Pret FROM Grupe WHERE Id = 2")),
              QStringLiteral("Beta'22.75"));
    EXPECT_EQ(rs.value(2).toString(), QStringLiteral("Beta'2"));
    EXPECT_EQ(changed.count(), 1);

    // An empty text is written as such, a field not given as NULL; the new key is read back.
    rs.addNew();
    rs.setValue(1, QStringLiteral("NOU"));
    rs.setValue(2, QString());
    rs.update();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_EQ(
        text(QStringLiteral("SELECT Id FROM Grupe WHERE Cod = 'NOU' AND Denumire = '' AND Pret IS NULL")),
        rs.value(0).toString());

    rs.moveFirst();
    rs.deleteCurrent();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Grupe WHERE Id = 1")), 0);
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(rs.value(0).toInt(), 2);
}

TEST_F(RecordsetTest, ChangedKeyIsWrittenByTheOriginalKey) {
    rs.open(QStringLiteral("SELECT Cod, Nume FROM Parinte ORDER BY Cod"), m_db, CursorLocation::Client,
            CursorType::Dynamic, LockType::Optimistic);
    m_db->execute(QStringLiteral("DELETE FROM Copil"));
    rs.setValue(0, QStringLiteral("P9"));
    rs.update();
    EXPECT_EQ(digest(QStringLiteral("Parinte")), QStringLiteral("P2|Doi|\nP9|Unu|\n"));
}

TEST_F(RecordsetTest, FailedUpdateKeepsTableAndRowAndTheEdit) {
    openList(LockType::Optimistic);
    const QString before = digest(QStringLiteral("Grupe"));
    rs.setValue(1, QStringLiteral("AB2")); // unique without regard to case: collides with "ab2"
    rs.setValue(2, QStringLiteral("Schimbat"));
    const DbError e = errorOf([&] { rs.update(); });
    EXPECT_EQ(e.numberText(), QStringLiteral("0x80040E2F"));
    EXPECT_EQ(digest(QStringLiteral("Grupe")), before);
    EXPECT_TRUE(rs.editing());
    EXPECT_EQ(rs.valueAt(0, 1).toString(), QStringLiteral("AB1"));
    EXPECT_EQ(rs.editedValue(2).toString(), QStringLiteral("Schimbat"));
    rs.cancelUpdate();
    EXPECT_EQ(rs.value(2).toString(), QStringLiteral("Alfa"));

    rs.addNew();
    rs.setValue(1, QStringLiteral("cd3"));
    EXPECT_EQ(errorOf([&] { rs.update(); }).number(), ErrorNumber::Integrity);
    rs.cancelUpdate();
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(digest(QStringLiteral("Grupe")), before);
}

} // namespace
// A search, folded for case and diacritics, shows exactly the rows a full scan finds, in the list's order.
TEST_F(RecordsetTest, SearchesFindWhatAFullScanFinds) {
    const QStringList starts = {"ab", "Ab", "abc", "ăb", "ABD", "a",  "",
                                "b_", "șa", "Sa",  "s",  "10",  "1a", "Ști"};
    std::mt19937 random(7);
    QString rows;
    for (int i = 1; i <= 600; ++i) {
        const QString code =
            starts[static_cast<qsizetype>(random() % starts.size())] + QString::number(random() % 30);
        const QString name =
            starts[static_cast<qsizetype>(random() % starts.size())] + QStringLiteral(" Ștefan");
        rows += QStringLiteral("%1(%2, '%3', %4)")
                    .arg(i == 1 ? QString() : QStringLiteral(", "))
                    .arg(i)
                    .arg(code,
                         i % 50 == 0 ? QStringLiteral("NULL") : QLatin1Char('\'') + name + QLatin1Char('\''));
    }
    sqlite().executeNative(QStringLiteral("CREATE TABLE Cuvinte (Id INTEGER PRIMARY KEY, Cod nvarchar(20), "
                                          "Nume nvarchar(40)); INSERT INTO Cuvinte VALUES ") +
                           rows);
    rs.open(QStringLiteral("SELECT Id, Cod, Nume FROM Cuvinte ORDER BY Id"), m_db);
    const auto scan = [&](const std::function<bool(int row)>& keep) {
        std::vector<int> ids;
        for (int r = 0; r < rs.recordCount(); ++r)
            if (keep(r)) ids.push_back(rs.valueAt(r, 0).toInt());
        return ids;
    };
    for (const int sort : {-1, 1, 2}) {
        for (const bool descending : {false, true}) {
            rs.setSort(sort, descending);
            const QStringList searched = {"s", "st", "ște", "ștef", "ste", "st", "s", "b_", "a 1"};
            std::vector<std::vector<int>> expected;
            for (const QString& text : searched)
                expected.push_back(scan([&](int r) {
                    const QByteArray code = rs.textAt(r, 1).toUtf8(), name = rs.textAt(r, 2).toUtf8();
                    const Collation::FoldedText folded(text);
                    return folded.foundIn(code.constData(), static_cast<std::size_t>(code.size())) ||
                           folded.foundIn(name.constData(), static_cast<std::size_t>(name.size()));
                }));
            for (qsizetype i = 0; i < searched.size(); ++i) {
                rs.setSearch(searched[i], {2, 1});
                EXPECT_EQ(visibleIds(), expected[static_cast<std::size_t>(i)])
                    << "search " << qPrintable(searched[i]);
            }
            rs.setSearch(QString(), {});
        }
    }
}

TEST_F(RecordsetTest, ListsReadInTheBackgroundAndChangesWaitForTheLastRow) {
    sqlite().executeNative(
        QStringLiteral("CREATE TABLE Mare (Id INTEGER PRIMARY KEY, Nume nvarchar(20));"
                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12000) "
                       "INSERT INTO Mare SELECT i, 'rand ' || i FROM n;"));
    const auto openBig = [&] {
        rs.open(QStringLiteral("SELECT Id, Nume FROM Mare ORDER BY Id"), m_db, CursorLocation::Client,
                CursorType::Static, LockType::ReadOnly, Fetch::Background);
    };
    openBig();
    EXPECT_TRUE(rs.fetching());
    EXPECT_LT(rs.recordCount(), 12000);
    QSignalSpy finished(&rs, &Recordset::fetchFinished);
    rs.setSearch(QStringLiteral("rand 11"), {1}); // also on the rows still to come
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(rs.fetching());
    EXPECT_EQ(rs.storedCount(), 12000);
    EXPECT_EQ(rs.recordCount(), 1111); // 11, 110-119, 1100-1199, 11000-11999

    openBig();
    m_db->execute(QStringLiteral("UPDATE Mare SET Nume = 'x' WHERE Id = 1"));
    EXPECT_FALSE(rs.fetching());
    EXPECT_EQ(rs.recordCount(), 12000);

    openBig();
    rs.setPosition(9000); // a row not read yet is read when asked for
    EXPECT_EQ(rs.value(0).toInt(), 9001);

    openBig();
    rs.setSort(0, true);
    rs.setSearch(QStringLiteral("rand 5"), {1});
    rs.requery(); // sort and search stay
    EXPECT_EQ(rs.sortColumn(), 0);
    EXPECT_EQ(rs.recordCount(), 1111);
    EXPECT_EQ(rs.valueAt(0, 0).toInt(), 5999);
}

} // namespace vornel::test
