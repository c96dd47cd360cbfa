#include "entry/ComponentContext.h"

#include "messages/QtMessageWindow.h"

namespace vornel {

Q_LOGGING_CATEGORY(logWindows, "vornel.windows", QtInfoMsg)

ComponentContext& ComponentContext::current() {
    thread_local ComponentContext context;
    return context;
}

int ComponentContext::Afiseaza(const QString& text, int icon, int buttons, const QString& title, int first,
                               int second) {
    qCInfo(logWindows).noquote() << "message"
                                 << (title.isEmpty() ? QString()
                                                     : QLatin1Char('"') + title + QLatin1Char('"'))
                                 << text;
    if (!messages) messages = std::make_unique<QtMessageWindow>();
    return messages->Afiseaza(text, icon, buttons, title, first, second);
}

QWidget* ComponentContext::window(const QString& name) const {
    const auto found = m_windows.find(name);
    return found == m_windows.end() ? nullptr : found->second.data();
}

void ComponentContext::setWindow(const QString& name, QWidget* window) {
    if (window)
        m_windows[name] = window;
    else
        m_windows.erase(name);
}

void ComponentContext::forgetWindow(const QString& name) {
    m_windows.erase(name);
}

} // namespace vornel
