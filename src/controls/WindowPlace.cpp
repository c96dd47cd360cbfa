#include "controls/WindowPlace.h"

#include "entry/ComponentContext.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace vornel::WindowPlace {

namespace {

// The per-user settings of the program, whichever program hosts the component.
QSettings settings() {
    return QSettings(QStringLiteral("Vornel"), QStringLiteral("vornel"));
}

class Keeper : public QObject {
public:
    explicit Keeper(QWidget* window) : QObject(window), m_window(window) {
        window->installEventFilter(this);
        // Windows still open when the program ends are not hidden first.
        if (QCoreApplication* app = QCoreApplication::instance())
            connect(app, &QCoreApplication::aboutToQuit, this, [this] {
                if (m_window->isVisible()) save();
            });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window) {
            if (event->type() == QEvent::Show && !m_restored) {
                m_restored = true;
                restore();
            } else if (event->type() == QEvent::Hide) {
                save();
            }
        }
        return false;
    }

private:
    QString key(const char* what) const {
        // Suite users may share one account of the machine: each keeps its own places.
        return QStringLiteral("ferestre/%1/%2/%3")
            .arg(ComponentContext::current().idUsers)
            .arg(m_window->objectName(), QLatin1String(what));
    }

    void restore() {
        const QSettings s = settings();
        const QRect frame = s.value(key("cadru")).toRect();
        const QSize inner = s.value(key("marime")).toSize();
        if (!frame.isValid() || !inner.isValid()) return;
        QList<QRect> screens;
        for (const QScreen* screen : QGuiApplication::screens())
            screens << screen->availableGeometry();
        const QRect place = fitted(frame, screens);
        const QSize border = frame.size() - inner; // title bar and edges
        m_window->resize(place.size() - border);
        m_window->move(place.topLeft());
    }

    void save() const {
        QSettings s = settings();
        s.setValue(key("cadru"), m_window->frameGeometry());
        s.setValue(key("marime"), m_window->size());
    }

    QWidget* m_window;
    bool m_restored = false;
};

} // namespace

void remember(QWidget* window) {
    new Keeper(window); // owned by the window
}

QRect fitted(const QRect& frame, const QList<QRect>& screens) {
    if (screens.isEmpty()) return frame;
    const auto overlap = [&](const QRect& area) {
        const QRect common = area.intersected(frame);
        return common.isEmpty() ? 0LL : qint64(common.width()) * common.height();
    };
    const QRect area = *std::max_element(screens.begin(), screens.end(), [&](const QRect& a, const QRect& b) {
        return overlap(a) < overlap(b);
    });
    const QRect home = overlap(area) > 0 ? area : screens.first();
    QRect place(frame.topLeft(), frame.size().boundedTo(home.size()));
    place.moveLeft(std::clamp(place.left(), home.left(), home.right() - place.width() + 1));
    place.moveTop(std::clamp(place.top(), home.top(), home.bottom() - place.height() + 1));
    return place;
}

} // namespace vornel::WindowPlace
