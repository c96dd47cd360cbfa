#pragma once
// The public class of the component: Apel opens the window of a caption; Iesire says that all its
// windows are closed.

#include "data/Connection.h"
#include "messages/MessageWindow.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace vornel {

class Vornel : public QObject {
    Q_OBJECT
public:
    explicit Vornel(QObject* parent = nullptr);
    ~Vornel() override;

    void Apel(std::shared_ptr<Connection> Legatura, const QString& argCaption, qint32 IDSoc, qint32 IdUsers);

    // For hosts that are not Qt objects: called with every Iesire.
    void setIesireCallback(std::function<void()> callback) { m_callback = std::move(callback); }
    // Apel makes a new message window through this factory at each call (default: QtMessageWindow).
    void setMessageWindowFactory(MessageWindowFactory factory) { m_factory = std::move(factory); }

    // Close-all routine, for the component's own windows: unloads every loaded window in the fixed
    // order and raises Iesire.
    void InchideTot();

signals:
    void Iesire();

private:
    std::function<void()> m_callback;
    MessageWindowFactory m_factory;
    bool m_closing = false; // InchideTot is running
};

} // namespace vornel
