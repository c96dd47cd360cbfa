// `vornel --export`: refused without a right on the catalogue's screen, else the list as the user
// sees it, without a window.
#include "catalogs/CatalogExport.h"
#include "controls/ColumnLayout.h"
#include "data/Connection.h"
#include "data/sqlite/DemoDatabase.h"
#include "entry/ComponentContext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

struct Exported {
    int status;
    QString errors;
};

Exported exportTo(const QString& db, const QString& caption, qint32 user, const QString& file) {
    QString errors;
    QTextStream stream(&errors);
    const int status = CatalogExport::run(QStringLiteral("sqlite:") + db, caption, 1, user, file, stream);
    ComponentContext::current().idUsers = 0;
    ComponentContext::current().idSoc = 0;
    return {status, errors};
}

} // namespace

TEST(CatalogExport, RefusalsEndWithAMessageAndAFailingStatus) {
    QTemporaryDir dir;
    const QString db = dir.filePath("firma.db");
    DemoDatabase::create(db);
    const QString file = dir.filePath("banci.csv");
    const Exported noRights = exportTo(db, "Banci", 3, file); // a user with no right anywhere
    EXPECT_EQ(noRights.status, 1);
    EXPECT_TRUE(noRights.errors.contains("Pentru aceasta operatiune nu aveti acces!"))
        << qPrintable(noRights.errors);
    EXPECT_FALSE(QFile::exists(file));
    const Exported unknown = exportTo(db, "Salarii", 1, file);
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.errors.contains("Catalogul Salarii nu exista.")) << qPrintable(unknown.errors);
    EXPECT_EQ(exportTo(dir.filePath("lipsa.db"), "Banci", 1, file).status, 1);
    EXPECT_EQ(exportTo(db, "Banci", 1, dir.filePath("banci.txt")).status, 1);
}

// A database of the earlier version gets the tables added since, as the windows' opening gives them;
// one whose structure does not match is refused, naming what it lacks.
TEST(CatalogExport, TakesTheDatabaseAsTheWindowsOpenIt) {
    QTemporaryDir dir;
    const QString db = dir.filePath("firma.db");
    DemoDatabase::create(db);
    Connection::open(QStringLiteral("sqlite:") + db)->execute("DROP TABLE RegimTVA");
    const QString file = dir.filePath("regimuri.csv");
    const Exported upgraded = exportTo(db, "Regimuri TVA", 1, file);
    EXPECT_EQ(upgraded.status, 0) << qPrintable(upgraded.errors);
    QFile csv(file);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(csv.readAll().mid(3)).split("\r\n").size(), 6);
    Connection::open(QStringLiteral("sqlite:") + db)->execute("ALTER TABLE Cpp DROP COLUMN Adresa");
    const Exported refused = exportTo(db, "Banci", 1, dir.filePath("banci.csv"));
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.errors.contains("lipseste coloana Adresa din tabela Cpp"))
        << qPrintable(refused.errors);
}

TEST(CatalogExport, WritesTheShownColumnsInTheOrderTheUserKeeps) {
    QTemporaryDir dir;
    const QString db = dir.filePath("firma.db");
    DemoDatabase::create(db);
    ComponentContext::current().idUsers = 2;
    ColumnLayout layout;
    layout.order = {1, 0, 2, 3, 4, 5};
    layout.save("Banci");
    // User 2 may add and modify banks, not delete them: a right on the screen is enough.
    const QString file = dir.filePath("banci.csv");
    const Exported done = exportTo(db, "Banca Tert", 2, file);
    EXPECT_EQ(done.status, 0) << qPrintable(done.errors);
    QFile csv(file);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "Descriere banca;Cod Banca");
    EXPECT_EQ(lines[1], "Banca Transilvania - Sucursala Cluj;1");
    EXPECT_EQ(lines[6], "");
    ComponentContext::current().idUsers = 2;
    ColumnLayout::forget("Banci");
    ComponentContext::current().idUsers = 0;
}
