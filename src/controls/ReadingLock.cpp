#include "controls/ReadingLock.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace vornel::ReadingLock {

namespace {

constexpr const char* kTaken = "vornelReadingLock";

bool taken(const QWidget* widget) {
    return widget->property(kTaken).toBool();
}

void take(QWidget* widget) {
    widget->setProperty(kTaken, true);
}

void giveBack(QWidget* widget) {
    widget->setProperty(kTaken, QVariant());
}

} // namespace

void set(QWidget* form, QWidget* saveButton, bool reading) {
    for (QLineEdit* edit : form->findChildren<QLineEdit*>()) {
        // A combo box's own text field goes with the combo box.
        if (qobject_cast<QComboBox*>(edit->parentWidget())) continue;
        if (reading && !edit->isReadOnly()) {
            edit->setReadOnly(true);
            take(edit);
        } else if (!reading && taken(edit)) {
            edit->setReadOnly(false);
            giveBack(edit);
        }
    }
    auto disable = [reading](QWidget* widget) {
        if (reading && widget->isEnabled()) {
            widget->setEnabled(false);
            take(widget);
        } else if (!reading && taken(widget)) {
            widget->setEnabled(true);
            giveBack(widget);
        }
    };
    for (QComboBox* combo : form->findChildren<QComboBox*>())
        disable(combo);
    for (QAbstractButton* button : form->findChildren<QAbstractButton*>())
        if (button->isCheckable()) disable(button);
    if (saveButton) disable(saveButton);
}

} // namespace vornel::ReadingLock
