// Focus colouring driven by real focus events, and reading and showing numbers.
#include "controls/FocusColour.h"
#include "controls/NumberText.h"
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

TEST(FocusColour, DarkensWhileFocusedAndSelectsWholeText) {
    QWidget window;
    auto* edit = new QLineEdit(QStringLiteral("Denumire"), &window);
    auto* combo = new QComboBox(&window);
    FocusColour::attach(edit);
    FocusColour::attach(combo);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    edit->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(FocusColour::background(edit), 0x404040);
    EXPECT_EQ(edit->selectedText(), "Denumire");
    combo->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(FocusColour::background(edit), 0);
    EXPECT_EQ(combo->palette().color(QPalette::Base), QColor(0x40, 0x40, 0x40));
}

TEST(NumberText, ReadsNumbersAsTheyAreShownUnderEachLocale) {
    struct Case {
        const char* text;
        std::optional<double> ro, us;
    };
    const std::optional<double> none;
    const Case cases[] = {{"21.000,50", 21000.5, none},
                          {"21,000.50", none, 21000.5},
                          {"1.000", 1000, 1},
                          {"1,000", 1, 1000},
                          {"12.5", 12.5, 12.5},
                          {"12,5", 12.5, 12.5},
                          {"1.234.567", 1234567, none},
                          {" -7 ", -7, -7},
                          {",5", 0.5, 0.5},
                          {"1.00.0", none, none},
                          {"12,", none, none},
                          {"1.000,5.5", none, none},
                          {"NaN", none, none},
                          {"-inf", none, none},
                          {"1e5", none, none},
                          {"12x", none, none},
                          {"", none, none},
                          {"-", none, none},
                          {"99999999999", 99999999999.0, 99999999999.0}};
    const QLocale ro(QStringLiteral("ro_RO"));
    const QLocale us(QStringLiteral("en_US"));
    for (const Case& c : cases) {
        EXPECT_EQ(NumberText::read(QString::fromLatin1(c.text), ro), c.ro) << c.text;
        EXPECT_EQ(NumberText::read(QString::fromLatin1(c.text), us), c.us) << c.text;
    }
    EXPECT_EQ(NumberText::readInt32(QStringLiteral("2147483647"), ro), 2147483647);
    EXPECT_FALSE(NumberText::readInt32(QStringLiteral("2147483648"), ro));
    EXPECT_FALSE(NumberText::readInt32(QStringLiteral("1,5"), ro));
}

TEST(NumericBox, WritesWhatItReadsBackAndZeroForNoNumber) {
    LocaleGuard ro("ro_RO");
    NumericBox box;
    box.setValoare(1234.25);
    EXPECT_EQ(box.text(), "1234,25");
    box.setValoare(1e20);
    EXPECT_DOUBLE_EQ(box.Valoare(), 1e20);
    box.setText("NaN");
    EXPECT_DOUBLE_EQ(box.Valoare(), 0.0);
    EXPECT_FALSE(box.holdsNumber());
    box.setText(" ");
    EXPECT_TRUE(box.holdsNumber());
    double seen = -1;
    QObject::connect(&box, &NumericBox::valueChanged, [&seen](double v) { seen = v; });
    box.setValoare(0.1);
    EXPECT_DOUBLE_EQ(seen, 0.1);
}
