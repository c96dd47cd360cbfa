#include "controls/FormWindow.h"

#include "controls/Look.h"
#include "controls/Topmost.h"
#include "controls/Twips.h"
#include "controls/WindowPlace.h"
#include "data/DbError.h"
#include "entry/ComponentContext.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace vornel {

FormWindow::FormWindow(const QString& name, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    Topmost::apply(this);
    WindowPlace::remember(this);
    Look::applyToWindow(this);
    ComponentContext::current().setWindow(name, this);
}

FormWindow::~FormWindow() {
    if (m_modalLoop) m_modalLoop->quit();
    auto& context = ComponentContext::current();
    // A newer instance may already stand under this name after an unload: leave it registered.
    if (context.window(objectName()) == this) context.forgetWindow(objectName());
}

bool FormWindow::queryUnload(bool) {
    return true;
}

bool FormWindow::guard(const std::function<void()>& handler) {
    QString problem;
    try {
        handler();
        return true;
    } catch (const DbError& error) {
        problem = error.description();
    } catch (const std::exception& error) {
        problem = QString::fromLocal8Bit(error.what());
    }
    ComponentContext::current().Afiseaza(problem, MessageIcon::Error, MessageButtons::Ok, windowTitle());
    return false;
}

void FormWindow::load(const std::function<void()>& loading) {
    if (!guard(loading) && !isVisible()) unload();
}

bool FormWindow::filterEvent(QObject* watched, QEvent* event) {
    return QWidget::eventFilter(watched, event);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    bool consumed = true; // a key whose handler failed does nothing more
    guard([&] { consumed = filterEvent(watched, event); });
    return consumed;
}

void FormWindow::unload() {
    if (m_unloaded) return;
    m_unloadingByCode = true;
    QPointer<FormWindow> self(this);
    const bool closed = close();
    if (!self) return;
    m_unloadingByCode = false;
    if (!closed) return;
    // Closing a hidden window still has to destroy it, and the next use must build a new one.
    auto& context = ComponentContext::current();
    if (context.window(objectName()) == this) context.forgetWindow(objectName());
    hide();
    deleteLater();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    bool leave = false;
    guard([&] { leave = queryUnload(m_unloadingByCode); });
    if (!leave) {
        event->ignore();
        return;
    }
    if (!m_unloaded) {
        m_unloaded = true;
        guard([this] { onUnload(); });
    }
    event->accept();
}

bool FormWindow::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        Topmost::apply(this);
        break;
    case QEvent::Hide:
        if (m_modalLoop) m_modalLoop->quit();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void FormWindow::showModal() {
    QPointer<FormWindow> self(this);
    if (isVisible()) hide(); // the modality of a shown window only changes when it is shown again
    if (!self) return;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    if (isVisible()) {
        QEventLoop loop;
        m_modalLoop = &loop;
        loop.exec(QEventLoop::DialogExec);
        if (self) m_modalLoop = nullptr;
    }
    if (self && !isVisible()) setWindowModality(Qt::NonModal);
}

void FormWindow::centre(int topOffsetTwips) {
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where) return;
    const QRect area = where->availableGeometry();
    const QSize size = frameGeometry().size();
    move(area.left() + (area.width() - size.width()) / 2,
         area.top() + (area.height() - size.height()) / 2 + Twips::toPixels(topOffsetTwips));
}

} // namespace vornel
