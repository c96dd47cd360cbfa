#pragma once
// Builds a statement while checking every value that is written bare (without quotes): the first
// one that is not a number is remembered, and the statement is then not built at all.

#include "data/SqlText.h"

#include <QString>

namespace vornel {

// Statement must be constructible as {QString sql, Field field}; Field must have a value None.
template <class Statement, class Field> class BareNumbers {
public:
    // The value as written bare: unchanged when it is a number, trimmed when that makes it one.
    QString number(const QString& value, Field field) {
        if (Sql::isNumber(value)) return value;
        if (Sql::isNumber(value.trimmed())) return value.trimmed();
        if (m_bad == Field::None) m_bad = field;
        return {};
    }
    // The statement, or an empty one naming the field whose value is not a number.
    Statement done(const QString& sql) const {
        if (m_bad != Field::None) return {QString(), m_bad};
        return {sql, Field::None};
    }

private:
    Field m_bad = Field::None;
};

} // namespace vornel
