#include "messages/QtMessageWindow.h"

#include "messages/RomanianCaptions.h"

#include <QMessageBox>
#include <QPushButton>

namespace vornel {

namespace {

QMessageBox::Icon iconFor(int icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtMessageWindow::Afiseaza(const QString& text, int icon, int buttons, const QString& title, int, int) {
    QMessageBox box;
    box.setWindowTitle(title);
    box.setIcon(iconFor(icon));
    box.setTextFormat(Qt::PlainText);
    // The suite's texts break lines with CR LF; a lone CR is a break as well.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    box.setText(shown);
    // The component's windows stay on top of everything: the message must stand above them.
    box.setWindowFlags(box.windowFlags() | Qt::WindowStaysOnTopHint);
    box.setWindowModality(Qt::ApplicationModal);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    RomanianCaptions::apply(box);
    const int answer = box.exec();
    if (buttons == MessageButtons::YesNo)
        return answer == QMessageBox::Yes ? MessageResult::Yes : MessageResult::No;
    return MessageResult::Ok;
}

} // namespace vornel
