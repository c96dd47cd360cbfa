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
#include "program/CommandLine.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>

using namespace vornel;

namespace {

void out(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
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

int run(const CommandLine& options) {
    if (options.isSet(QStringLiteral("new-demo"))) {
        DemoDatabase::create(options.value(QStringLiteral("new-demo")));
        return 0;
    }
    const bool sqlite = options.isSet(QStringLiteral("db"));
    if (sqlite == options.isSet(QStringLiteral("odbc")))
        return options.refuse(
            QStringLiteral("give the database with either --db or --odbc (vornel-sql --help)"));
    const QString procedure = options.value(QStringLiteral("proc"));
    const QStringList arguments = options.positional();
    if (procedure.isEmpty() && arguments.size() != 1)
        return options.refuse(QStringLiteral("give one statement (vornel-sql --help)"));

    const auto connection =
        Connection::open(sqlite ? QStringLiteral("sqlite:") + options.value(QStringLiteral("db"))
                                : QStringLiteral("odbc:") + options.value(QStringLiteral("odbc")));
    if (!procedure.isEmpty()) return callProcedure(*connection, procedure, arguments);
    const QString& statement = arguments.first();
    if (!returnsRows(statement)) {
        out(QStringLiteral("%1 rows affected").arg(connection->execute(statement)));
        return 0;
    }
    const QueryResult result = connection->query(statement);
    if (result.columns.empty())
        out(QStringLiteral("0 rows affected"));
    else
        printResult(result, options.isSet(QStringLiteral("sizes")));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine options(
        QStringLiteral("vornel-sql"),
        QStringLiteral("vornel-sql (--db PATH | --odbc CONNECTION) [--sizes] STATEMENT\n"
                       "       vornel-sql (--db PATH | --odbc CONNECTION) --proc NAME [name=value ...]\n"
                       "       vornel-sql --new-demo PATH"),
        QStringLiteral("Runs one statement or procedure against a company database and prints the "
                       "result tab-separated."));
    options.databaseOptions()
        .flag(QStringLiteral("sizes"), QStringLiteral("Prints each column's defined size after its name."))
        .option(QStringLiteral("proc"), QStringLiteral("NAME"), QStringLiteral("Calls a stored procedure."))
        .option(QStringLiteral("new-demo"), QStringLiteral("PATH"),
                QStringLiteral("Writes a fresh demo database (and PATH.adm)."))
        .flag(QStringLiteral("verbose"),
              QStringLiteral("Logs every database error on standard error as well."))
        .positionals(QStringLiteral("STATEMENT | name=value..."),
                     QStringLiteral("The statement, or the procedure's parameters."));
    if (const auto end = options.parse(argc, argv)) return *end;
    QCoreApplication app(argc, argv);
    // The error is printed once below; the log lines are for --verbose.
    if (!options.isSet(QStringLiteral("verbose")))
        QLoggingCategory::setFilterRules(QStringLiteral("vornel.*=false"));
    try {
        return run(options);
    } catch (const DbError& e) {
        printError(QStringLiteral("vornel-sql: error %1: %2").arg(e.numberText(), e.description()));
        return 1;
    }
}
