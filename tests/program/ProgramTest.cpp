// What every program shares: reading options, and a log that never outgrows its few files.
#include "program/CommandLine.h"
#include "program/LogFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vornel;

TEST(CommandLine, ValuesFlagsAndRefusals) {
    CommandLine cl("prog", "prog [OPTION]...", "Test.");
    cl.option("db", "FILE", "Database.").flag("verbose", "Talk.").option("company", "N", "Company.");
    EXPECT_FALSE(cl.parse(QStringList{"--db=a.db", "--verbose", "--db", "b=c.db", "--company", "7"}));
    EXPECT_EQ(cl.value("db"), "b=c.db"); // the last one given; "=" inside a value stays
    EXPECT_TRUE(cl.isSet("verbose"));
    EXPECT_EQ(cl.number("company", 1), 7);
    EXPECT_EQ(cl.number("user", 1), 1);

    EXPECT_EQ(cl.parse(QStringList{"--db"}), 2);           // value missing
    EXPECT_EQ(cl.parse(QStringList{"--verbose=yes"}), 2);  // a flag takes none
    EXPECT_EQ(cl.parse(QStringList{"--dbx", "a"}), 2);     // unknown
    EXPECT_EQ(cl.parse(QStringList{"extra"}), 2);          // no positionals declared
    EXPECT_FALSE(cl.parse(QStringList{"--company", "x"})); // read now, refused when asked for
    EXPECT_EQ(cl.number("company", 1), std::nullopt);
}

TEST(LogFile, RotatesIntoAFewFilesOfBoundedSize) {
    QTemporaryDir dir;
    const qint64 max = 4000;
    {
        LogFile log(dir.path(), false, max);
        for (int i = 0; i < 400; ++i)
            log.write(QStringLiteral("linia %1 ").arg(i, 4, 10, QLatin1Char('0')) + QString(60, 'x'));
        qWarning("prin Qt");
    }
    const QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{"vornel.1.log", "vornel.2.log", "vornel.3.log", "vornel.log"}));
    for (const QString& name : files)
        EXPECT_LE(QFileInfo(dir.filePath(name)).size(), max) << name.toStdString();
    QFile newest(dir.filePath("vornel.log"));
    ASSERT_TRUE(newest.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(newest.readAll());
    EXPECT_TRUE(text.contains("linia 0399")) << text.toStdString();
    EXPECT_TRUE(text.contains("warning default: prin Qt")) << text.toStdString();
}
