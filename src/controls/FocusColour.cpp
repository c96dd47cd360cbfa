#include "controls/FocusColour.h"

#include "controls/Look.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace vornel::FocusColour {

namespace {

constexpr int kIdle = Look::kFieldBackground;
constexpr int kFocused = Look::kFocusedBackground;
const char* const kProperty = "vornelBackground";
const char* const kWatcherName = "vornelFocusColour";

void paint(QWidget* widget, int rgb) {
    Look::paintField(widget, rgb);
    widget->setProperty(kProperty, rgb);
}

QLineEdit* editorOf(QWidget* widget) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) return line;
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable())
        return combo->lineEdit();
    return nullptr;
}

// Owned by the widget: darkens it while it has the focus and selects its whole text.
class Watcher : public QObject {
public:
    explicit Watcher(QWidget* widget) : QObject(widget), m_widget(widget) {
        setObjectName(QLatin1String(kWatcherName));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_widget) {
            if (event->type() == QEvent::FocusIn) {
                paint(m_widget, kFocused);
                if (QLineEdit* line = editorOf(m_widget)) {
                    line->selectAll();
                    // A mouse click places the cursor after FocusIn; select again once it has.
                    QTimer::singleShot(0, line, [line] {
                        if (line->hasFocus()) line->selectAll();
                    });
                }
            } else if (event->type() == QEvent::FocusOut) {
                paint(m_widget, kIdle);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_widget;
};

} // namespace

void attach(QWidget* widget) {
    if (!widget || widget->findChild<Watcher*>(QLatin1String(kWatcherName), Qt::FindDirectChildrenOnly))
        return;
    widget->setAutoFillBackground(true);
    paint(widget, widget->hasFocus() ? kFocused : kIdle);
    widget->installEventFilter(new Watcher(widget)); // child of the widget
}

int background(const QWidget* widget) {
    if (!widget) return kIdle;
    const QVariant value = widget->property(kProperty);
    return value.isValid() ? value.toInt() : widget->palette().color(QPalette::Base).rgb() & 0xffffff;
}

} // namespace vornel::FocusColour
