#pragma once
// A form opened for reading only: its text fields are locked, its check boxes, combo boxes and
// option buttons disabled and its save button disabled. Unlocking gives back only what the lock
// itself took, so a field the form keeps locked on its own stays locked.

class QWidget;

namespace vornel::ReadingLock {

void set(QWidget* form, QWidget* saveButton, bool reading);

} // namespace vornel::ReadingLock
