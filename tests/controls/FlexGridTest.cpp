// The flex grid and its recordset model over a real recordset on a temporary embedded database.
#include "controls/FlexGrid.h"
#include "controls/ListExport.h"
#include "controls/ListPrint.h"
#include "controls/RecordsetModel.h"
#include "controls/Twips.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/sqlite/SqliteBackend.h"
#include "entry/ComponentContext.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QHeaderView>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath("firma.db");
        auto backend = std::make_unique<SqliteBackend>(path, path + ".adm", true);
        backend->executeNative(
            "CREATE TABLE TVA (TVA REAL PRIMARY KEY, Denumire NVARCHAR(50), ContD NVARCHAR(20), Cod INTEGER);"
            "INSERT INTO TVA VALUES (19, 'Cota standard', '4426', 1);"
            "INSERT INTO TVA VALUES (9.5, 'Cota redusa', '4426.1', 2);"
            "INSERT INTO TVA VALUES (0, 'Scutit', NULL, 3);"
            "INSERT INTO TVA VALUES (5, 'Carti', '4426', 40000);");
        m_backend = backend.get();
        m_connection = std::make_shared<Connection>(std::move(backend));
        m_recordset.open("SELECT TVA, Denumire, ContD, Cod FROM TVA ORDER BY Cod", m_connection);
    }

    QTemporaryDir m_dir;
    SqliteBackend* m_backend = nullptr;
    std::shared_ptr<Connection> m_connection;
    Recordset m_recordset;
};

} // namespace

TEST_F(FlexGridTest, FormatStringGivesAlignmentsAndHeadersWithoutAMarkStayWhole) {
    FlexGrid grid;
    grid.bind(&m_recordset);
    grid.setFormatString(">TVA|<Denumire TVA|^Cont D");
    auto* model = grid.model();
    const auto align = [model](int col) {
        return Qt::Alignment(model->data(model->index(0, col), Qt::TextAlignmentRole).toInt()) &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(align(0), Qt::AlignRight);
    EXPECT_EQ(align(1), Qt::AlignLeft);
    EXPECT_EQ(align(2), Qt::AlignHCenter);
    EXPECT_EQ(align(3), Qt::AlignLeft);

    // Numbers as plain text, NULL as empty, out of range as empty.
    EXPECT_EQ(grid.TextMatrix(2, 0) + grid.TextMatrix(3, 2) + grid.TextMatrix(99, 0), "9.5");
    EXPECT_EQ(grid.TextMatrix(4, 3), "40000");
    // A requery (the model resets) keeps a hidden column hidden.
    grid.setColWidth(0, 1);
    m_recordset.requery();
    EXPECT_TRUE(grid.isColumnHidden(0));

    // A header without a mark keeps its text whole, trailing blank included.
    grid.setFormatString("R |Nume");
    EXPECT_EQ(grid.TextMatrix(0, 0), "R ");
    EXPECT_EQ(align(0), Qt::AlignLeft);
}

TEST_F(FlexGridTest, ModelFollowsRequeryFilterAndCloseUnderTheModelTester) {
    RecordsetModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setRecordset(&m_recordset);
    model.setFormatString(">TVA|<Denumire");
    m_recordset.setFilter("[Denumire] Like 'cota%'");
    EXPECT_EQ(model.rowCount(), 2);

    m_connection->execute("INSERT INTO TVA VALUES (24, 'Veche', '4426', 50000)");
    m_recordset.requery();
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.cellText(4, 1), "Veche");

    // A list read in the background grows under the views.
    m_backend->executeNative(
        "WITH RECURSIVE n(i) AS (SELECT 100 UNION ALL SELECT i + 1 FROM n WHERE i < 7000) "
        "INSERT INTO TVA SELECT i, 'Cota ' || i, '4426', i FROM n");
    m_recordset.open("SELECT TVA, Denumire FROM TVA ORDER BY Cod", m_connection, CursorLocation::Client,
                     CursorType::Static, LockType::ReadOnly, Fetch::Background);
    EXPECT_LT(model.rowCount(), 6906);
    m_recordset.fetchAll();
    EXPECT_EQ(model.rowCount(), 6906);

    m_recordset.close();
    EXPECT_EQ(model.rowCount(), 0);
    model.setRecordset(nullptr);
    EXPECT_EQ(model.columnCount(), 2); // unbound: the headers alone
}

