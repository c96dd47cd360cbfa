#pragma once
// What the test programs share: a message window that records every message and answers its
// questions from a script, the parameters of the rights check, and a demo company database set up
// as the component's connection.

#include "controls/FormWindow.h"
#include "data/Connection.h"
#include "data/Parameter.h"
#include "data/sqlite/DemoDatabase.h"
#include "entry/ComponentContext.h"
#include "messages/MessageWindow.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
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
    std::deque<int> answers; // for Yes/No questions, oldest first; Yes when none is left
};

class RecordingMessages : public MessageWindow {
public:
    explicit RecordingMessages(std::shared_ptr<MessageLog> log) : m_log(std::move(log)) {}
    int Afiseaza(const QString& text, int icon, int buttons, const QString& title, int first,
                 int second) override {
        m_log->shown.push_back({text, icon, buttons, title, first, second});
        if (buttons != MessageButtons::YesNo) return MessageResult::Ok;
        if (m_log->answers.empty()) return MessageResult::Yes;
        const int answer = m_log->answers.front();
        m_log->answers.pop_front();
        return answer;
    }

private:
    std::shared_ptr<MessageLog> m_log;
};

inline Parameter in(const char* name, DataType type, QVariant value, int size = 0) {
    return Parameter{QString::fromLatin1(name), type, ParameterDirection::Input, size, std::move(value)};
}

// The rights check "Vezi" for screen `code` and action A, M or S.
inline std::vector<Parameter> veziParameters(const QString& code, const QString& action, qint64 user,
                                             qint64 company = 1) {
    return {
        Parameter{QStringLiteral("RETURN_VALUE"), DataType::Integer, ParameterDirection::ReturnValue, 0, {}},
        in("nr", DataType::VarWChar, code, 50), in("tip", DataType::VarWChar, action, 1),
        in("user", DataType::BigInt, user), in("IdSoc", DataType::BigInt, company)};
}

// A fresh demo database as the context's connection (company 1), with recorded messages and
// statements; windows left loaded are unloaded afterwards.
class DemoCompanyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        path = m_dir.filePath(QStringLiteral("firma.db"));
        DemoDatabase::create(path);
        auto& ctx = ComponentContext::current();
        ctx.connection = Connection::open(QStringLiteral("sqlite:") + path);
        ctx.connection->addObserver([this](const QString& sql) { executed.push_back(sql); });
        ctx.idSoc = 1;
        ctx.messages = std::make_unique<RecordingMessages>(log);
    }

    void TearDown() override {
        auto& ctx = ComponentContext::current();
        ctx.InchideTot();
        for (FormWindow* w : m_opened)
            if (w) w->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ctx.messages.reset();
        ctx.connection.reset();
    }

    // Loads window W as the host would and remembers it for the tear-down.
    template <class W> W& open() {
        auto& w = ComponentContext::current().instance<W>();
        w.Incarca();
        m_opened.emplace_back(&w);
        executed.clear();
        return w;
    }

    QString scalar(const QString& sql) {
        const QVariant v = ComponentContext::current().connection->scalar(sql);
        return v.isValid() ? v.toString() : QStringLiteral("NULL");
    }
    void run(const QString& sql) { ComponentContext::current().connection->execute(sql); }
    bool ran(const QString& prefix) const {
        for (const QString& s : executed)
            if (s.startsWith(prefix)) return true;
        return false;
    }
    const std::vector<Message>& shown() const { return log->shown; }

    std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
    std::vector<QString> executed;
    QString path;

private:
    QTemporaryDir m_dir;
    std::vector<QPointer<FormWindow>> m_opened;
};

} // namespace vornel::test
