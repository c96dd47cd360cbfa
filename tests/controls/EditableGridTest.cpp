// The editable grid over an updatable recordset on a temporary embedded database: a row is written
// by the keyboard or by the focus leaving, even with the cell editor still open.
#include "controls/EditableGrid.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/sqlite/SqliteBackend.h"

#include <QLineEdit>
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
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath("firma.db");
        auto backend = std::make_unique<SqliteBackend>(path, path + ".adm", true);
        backend->executeNative(
            "CREATE TABLE Regie (Id INTEGER PRIMARY KEY, Luna int, Valoare money, Denumire nvarchar(20));"
            "INSERT INTO Regie (Luna, Valoare, Denumire) VALUES (1, 0, 'Ianuarie'), (2, 0, 'Februarie'), (3, "
            "0, 'Martie');");
        m_connection = std::make_shared<Connection>(std::move(backend));
        m_recordset.open("SELECT * FROM Regie ORDER BY Luna", m_connection, CursorLocation::Client,
                         CursorType::Dynamic, LockType::Optimistic);
    }

    QVariant stored(const QString& sql) { return m_connection->scalar(sql); }

    QTemporaryDir m_dir;
    std::shared_ptr<Connection> m_connection;
    Recordset m_recordset;
};

} // namespace

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
