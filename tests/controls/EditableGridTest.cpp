// The editable grid over an updatable recordset on a temporary embedded database: what is shown,
// when a row is written, the check that can cancel it, and refusals by the database.
#include "controls/EditableGrid.h"
#include "controls/Twips.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/sqlite/SqliteBackend.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

class EditableGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath("firma.db");
        auto backend = std::make_unique<SqliteBackend>(path, path + ".adm", true);
        backend->executeNative(
            "CREATE TABLE Regie (Id INTEGER PRIMARY KEY AUTOINCREMENT, Luna int NOT NULL CHECK (Luna BETWEEN "
            "1 AND 12),"
            " Valoare money NOT NULL DEFAULT 0, Denumire nvarchar(20));"
            "INSERT INTO Regie (Luna, Valoare, Denumire) VALUES (1, 18500, 'Ianuarie');"
            "INSERT INTO Regie (Luna, Valoare, Denumire) VALUES (2, 1234567.5, 'Februarie');"
            "INSERT INTO Regie (Luna, Valoare, Denumire) VALUES (3, 0, 'Martie');");
        m_connection = std::make_shared<Connection>(std::move(backend));
        m_recordset.open("SELECT * FROM Regie ORDER BY Luna", m_connection, CursorLocation::Client,
                         CursorType::Dynamic, LockType::Optimistic);
        m_grid.bind(&m_recordset);
        m_grid.setColumnVisible(0, false);
        m_grid.setColumnFormat(2, "#,##0.00");
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QVariant stored(const QString& sql) {
        const QueryResult result = m_connection->query(sql);
        return result.rows.rowCount() > 0 ? result.rows.value(0, 0) : QVariant();
    }

    QTemporaryDir m_dir;
    std::shared_ptr<Connection> m_connection;
    Recordset m_recordset;
    EditableGrid m_grid;
};

} // namespace

