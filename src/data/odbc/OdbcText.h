#pragma once
// How text crosses the ODBC boundary. Unicode drivers (Microsoft's, FreeTDS) take UTF-16 through
// the wide calls. ANSI-only drivers (SQLite's) get UTF-8 through the narrow calls: unixODBC would
// squeeze wide text for them through Latin-1 and lose every other letter.

#include <QByteArray>
#include <QString>

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <string>

namespace vornel::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC must use 2-byte SQLWCHAR");

enum class TextMode { Wide, Utf8 };

inline SQLSMALLINT textCType(TextMode mode) {
    return mode == TextMode::Wide ? SQL_C_WCHAR : SQL_C_CHAR;
}
inline std::size_t charSize(TextMode mode) {
    return mode == TextMode::Wide ? sizeof(SQLWCHAR) : 1;
}

// Text in the encoding of the mode, with a terminating zero character.
inline QByteArray encode(const QString& text, TextMode mode) {
    if (mode == TextMode::Utf8) return text.toUtf8();
    QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    bytes.append('\0'); // QByteArray keeps one more zero byte: together a 16-bit terminator
    return bytes;
}

// Decodes `bytes` bytes of text in the encoding of the mode.
inline QString decode(const char* data, std::size_t bytes, TextMode mode) {
    if (mode == TextMode::Utf8) return QString::fromUtf8(data, static_cast<qsizetype>(bytes));
    std::u16string units(bytes / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    return QString::fromStdU16String(units);
}

} // namespace vornel::odbc
