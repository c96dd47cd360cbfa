#pragma once
// The filter expressions of recordsets: comparisons of a field with a value ("[Cod] Like 'ab%'",
// "Pret >= 10", "Nume <> 'x'") joined by AND and OR, with parentheses. Like takes "%" or "*" for
// any run of characters and "_" for one; text compares without regard to case.

#include "Column.h"
#include "RowStore.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace vornel {

class RecordsetFilter {
public:
    // Reads an expression over the given columns. Throws DbError(BadArgument) for text it cannot read
    // or a field the columns do not have.
    static RecordsetFilter parse(const QString& expression, const std::vector<Column>& columns);

    bool matches(const RowStore& rows, std::size_t row) const;

    enum class Op { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual, Like, And, Or };
    struct Node {
        Op op = Op::Equal;
        int column = -1;            // comparisons
        QVariant value;             // comparisons: QString or double; invalid for NULL
        std::vector<Node> children; // And, Or
    };

private:
    explicit RecordsetFilter(Node root) : m_root(std::move(root)) {}
    Node m_root;
};

// True when `text` matches `pattern` ("%" or "*" any run, "_" one character), ignoring case.
bool likeMatch(const QString& text, const QString& pattern);

} // namespace vornel
