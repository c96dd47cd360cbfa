#include "data/StatementBuilder.h"

namespace vornel {

QString StatementBuilder::number(const QString& value, int field) {
    if (Sql::isNumber(value)) return value;
    const QString trimmed = value.trimmed();
    if (Sql::isNumber(trimmed)) return trimmed;
    if (!m_refused) {
        m_refused = true;
        m_badField = field;
    }
    return {};
}

BuiltStatement StatementBuilder::done(const QString& sql) const {
    if (m_refused) return {QString(), true, m_badField};
    return {sql, false, kNoField};
}

std::optional<QString> StatementBuilder::statement(const QString& sql) const {
    if (m_refused) return std::nullopt;
    return sql;
}

} // namespace vornel
