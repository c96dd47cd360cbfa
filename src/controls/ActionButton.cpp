#include "controls/ActionButton.h"

#include <QShortcut>

namespace vornel {

QPushButton* makeActionButton(QWidget* parent, int index, const QString& caption, Look::Picture picture,
                              const QString& accelerator) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QStringLiteral("cmdAction_%1").arg(index));
    button->setIcon(Look::picture(picture));
    button->setAutoDefault(false);
    if (!accelerator.isEmpty()) {
        auto* shortcut = new QShortcut(QKeySequence(accelerator), parent);
        QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    }
    return button;
}

QPushButton* makeHistoryButton(QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("Istoric"), parent);
    button->setObjectName(QStringLiteral("cmdIstoric"));
    button->setAutoDefault(false);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), parent);
    QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    return button;
}

} // namespace vornel
