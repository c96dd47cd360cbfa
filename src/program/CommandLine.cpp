#include "program/CommandLine.h"

#include "program/Version.h"

#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace vornel {

namespace {

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

void printError(const QString& line) {
    print(stderr, line + QLatin1Char('\n'));
}

void printLine(const QString& line) {
    print(stdout, line + QLatin1Char('\n'));
}

bool hasDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal")) return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (platform.startsWith("wayland")) return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.startsWith("xcb")) return !qEnvironmentVariableIsEmpty("DISPLAY");
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

CommandLine::CommandLine(QString program, QString synopsis, QString description)
    : m_program(std::move(program)), m_synopsis(std::move(synopsis)), m_description(std::move(description)) {
    flag(QStringLiteral("help"), QStringLiteral("Prints this text and ends."));
    flag(QStringLiteral("version"), QStringLiteral("Prints the version and ends."));
}

CommandLine& CommandLine::option(const QString& name, const QString& valueName, const QString& help) {
    m_options.push_back({name, valueName, help});
    return *this;
}

CommandLine& CommandLine::flag(const QString& name, const QString& help) {
    m_options.push_back({name, {}, help});
    return *this;
}

CommandLine& CommandLine::databaseOptions() {
    option(QStringLiteral("db"), QStringLiteral("FILE"),
           QStringLiteral("Embedded (SQLite) company database."));
    return option(QStringLiteral("odbc"), QStringLiteral("CONNECTION"),
                  QStringLiteral("ODBC connection string."));
}

CommandLine& CommandLine::positionals(const QString& valueName, const QString& help) {
    m_positionalName = valueName;
    m_positionalHelp = help;
    return *this;
}

const CommandLine::OptionInfo* CommandLine::find(const QString& name) const {
    const auto it =
        std::find_if(m_options.begin(), m_options.end(), [&](const OptionInfo& s) { return s.name == name; });
    return it == m_options.end() ? nullptr : &*it;
}

std::optional<int> CommandLine::parse(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return parse(arguments);
}

std::optional<int> CommandLine::parse(const QStringList& arguments) {
    m_given.clear();
    m_positional.clear();
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1String("--")) || argument == QLatin1String("-")) {
            if (m_positionalName.isEmpty())
                return refuse(QStringLiteral("unexpected argument %1 (%2 --help lists the options)")
                                  .arg(argument, m_program));
            m_positional << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype eq = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(2, eq < 0 ? -1 : eq - 2);
        const OptionInfo* info = find(name);
        if (!info)
            return refuse(
                QStringLiteral("unknown option --%1 (%2 --help lists the options)").arg(name, m_program));
        QString value;
        if (info->valueName.isEmpty()) {
            if (eq >= 0) return refuse(QStringLiteral("--%1 takes no value").arg(name));
        } else if (eq >= 0) {
            value = argument.mid(eq + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return refuse(QStringLiteral("--%1 needs a value (%2)").arg(name, info->valueName));
        }
        m_given.emplace_back(name, value);
    }
    if (isSet(QStringLiteral("help"))) {
        print(stdout, helpText());
        return 0;
    }
    if (isSet(QStringLiteral("version"))) {
        print(stdout, QStringLiteral("%1 %2\n").arg(m_program, QLatin1String(kVersion)));
        return 0;
    }
    return std::nullopt;
}

bool CommandLine::isSet(const QString& name) const {
    return std::any_of(m_given.begin(), m_given.end(),
                       [&](const auto& given) { return given.first == name; });
}

QString CommandLine::value(const QString& name) const {
    const auto it = std::find_if(m_given.rbegin(), m_given.rend(),
                                 [&](const auto& given) { return given.first == name; });
    return it == m_given.rend() ? QString() : it->second;
}

std::optional<int> CommandLine::number(const QString& name, int fallback) const {
    if (!isSet(name)) return fallback;
    bool ok = false;
    const int n = value(name).toInt(&ok);
    if (ok) return n;
    refuse(QStringLiteral("--%1 takes a whole number, not \"%2\"").arg(name, value(name)));
    return std::nullopt;
}

int CommandLine::refuse(const QString& text) const {
    printError(m_program + QStringLiteral(": ") + text);
    return 2;
}

QString CommandLine::helpText() const {
    QString text;
    QTextStream out(&text);
    out << "usage: " << m_synopsis << "\n\n" << m_description << "\n\n";
    QStringList left;
    for (const OptionInfo& s : m_options)
        left << (s.valueName.isEmpty() ? QStringLiteral("--") + s.name
                                       : QStringLiteral("--%1 %2").arg(s.name, s.valueName));
    if (!m_positionalName.isEmpty()) left << m_positionalName;
    qsizetype width = 0;
    for (const QString& l : left)
        width = std::max(width, l.size());
    for (std::size_t i = 0; i < m_options.size(); ++i)
        out << "  " << left[static_cast<qsizetype>(i)].leftJustified(width + 2) << m_options[i].help << '\n';
    if (!m_positionalName.isEmpty())
        out << "  " << left.last().leftJustified(width + 2) << m_positionalHelp << '\n';
    out.flush();
    return text;
}

} // namespace vornel
