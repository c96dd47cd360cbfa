#pragma once
// The application object of a program that hosts the component: an exception that escapes a
// handler (the component's windows keep theirs) is shown through the message window, with the
// caption of the window that received the event as title, and the event loop goes on.

#include <QApplication>

namespace vornel {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace vornel
