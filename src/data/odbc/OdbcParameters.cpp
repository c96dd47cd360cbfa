#include "data/odbc/OdbcParameters.h"

#include <QDateTime>

#include <algorithm>
#include <cstring>
#include <limits>

namespace vornel::odbc {

namespace {

bool isNullValue(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

bool isBlankText(const QVariant& v) {
    return v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty();
}

[[noreturn]] void badValue(const Parameter& p, const QString& what) {
    throw DbError(
        ErrorNumber::BadArgument,
        QStringLiteral("Parameter %1: the value '%2' is not %3").arg(p.name, p.value.toString(), what));
}

std::int64_t integerValue(const Parameter& p) {
    const QVariant& v = p.value;
    bool ok = false;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        const double d = v.toDouble();
        if (d < -9.2e18 || d > 9.2e18) badValue(p, QStringLiteral("an integer in range"));
        return qRound64(d);
    }
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? 1 : 0;
    const QString text = v.toString().trimmed();
    const std::int64_t n = text.toLongLong(&ok);
    if (ok) return n;
    const double d = text.toDouble(&ok);
    if (!ok || d < -9.2e18 || d > 9.2e18) badValue(p, QStringLiteral("an integer"));
    return qRound64(d);
}

double doubleValue(const Parameter& p) {
    bool ok = false;
    const double d = p.value.typeId() == QMetaType::QString ? p.value.toString().trimmed().toDouble(&ok)
                                                            : p.value.toDouble(&ok);
    if (!ok) badValue(p, QStringLiteral("a number"));
    return d;
}

SQL_TIMESTAMP_STRUCT toTimestamp(const QDateTime& dt) {
    SQL_TIMESTAMP_STRUCT ts{};
    ts.year = static_cast<SQLSMALLINT>(dt.date().year());
    ts.month = static_cast<SQLUSMALLINT>(dt.date().month());
    ts.day = static_cast<SQLUSMALLINT>(dt.date().day());
    ts.hour = static_cast<SQLUSMALLINT>(dt.time().hour());
    ts.minute = static_cast<SQLUSMALLINT>(dt.time().minute());
    ts.second = static_cast<SQLUSMALLINT>(dt.time().second());
    ts.fraction = static_cast<SQLUINTEGER>(dt.time().msec()) * 1000000u;
    return ts;
}

QDateTime dateTimeValue(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    if (v.typeId() == QMetaType::QDate) return v.toDate().startOfDay();
    const QString text = v.toString().trimmed();
    for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss",
                               "yyyy-MM-dd", "dd/MM/yyyy", "dd.MM.yyyy"}) {
        const QDateTime dt = QDateTime::fromString(text, QLatin1String(format));
        if (dt.isValid()) return dt;
    }
    return {};
}

} // namespace

QString timestampText(const SQL_TIMESTAMP_STRUCT& ts) {
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(ts.year, 4, 10, QLatin1Char('0'))
        .arg(ts.month, 2, 10, QLatin1Char('0'))
        .arg(ts.day, 2, 10, QLatin1Char('0'))
        .arg(ts.hour, 2, 10, QLatin1Char('0'))
        .arg(ts.minute, 2, 10, QLatin1Char('0'))
        .arg(ts.second, 2, 10, QLatin1Char('0'));
}

ParameterBinder::Slot& ParameterBinder::next(SQLSMALLINT cType, std::size_t bytes) {
    Slot& slot = m_slots.emplace_back();
    slot.cType = cType;
    slot.buffer.assign(std::max<std::size_t>(bytes, 8), '\0');
    return slot;
}

void ParameterBinder::setText(Slot& slot, const QString& text) {
    const QByteArray bytes = encode(text, m_dialect.mode);
    const std::size_t length = m_dialect.mode == TextMode::Wide ? static_cast<std::size_t>(text.size()) * 2
                                                                : static_cast<std::size_t>(bytes.size());
    if (slot.buffer.size() < length + charSize(m_dialect.mode))
        slot.buffer.assign(length + charSize(m_dialect.mode), '\0');
    std::memcpy(slot.buffer.data(), bytes.constData(), length);
    slot.indicator = static_cast<SQLLEN>(length);
}

void ParameterBinder::bind(Slot& slot, SQLSMALLINT io, SQLSMALLINT sqlType, SQLULEN columnSize,
                           SQLSMALLINT digits) {
    const auto number = static_cast<SQLUSMALLINT>(m_slots.size());
    const SQLRETURN rc =
        SQLBindParameter(m_statement.get(), number, io, slot.cType, sqlType, columnSize, digits,
                         slot.buffer.data(), static_cast<SQLLEN>(slot.buffer.size()), &slot.indicator);
    check(rc, m_statement, m_dialect);
}

