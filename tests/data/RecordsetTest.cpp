#include "TestDatabase.h"

#include "data/DbError.h"
#include "data/Recordset.h"

#include <QSignalSpy>

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

TEST_F(RecordsetTest, NavigationStopsAtBofAndEof) {
    openList();
    ASSERT_EQ(rs.recordCount(), 4);
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.value(QStringLiteral("cod")).toString(), QStringLiteral("AB1"));
    for (int i = 0; i < 4; ++i)
        rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(errorOf([&] { rs.moveNext(); }).number(), ErrorNumber::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs.value(0); }).number(), ErrorNumber::NoCurrentRecord);
    rs.movePrevious();
    EXPECT_EQ(rs.value(0).toInt(), 4);
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());
    EXPECT_EQ(errorOf([&] { rs.movePrevious(); }).number(), ErrorNumber::NoCurrentRecord);

    rs.moveFirst();
    rs.move(2);
    EXPECT_EQ(rs.value(0).toInt(), 3);
    rs.move(10);
    EXPECT_TRUE(rs.eof());
    rs.move(-10);
    EXPECT_TRUE(rs.bof());
    rs.moveLast();
    EXPECT_EQ(rs.value(0).toInt(), 4);
}

TEST_F(RecordsetTest, EmptyResultIsAtBofAndEofAndMovesQuietly) {
    rs.open(QStringLiteral("SELECT Id FROM Grupe WHERE Id > 100"), m_db);
    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.recordCount(), 0);
    rs.moveFirst();
    rs.moveLast();
    rs.move(3);
    EXPECT_TRUE(rs.bof() && rs.eof());
    EXPECT_THROW(rs.value(0), DbError);
}

TEST_F(RecordsetTest, NullAndEmptyTextStayApart) {
    openList();
    rs.move(2);
    EXPECT_TRUE(rs.isNull(3));
    EXPECT_EQ(rs.text(3), QString());
    rs.moveNext();
    EXPECT_FALSE(rs.isNull(2));
    EXPECT_EQ(rs.value(2).toString(), QString());
}

TEST_F(RecordsetTest, ColumnsCarryNamesAndDefinedSizes) {
    rs.open(
        QStringLiteral("SELECT Grupe.Id, Grupe.[Cod], Denumire AS [Nume lung], Pret, Cod + '-' + Denumire, "
                       "'x' AS Marca FROM dbo.Grupe"),
        m_db);
    ASSERT_EQ(rs.fieldCount(), 6);
    EXPECT_EQ(rs.column(0).definedSize, 4);
    EXPECT_EQ(rs.column(1).name, QStringLiteral("Cod"));
    EXPECT_EQ(rs.column(1).definedSize, 10);
    EXPECT_EQ(rs.column(2).name, QStringLiteral("Nume lung"));
    EXPECT_EQ(rs.column(2).definedSize, 50);
    EXPECT_EQ(rs.column(3).definedSize, 8);
    EXPECT_EQ(rs.column(4).name, QString()); // expression without alias
    EXPECT_EQ(rs.column(4).definedSize, 8);  // longest value: "AB1-Alfa"
    EXPECT_EQ(rs.column(5).name, QStringLiteral("Marca"));
    EXPECT_EQ(rs.indexOf(QStringLiteral("[nume LUNG]")), 2);
    EXPECT_EQ(rs.column(1).baseTable, QStringLiteral("Grupe"));
    EXPECT_TRUE(rs.column(0).key);
    EXPECT_TRUE(rs.column(0).autoIncrement);
    EXPECT_FALSE(rs.column(1).key);
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
    rs.setFilter(QStringLiteral("[Cod] Like 'ab%'"));
    EXPECT_EQ(visibleIds(), (std::vector<int>{1, 2}));
    EXPECT_EQ(rs.position(), 0); // the first visible row becomes current
    EXPECT_EQ(rs.value(0).toInt(), 1);
    rs.setFilter(QStringLiteral("Cod Like 'AB*'"));
    EXPECT_EQ(visibleIds(), (std::vector<int>{1, 2}));
    rs.setFilter(QStringLiteral("Cod Like '_b2'"));
    EXPECT_EQ(visibleIds(), (std::vector<int>{2}));
    rs.setFilter(QStringLiteral("Denumire Like '%MA'"));
    EXPECT_EQ(visibleIds(), (std::vector<int>{3}));
    rs.setFilter(QStringLiteral("Denumire = 'BETA'"));
    EXPECT_EQ(visibleIds(), (std::vector<int>{2}));
    rs.setFilter(QStringLiteral("Pret >= 2 AND Pret < 10"));
    EXPECT_EQ(visibleIds(), (std::vector<int>{2}));
    rs.setFilter(QStringLiteral("(Cod Like 'a%' OR Cod = 'cd3') AND Id <> 2"));
    EXPECT_EQ(visibleIds(), (std::vector<int>{1, 3}));
    rs.setFilter(QStringLiteral("Denumire = 'It''s'"));
    EXPECT_TRUE(rs.bof() && rs.eof());
    rs.setFilter(QString());
    EXPECT_EQ(rs.recordCount(), 4);
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

TEST_F(RecordsetTest, ReadOnlyRecordsetRefusesEdits) {
    openList();
    EXPECT_FALSE(rs.updatable());
    EXPECT_EQ(errorOf([&] { rs.setValue(2, QStringLiteral("x")); }).number(), ErrorNumber::NotSupported);
    EXPECT_THROW(rs.addNew(), DbError);
    EXPECT_THROW(rs.deleteCurrent(), DbError);
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
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Denumire FROM Grupe WHERE Id = 2")).toString(),
              QStringLiteral("Beta'2"));
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Pret FROM Grupe WHERE Id = 2")).toDouble(), 2.75);
    EXPECT_EQ(rs.value(2).toString(), QStringLiteral("Beta'2"));
    EXPECT_EQ(changed.count(), 1);

    rs.addNew();
    rs.setValue(1, QStringLiteral("NOU"));
    rs.setValue(2, QString());
    rs.update();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(rs.recordCount(), 5);
    const qlonglong id = rs.value(0).toLongLong();
    EXPECT_GT(id, 4);
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Cod FROM Grupe WHERE Id = %1").arg(id)).toString(),
              QStringLiteral("NOU"));
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT count(*) FROM Grupe WHERE Denumire = '' AND Pret IS NULL"))
                  .toInt(),
              1);

    rs.moveFirst();
    rs.deleteCurrent();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT count(*) FROM Grupe WHERE Id = 1")).toInt(), 0);
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
} // namespace vornel::test
