#pragma once
// Key filters: a rule decides, for each typed character, whether the control receives it.
// Keys without text (arrows, function keys) always pass; paste is never filtered.

#include <QString>
#include <QWidget>
#include <functional>

namespace vornel::KeyFilter {

// Returns true to accept the typed character (code below 32 for control keys such as Backspace).
using Rule = std::function<bool(QChar typed)>;

// Installs the rule on the widget (replacing an earlier rule of this kind).
void attach(QWidget* widget, Rule rule);
void detach(QWidget* widget);

// Refuses each of the characters given; every other key passes.
Rule rejecting(const QString& characters);
// Accepts digits and control keys only.
Rule digitsOnly();
// Accepts control keys and digits, and refuses the characters given as well.
Rule both(Rule first, Rule second);

// The usual text field filter of the suite: refuses ' ; % ,
inline const QString kQuoteSemicolonPercentComma = QStringLiteral("';%,");

} // namespace vornel::KeyFilter
