#pragma once
// A demo company database in a temporary folder, the component context on it, a message window
// that records every message and answers Yes/No questions from a script, and the statements run.

#include "controls/FlexGrid.h"
#include "controls/FormWindow.h"
#include "data/Connection.h"
#include "data/sqlite/DemoDatabase.h"
#include "entry/ComponentContext.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vornel::test {

struct Shown {
    QString text;
    int icon = 0;
    int buttons = 0;
    QString title;
};

struct Script {
    std::vector<Shown> shown;
    std::deque<int> answers; // for Yes/No questions; Yes when empty
};

class ScriptedMessages : public MessageWindow {
public:
    explicit ScriptedMessages(std::shared_ptr<Script> script) : m_script(std::move(script)) {}
    int Afiseaza(const QString& text, int icon, int buttons, const QString& title, int, int) override {
        m_script->shown.push_back({text, icon, buttons, title});
        if (buttons != MessageButtons::YesNo) return MessageResult::Ok;
        if (m_script->answers.empty()) return MessageResult::Yes;
        const int answer = m_script->answers.front();
        m_script->answers.pop_front();
        return answer;
    }

private:
    std::shared_ptr<Script> m_script;
};

class CatalogDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("firma.db"));
        DemoDatabase::create(path);
        auto& ctx = ComponentContext::current();
        ctx.connection = Connection::open(QStringLiteral("sqlite:") + path);
        ctx.idSoc = 1;
        ctx.idUsers = 1;
        ctx.messages = std::make_unique<ScriptedMessages>(script);
        ctx.connection->addObserver([this](const QString& sql) { executed.push_back(sql); });
    }

    void TearDown() override {
        auto& ctx = ComponentContext::current();
        for (const char* name : {"AlegeGrupaProd", "GridDetail", "GridComun"})
            if (auto* w = qobject_cast<FormWindow*>(ctx.window(QString::fromLatin1(name)))) w->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ctx.connection.reset();
        ctx.messages.reset();
        ctx.rightsCode.clear();
    }

    void sql(const QString& statement) { ComponentContext::current().connection->execute(statement); }
    QVariant scalar(const QString& query) { return ComponentContext::current().connection->scalar(query); }

    bool ran(const QString& statement) const {
        return std::find(executed.begin(), executed.end(), statement) != executed.end();
    }
    bool ranStarting(const QString& prefix) const {
        return std::any_of(executed.begin(), executed.end(),
                           [&](const QString& s) { return s.startsWith(prefix); });
    }

    // The data row (1-based) whose cell in the column has the text; 0 when none.
    static int rowWith(const FlexGrid* grid, int col, const QString& text) {
        for (int r = 1; r < grid->Rows(); ++r)
            if (grid->TextMatrix(r, col) == text) return r;
        return 0;
    }

    std::shared_ptr<Script> script = std::make_shared<Script>();
    std::vector<QString> executed;

private:
    QTemporaryDir m_dir;
};

} // namespace vornel::test
