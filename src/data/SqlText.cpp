#include "SqlText.h"

#include <charconv>
#include <cmath>

namespace vornel::Sql {

QString text(const QString& value) {
    if (!value.contains(QLatin1Char('\''))) return value;
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return doubled;
}

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads an optional sign and a run of digits from `i`; returns how many digits it read.
int skipSignedDigits(const QString& v, qsizetype& i) {
    if (i < v.size() && (v[i] == QLatin1Char('+') || v[i] == QLatin1Char('-'))) ++i;
    int digits = 0;
    while (i < v.size() && isDigit(v[i])) {
        ++i;
        ++digits;
    }
    return digits;
}

} // namespace

QString likeLiteral(const QString& search, LikeDialect dialect) {
    QString body;
    bool escaped = false;
    for (const QChar c : search) {
        if (c == QLatin1Char('/')) {
            body += QLatin1Char('%');
        } else if (dialect == LikeDialect::Brackets && (c == u'%' || c == u'_' || c == u'[')) {
            body += QLatin1Char('[') + c + QLatin1Char(']');
        } else if (dialect == LikeDialect::EscapeClause && (c == u'%' || c == u'_' || c == u'\\')) {
            body += QLatin1Char('\\') + c;
            escaped = true;
        } else {
            body += c;
        }
    }
    QString literal = QLatin1Char('\'') + text(body) + QLatin1Char('\'');
    if (escaped) literal += QStringLiteral(" ESCAPE '\\'");
    return literal;
}

bool isInteger(const QString& value) {
    qsizetype i = 0;
    return skipSignedDigits(value, i) > 0 && i == value.size();
}

bool isNumber(const QString& value) {
    qsizetype i = 0;
    if (skipSignedDigits(value, i) == 0) return false;
    if (i == value.size()) return true;
    if (value[i] != QLatin1Char('.')) return false;
    ++i;
    int fraction = 0;
    while (i < value.size() && isDigit(value[i])) {
        ++i;
        ++fraction;
    }
    return fraction > 0 && i == value.size();
}

double leadingNumber(const QString& value) {
    qsizetype i = 0;
    while (i < value.size() && (value[i] == QLatin1Char(' ') || value[i] == QLatin1Char('\t')))
        ++i;
    std::string digits;
    if (i < value.size() && (value[i] == QLatin1Char('+') || value[i] == QLatin1Char('-'))) {
        if (value[i] == QLatin1Char('-')) digits += '-';
        ++i;
    }
    bool point = false;
    for (; i < value.size(); ++i) {
        const QChar c = value[i];
        if (isDigit(c)) {
            digits += static_cast<char>(c.unicode());
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            digits += '.';
        } else {
            break;
        }
    }
    double result = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
    if (ec != std::errc()) return 0;
    (void)ptr;
    return result == 0 ? 0.0 : result; // no "-0"
}

QString numberText(double value) {
    if (value == 0 || !std::isfinite(value)) return QStringLiteral("0");
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc()) return QStringLiteral("0");
    return QString::fromLatin1(buffer, end - buffer);
}

} // namespace vornel::Sql
