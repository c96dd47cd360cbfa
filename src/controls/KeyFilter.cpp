#include "controls/KeyFilter.h"

#include <QEvent>
#include <QKeyEvent>

namespace vornel::KeyFilter {

namespace {

const char* const kFilterName = "vornelKeyFilter";

// Owned by the widget it filters; consumes each typed character its rule refuses.
class Filter : public QObject {
public:
    Filter(QWidget* widget, Rule rule) : QObject(widget), m_rule(std::move(rule)) {
        setObjectName(QLatin1String(kFilterName));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            if (!text.isEmpty() && m_rule && !m_rule(text.at(0)))
                return true; // refused: the control never sees the character
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Rule m_rule;
};

Filter* existing(QWidget* widget) {
    return widget->findChild<Filter*>(QLatin1String(kFilterName), Qt::FindDirectChildrenOnly);
}

} // namespace

void attach(QWidget* widget, Rule rule) {
    if (!widget) return;
    detach(widget);
    auto* filter = new Filter(widget, std::move(rule)); // child of the widget
    widget->installEventFilter(filter);
}

void detach(QWidget* widget) {
    if (!widget) return;
    if (Filter* old = existing(widget)) {
        widget->removeEventFilter(old);
        delete old;
    }
}

Rule rejecting(const QString& characters) {
    return [characters](QChar typed) { return !characters.contains(typed); };
}

Rule digitsOnly() {
    return [](QChar typed) { return typed.unicode() < 32 || (typed >= u'0' && typed <= u'9'); };
}

Rule both(Rule first, Rule second) {
    return [first = std::move(first), second = std::move(second)](QChar typed) {
        return (!first || first(typed)) && (!second || second(typed));
    };
}

} // namespace vornel::KeyFilter
