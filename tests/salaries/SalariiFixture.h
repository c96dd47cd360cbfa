#pragma once
// A demo company database, a recording message window with scripted answers and the salary
// window loaded on it.

#include "controls/NumericBox.h"
#include "data/Connection.h"
#include "data/sqlite/DemoDatabase.h"
#include "entry/ComponentContext.h"
#include "salaries/Salarii.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>

namespace vornel::test {

struct Shown {
    QString text;
    int icon;
    int buttons;
    QString title;
};

class ScriptedMessages : public MessageWindow {
public:
    ScriptedMessages(std::vector<Shown>& log, std::deque<int>& answers) : m_log(log), m_answers(answers) {}
    int Afiseaza(const QString& text, int icon, int buttons, const QString& title, int, int) override {
        m_log.push_back({text, icon, buttons, title});
        if (buttons != MessageButtons::YesNo) return MessageResult::Ok;
        if (m_answers.empty()) return MessageResult::No;
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

private:
    std::vector<Shown>& m_log;
    std::deque<int>& m_answers;
};

class SalariiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("firma.db"));
        DemoDatabase::create(path);
        auto& ctx = ComponentContext::current();
        ctx.connection = Connection::open("sqlite:" + path);
        ctx.connection->addObserver([this](const QString& sql) { executed.push_back(sql); });
        ctx.messages = std::make_unique<ScriptedMessages>(shown, answers);
    }

    void TearDown() override {
        auto& ctx = ComponentContext::current();
        if (auto* w = ctx.loaded<Salarii>()) w->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ctx.messages.reset();
        ctx.connection.reset();
    }

    Salarii& open() {
        auto& w = ComponentContext::current().instance<Salarii>();
        w.Incarca();
        QApplication::setActiveWindow(&w);
        executed.clear();
        return w;
    }

    template <class T = QWidget> T* child(const QString& name) {
        auto* w = ComponentContext::current().loaded<Salarii>();
        return w ? w->findChild<T*>(name) : nullptr;
    }
    NumericBox* box(const char* array, int i) {
        return child<NumericBox>(QStringLiteral("%1_%2").arg(array).arg(i));
    }
    QLineEdit* edit(const char* array, int i) {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(array).arg(i));
    }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(QString::fromLatin1(name)); }
    QPushButton* button(const char* array, int i) {
        return child<QPushButton>(QStringLiteral("%1_%2").arg(array).arg(i));
    }
    QGroupBox* page(int i) { return child<QGroupBox>(QStringLiteral("f_%1").arg(i)); }
    QComboBox* combo(const char* name) { return child<QComboBox>(QString::fromLatin1(name)); }

    // Pages shown, as their indexes.
    std::vector<int> shownPages() {
        std::vector<int> result;
        for (int i = 0; i < 5; ++i)
            if (!page(i)->isHidden()) result.push_back(i);
        return result;
    }

    QString scalar(const QString& sql) {
        const QVariant v = ComponentContext::current().connection->scalar(sql);
        return v.isValid() ? v.toString() : QStringLiteral("NULL");
    }
    void run(const QString& sql) { ComponentContext::current().connection->execute(sql); }

    bool ranLike(const QString& start) const {
        for (const QString& s : executed)
            if (s.startsWith(start)) return true;
        return false;
    }

    std::vector<QString> executed;
    std::vector<Shown> shown;
    std::deque<int> answers;

private:
    QTemporaryDir m_dir;
};

} // namespace vornel::test
