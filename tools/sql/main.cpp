// vornel-sql: runs one statement or procedure against a company database and prints the result
// tab-separated, for tests and for looking into a database by hand.
//
//   vornel-sql --db PATH [--sizes] "STATEMENT"
//   vornel-sql --odbc "CONNECTION" [--sizes] "STATEMENT"
//   vornel-sql --db PATH --proc NAME [name=value ...]
//   vornel-sql --new-demo PATH

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/SqlText.h"
#include "data/sqlite/DemoDatabase.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>

using namespace vornel;

namespace {

void out(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

int usage() {
    std::fputs("usage: vornel-sql (--db PATH | --odbc CONNECTION) [--sizes] STATEMENT\n"
               "       vornel-sql (--db PATH | --odbc CONNECTION) --proc NAME [name=value ...]\n"
               "       vornel-sql --new-demo PATH\n",
               stderr);
    return 2;
}

QString cellText(const QVariant& v) {
    if (!v.isValid()) return QStringLiteral("NULL");
    if (v.typeId() == QMetaType::Double) return Sql::numberText(v.toDouble());
    return v.toString();
}

void printResult(const QueryResult& result, bool sizes) {
    QStringList header;
    for (const Column& c : result.columns)
        header << (sizes ? QStringLiteral("%1(%2)").arg(c.name).arg(c.definedSize) : c.name);
    out(header.join(QLatin1Char('\t')));
    for (std::size_t r = 0; r < result.rows.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < result.rows.columnCount(); ++c)
            cells << cellText(result.rows.value(r, c));
        out(cells.join(QLatin1Char('\t')));
    }
}

// Statements that read are run as queries, the others as commands (so each runs exactly once).
bool returnsRows(const QString& statement) {
    const QString head =
        statement.trimmed().section(QRegularExpression(QStringLiteral("\\s+")), 0, 0).toLower();
    return head == QLatin1String("select") || head == QLatin1String("with") ||
           head == QLatin1String("pragma") || head == QLatin1String("values") ||
           head.startsWith(QLatin1String("select("));
}

int callProcedure(Connection& connection, const QString& name, const QStringList& assignments) {
    std::vector<Parameter> params;
    params.push_back(
        {QStringLiteral("RETURN_VALUE"), DataType::Integer, ParameterDirection::ReturnValue, 4, {}});
    for (const QString& a : assignments) {
        const qsizetype eq = a.indexOf(QLatin1Char('='));
        if (eq <= 0)
            throw DbError(ErrorNumber::BadArgument, QStringLiteral("parameter without name=value: ") + a);
        const QString value = a.mid(eq + 1);
        if (Sql::isInteger(value))
            params.push_back(
                {a.left(eq), DataType::Integer, ParameterDirection::Input, 4, value.toLongLong()});
        else
            params.push_back({a.left(eq), DataType::VarWChar, ParameterDirection::Input,
                              static_cast<int>(value.size()), value});
    }
    const int result = connection.callProcedure(name, params);
    out(QStringLiteral("return %1").arg(result));
    return 0;
}

int run(const QStringList& args) {
    QString connectionString;
    QString procedure;
    QString statement;
    QStringList assignments;
    bool sizes = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasNext = i + 1 < args.size();
        if (a == QLatin1String("--db") && hasNext) {
            connectionString = QStringLiteral("sqlite:") + args[++i];
        } else if (a == QLatin1String("--odbc") && hasNext) {
            connectionString = QStringLiteral("odbc:") + args[++i];
        } else if (a == QLatin1String("--new-demo") && hasNext) {
            DemoDatabase::create(args[++i]);
            return 0;
        } else if (a == QLatin1String("--sizes")) {
            sizes = true;
        } else if (a == QLatin1String("--proc") && hasNext) {
            procedure = args[++i];
        } else if (!procedure.isEmpty()) {
            assignments << a;
        } else if (statement.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            statement = a;
        } else {
            return usage();
        }
    }
    if (connectionString.isEmpty() || (statement.isEmpty() && procedure.isEmpty())) return usage();

    const auto connection = Connection::open(connectionString);
    if (!procedure.isEmpty()) return callProcedure(*connection, procedure, assignments);
    if (!returnsRows(statement)) {
        out(QStringLiteral("%1 rows affected").arg(connection->execute(statement)));
        return 0;
    }
    const QueryResult result = connection->query(statement);
    if (result.columns.empty())
        out(QStringLiteral("0 rows affected"));
    else
        printResult(result, sizes);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return run(QCoreApplication::arguments());
    } catch (const DbError& e) {
        std::fprintf(stderr, "error %s: %s\n", e.numberText().toUtf8().constData(),
                     e.description().toUtf8().constData());
        return 1;
    }
}
