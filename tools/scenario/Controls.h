#pragma once
// Finding the component's windows and controls by name, and reading them as a person sees them.

#include "Script.h"

#include <QString>
#include <QWidget>
#include <optional>

namespace vornel::scenario {

// The top-level widget named `name`: the shown one when there are several; nullptr when none.
QWidget* findWindow(const QString& name);

// The control, or nullptr with `problem` set to "expected ...; found ...".
QWidget* findControl(const ControlRef& ref, QString& problem);
// As findControl, for a control of type T.
template <class T> T* findControlOf(const ControlRef& ref, const QString& kind, QString& problem) {
    QWidget* w = findControl(ref, problem);
    if (!w) return nullptr;
    if (auto* typed = qobject_cast<T*>(w)) return typed;
    problem = QStringLiteral("expected %1 to be %2; found a %3")
                  .arg(ref.text, kind, QString::fromLatin1(w->metaObject()->className()));
    return nullptr;
}

// The text a person reads on the control (text box, combo box, label, button, frame), nullopt
// for a control without text.
std::optional<QString> controlText(QWidget* control);

// The name of the modal window that keeps the control from taking input; empty when none does.
QString blockingModal(QWidget* control);

// Gives the control's window the activation and the control the focus, as a click into it would.
void focusControl(QWidget* control);

// Unloads every window that is still there, ending the modal loops that run for them.
void closeAllWindows();
// Destroys what closeAllWindows left (call outside every nested event loop).
void destroyAllWindows();

} // namespace vornel::scenario
