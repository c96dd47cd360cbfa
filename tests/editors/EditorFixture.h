#pragma once
// A demo company database, a recording message window and the list recordset of a catalogue, so
// that the record editor runs as the list window would open it.

#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/sqlite/DemoDatabase.h"
#include "editors/GridDetail.h"
#include "entry/ComponentContext.h"
#include "profiles/CatalogRegistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vornel::test {

struct Shown {
    QString text;
    int icon;
    int buttons;
    QString title;
};

class RecordingMessages : public MessageWindow {
public:
    explicit RecordingMessages(std::vector<Shown>& log) : m_log(log) {}
    int Afiseaza(const QString& text, int icon, int buttons, const QString& title, int, int) override {
        m_log.push_back({text, icon, buttons, title});
        return MessageResult::Ok;
    }

private:
    std::vector<Shown>& m_log;
};

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("firma.db"));
        DemoDatabase::create(path);
        auto& ctx = ComponentContext::current();
        ctx.connection = Connection::open("sqlite:" + path);
        ctx.connection->addObserver([this](const QString& sql) { executed.push_back(sql); });
        ctx.messages = std::make_unique<RecordingMessages>(shown);
    }

    void TearDown() override {
        auto& ctx = ComponentContext::current();
        if (auto* editor = ctx.loaded<GridDetail>()) editor->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ctx.messages.reset();
        ctx.connection.reset();
    }

    // Opens the editor on the catalogue's listing query; in modify mode on the row whose first
    // column (or the column given) has the text given.
    GridDetail& open(const QString& caption, const QString& mode, const QString& rowText = {},
                     int column = 0) {
        const CatalogProfile* profile = CatalogRegistry::find(caption);
        EXPECT_TRUE(profile);
        m_list = std::make_shared<Recordset>();
        m_list->open(profile->query, ComponentContext::current().connection);
        if (!rowText.isEmpty())
            while (!m_list->eof() && m_list->text(column) != rowText)
                m_list->moveNext();
        auto& editor = ComponentContext::current().instance<GridDetail>();
        editor.DeschideEditor(*profile, mode == u"M" ? EditMode::Modify : EditMode::Add, m_list);
        executed.clear();
        return editor;
    }

    bool editorOpen() const { return ComponentContext::current().loaded<GridDetail>() != nullptr; }

    QString scalar(const QString& sql) {
        const QVariant v = ComponentContext::current().connection->scalar(sql);
        return v.isValid() ? v.toString() : QStringLiteral("NULL");
    }

    std::vector<Shown> shown;
    std::vector<QString> executed;

    // The record editor's controls by name.
    static QLineEdit* txt(GridDetail& w, const char* name) { return w.findChild<QLineEdit*>(name); }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<Recordset> m_list;
};

} // namespace vornel::test
