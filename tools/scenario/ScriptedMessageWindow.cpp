#include "ScriptedMessageWindow.h"

#include "Lexer.h"

namespace vornel::scenario {

int MessageLog::record(const RecordedMessage& message) {
    const bool question = message.buttons == MessageButtons::YesNo;
    if (m_muted) return question ? MessageResult::No : MessageResult::Ok;
    m_unchecked.push_back(message);
    if (!question) return MessageResult::Ok;
    if (m_answers.empty()) {
        if (m_onFailure) m_onFailure(message.text);
        return MessageResult::No;
    }
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString MessageLog::describe(const RecordedMessage& message) {
    return QStringLiteral("message %1 icon %2 buttons %3 title %4")
        .arg(quoted(message.text))
        .arg(message.icon)
        .arg(message.buttons)
        .arg(quoted(message.title));
}

int ScriptedMessageWindow::Afiseaza(const QString& text, int icon, int buttons, const QString& title,
                                    int first, int second) {
    return m_log->record(RecordedMessage{text, icon, buttons, title, first, second});
}

} // namespace vornel::scenario
