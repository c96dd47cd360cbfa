// The message box shown to a person: answers, icons and line breaks.
#include "messages/QtMessageWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

struct Seen {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList captions;
};

// Answers the next message box with the given button, recording what it showed.
void answerNextBox(QMessageBox::StandardButton answer, Seen& seen) {
    QTimer::singleShot(0, [answer, &seen] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible()) continue;
            seen = {box->text(), box->windowTitle(), box->icon(), {}};
            for (QAbstractButton* button : box->buttons())
                seen.captions << button->text();
            box->button(answer)->click();
            return;
        }
    });
}

} // namespace

TEST(QtMessageWindow, YesNoSaysDaNuAndReturnsSixOrSevenAndCrLfBreaksTheLine) {
    QtMessageWindow window;
    Seen seen;
    answerNextBox(QMessageBox::No, seen);
    EXPECT_EQ(window.Afiseaza("Stergeti?", 32, 4, "Stergere Date", 0, 0), 7);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    seen.captions.sort();
    EXPECT_EQ(seen.captions, (QStringList{"Da", "Nu"}));
    EXPECT_EQ(seen.title, "Stergere Date");
    answerNextBox(QMessageBox::Yes, seen);
    EXPECT_EQ(window.Afiseaza("Stergeti?", 32, 4, "Stergere Date", 0, 0), 6);

    answerNextBox(QMessageBox::Ok, seen);
    EXPECT_EQ(window.Afiseaza("Prima\r\nA doua", 64, 0, "Cerere respinsa!", 3000, 4500), 1);
    EXPECT_EQ(seen.text, "Prima\nA doua");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.captions, QStringList{"OK"});
}
