#pragma once
// The component context: what Apel received (connection, company, user), the rights code the
// last entry named (each window keeps its own copy from when it opened), the message window, the Vornel
// object and the single instance of each window. One per thread.

#include "data/Connection.h"
#include "messages/MessageWindow.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <map>
#include <memory>

namespace vornel {

// The windows' log category (vornel.windows): entries opened and messages shown.
Q_DECLARE_LOGGING_CATEGORY(logWindows)

class Vornel;

class ComponentContext {
public:
    static ComponentContext& current();

    std::shared_ptr<Connection> connection;
    qint32 idSoc = 0;
    qint32 idUsers = 0;
    QString rightsCode;
    std::unique_ptr<MessageWindow> messages;
    Vornel* component = nullptr;

    // Shows a message through the context's message window (icon 16, OK and the title by default).
    int Afiseaza(const QString& text, int icon = MessageIcon::Error, int buttons = MessageButtons::Ok,
                 const QString& title = {}, int first = 0, int second = 0);

    // The loaded instance of a window, by its name (GridComun, GridDetail, ...); nullptr when the
    // window is not loaded.
    QWidget* window(const QString& name) const;
    void setWindow(const QString& name, QWidget* window);
    void forgetWindow(const QString& name);

    // The instance of window class W, created on first use (the class's objectName is its name).
    template <class W> W& instance() {
        const QString name = windowName<W>();
        if (auto* w = qobject_cast<W*>(window(name))) return *w;
        auto* w = new W(); // owned by Qt: deleted on unload (WA_DeleteOnClose)
        setWindow(name, w);
        return *w;
    }
    template <class W> W* loaded() const { return qobject_cast<W*>(window(windowName<W>())); }
    // The window's name: its class name without the namespace ("GridComun").
    template <class W> static QString windowName() {
        const QString name = QString::fromLatin1(W::staticMetaObject.className());
        return name.mid(name.lastIndexOf(u':') + 1);
    }

    // Calls InchideTot on the component object (no-op without one).
    void InchideTot();

private:
    std::map<QString, QPointer<QWidget>> m_windows;
};

// Asks the stored procedure "Vezi" whether the user may perform action tip ("A", "M", "S") on
// the screen of the context's rights code; shows the refusal message and returns false when not.
bool VerificaAcces(const QString& tip);
// The same for the screen of rightsCode: a window checks under the code it was opened with.
bool VerificaAcces(const QString& tip, const QString& rightsCode);
// Whether "Vezi" allows the action, without showing a refusal (a database error still shows).
bool Permis(const QString& tip, const QString& rightsCode);

// The number as SQL text with "." as the decimal separator whatever the user's locale.
QString NumarCuPunct(double value);

} // namespace vornel
