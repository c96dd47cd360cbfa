#pragma once
// The one way a statement is built as text from values. Text values stand between the quotes the
// statement writes and pass through text(), which doubles their quotes. Values written bare pass
// through number(), which lets only numbers in: the first one that is not a number is remembered
// with the field it came from, and the statement is then refused as a whole.

#include "data/SqlText.h"

#include <QString>
#include <optional>

namespace vornel {

// A statement as built: its text, or the field whose bare value was not a number.
struct BuiltStatement {
    QString sql; // empty when refused
    bool refused = false;
    int badField = -1;
    bool ok() const { return !refused; }
};

class StatementBuilder {
public:
    static constexpr int kNoField = -1;

    // A value written bare: unchanged when it is a number, trimmed when that makes it one.
    QString number(const QString& value, int field = kNoField);
    template <class Field> QString number(const QString& value, Field field) {
        return number(value, static_cast<int>(field));
    }
    // A value between quotes, its quotes doubled (trimmed of blanks around it first).
    static QString text(const QString& value) { return Sql::text(value); }
    static QString trimmed(const QString& value) { return Sql::text(value.trimmed()); }

    bool refused() const { return m_refused; }
    // The statement with the bare values checked so far.
    BuiltStatement done(const QString& sql) const;
    // The same as an optional: nothing when a bare value was refused.
    std::optional<QString> statement(const QString& sql) const;

private:
    bool m_refused = false;
    int m_badField = kNoField;
};

} // namespace vornel