void ParameterBinder::bindValue(const QVariant& value) {
    const SQLSMALLINT textType = m_dialect.mode == TextMode::Wide ? SQL_WVARCHAR : SQL_VARCHAR;
    if (isNullValue(value)) {
        Slot& slot = next(textCType(m_dialect.mode), 8);
        slot.indicator = SQL_NULL_DATA;
        bind(slot, SQL_PARAM_INPUT, textType, 1, 0);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::ULongLong: {
        Slot& slot = next(SQL_C_SBIGINT, sizeof(std::int64_t));
        const std::int64_t n = value.toLongLong();
        std::memcpy(slot.buffer.data(), &n, sizeof n);
        bind(slot, SQL_PARAM_INPUT, SQL_BIGINT, 19, 0);
        return;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        Slot& slot = next(SQL_C_DOUBLE, sizeof(double));
        const double d = value.toDouble();
        std::memcpy(slot.buffer.data(), &d, sizeof d);
        bind(slot, SQL_PARAM_INPUT, SQL_DOUBLE, 15, 0);
        return;
    }
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        Slot& slot = next(SQL_C_TYPE_TIMESTAMP, sizeof(SQL_TIMESTAMP_STRUCT));
        const SQL_TIMESTAMP_STRUCT ts = toTimestamp(dateTimeValue(value));
        std::memcpy(slot.buffer.data(), &ts, sizeof ts);
        bind(slot, SQL_PARAM_INPUT, SQL_TYPE_TIMESTAMP, 23, 3);
        return;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        Slot& slot = next(SQL_C_BINARY, static_cast<std::size_t>(bytes.size()));
        std::memcpy(slot.buffer.data(), bytes.constData(), static_cast<std::size_t>(bytes.size()));
        slot.indicator = bytes.size();
        bind(slot, SQL_PARAM_INPUT, SQL_VARBINARY, std::max<SQLULEN>(1, static_cast<SQLULEN>(bytes.size())),
             0);
        return;
    }
    default: {
        const QString text = value.toString();
        Slot& slot = next(textCType(m_dialect.mode), 8);
        setText(slot, text);
        // Past 4000 characters SQL Server wants the long type (nvarchar(max)).
        const SQLSMALLINT type = text.size() > 4000
                                     ? (m_dialect.mode == TextMode::Wide ? SQL_WLONGVARCHAR : SQL_LONGVARCHAR)
                                     : textType;
        bind(slot, SQL_PARAM_INPUT, type, std::max<SQLULEN>(1, static_cast<SQLULEN>(text.size())), 0);
        return;
    }
    }
}

