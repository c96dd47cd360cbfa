#include "controls/FormWindow.h"

#include <QPalette>

#include "controls/Topmost.h"
#include "controls/Twips.h"
#include "controls/WindowPlace.h"
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
    applyDarkLook();
    ComponentContext::current().setWindow(name, this);
}

void FormWindow::applyDarkLook() {
    // The suite's look: dark window and buttons, light text; disabled controls stay dark and dim.
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    p.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    p.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0));
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, QColor(0xd0, 0xd0, 0xd0));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x70, 0x70, 0x70));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x90, 0x90, 0x90));
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(0x18, 0x18, 0x18));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    setPalette(p);
    setAutoFillBackground(true);
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
    if (!queryUnload(m_unloadingByCode)) {
        event->ignore();
        return;
    }
    if (!m_unloaded) {
        m_unloaded = true;
        onUnload();
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
