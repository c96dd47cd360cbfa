#pragma once
// A message window that records every message and answers from a script (6 by default).

#include "messages/MessageWindow.h"

#include <QString>
#include <memory>
#include <vector>

namespace vornel::test {

struct Message {
    QString text;
    int icon = 0;
    int buttons = 0;
    QString title;
    int first = 0;
    int second = 0;
};

struct MessageLog {
    std::vector<Message> shown;
    int windowsMade = 0;
};

class RecordingMessages : public MessageWindow {
public:
    explicit RecordingMessages(std::shared_ptr<MessageLog> log) : m_log(std::move(log)) {}
    int Afiseaza(const QString& text, int icon, int buttons, const QString& title, int first,
                 int second) override {
        m_log->shown.push_back({text, icon, buttons, title, first, second});
        return MessageResult::Yes;
    }

private:
    std::shared_ptr<MessageLog> m_log;
};

} // namespace vornel::test
