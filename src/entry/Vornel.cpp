#include "entry/Vornel.h"

#include "catalogs/GridComun.h"
#include "company/ParamSocietate.h"
#include "controls/FormWindow.h"
#include "documents/ConfDocOut.h"
#include "entry/ComponentContext.h"
#include "messages/QtMessageWindow.h"
#include "salaries/Salarii.h"

#include <array>

namespace vornel {

namespace {

// The windows InchideTot unloads, in the order it unloads them.
constexpr std::array<const char*, 9> kUnloadOrder = {"GridDetail",   "AlegeGrupaProd", "ConfDocOut",
                                                     "GridComun",    "GridDetailMare", "ParamSocietate",
                                                     "TipuriProdus", "Salarii",        "IstoricModificari"};

} // namespace

Vornel::Vornel(QObject* parent) : QObject(parent) {}

Vornel::~Vornel() {
    auto& context = ComponentContext::current();
    context.connection.reset();
    if (context.component == this) context.component = nullptr;
}

void Vornel::Apel(std::shared_ptr<Connection> Legatura, const QString& argCaption, qint32 IDSoc,
                  qint32 IdUsers) {
    const QString caption = argCaption;
    qCInfo(logWindows).noquote() << "Apel" << caption << "societate" << IDSoc << "utilizator" << IdUsers;
    auto& context = ComponentContext::current();
    std::unique_ptr<MessageWindow> messages = m_factory ? m_factory() : nullptr;
    context.messages = messages ? std::move(messages) : std::make_unique<QtMessageWindow>();
    context.component = this;
    context.connection = std::move(Legatura);
    context.idSoc = IDSoc;
    context.idUsers = IdUsers;

    if (caption == QLatin1String("Salarii")) {
        context.instance<Salarii>().Incarca();
    } else if (caption == QLatin1String("Banca Tert")) {
        context.instance<GridComun>().Deschide(QStringLiteral("Banci"));
    } else if (caption == QLatin1String("Parametrii societate")) {
        context.instance<ParamSocietate>().Incarca();
    } else if (caption == QLatin1String("Documente de iesire") || caption == QLatin1String("Serii Avize")) {
        context.rightsCode = QStringLiteral("4341");
        context.instance<ConfDocOut>().Incarca();
    } else {
        context.instance<GridComun>().Deschide(caption);
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
