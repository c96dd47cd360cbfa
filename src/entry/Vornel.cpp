#include "entry/Vornel.h"

#include "catalogs/GridComun.h"
#include "company/ParamSocietate.h"
#include "controls/FormWindow.h"
#include "documents/ConfDocOut.h"
#include "editors/GridDetail.h"
#include "editors/GridDetailMare.h"
#include "editors/TipuriProdus.h"
#include "entry/ComponentContext.h"
#include "messages/QtMessageWindow.h"
#include "profiles/CatalogRegistry.h"
#include "salaries/Salarii.h"

#include <array>

namespace vornel {

namespace {

// The windows InchideTot unloads, in the order it unloads them.
constexpr std::array<const char*, 9> kUnloadOrder = {"GridDetail",   "AlegeGrupaProd", "ConfDocOut",
                                                     "GridComun",    "GridDetailMare", "ParamSocietate",
                                                     "TipuriProdus", "Salarii",        "IstoricModificari"};

// The editor of a window class, built on first use; a new one tells the list when it closes.
template <class Editor> Editor& editorFor(GridComun& list) {
    auto& context = ComponentContext::current();
    if (auto* open = context.loaded<Editor>()) return *open;
    auto& editor = context.instance<Editor>();
    QObject::connect(&editor, &Editor::closed, &list, &GridComun::refreshAfterEditor);
    QObject::connect(&editor, &Editor::recordChanged, &list, &GridComun::reloadInPlace);
    return editor;
}

// Opens the editor of the list's catalogue on the list's recordset.
void openEditor(GridComun& list, EditMode mode, bool reading) {
    const CatalogProfile& profile = *list.profile();
    auto& context = ComponentContext::current();
    switch (profile.editor) {
    case CatalogEditor::GridDetail: {
        GridDetail& editor = editorFor<GridDetail>(list);
        editor.setReading(reading);
        editor.DeschideEditor(profile, mode, list.lista());
        return;
    }
    case CatalogEditor::GridDetailMare: {
        GridDetailMare& editor = editorFor<GridDetailMare>(list);
        editor.setReading(reading);
        editor.DeschideDetaliu(profile, mode, list.lista());
        return;
    }
    case CatalogEditor::TipuriProdus: {
        TipuriProdus* editor = context.loaded<TipuriProdus>();
        if (!editor) {
            editor = &context.instance<TipuriProdus>();
            QObject::connect(editor, &TipuriProdus::saved, &list, &GridComun::reloadAfterEditor);
            QObject::connect(editor, &TipuriProdus::left, &list, &GridComun::resumeAfterEditor);
            QObject::connect(editor, &TipuriProdus::recordChanged, &list, &GridComun::reloadInPlace);
        }
        editor->DeschideTip(mode, list.lista(), reading);
        return;
    }
    }
}

// The catalogue list, built on first use; the editors it asks for are opened here.
GridComun& catalogueList() {
    auto& context = ComponentContext::current();
    if (auto* open = context.loaded<GridComun>()) return *open;
    auto& list = context.instance<GridComun>();
    QObject::connect(&list, &GridComun::editorRequested, &list,
                     [&list](EditMode mode, bool reading) { openEditor(list, mode, reading); });
    return list;
}

} // namespace

Vornel::Vornel(QObject* parent) : QObject(parent) {}

Vornel::~Vornel() {
    auto& context = ComponentContext::current();
    context.connection.reset();
    if (context.component == this) context.component = nullptr;
}

void Vornel::Apel(std::shared_ptr<Connection> Legatura, const QString& argCaption, qint32 IDSoc,
                  qint32 IdUsers) {
    qCInfo(logWindows).noquote() << "Apel" << argCaption << "societate" << IDSoc << "utilizator" << IdUsers;
    auto& context = ComponentContext::current();
    std::unique_ptr<MessageWindow> messages = m_factory ? m_factory() : nullptr;
    context.messages = messages ? std::move(messages) : std::make_unique<QtMessageWindow>();
    context.component = this;
    context.connection = std::move(Legatura);
    context.idSoc = IDSoc;
    context.idUsers = IdUsers;

    const Entry entry = CatalogRegistry::entry(argCaption);
    if (!entry.rightsCode.isEmpty()) context.rightsCode = entry.rightsCode;
    switch (entry.window) {
    case EntryWindow::Salarii:
        context.instance<Salarii>().Incarca();
        return;
    case EntryWindow::ParamSocietate:
        context.instance<ParamSocietate>().Incarca();
        return;
    case EntryWindow::ConfDocOut:
        context.instance<ConfDocOut>().Incarca();
        return;
    case EntryWindow::GridComun:
        catalogueList().Deschide(entry.catalogue);
        return;
    }
}

// Defined beside Vornel so that the context library does not depend on the component library.
void ComponentContext::InchideTot() {
    if (component) component->InchideTot();
}

void Vornel::InchideTot() {
    // The windows' closing handlers never call back in; the guard keeps it that way if one does.
    if (m_closing) return;
    m_closing = true;
    auto& context = ComponentContext::current();
    for (const char* name : kUnloadOrder) {
        QWidget* window = context.window(QString::fromLatin1(name));
        if (!window) continue;
        if (auto* form = qobject_cast<FormWindow*>(window)) {
            form->unload();
        } else {
            window->close();
            context.forgetWindow(QString::fromLatin1(name));
        }
    }
    m_closing = false;
    emit Iesire();
    if (m_callback) m_callback();
}

} // namespace vornel
