#pragma once
// The large record editor opened on a catalogue's listing query, as the list window opens it.

#include "EditorFixture.h"
#include "editors/GridDetailMare.h"

#include <QLineEdit>

namespace vornel::test {

class LargeEditorTest : public EditorTest {
protected:
    void TearDown() override {
        if (auto* editor = ComponentContext::current().loaded<GridDetailMare>()) editor->unload();
        EditorTest::TearDown();
    }

    // In modify mode the list stands on the row whose column (0 unless given) has the text given.
    GridDetailMare& open(const QString& caption, const QString& mode, const QString& rowText = {},
                         int column = 0) {
        const CatalogProfile* profile = CatalogRegistry::find(caption);
        EXPECT_TRUE(profile);
        m_list = std::make_shared<Recordset>();
        m_list->open(profile->query, ComponentContext::current().connection);
        if (!rowText.isEmpty())
            while (!m_list->eof() && m_list->text(column) != rowText)
                m_list->moveNext();
        auto& editor = ComponentContext::current().instance<GridDetailMare>();
        editor.DeschideDetaliu(*profile, mode == u"M" ? EditMode::Modify : EditMode::Add, m_list);
        executed.clear();
        return editor;
    }

    bool editorOpen() const { return ComponentContext::current().loaded<GridDetailMare>() != nullptr; }

    static QLineEdit* field(GridDetailMare& w, const char* name) {
        auto* f = w.findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(f, nullptr) << name;
        return f;
    }
    template <class W> static W* control(GridDetailMare& w, const char* name) {
        auto* c = w.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    static void run(const QString& sql) { ComponentContext::current().connection->execute(sql); }

    // True when a statement starting with this text was executed.
    bool ran(const QString& start) const {
        for (const QString& sql : executed)
            if (sql.startsWith(start)) return true;
        return false;
    }

private:
    std::shared_ptr<Recordset> m_list;
};

} // namespace vornel::test
