#include "data/sqlite/SqliteFunctions.h"

#include "data/DbError.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace vornel {

namespace {

bool isTextual(sqlite3_value* value) {
    const int type = sqlite3_value_type(value);
    return type == SQLITE_TEXT || type == SQLITE_BLOB;
}

// A number as SQL Server prints it: no ".0" on whole values.
std::string numberText(sqlite3_value* value) {
    if (sqlite3_value_type(value) == SQLITE_INTEGER) return std::to_string(sqlite3_value_int64(value));
    const double number = sqlite3_value_double(value);
    char buffer[64];
    if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%.0f", number);
    else
        std::snprintf(buffer, sizeof buffer, "%.15g", number);
    return buffer;
}

std::string valueText(sqlite3_value* value) {
    if (!isTextual(value)) return numberText(value);
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string(text, size_t(sqlite3_value_bytes(value))) : std::string();
}

// Cuts UTF-8 text after `characters` characters.
void truncate(std::string& text, sqlite3_int64 characters) {
    sqlite3_int64 seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == characters) {
            text.resize(i);
            return;
        }
    }
}

void resultText(sqlite3_context* context, std::string text, int argc, sqlite3_value** argv, int lengthArg) {
    if (argc > lengthArg && sqlite3_value_type(argv[lengthArg]) != SQLITE_NULL)
        truncate(text, sqlite3_value_int64(argv[lengthArg]));
    sqlite3_result_text(context, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

void tsqlAdd(sqlite3_context* context, int, sqlite3_value** argv) {
    sqlite3_value* a = argv[0];
    sqlite3_value* b = argv[1];
    if (sqlite3_value_type(a) == SQLITE_NULL || sqlite3_value_type(b) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    if (isTextual(a) || isTextual(b)) {
        const std::string text = valueText(a) + valueText(b);
        sqlite3_result_text(context, text.data(), int(text.size()), SQLITE_TRANSIENT);
        return;
    }
    if (sqlite3_value_type(a) == SQLITE_INTEGER && sqlite3_value_type(b) == SQLITE_INTEGER) {
        sqlite3_int64 sum = 0;
        if (!__builtin_add_overflow(sqlite3_value_int64(a), sqlite3_value_int64(b), &sum)) {
            sqlite3_result_int64(context, sum);
            return;
        }
    }
    sqlite3_result_double(context, sqlite3_value_double(a) + sqlite3_value_double(b));
}

void tsqlText(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    resultText(context, valueText(argv[0]), argc, argv, 1);
}

struct DateParts {
    std::string year, month, day, hour = "00", minute = "00", second = "00", millis = "000";
};

bool digits(const std::string& text, size_t from, size_t count) {
    if (from + count > text.size()) return false;
    for (size_t i = from; i < from + count; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// "YYYY-MM-DD", optionally followed by " HH:MM[:SS[.fff]]" or "THH:MM...".
bool parseDate(const std::string& text, DateParts& parts) {
    if (!digits(text, 0, 4) || text.size() < 10 || text[4] != '-' || !digits(text, 5, 2) || text[7] != '-' ||
        !digits(text, 8, 2))
        return false;
    parts.year = text.substr(0, 4);
    parts.month = text.substr(5, 2);
    parts.day = text.substr(8, 2);
    if (text.size() >= 16 && (text[10] == ' ' || text[10] == 'T') && digits(text, 11, 2) && text[13] == ':' &&
        digits(text, 14, 2)) {
        parts.hour = text.substr(11, 2);
        parts.minute = text.substr(14, 2);
        if (text.size() >= 19 && text[16] == ':' && digits(text, 17, 2)) {
            parts.second = text.substr(17, 2);
            size_t end = 20;
            while (end < text.size() && end < 23 && text[19] == '.' && digits(text, end, 1))
                ++end;
            if (end > 20) parts.millis = (text.substr(20, end - 20) + "00").substr(0, 3);
        }
    }
    return true;
}

// Letters: Y year, y two-digit year, M month, D day, h hour, n minute, s second, f milliseconds.
const char* stylePattern(sqlite3_int64 style) {
    struct Style {
        int code;
        const char* pattern;
    };
    static const Style styles[] = {
        {1, "M/D/y"},          {101, "M/D/Y"},         {2, "y.M.D"},        {102, "Y.M.D"},
        {3, "D/M/y"},          {103, "D/M/Y"},         {4, "D.M.y"},        {104, "D.M.Y"},
        {5, "D-M-y"},          {105, "D-M-Y"},         {8, "h:n:s"},        {108, "h:n:s"},
        {10, "M-D-y"},         {110, "M-D-Y"},         {11, "y/M/D"},       {111, "Y/M/D"},
        {12, "yMD"},           {112, "YMD"},           {20, "Y-M-D h:n:s"}, {120, "Y-M-D h:n:s"},
        {21, "Y-M-D h:n:s.f"}, {121, "Y-M-D h:n:s.f"}, {23, "Y-M-D"},       {126, "Y-M-DTh:n:s"}};
    for (const Style& entry : styles)
        if (entry.code == style) return entry.pattern;
    return nullptr;
}

std::string formatDate(const DateParts& parts, const char* pattern) {
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        switch (*p) {
        case 'Y':
            out += parts.year;
            break;
        case 'y':
            out += parts.year.substr(2);
            break;
        case 'M':
            out += parts.month;
            break;
        case 'D':
            out += parts.day;
            break;
        case 'h':
            out += parts.hour;
            break;
        case 'n':
            out += parts.minute;
            break;
        case 's':
            out += parts.second;
            break;
        case 'f':
            out += parts.millis;
            break;
        default:
            out += *p;
        }
    }
    return out;
}

void tsqlDateText(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    std::string text = valueText(argv[0]);
    DateParts parts;
    const char* pattern =
        sqlite3_value_type(argv[1]) == SQLITE_INTEGER ? stylePattern(sqlite3_value_int64(argv[1])) : nullptr;
    // Values that are not dates keep their plain text, as SQL Server ignores the style for them.
    if (pattern && sqlite3_value_type(argv[0]) == SQLITE_TEXT && parseDate(text, parts))
        text = formatDate(parts, pattern);
    resultText(context, std::move(text), argc, argv, 2);
}

} // namespace

void registerSqliteFunctions(sqlite3* db) {
    struct Function {
        const char* name;
        int arguments;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    };
    static const Function functions[] = {{"tsql_add", 2, tsqlAdd},
                                         {"tsql_text", 1, tsqlText},
                                         {"tsql_text", 2, tsqlText},
                                         {"tsql_datetext", 2, tsqlDateText},
                                         {"tsql_datetext", 3, tsqlDateText}};
    for (const Function& function : functions) {
        const int rc = sqlite3_create_function_v2(db, function.name, function.arguments,
                                                  SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                                  nullptr, function.call, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw DbError(ErrorNumber::Unspecified, QString::fromUtf8(sqlite3_errstr(rc)), rc);
    }
}

} // namespace vornel