void ParameterBinder::bindParameter(const Parameter& p) {
    const bool output =
        p.direction == ParameterDirection::Output || p.direction == ParameterDirection::InputOutput;
    const SQLSMALLINT io = p.direction == ParameterDirection::Output        ? SQL_PARAM_OUTPUT
                           : p.direction == ParameterDirection::InputOutput ? SQL_PARAM_INPUT_OUTPUT
                                                                            : SQL_PARAM_INPUT;
    const bool sendsValue = p.direction != ParameterDirection::Output;
    // An empty text for a number or a date goes as NULL, as it would from an empty field.
    const bool null = !sendsValue || isNullValue(p.value) ||
                      (p.type != DataType::VarChar && p.type != DataType::VarWChar && isBlankText(p.value));

    switch (p.type) {
    case DataType::VarChar:
    case DataType::VarWChar: {
        const QString text = null ? QString() : p.value.toString();
        const auto declared = static_cast<std::size_t>(std::max(p.size, 0));
        const std::size_t capacity = output ? (declared > 0 ? declared : 4000) * 4 + 4 : 8;
        Slot& slot = next(textCType(m_dialect.mode), capacity);
        if (null)
            slot.indicator = SQL_NULL_DATA;
        else
            setText(slot, text);
        // Never bind shorter than the value: the procedure's own parameter type decides truncation.
        const SQLULEN size = std::max<SQLULEN>({1, declared, static_cast<SQLULEN>(text.size())});
        const bool wide = m_dialect.mode == TextMode::Wide && p.type == DataType::VarWChar;
        bind(slot, io, wide ? SQL_WVARCHAR : SQL_VARCHAR, size, 0);
        return;
    }
    case DataType::SmallInt:
    case DataType::Integer:
    case DataType::TinyInt:
    case DataType::Boolean: {
        Slot& slot = next(SQL_C_SLONG, sizeof(SQLINTEGER));
        if (null) {
            slot.indicator = SQL_NULL_DATA;
        } else {
            const std::int64_t n = integerValue(p);
            if (n < std::numeric_limits<SQLINTEGER>::min() || n > std::numeric_limits<SQLINTEGER>::max())
                badValue(p, QStringLiteral("a 32-bit integer"));
            const auto v = static_cast<SQLINTEGER>(n);
            std::memcpy(slot.buffer.data(), &v, sizeof v);
        }
        const SQLSMALLINT sqlType = p.type == DataType::SmallInt  ? SQL_SMALLINT
                                    : p.type == DataType::TinyInt ? SQL_TINYINT
                                    : p.type == DataType::Boolean ? SQL_BIT
                                                                  : SQL_INTEGER;
        bind(slot, io, sqlType, 10, 0);
        return;
    }
    case DataType::BigInt: {
        Slot& slot = next(SQL_C_SBIGINT, sizeof(std::int64_t));
        if (null) {
            slot.indicator = SQL_NULL_DATA;
        } else {
            const std::int64_t n = integerValue(p);
            std::memcpy(slot.buffer.data(), &n, sizeof n);
        }
        bind(slot, io, SQL_BIGINT, 19, 0);
        return;
    }
    case DataType::Double:
    case DataType::Currency: {
        Slot& slot = next(SQL_C_DOUBLE, sizeof(double));
        if (null) {
            slot.indicator = SQL_NULL_DATA;
        } else {
            const double d = doubleValue(p);
            std::memcpy(slot.buffer.data(), &d, sizeof d);
        }
        if (p.type == DataType::Currency)
            bind(slot, io, SQL_DECIMAL, 19, 4); // money: 19 digits, 4 after the point
        else
            bind(slot, io, SQL_DOUBLE, 15, 0);
        return;
    }
    case DataType::Date: {
        Slot& slot = next(SQL_C_TYPE_TIMESTAMP, sizeof(SQL_TIMESTAMP_STRUCT));
        if (null) {
            slot.indicator = SQL_NULL_DATA;
        } else {
            const QDateTime dt = dateTimeValue(p.value);
            if (!dt.isValid()) badValue(p, QStringLiteral("a date"));
            const SQL_TIMESTAMP_STRUCT ts = toTimestamp(dt);
            std::memcpy(slot.buffer.data(), &ts, sizeof ts);
        }
        bind(slot, io, SQL_TYPE_TIMESTAMP, 23, 3);
        return;
    }
    }
    throw DbError(
        ErrorNumber::BadArgument,
        QStringLiteral("Parameter %1: unsupported type %2").arg(p.name).arg(static_cast<int>(p.type)));
}

void ParameterBinder::bindReturnValue() {
    Slot& slot = next(SQL_C_SLONG, sizeof(SQLINTEGER));
    slot.indicator = SQL_NULL_DATA;
    bind(slot, SQL_PARAM_OUTPUT, SQL_INTEGER, 10, 0);
}

QVariant ParameterBinder::output(std::size_t marker) const {
    if (marker >= m_slots.size()) return {};
    const Slot& slot = m_slots[marker];
    if (slot.indicator == SQL_NULL_DATA) return {};
    const char* data = slot.buffer.data();
    switch (slot.cType) {
    case SQL_C_SLONG: {
        SQLINTEGER v = 0;
        std::memcpy(&v, data, sizeof v);
        return QVariant(static_cast<int>(v));
    }
    case SQL_C_SBIGINT: {
        std::int64_t v = 0;
        std::memcpy(&v, data, sizeof v);
        return QVariant(static_cast<qlonglong>(v));
    }
    case SQL_C_DOUBLE: {
        double v = 0;
        std::memcpy(&v, data, sizeof v);
        return QVariant(v);
    }
    case SQL_C_TYPE_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT ts{};
        std::memcpy(&ts, data, sizeof ts);
        return QVariant(timestampText(ts));
    }
    default: {
        const std::size_t unit = charSize(m_dialect.mode);
        const std::size_t room = slot.buffer.size() - unit;
        std::size_t length = 0;
        if (slot.indicator >= 0) {
            length = std::min(static_cast<std::size_t>(slot.indicator), room);
        } else { // SQL_NTS or SQL_NO_TOTAL: up to the terminating zero character
            while (length < room &&
                   std::any_of(data + length, data + length + unit, [](char c) { return c != 0; }))
                length += unit;
        }
        return QVariant(decode(data, length, m_dialect.mode));
    }
    }
}

} // namespace vornel::odbc
