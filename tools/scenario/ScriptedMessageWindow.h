#pragma once
// The message window of a scenario: records every message in the order shown and answers the
// Yes/No questions from the answers the scenario queued.

#include "messages/MessageWindow.h"

#include <QString>
#include <deque>
#include <functional>
#include <memory>

namespace vornel::scenario {

struct RecordedMessage {
    QString text;
    int icon = 0;
    int buttons = 0;
    QString title;
    int first = 0;
    int second = 0;
};

// Shared by every message window of one scenario.
class MessageLog {
public:
    void queueAnswer(int answer) { m_answers.push_back(answer); }
    // Records the message and returns the answer: the queued one for a question, 7 when none is
    // queued (and the failure is reported), 1 for a message with one button.
    int record(const RecordedMessage& message);

    bool hasUnchecked() const { return !m_unchecked.empty(); }
    const RecordedMessage& oldestUnchecked() const { return m_unchecked.front(); }
    void checkOldest() { m_unchecked.pop_front(); }
    std::size_t uncheckedCount() const { return m_unchecked.size(); }
    std::size_t queuedAnswers() const { return m_answers.size(); }

    // Once the scenario's steps are over, messages shown while its windows close are ignored.
    void setMuted(bool muted) { m_muted = muted; }
    // Called with the text of a question that found no answer queued.
    void setFailureHandler(std::function<void(const QString&)> handler) { m_onFailure = std::move(handler); }

    // "message "TEXT" icon N buttons N title "T"" for reports.
    static QString describe(const RecordedMessage& message);

private:
    std::deque<RecordedMessage> m_unchecked;
    std::deque<int> m_answers;
    bool m_muted = false;
    std::function<void(const QString&)> m_onFailure;
};

class ScriptedMessageWindow : public MessageWindow {
public:
    explicit ScriptedMessageWindow(std::shared_ptr<MessageLog> log) : m_log(std::move(log)) {}
    int Afiseaza(const QString& text, int icon, int buttons, const QString& title, int first,
                 int second) override;

private:
    std::shared_ptr<MessageLog> m_log;
};

} // namespace vornel::scenario
