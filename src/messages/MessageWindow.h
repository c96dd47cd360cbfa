#pragma once
// The suite message window: the one way the component shows a message and asks a question.

#include <QString>
#include <functional>
#include <memory>

namespace vornel {

namespace MessageIcon {
constexpr int Error = 16;
constexpr int Question = 32;
constexpr int Warning = 48;
constexpr int Information = 64;
} // namespace MessageIcon

namespace MessageButtons {
constexpr int Ok = 0;
constexpr int YesNo = 4;
} // namespace MessageButtons

namespace MessageResult {
constexpr int Ok = 1;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MessageResult

class MessageWindow {
public:
    virtual ~MessageWindow() = default;
    // Shows the text (CR LF is a line break) with its icon, buttons and title; returns 6 for Yes,
    // 7 for No, 1 for OK. Modal.
    virtual int Afiseaza(const QString& text, int icon, int buttons, const QString& title, int first,
                         int second) = 0;
};

using MessageWindowFactory = std::function<std::unique_ptr<MessageWindow>()>;

} // namespace vornel
