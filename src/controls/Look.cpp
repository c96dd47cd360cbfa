#include "controls/Look.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

namespace vornel::Look {

namespace {

const QColor kWindow(0x20, 0x20, 0x20);
const QColor kButton(0x30, 0x30, 0x30);
const QColor kWindowText(0xe0, 0xe0, 0xe0);
const QColor kFieldText(0xd0, 0xd0, 0xd0);
const QColor kDisabledText(0x80, 0x80, 0x80);
const QColor kDisabledBase(0x18, 0x18, 0x18);
const QColor kAccent(0x2a, 0x6f, 0xb0);
const QColor kHeading(0xf0, 0xc0, 0x60);
const QColor kWarning(0xff, 0x40, 0x40);

QPalette suitePalette(QPalette p) {
    p.setColor(QPalette::Window, kWindow);
    p.setColor(QPalette::WindowText, kWindowText);
    p.setColor(QPalette::Button, kButton);
    p.setColor(QPalette::ButtonText, kWindowText);
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::AlternateBase, kWindow);
    p.setColor(QPalette::Text, kFieldText);
    p.setColor(QPalette::ToolTipBase, kWindow);
    p.setColor(QPalette::ToolTipText, kWindowText);
    p.setColor(QPalette::Highlight, kAccent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, kAccent.lighter());
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, kDisabledText);
    p.setColor(QPalette::Disabled, QPalette::Base, kDisabledBase);
    return p;
}

} // namespace

void applyToApplication(QApplication& app) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setPalette(suitePalette(app.palette()));
}

void applyToWindow(QWidget* window) {
    window->setPalette(suitePalette(window->palette()));
    window->setAutoFillBackground(true);
}

void applyToGrid(QWidget* grid) {
    QPalette dark = grid->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        dark.setColor(group, QPalette::Base, Qt::black);
        dark.setColor(group, QPalette::AlternateBase, kWindow);
        dark.setColor(group, QPalette::Window, Qt::black);
        dark.setColor(group, QPalette::Text, kFieldText);
        dark.setColor(group, QPalette::WindowText, kFieldText);
    }
    grid->setPalette(dark);
}

void paintField(QWidget* field, int background) {
    QPalette palette = field->palette();
    const QColor base = QColor::fromRgb(static_cast<QRgb>(background));
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::Window, base);
        palette.setColor(group, QPalette::Button, base);
        palette.setColor(group, QPalette::Text, kFieldText);
        palette.setColor(group, QPalette::WindowText, kFieldText);
        palette.setColor(group, QPalette::ButtonText, kFieldText);
    }
    field->setPalette(palette);
}

void keepDarkWhenDisabled(QWidget* field) {
    QPalette p = field->palette();
    p.setColor(QPalette::Disabled, QPalette::Base, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Button, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, kDisabledText);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledText);
    field->setPalette(p);
}

void makeHeading(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kHeading);
    label->setPalette(p);
    label->setContentsMargins(0, 8, 0, 2);
}

void makeWarning(QLabel* label) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kWarning);
    label->setPalette(p);
}

void setForeColour(QPushButton* button, int bgr) {
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
    button->setPalette(p);
    button->setProperty("ForeColor", bgr);
}

QIcon picture(Picture which) {
    // In the order of Picture.
    static constexpr QStyle::StandardPixmap kPixmaps[] = {
        QStyle::SP_CustomBase,       QStyle::SP_FileDialogNewFolder, QStyle::SP_FileDialogDetailedView,
        QStyle::SP_TrashIcon,        QStyle::SP_DialogCancelButton,  QStyle::SP_FileDialogContentsView,
        QStyle::SP_DialogSaveButton, QStyle::SP_DialogApplyButton,   QStyle::SP_DialogCloseButton,
        QStyle::SP_ArrowDown,        QStyle::SP_ComputerIcon};
    if (which == Picture::None) return {};
    return QApplication::style()->standardIcon(kPixmaps[static_cast<int>(which)]);
}

} // namespace vornel::Look
