#pragma once
// The message window shown to a person: a QMessageBox with the suite's icons and buttons.

#include "messages/MessageWindow.h"

namespace vornel {

class QtMessageWindow : public MessageWindow {
public:
    int Afiseaza(const QString& text, int icon, int buttons, const QString& title, int first,
                 int second) override;
};

} // namespace vornel
