#include "SqliteColumns.h"

#include <cctype>
#include <string>

namespace vornel::SqliteColumns {

namespace {

constexpr int LongText = 1073741823;

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80);
}

} // namespace

Declared fromDeclaredType(const char* decl) {
    if (!decl || !*decl) return {};
    std::string t;
    for (const char* p = decl; *p; ++p)
        if (!std::isspace(static_cast<unsigned char>(*p)))
            t += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    int length = -1;
    const auto open = t.find('(');
    std::string base = t.substr(0, open);
    if (open != std::string::npos) {
        const std::string inside = t.substr(open + 1, t.find_first_of(",)", open) - open - 1);
        length = inside == "max" ? LongText : std::atoi(inside.c_str());
    }
    if (base.find("char") != std::string::npos || base.find("text") != std::string::npos ||
        base.find("clob") != std::string::npos)
        return {length > 0 ? length : LongText, ColumnType::Text};
    if (base == "tinyint") return {1, ColumnType::Integer};
    if (base == "smallint") return {2, ColumnType::Integer};
    if (base == "bigint") return {8, ColumnType::Integer};
    if (base == "bit" || base == "boolean") return {2, ColumnType::Boolean};
    if (base.find("int") != std::string::npos) return {4, ColumnType::Integer};
    if (startsWith(base, "float") || startsWith(base, "real") || startsWith(base, "double") ||
        base.find("money") != std::string::npos || startsWith(base, "decimal") || startsWith(base, "numeric"))
        return {8, ColumnType::Double};
    if (base.find("date") != std::string::npos || base.find("time") != std::string::npos)
        return {16, ColumnType::DateTime};
    if (base.find("binary") != std::string::npos || base == "blob" || base == "image")
        return {length > 0 ? length : LongText, ColumnType::Binary};
    return {length > 0 ? length : 0, ColumnType::Unknown};
}

bool isAlias(const QByteArray& statement, const QString& name) {
    if (name.isEmpty()) return false;
    const QByteArray sql = statement.toLower();
    const QByteArray wanted = name.toUtf8().toLower();
    qsizetype from = 0;
    while ((from = sql.indexOf(wanted, from)) >= 0) {
        const qsizetype start = from;
        const qsizetype end = from + wanted.size();
        from = end;
        if (end < sql.size() && isWordChar(sql[end])) continue;
        qsizetype i = start - 1;
        if (i >= 0 && (sql[i] == '[' || sql[i] == '"' || sql[i] == '\'' || sql[i] == '`'))
            --i;
        else if (i >= 0 && isWordChar(sql[i]))
            continue;
        while (i >= 0 && std::isspace(static_cast<unsigned char>(sql[i])))
            --i;
        if (i < 1 || std::tolower(static_cast<unsigned char>(sql[i])) != 's' ||
            std::tolower(static_cast<unsigned char>(sql[i - 1])) != 'a')
            continue;
        if (i >= 2 && isWordChar(sql[i - 2])) continue;
        return true;
    }
    return false;
}

int utf8Length(const unsigned char* text, int bytes) {
    int n = 0;
    for (int i = 0; i < bytes; ++i)
        if ((text[i] & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace vornel::SqliteColumns
