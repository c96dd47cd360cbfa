#include "Controls.h"

#include "controls/FormWindow.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

namespace vornel::scenario {

namespace {

// Windows the component owns: top-level widgets without a parent (popups of combo boxes and the
// like belong to their controls).
QList<QWidget*> ownWindows() {
    QList<QWidget*> result;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget() && w->windowType() != Qt::Desktop) result << w;
    return result;
}

} // namespace

QWidget* findWindow(const QString& name) {
    QWidget* found = nullptr;
    for (QWidget* w : ownWindows()) {
        if (w->objectName() != name) continue;
        // An unloaded window may linger until its deletion runs; the shown one is the real one.
        if (w->isVisible()) return w;
        found = w;
    }
    return found;
}

QWidget* findControl(const ControlRef& ref, QString& problem) {
    QWidget* window = findWindow(ref.window);
    if (!window) {
        problem = QStringLiteral("expected window %1 loaded; found it not loaded").arg(ref.window);
        return nullptr;
    }
    auto* control = window->findChild<QWidget*>(ref.objectName);
    if (!control) {
        problem = QStringLiteral("expected control %1; found no control named %2 in %3")
                      .arg(ref.text, ref.objectName, ref.window);
        return nullptr;
    }
    return control;
}

std::optional<QString> controlText(QWidget* control) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    if (auto* text = qobject_cast<QTextEdit*>(control)) return text->toPlainText();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) return plain->toPlainText();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(control)) return spin->text();
    return std::nullopt;
}

QString blockingModal(QWidget* control) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == control->window() || modal->isAncestorOf(control)) return {};
    return modal->objectName().isEmpty() ? QString::fromLatin1(modal->metaObject()->className())
                                         : modal->objectName();
}

void focusControl(QWidget* control) {
    QWidget* window = control->window();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
        // Offscreen activation arrives through the event queue; make it happen now.
        QApplication::setActiveWindow(window);
#endif
    }
    if (QApplication::focusWidget() != control) control->setFocus(Qt::MouseFocusReason);
}

void closeAllWindows() {
    // Dialogs the windows opened (a file to export to, a print preview) end first.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) dialog->reject();
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : ownWindows())
        windows << w;
    for (const QPointer<QWidget>& w : windows) {
        if (!w) continue;
        if (auto* form = qobject_cast<FormWindow*>(w.data())) form->unload();
        if (w) w->hide();
    }
}

void destroyAllWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<QWidget*> windows = ownWindows();
    QList<QPointer<QWidget>> guarded;
    for (QWidget* w : windows)
        guarded << w;
    for (const QPointer<QWidget>& w : guarded)
        delete w.data();
}

} // namespace vornel::scenario
