#include "Script.h"

#include <QFile>
#include <QRegularExpression>
#include <map>

namespace vornel::scenario {

namespace {

// Argument kinds: s any text, i integer, n number, c control, w window, t window or control,
// y yes/no, d demo/empty, k key name, l rights letter, o sort order.
const std::map<QString, QString>& grammar() {
    static const std::map<QString, QString> table = {
        {"db", "d"},
        {"sql", "s"},
        {"company", "i"},
        {"user", "i"},
        {"deny", "sl"},
        {"locale", "s"},
        {"apel", "s"},
        {"answer", "y"},
        {"lock", ""},
        {"unlock", ""},
        {"readonly", ""},
        {"snapshot", ""},
        {"click", "c"},
        {"type", "cs"},
        {"paste", "cs"},
        {"key", "ck"},
        {"select", "cs"},
        {"row", "ci"},
        {"col", "ci"},
        {"sort", "cio"},
        {"save", "s"},
        {"edit", "ciss"},
        {"append", "cs"},
        {"remove", "ci"},
        {"dblclick", "c"},
        {"close", "w"},
        {"expect no-message", ""},
        {"expect open", "w"},
        {"expect closed", "w"},
        {"expect enabled", "t"},
        {"expect disabled", "t"},
        {"expect title", "ws"},
        {"expect visible", "c"},
        {"expect hidden", "c"},
        {"expect locked", "c"},
        {"expect unlocked", "c"},
        {"expect text", "cs"},
        {"expect checked", "c"},
        {"expect unchecked", "c"},
        {"expect value", "cn"},
        {"expect maxlength", "ci"},
        {"expect items", "cs"},
        {"expect focus", "c"},
        {"expect rows", "ci"},
        {"expect cell", "ciis"},
        {"expect colwidth", "cii"},
        {"expect sql", "ss"},
        {"expect executed", "s"},
        {"expect file", "ss"},
        {"expect iesire", "i"},
        {"expect unchanged", ""},
    };
    return table;
}

bool isInteger(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^-?[0-9]+$"));
    return re.match(s).hasMatch();
}

bool isNumber(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    return re.match(s).hasMatch();
}

QString checkArgument(QChar kind, const Token& arg) {
    const QString& v = arg.text;
    switch (kind.unicode()) {
    case 'i':
        return isInteger(v) ? QString() : QStringLiteral("an integer");
    case 'n':
        return isNumber(v) ? QString() : QStringLiteral("a number");
    case 'c':
        return parseControl(v) ? QString() : QStringLiteral("a control Window.control");
    case 'w':
        return !v.isEmpty() && !v.contains(u'.') ? QString() : QStringLiteral("a window name");
    case 't':
        return (!v.isEmpty() && !v.contains(u'.')) || parseControl(v) ? QString()
                                                                      : QStringLiteral("a window or control");
    case 'y':
        return v == u"yes" || v == u"no" ? QString() : QStringLiteral("yes or no");
    case 'd':
        return v == u"demo" || v == u"empty" ? QString() : QStringLiteral("demo or empty");
    case 'k':
        return keyNames().contains(v) ? QString() : QStringLiteral("a key (%1)").arg(keyNames().join(u", "));
    case 'l':
        return v == u"A" || v == u"M" || v == u"S" ? QString() : QStringLiteral("A, M or S");
    case 'o':
        return v == u"asc" || v == u"desc" || v == u"none" ? QString() : QStringLiteral("asc, desc or none");
    default:
        return {};
    }
}

// Checks the options of "expect message": icon N, buttons N, title "T", each at most once.
QString checkMessageOptions(const std::vector<Token>& args, QString& found) {
    if (args.empty()) {
        found = QStringLiteral("no text");
        return QStringLiteral("the message text");
    }
    QStringList seen;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const QString& key = args[i].text;
        if (args[i].quoted || (key != u"icon" && key != u"buttons" && key != u"title") ||
            seen.contains(key)) {
            found = quoted(key);
            return QStringLiteral("icon, buttons or title");
        }
        seen << key;
        if (i + 1 >= args.size()) {
            found = QStringLiteral("nothing");
            return QStringLiteral("a value after %1").arg(key);
        }
        if (key != u"title" && !isInteger(args[i + 1].text)) {
            found = quoted(args[i + 1].text);
            return QStringLiteral("an integer after %1").arg(key);
        }
    }
    return {};
}

// Returns "expected ...; found ..." for a malformed step, empty when it is well formed.
QString checkStep(Step& step, const std::vector<Token>& tokens) {
    const Token& first = tokens.front();
    QString verb = first.text;
    std::size_t argStart = 1;
    if (!first.quoted && verb == u"expect") {
        if (tokens.size() < 2) return QStringLiteral("expected a check after expect; found nothing");
        verb += u' ' + tokens[1].text;
        argStart = 2;
    }
    step.verb = verb;
    step.args.assign(tokens.begin() + static_cast<std::ptrdiff_t>(argStart), tokens.end());

    if (verb == u"expect message") {
        QString found;
        const QString expected = checkMessageOptions(step.args, found);
        return expected.isEmpty() ? QString() : QStringLiteral("expected %1; found %2").arg(expected, found);
    }
    const auto it = grammar().find(verb);
    if (first.quoted || it == grammar().end())
        return QStringLiteral("expected a step; found %1").arg(quoted(verb));
    const QString& kinds = it->second;
    if (step.args.size() != static_cast<std::size_t>(kinds.size()))
        return QStringLiteral("expected %1 argument(s) for %2; found %3")
            .arg(kinds.size())
            .arg(verb)
            .arg(step.args.size());
    for (qsizetype i = 0; i < kinds.size(); ++i) {
        const QString expected = checkArgument(kinds[i], step.args[static_cast<std::size_t>(i)]);
        if (!expected.isEmpty())
            return QStringLiteral("expected %1 as argument %2 of %3; found %4")
                .arg(expected)
                .arg(i + 1)
                .arg(verb, quoted(step.args[static_cast<std::size_t>(i)].text));
    }
    return {};
}

} // namespace

