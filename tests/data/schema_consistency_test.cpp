// The embedded and the SQL Server scripts describe the same databases: same tables, same columns,
// same primary keys, the same columns numbered by the database, and no dialect leaking across.

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct Table {
    QStringList columns;    // lower case, in order
    QStringList primaryKey; // lower case, in key order
    QStringList identity;   // columns the database numbers
};

QString resource(const QString& name) {
    QFile file(QStringLiteral(":/db/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

QString bare(QString name) {
    name = name.trimmed();
    if (name.startsWith(QLatin1String("AdmTivra."), Qt::CaseInsensitive)) name = name.mid(9);
    if (name.startsWith(QLatin1String("dbo."), Qt::CaseInsensitive)) name = name.mid(4);
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    return name.toLower();
}

// The tables of a script written one column or table constraint a line, as both engines' are.
QMap<QString, Table> parse(const QString& script) {
    static const QRegularExpression create(QStringLiteral(R"(^CREATE\s+TABLE\s+(.+?)\s*\($)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression column(QStringLiteral(R"(^(\[[^\]]+\]|\w+))"));
    QMap<QString, Table> tables;
    Table* table = nullptr;
    for (QString line : script.split(QLatin1Char('\n'))) {
        line =
            line.left(line.indexOf(QLatin1String("--")) < 0 ? line.size() : line.indexOf(QLatin1String("--")))
                .trimmed();
        const QString upper = line.toUpper();
        if (const auto m = create.match(line); m.hasMatch()) {
            table = &tables[bare(m.captured(1))];
        } else if (line.startsWith(QLatin1Char(')'))) {
            table = nullptr;
        } else if (!table || line.isEmpty() || upper.startsWith(QLatin1String("UNIQUE")) ||
                   upper.startsWith(QLatin1String("CHECK")) || upper.startsWith(QLatin1String("FOREIGN"))) {
            continue;
        } else if (upper.startsWith(QLatin1String("PRIMARY KEY"))) {
            for (const QString& n :
                 line.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0).split(u','))
                table->primaryKey << bare(n);
        } else {
            const QString name = bare(column.match(line).captured(1));
            table->columns << name;
            if (upper.contains(QLatin1String("PRIMARY KEY"))) table->primaryKey = {name};
            if (upper.contains(QLatin1String("AUTOINCREMENT")) || upper.contains(QLatin1String("IDENTITY")))
                table->identity << name;
        }
    }
    return tables;
}

std::string text(const QStringList& names) {
    return names.join(QStringLiteral(", ")).toStdString();
}

void expectSame(const QString& sqliteScript, const QString& mssqlScript, int atLeast) {
    const auto lite = parse(resource(sqliteScript));
    const auto server = parse(resource(mssqlScript));
    EXPECT_GE(lite.size(), atLeast);
    EXPECT_EQ(text(lite.keys()), text(server.keys()));
    for (auto it = lite.begin(); it != lite.end(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        const Table other = server.value(it.key());
        EXPECT_EQ(text(it->columns), text(other.columns));
        EXPECT_EQ(text(it->primaryKey), text(other.primaryKey));
        EXPECT_FALSE(it->primaryKey.isEmpty()) << "every table has a primary key";
        EXPECT_EQ(text(it->identity), text(other.identity));
    }
}

TEST(SchemaScripts, BothEnginesDefineTheSameCompanyDatabase) {
    expectSame(QStringLiteral("sqlite/schema.sql"), QStringLiteral("mssql/schema.sql"), 40);
    const auto tables = parse(resource(QStringLiteral("sqlite/schema.sql")));
    // Rows of these tables are written by position or read with SELECT *.
    EXPECT_EQ(tables.value(QStringLiteral("conturiambalaje")).columns, QStringList({"idseriid", "cont"}));
    EXPECT_EQ(tables.value(QStringLiteral("mf_grupe")).columns,
              QStringList({"cod", "descriere", "amortizare"}));
    EXPECT_EQ(tables.value(QStringLiteral("mf_sectii")).columns, QStringList({"sectie", "descriere"}));
    EXPECT_EQ(tables.value(QStringLiteral("sal_acordcod")).columns,
              QStringList({"cod", "descriere", "tarif"}));
    EXPECT_EQ(tables.value(QStringLiteral("subgrupeprodus")).primaryKey, QStringList({"subgrupa produs"}));
    EXPECT_EQ(tables.value(QStringLiteral("pterti")).primaryKey, QStringList({"nume", "prenume"}));
}

TEST(SchemaScripts, BothEnginesDefineTheSameAdministrationDatabase) {
    expectSame(QStringLiteral("sqlite/admtivra.sql"), QStringLiteral("mssql/admtivra.sql"), 3);
}

TEST(SchemaScripts, NoDialectLeaksIntoTheOtherEngine) {
    for (const char* name :
         {"mssql/schema.sql", "mssql/admtivra.sql", "mssql/demo.sql", "mssql/procedures.sql"}) {
        const QString text = resource(QString::fromLatin1(name)).toUpper();
        for (const char* sqliteOnly :
             {"AUTOINCREMENT", "COLLATE NOCASE", "PRAGMA", "INSERT OR ", "ADMTIVRA.SOCIETATI"})
            EXPECT_FALSE(text.contains(QLatin1String(sqliteOnly))) << name << ": " << sqliteOnly;
    }
    for (const char* name : {"sqlite/schema.sql", "sqlite/admtivra.sql", "sqlite/demo.sql"}) {
        const QString text = resource(QString::fromLatin1(name)).toUpper();
        for (const char* serverOnly : {"IDENTITY", " GO\n", "DBO.", "RAISERROR"})
            EXPECT_FALSE(text.contains(QLatin1String(serverOnly))) << name << ": " << serverOnly;
    }
}

TEST(SchemaScripts, DemoDataIsTheSameForBothEngines) {
    // Same statements apart from the date literals (YYYY-MM-DD here, YYYYMMDD on the server).
    const auto statements = [](const QString& script) {
        static const QRegularExpression date(QStringLiteral(R"('(\d{4})-?(\d{2})-?(\d{2})')"));
        QStringList inserts;
        for (QString line : script.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("INSERT INTO")))
                inserts << line.replace(date, QStringLiteral("'\\1\\2\\3'"));
        return inserts;
    };
    const QStringList lite = statements(resource(QStringLiteral("sqlite/demo.sql")));
    EXPECT_GT(lite.size(), 500);
    EXPECT_EQ(lite, statements(resource(QStringLiteral("mssql/demo.sql"))));
}

} // namespace
