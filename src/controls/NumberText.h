#pragma once
// Numbers read from text the way the windows show them: the locale's decimal separator, and its
// group separator only between whole groups of three digits ("21.000,50" under ro_RO,
// "21,000.50" under en_US). A single point or comma that cannot separate groups is a decimal
// point, so the point of the numeric keypad still works under a decimal-comma locale.

#include <QLocale>
#include <QString>
#include <optional>

namespace vornel::NumberText {

// The value the text shows; nothing for an empty text and for every text that is not a finite
// number written so (letters, exponents, "NaN", "inf", separators out of place).
std::optional<double> read(const QString& text, const QLocale& locale = QLocale());

// The value when it is a whole number that a 32-bit integer column can hold.
std::optional<qint32> readInt32(const QString& text, const QLocale& locale = QLocale());

} // namespace vornel::NumberText
