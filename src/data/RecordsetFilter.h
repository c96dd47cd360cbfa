#pragma once
// The filter expressions of recordsets: comparisons of a field with a value ("[Cod] Like 'ab%'",
// "Pret >= 10", "Nume <> 'x'") joined by AND and OR, with parentheses. Like takes "%" or "*" for
// any run of characters, "_" for one and "[c]" for the character c itself; text compares without
// regard to case.

#include "Column.h"
#include "RowStore.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <string>
#include <vector>

namespace vornel {

class RecordsetFilter {
public:
    // Reads an expression over the given columns. Throws DbError(BadArgument) for text it cannot read
    // or a field the columns do not have.
    static RecordsetFilter parse(const QString& expression, const std::vector<Column>& columns);

    bool matches(const RowStore& rows, std::size_t row) const;

    // A filter that is one "Field Like 'text%'" with a plain text (no other wildcard): the field's
    // index and the text. -1 and an empty text for any other filter.
    int prefixColumn() const;
    QString prefixText() const;

    enum class Op { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual, Like, And, Or };
    struct Node {
        Op op = Op::Equal;
        int column = -1;            // comparisons
        QVariant value;             // comparisons: QString or double; invalid for NULL
        std::vector<Node> children; // And, Or
        // Like with a plain ASCII text and wildcards only at its end: that text in lower case,
        // compared bytewise with the stored text (the general matcher serves every other case).
        bool asciiPrefix = false;
        std::string prefix;
    };

private:
    explicit RecordsetFilter(Node root) : m_root(std::move(root)) {}
    Node m_root;
};

// True when `text` matches `pattern` ("%" or "*" any run, "_" one character, "[c]" the character c
// itself), ignoring case.
bool likeMatch(const QString& text, const QString& pattern);
// The text as a Like pattern that matches it literally: "%", "*", "_" and "[" in brackets.
QString likeLiteralText(const QString& text);

} // namespace vornel
