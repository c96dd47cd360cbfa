// The editable grid over an updatable recordset on a temporary embedded database: when a row is
// written, by a call, by the keyboard or by the focus leaving.
#include "controls/EditableGrid.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/sqlite/SqliteBackend.h"

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
