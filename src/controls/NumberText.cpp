#include "controls/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vornel::NumberText {

namespace {

bool digitsOnly(QStringView part) {
    for (QChar c : part)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// "1.234.567": a first group of one to three digits, then groups of exactly three.
bool wholeGroups(QStringView part, QChar separator) {
    const auto groups = part.split(separator);
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const qsizetype size = groups[i].size();
        if (!digitsOnly(groups[i]) || (i == 0 ? size < 1 || size > 3 : size != 3)) return false;
    }
    return true;
}

QChar singleChar(const QString& s) {
    return s.size() == 1 ? s.at(0) : QChar();
}

} // namespace

std::optional<double> read(const QString& text, const QLocale& locale) {
    QString t = text;
    // Blanks anywhere: some locales group digits with (non-breaking) spaces.
    t.remove(QChar(u' '));
    t.remove(QChar(0x00A0));
    t.remove(QChar(0x202F));
    t.remove(QChar(u'\t'));
    if (t.isEmpty()) return std::nullopt;

    bool negative = false;
    if (t.front() == u'-' || t.front() == u'+') {
        negative = t.front() == u'-';
        t.remove(0, 1);
    }
    const QChar decimal = singleChar(locale.decimalPoint()) == u',' ? QChar(u',') : QChar(u'.');
    const QChar other = decimal == u',' ? QChar(u'.') : QChar(u',');
    const bool otherGroups = singleChar(locale.groupSeparator()) == other;

    QStringView whole = t;
    QStringView fraction;
    bool point = false;
    const qsizetype at = t.indexOf(decimal);
    if (at >= 0) {
        whole = QStringView(t).left(at);
        fraction = QStringView(t).mid(at + 1);
        point = true;
    } else if (t.contains(other) && !(otherGroups && wholeGroups(t, other))) {
        // Not groups of three: the one separator there is stands for the decimal point.
        if (t.count(other) != 1) return std::nullopt;
        const qsizetype o = t.indexOf(other);
        whole = QStringView(t).left(o);
        fraction = QStringView(t).mid(o + 1);
        point = true;
    }
    if (point && (fraction.isEmpty() || !digitsOnly(fraction))) return std::nullopt;
    if (whole.contains(other)) {
        if (!otherGroups || !wholeGroups(whole, other)) return std::nullopt;
    } else if (!digitsOnly(whole) || (whole.isEmpty() && !point)) {
        return std::nullopt;
    }

    std::string plain = negative ? "-" : "";
    for (QChar c : whole)
        if (c != other) plain += static_cast<char>(c.unicode());
    if (plain.empty() || plain == "-") plain += '0';
    if (point) {
        plain += '.';
        for (QChar c : fraction)
            plain += static_cast<char>(c.unicode());
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) return std::nullopt;
    return value == 0 ? 0.0 : value; // no "-0"
}

std::optional<qint32> readInt32(const QString& text, const QLocale& locale) {
    const std::optional<double> value = read(text, locale);
    if (!value || *value != std::trunc(*value) || *value < std::numeric_limits<qint32>::min() ||
        *value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(*value);
}

} // namespace vornel::NumberText
