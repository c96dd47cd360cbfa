#include "controls/GuardedApplication.h"

#include "data/DbError.h"
#include "entry/ComponentContext.h"

namespace vornel {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    QString problem;
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& error) {
        problem = error.description();
    } catch (const std::exception& error) {
        problem = QString::fromLocal8Bit(error.what());
    }
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    const QString title = widget ? widget->window()->windowTitle() : applicationName();
    ComponentContext::current().Afiseaza(problem, MessageIcon::Error, MessageButtons::Ok, title);
    return false;
}

} // namespace vornel
