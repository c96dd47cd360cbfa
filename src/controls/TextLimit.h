#pragma once
// A text box's maximum length that never leaves half a character: when typed or pasted text is
// cut at the length, a character split in two there (an emoji's surrogate pair) is left out whole.

class QLineEdit;

namespace vornel::TextLimit {

// Sets the field's maximum length (UTF-16 units, the unit of nvarchar(n)) and keeps it whole.
void attach(QLineEdit* field, int length);

} // namespace vornel::TextLimit
