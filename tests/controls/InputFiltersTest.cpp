// Key filters, focus colouring and the numeric box, driven by real key and focus events.
#include "controls/FocusColour.h"
#include "controls/KeyFilter.h"
#include "controls/NumericBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

class LocaleGuard {
public:
    explicit LocaleGuard(const char* name) { QLocale::setDefault(QLocale(QString::fromLatin1(name))); }
    ~LocaleGuard() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

} // namespace

TEST(KeyFilter, TypedRefusedCharactersAreDroppedOthersKept) {
    QLineEdit edit;
    KeyFilter::attach(&edit, KeyFilter::rejecting(KeyFilter::kQuoteSemicolonPercentComma));
    QTest::keyClicks(&edit, "a'b;c%d,e f");
    EXPECT_EQ(edit.text(), "abcde f");
}

TEST(KeyFilter, ControlKeysAndKeysWithoutTextStillWork) {
    QLineEdit edit;
    KeyFilter::attach(&edit, KeyFilter::digitsOnly());
    QTest::keyClicks(&edit, "1x2y3");
    EXPECT_EQ(edit.text(), "123");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12");
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClicks(&edit, "9");
    EXPECT_EQ(edit.text(), "912");
}

TEST(KeyFilter, PasteIsNotFilteredAndARuleReplacesTheEarlierOne) {
    QLineEdit edit;
    KeyFilter::attach(&edit, KeyFilter::rejecting("'"));
    edit.insert("O'B");
    EXPECT_EQ(edit.text(), "O'B");
    KeyFilter::attach(&edit, KeyFilter::rejecting("b"));
    QTest::keyClicks(&edit, "'b");
    EXPECT_EQ(edit.text(), "O'B'");
    KeyFilter::detach(&edit);
    QTest::keyClicks(&edit, "b");
    EXPECT_EQ(edit.text(), "O'B'b");
}

TEST(FocusColour, DarkensWhileFocusedAndSelectsWholeText) {
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    auto* combo = new QComboBox(&window);
    combo->addItems({"Unu", "Doi"});
    first->setText("Denumire");
    for (QWidget* w :
         {static_cast<QWidget*>(first), static_cast<QWidget*>(second), static_cast<QWidget*>(combo)})
        FocusColour::attach(w);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();

    second->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(FocusColour::background(first), 0);
    EXPECT_EQ(FocusColour::background(combo), 0);
    first->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(FocusColour::background(first), 0x404040);
    EXPECT_EQ(first->selectedText(), "Denumire");

    second->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(FocusColour::background(first), 0);
    EXPECT_EQ(FocusColour::background(second), 0x404040);

    combo->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(FocusColour::background(combo), 0x404040);
    EXPECT_EQ(FocusColour::background(second), 0);
    EXPECT_EQ(combo->palette().color(QPalette::Base), QColor(0x40, 0x40, 0x40));
}

TEST(NumericBox, ReadsBothSeparatorsUnderADecimalCommaLocale) {
    LocaleGuard ro("ro_RO");
    NumericBox box;
    box.setText("12,5");
    EXPECT_DOUBLE_EQ(box.Valoare(), 12.5);
    box.setText("12.5");
    EXPECT_DOUBLE_EQ(box.Valoare(), 12.5);
    box.setText("");
    EXPECT_DOUBLE_EQ(box.Valoare(), 0.0);
    box.setText("abc");
    EXPECT_DOUBLE_EQ(box.Valoare(), 0.0);
    box.setValoare(1234.25);
    EXPECT_EQ(box.text(), "1234,25");
    box.setValoare(-7);
    EXPECT_EQ(box.text(), "-7");
    EXPECT_DOUBLE_EQ(box.Valoare(), -7.0);
}

TEST(NumericBox, ReadsBothSeparatorsUnderADecimalPointLocale) {
    LocaleGuard us("en_US");
    NumericBox box;
    box.setText("12,5");
    EXPECT_DOUBLE_EQ(box.Valoare(), 12.5);
    box.setValoare(1234567.5);
    EXPECT_EQ(box.text(), "1234567.5");
    double seen = -1;
    QObject::connect(&box, &NumericBox::valueChanged, [&seen](double v) { seen = v; });
    box.setValoare(0.1);
    EXPECT_DOUBLE_EQ(seen, 0.1);
}
