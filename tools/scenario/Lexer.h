#pragma once
// Splits one line of a scenario file into its arguments: blanks separate them, double quotes
// group an argument with blanks, and \" \\ \r \n are escapes inside quotes.

#include <QString>
#include <vector>

namespace vornel::scenario {

struct Token {
    QString text;
    bool quoted = false;
};

struct LexResult {
    std::vector<Token> tokens;
    QString error; // empty when the line is well formed
};

LexResult splitLine(const QString& line);

// The text between double quotes with the same escapes, for messages that show a value.
QString quoted(const QString& text);

} // namespace vornel::scenario
