#include "controls/ExportText.h"

#include "data/RowSearch.h"

namespace vornel::ExportText {

QString number(double value) {
    QString text = plainNumberText(value);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString count(qint64 value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char('.'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString csvField(const QString& text) {
    const bool quote = text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quote) return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString shownOf(qint64 shown, qint64 total) {
    return count(shown) + QStringLiteral(" din ") + count(total);
}

} // namespace vornel::ExportText
