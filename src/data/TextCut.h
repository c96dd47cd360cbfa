#pragma once
// Cutting text to a field's length without breaking a character apart.

#include <QString>

namespace vornel {

// The longest start of `value` that fits in `length` UTF-16 units (the unit of nvarchar(n) and of
// a text box's maximum length) and ends on a whole character: a surrogate pair (an emoji) or a
// letter with its combining marks is kept whole or left out whole. A negative length keeps all.
QString cutText(const QString& value, qsizetype length);

} // namespace vornel
