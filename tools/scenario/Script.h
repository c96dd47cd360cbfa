#pragma once
// A scenario file read into scenarios and steps, every step checked for its form before any runs.

#include "Lexer.h"

#include <QString>
#include <optional>
#include <vector>

namespace vornel::scenario {

// "W.c" or "W.c[N]": a control of a window; objectName is "c" or "c_N".
struct ControlRef {
    QString window;
    QString objectName;
    QString text; // as written, for messages
};

std::optional<ControlRef> parseControl(const QString& text);

struct Step {
    int line = 0;
    QString source;          // the line as written
    QString verb;            // "apel", "expect text", ...
    std::vector<Token> args; // after the verb
};

struct Scenario {
    QString file;
    QString name;
    int line = 0; // of its "scenario" line, or 1
    int lastLine = 0;
    bool named = false; // has its own "scenario" line
    std::vector<Step> steps;
    // A malformed line makes the whole scenario fail without running.
    std::vector<std::pair<int, QString>> parseErrors; // line, "expected ...; found ..."
};

// Reads a file; a file that cannot be read gives one scenario with a parse error at line 0.
std::vector<Scenario> readScenarioFile(const QString& path);
std::vector<Scenario> parseScenarios(const QString& file, const QString& content);

// The keys that "key" accepts.
const QStringList& keyNames();

} // namespace vornel::scenario
