#include "controls/ActionButton.h"

#include <QShortcut>

namespace vornel {

QPushButton* makeActionButton(QWidget* parent, int index, const QString& caption, QStyle::StandardPixmap icon,
                              const QString& accelerator) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QStringLiteral("cmdAction_%1").arg(index));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setAutoDefault(false);
    if (!accelerator.isEmpty()) {
        auto* shortcut = new QShortcut(QKeySequence(accelerator), parent);
        QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    }
    return button;
}

} // namespace vornel