TEST_F(EditableGridTest, ShowsCaptionsFormatsWidthsAndVisibility) {
    QAbstractItemModelTester tester(m_grid.model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    m_grid.setColumnCaption(1, "Luna");
    m_grid.setColumnCaption(2, "Valoare regie");
    m_grid.setColumnWidth(2, 1500);

    EXPECT_EQ(m_grid.dataRows(), 3);
    EXPECT_EQ(m_grid.headerText(2), "Valoare regie");
    EXPECT_EQ(m_grid.headerText(3), "Denumire"); // no caption: the field name
    EXPECT_EQ(m_grid.cellText(0, 2), "18,500.00");
    EXPECT_EQ(m_grid.cellText(1, 2), "1,234,567.50");
    EXPECT_EQ(m_grid.cellText(2, 2), "0.00");
    EXPECT_EQ(m_grid.cellText(1, 3), "Februarie");
    EXPECT_TRUE(m_grid.isColumnHidden(0));
    EXPECT_EQ(m_grid.cellText(0, 0), "1"); // hidden values stay readable by position
    EXPECT_EQ(m_grid.columnWidth(2), Twips::toPixels(1500));
    const auto align = m_grid.model()->data(m_grid.model()->index(0, 2), Qt::TextAlignmentRole).toInt();
    EXPECT_TRUE(align & Qt::AlignRight); // amounts line up on the right

    m_grid.setColumnFormat(1, "#,##0 Ani");
    EXPECT_EQ(m_grid.cellText(2, 1), "3 Ani");

    // Settings survive a requery of the recordset.
    m_recordset.requery();
    EXPECT_TRUE(m_grid.isColumnHidden(0));
    EXPECT_EQ(m_grid.columnWidth(2), Twips::toPixels(1500));
    EXPECT_EQ(m_grid.cellText(0, 2), "18,500.00");
}

TEST_F(EditableGridTest, EditIsHeldUntilTheRowIsLeftThenWrittenAsANumber) {
    ASSERT_TRUE(m_grid.editCell(1, 2, "2500.25"));
    EXPECT_EQ(m_grid.cellText(1, 2), "2,500.25"); // shown from the edit buffer
    EXPECT_EQ(m_grid.editedRow(), 1);
    EXPECT_DOUBLE_EQ(stored("SELECT Valoare FROM Regie WHERE Luna = 2").toDouble(), 1234567.5);

    // Editing another row writes the one that was left.
    ASSERT_TRUE(m_grid.editCell(2, 3, "Martie bis"));
    EXPECT_DOUBLE_EQ(stored("SELECT Valoare FROM Regie WHERE Luna = 2").toDouble(), 2500.25);
    EXPECT_EQ(stored("SELECT typeof(Valoare) FROM Regie WHERE Luna = 2").toString(), "real");
    EXPECT_EQ(stored("SELECT Denumire FROM Regie WHERE Luna = 3").toString(), "Martie");

    EXPECT_TRUE(m_grid.commitRow());
    EXPECT_EQ(stored("SELECT Denumire FROM Regie WHERE Luna = 3").toString(), "Martie bis");
    EXPECT_EQ(m_grid.editedRow(), -1);
    EXPECT_TRUE(m_grid.commitRow()); // nothing pending
}

TEST_F(EditableGridTest, CheckSeesPendingValuesAndCanCancel) {
    int checkedRow = -2;
    QVariant seen;
    m_grid.setBeforeUpdate([&](int row) {
        checkedRow = row;
        seen = m_grid.pendingValue(2);
        return seen.typeId() == QMetaType::Double && seen.toDouble() >= 0;
    });

    // A text that is not a number reaches the check as typed, and is refused.
    ASSERT_TRUE(m_grid.editCell(0, 2, "12a"));
    EXPECT_FALSE(m_grid.commitRow());
    EXPECT_EQ(checkedRow, 0);
    EXPECT_EQ(seen.toString(), "12a");
    EXPECT_EQ(m_grid.cellText(0, 2), "18,500.00"); // back to the stored value
    EXPECT_EQ(m_grid.editedRow(), -1);

    ASSERT_TRUE(m_grid.editCell(0, 2, "-1"));
    EXPECT_FALSE(m_grid.commitRow());
    EXPECT_DOUBLE_EQ(stored("SELECT Valoare FROM Regie WHERE Luna = 1").toDouble(), 18500);

    ASSERT_TRUE(m_grid.editCell(0, 2, " 7 "));
    EXPECT_TRUE(m_grid.commitRow());
    EXPECT_DOUBLE_EQ(stored("SELECT Valoare FROM Regie WHERE Luna = 1").toDouble(), 7);
}

TEST_F(EditableGridTest, RefusalByTheDatabaseIsReportedAndTheEditDropped) {
    QSignalSpy failed(&m_grid, &EditableGrid::writeFailed);
    ASSERT_TRUE(m_grid.editCell(0, 1, "13")); // outside the month check of the table
    EXPECT_FALSE(m_grid.commitRow());
    ASSERT_EQ(failed.count(), 1);
    EXPECT_FALSE(failed.at(0).at(0).toString().isEmpty());
    EXPECT_EQ(m_grid.cellText(0, 1), "1");
    EXPECT_EQ(stored("SELECT Luna FROM Regie WHERE Id = 1").toInt(), 1);
    EXPECT_FALSE(m_recordset.editing());

    // The grid stays usable after the refusal.
    ASSERT_TRUE(m_grid.editCell(0, 1, "12"));
    EXPECT_TRUE(m_grid.commitRow());
    EXPECT_EQ(stored("SELECT Luna FROM Regie WHERE Id = 1").toInt(), 12);
}

TEST_F(EditableGridTest, AppendFillsVisibleColumnsAndRemoveDeletes) {
    int checks = 0;
    m_grid.setBeforeUpdate([&](int row) {
        ++checks;
        EXPECT_EQ(row, m_grid.dataRows()); // the row being added comes after the last one
        return m_grid.pendingValue(1).toInt() != 11;
    });

    ASSERT_TRUE(m_grid.appendRow({"10", "99.5", "Octombrie"}));
    EXPECT_EQ(m_grid.dataRows(), 4);
    EXPECT_EQ(m_grid.cellText(3, 2), "99.50");
    EXPECT_EQ(m_grid.cellText(3, 0), "4"); // the number the database gave the row
    EXPECT_EQ(stored("SELECT Denumire FROM Regie WHERE Luna = 10").toString(), "Octombrie");

    // Refused by the check: nothing added anywhere.
    EXPECT_FALSE(m_grid.appendRow({"11", "1", "Noiembrie"}));
    EXPECT_EQ(m_grid.dataRows(), 4);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM Regie").toInt(), 4);
    EXPECT_EQ(checks, 2);

    // An empty value leaves the column to its default.
    m_grid.setBeforeUpdate({});
    ASSERT_TRUE(m_grid.appendRow({"12", "", "Decembrie"}));
    EXPECT_DOUBLE_EQ(stored("SELECT Valoare FROM Regie WHERE Luna = 12").toDouble(), 0);

    QSignalSpy failed(&m_grid, &EditableGrid::writeFailed);
    EXPECT_FALSE(m_grid.appendRow({"0", "5", "Nicio luna"}));
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(m_grid.dataRows(), 5);

    ASSERT_TRUE(m_grid.removeRow(0));
    EXPECT_EQ(m_grid.dataRows(), 4);
    EXPECT_EQ(m_grid.cellText(0, 3), "Februarie");
    EXPECT_EQ(stored("SELECT COUNT(*) FROM Regie WHERE Luna = 1").toInt(), 0);
    EXPECT_FALSE(m_grid.removeRow(4));
}

TEST_F(EditableGridTest, KeyboardAndFocusEndTheEditOfARow) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* other = new QLineEdit(&window);
    auto* grid = new EditableGrid(&window);
    grid->bind(&m_recordset);
    layout->addWidget(grid);
    layout->addWidget(other);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // Typing into a cell and Enter writes the row.
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 3));
    QTest::keyClick(grid, 'I');
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, grid);
    QTest::keyClicks(editor, "an");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the cell editor hands its value over through the event loop
    EXPECT_EQ(stored("SELECT Denumire FROM Regie WHERE Luna = 1").toString(), "Ian");

    // The focus leaving the grid writes the row.
    ASSERT_TRUE(grid->editCell(1, 3, "Feb"));
    other->setFocus();
    EXPECT_EQ(stored("SELECT Denumire FROM Regie WHERE Luna = 2").toString(), "Feb");

    // Also while the cell editor is still open.
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(1, 3));
    QTest::keyClick(grid, 'X');
    other->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(stored("SELECT Denumire FROM Regie WHERE Luna = 2").toString(), "X");

    // Esc writes what is pending and tells the window.
    QSignalSpy escape(grid, &EditableGrid::escapePressed);
    grid->setFocus();
    ASSERT_TRUE(grid->editCell(2, 3, "Mar"));
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(escape.count(), 1);
    EXPECT_EQ(stored("SELECT Denumire FROM Regie WHERE Luna = 3").toString(), "Mar");
}