TEST_F(FlexGridTest, ColumnWidthsAndOrderTheUserGivesAreKeptPerListAndUser) {
    auto& ctx = ComponentContext::current();
    const auto gridFor = [&](qint32 user) {
        ctx.idUsers = user;
        auto grid = std::make_unique<FlexGrid>();
        grid->bind(&m_recordset);
        for (int c = 0; c < grid->Cols(); ++c)
            grid->setColWidth(c, 1500);
        grid->setLayoutKey("Rate TVA");
        return grid;
    };
    {
        auto grid = gridFor(7);
        grid->horizontalHeader()->resizeSection(1, Twips::toPixels(3000)); // as dragging its edge does
        grid->horizontalHeader()->moveSection(2, 0);
        EXPECT_EQ(grid->shownColumns(), (std::vector<int>{2, 0, 1, 3}));
    }
    auto again = gridFor(7);
    EXPECT_EQ(again->ColWidth(1), 3000);
    EXPECT_EQ(again->shownColumns(), (std::vector<int>{2, 0, 1, 3}));
    m_recordset.requery(); // a new read of the list keeps the layout
    EXPECT_EQ(again->shownColumns(), (std::vector<int>{2, 0, 1, 3}));
    auto other = gridFor(8);
    EXPECT_EQ(other->ColWidth(1), 1500);
    EXPECT_EQ(other->shownColumns(), (std::vector<int>{0, 1, 2, 3}));

    ctx.idUsers = 7;
    again->restoreDefaultColumns();
    EXPECT_EQ(again->ColWidth(1), 1500);
    EXPECT_EQ(again->shownColumns(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(gridFor(7)->ColWidth(1), 1500);
    ctx.idUsers = 0;
}

// The PDF and the print preview lay out the same pages: one page, several, and a list wide
// enough for landscape.
TEST_F(FlexGridTest, PdfHasAsManyPagesAsThePrintPreview) {
    m_backend->executeNative(
        "WITH RECURSIVE n(i) AS (SELECT 100 UNION ALL SELECT i + 1 FROM n WHERE i < 260) "
        "INSERT INTO TVA SELECT i, 'Cota ' || i, '4426', i FROM n");
    QTemporaryDir dir;
    std::vector<int> counts;
    for (const auto& [rows, width] : {std::pair{4, 1500}, std::pair{165, 1500}, std::pair{165, 5000}}) {
        m_recordset.open(
            QStringLiteral("SELECT TVA, Denumire, ContD, Cod FROM TVA ORDER BY Cod LIMIT %1").arg(rows),
            m_connection);
        FlexGrid grid;
        grid.bind(&m_recordset);
        for (int c = 0; c < grid.Cols(); ++c)
            grid.setColWidth(c, width);
        const ListTable table = ListTable::of(grid, "Rate TVA", "LEMNART PRODCOM SRL");
        const QString file = dir.filePath(QStringLiteral("lista%1.pdf").arg(width));
        ASSERT_EQ(ListExport::write(table, file), QString());
        QFile pdf(file);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        const qsizetype pages =
            QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page(?![s\\w])"));

        QPrinter printer(QPrinter::HighResolution);
        ListPrint::setUp(printer, table);
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                         [&table](QPrinter* target) { ListPrint::paint(*target, table); });
        preview.updatePreview();
        EXPECT_EQ(pages, preview.pageCount()) << rows << " rows, columns of " << width;
        counts.push_back(preview.pageCount());
    }
    // A landscape page holds fewer rows than a portrait one.
    EXPECT_EQ(counts[0], 1);
    EXPECT_GT(counts[1], 1);
    EXPECT_GT(counts[2], counts[1]);
}
