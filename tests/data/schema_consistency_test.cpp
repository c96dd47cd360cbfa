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

// Splits at commas outside parentheses.
QStringList topLevelItems(const QString& body) {
    QStringList items;
    int depth = 0;
    QString current;
    for (QChar c : body) {
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        if (c == QLatin1Char(',') && depth == 0) {
            items << current.trimmed();
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.trimmed().isEmpty()) items << current.trimmed();
    return items;
}

QStringList keyList(const QString& item) {
    const int open = item.indexOf(QLatin1Char('('));
    const int close = item.indexOf(QLatin1Char(')'), open);
    QStringList names;
    for (const QString& n : item.mid(open + 1, close - open - 1).split(QLatin1Char(',')))
        names << bare(n);
    return names;
}

QMap<QString, Table> parse(const QString& script) {
    QString text;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        const int comment = line.indexOf(QLatin1String("--"));
        text += (comment >= 0 ? line.left(comment) : line) + QLatin1Char('\n');
    }
    QMap<QString, Table> tables;
    static const QRegularExpression create(
        QStringLiteral(R"(CREATE\s+TABLE\s+((?:\w+\.)*(?:\[[^\]]+\]|\w+))\s*\()"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression columnName(QStringLiteral(R"(^(\[[^\]]+\]|\w+))"));
    auto it = create.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        int depth = 1;
        int end = m.capturedEnd();
        while (end < text.size() && depth > 0) {
            if (text[end] == QLatin1Char('('))
                ++depth;
            else if (text[end] == QLatin1Char(')'))
                --depth;
            ++end;
        }
        Table table;
        for (const QString& item : topLevelItems(text.mid(m.capturedEnd(), end - 1 - m.capturedEnd()))) {
            const QString upper = item.toUpper();
            if (upper.startsWith(QLatin1String("PRIMARY KEY"))) {
                table.primaryKey = keyList(item);
            } else if (upper.startsWith(QLatin1String("UNIQUE")) ||
                       upper.startsWith(QLatin1String("CHECK")) ||
                       upper.startsWith(QLatin1String("FOREIGN")) ||
                       upper.startsWith(QLatin1String("CONSTRAINT"))) {
                continue;
            } else {
                const QString name = bare(columnName.match(item).captured(1));
                table.columns << name;
                if (upper.contains(QLatin1String("PRIMARY KEY"))) table.primaryKey = {name};
                if (upper.contains(QLatin1String("AUTOINCREMENT")) ||
                    upper.contains(QLatin1String("IDENTITY")))
                    table.identity << name;
            }
        }
        tables.insert(bare(m.captured(1)), table);
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