const QStringList& keyNames() {
    static const QStringList names = {"Enter", "Esc",       "Tab",  "ShiftTab", "Up",    "Down",  "Left",
                                      "Right", "Backspace", "Home", "End",      "CtrlF", "CtrlE", "CtrlH"};
    return names;
}

std::optional<ControlRef> parseControl(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^([^.\\s]+)\\.([A-Za-z_][A-Za-z0-9_]*)(?:\\[([0-9]+)\\])?$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    ControlRef ref;
    ref.window = m.captured(1);
    ref.objectName = m.captured(2);
    if (m.hasCaptured(3)) ref.objectName += u'_' + m.captured(3);
    ref.text = text;
    return ref;
}

std::vector<Scenario> parseScenarios(const QString& file, const QString& content) {
    std::vector<Scenario> scenarios;
    const QStringList lines = content.split(u'\n');
    std::vector<std::pair<int, QString>> preambleErrors;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) continue;

        const LexResult lexed = splitLine(line);
        auto error = [&](const QString& text) {
            if (scenarios.empty()) scenarios.push_back(Scenario{file, QString(), 1, lineNo, false, {}, {}});
            scenarios.back().parseErrors.emplace_back(lineNo, text);
            scenarios.back().lastLine = lineNo;
        };
        if (!lexed.error.isEmpty()) {
            error(QStringLiteral("expected a well formed line; found %1").arg(lexed.error));
            continue;
        }
        const Token& first = lexed.tokens.front();
        if (!first.quoted && first.text == u"scenario") {
            if (lexed.tokens.size() != 2) {
                error(QStringLiteral("expected scenario \"NAME\"; found %1 argument(s)")
                          .arg(lexed.tokens.size() - 1));
                continue;
            }
            const bool unnamedOpen = !scenarios.empty() && !scenarios.back().named;
            if (unnamedOpen && scenarios.back().steps.empty()) {
                scenarios.back().name = lexed.tokens[1].text;
                scenarios.back().line = lineNo;
                scenarios.back().named = true;
                continue;
            }
            if (unnamedOpen)
                error(QStringLiteral("expected every step inside a scenario; found steps before the first "
                                     "scenario line"));
            scenarios.push_back(Scenario{file, lexed.tokens[1].text, lineNo, lineNo, true, {}, {}});
            continue;
        }
        Step step;
        step.line = lineNo;
        step.source = trimmed;
        const QString problem = checkStep(step, lexed.tokens);
        if (scenarios.empty()) scenarios.push_back(Scenario{file, QString(), 1, lineNo, false, {}, {}});
        if (!problem.isEmpty()) {
            error(problem);
            continue;
        }
        scenarios.back().steps.push_back(std::move(step));
        scenarios.back().lastLine = lineNo;
    }
    if (scenarios.empty()) scenarios.push_back(Scenario{file, QString(), 1, 1, false, {}, {}});
    return scenarios;
}

std::vector<Scenario> readScenarioFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        Scenario s{path, QString(), 0, 0, false, {}, {}};
        s.parseErrors.emplace_back(0,
                                   QStringLiteral("expected a readable file; found %1").arg(f.errorString()));
        return {s};
    }
    return parseScenarios(path, QString::fromUtf8(f.readAll()));
}

} // namespace vornel::scenario
