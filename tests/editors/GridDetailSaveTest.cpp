// The record editor's save button: the checks in their order with their messages and focus, the
// statement that reaches the database, and the messages of a refused statement.
#include "EditorFixture.h"

#include "catalogs/AlegeGrupaProd.h"
#include "controls/NumericBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

using namespace vornel;
using namespace vornel::test;

namespace {

void fill(QLineEdit* field, const char* text) {
    field->setText(QString::fromLatin1(text));
}

} // namespace

TEST_F(EditorTest, VatRateAddReachesTheDatabase) {
    GridDetail& w = open("Rate TVA", "A");
    fill(txt(w, "txtCheie"), "24");
    fill(txt(w, "txtDescriere"), "Cota 24%");
    fill(txt(w, "txtRezerva"), "4426");
    fill(txt(w, "txtRezerva1"), "4427");
    w.cmdAction(0)->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_NE(std::find(executed.begin(), executed.end(),
                        "INSERT INTO [TVA]([TVA],[DenumireTVA],[Cont TVA colectat],[Cont TVA deductibil]) "
                        "VALUES(24,'Cota 24%','4427','4426')"),
              executed.end());
    EXPECT_EQ(scalar("SELECT DenumireTVA FROM TVA WHERE TVA=24"), "Cota 24%");
    EXPECT_FALSE(editorOpen());
}

TEST_F(EditorTest, VatRateChecksInOrder) {
    GridDetail& w = open("Rate TVA", "A");
    const auto expectRefused = [&](const char* text, QWidget* focus) {
        w.cmdAction(0)->click();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, QString::fromLatin1(text));
        EXPECT_EQ(shown[0].icon, 16);
        EXPECT_EQ(shown[0].buttons, 0);
        EXPECT_EQ(shown[0].title, "Rate TVA - Adaugare");
        EXPECT_EQ(w.focusWidget(), focus);
        EXPECT_TRUE(editorOpen());
        shown.clear();
    };
    expectRefused("Valoare obligatorie !", txt(w, "txtCheie"));
    fill(txt(w, "txtCheie"), "101");
    expectRefused("Valoarea TVA trebuie sa fie <= 100% !", txt(w, "txtCheie"));
    fill(txt(w, "txtCheie"), "21");
    expectRefused("Exista deja o inregistrare cu aceasta descriere !", txt(w, "txtCheie"));
    fill(txt(w, "txtCheie"), "12a"); // pasted past the key filter
    expectRefused("Valoare numerica incorecta !", txt(w, "txtCheie"));
    fill(txt(w, "txtCheie"), "100");
    expectRefused("Valoare obligatorie !", txt(w, "txtDescriere"));
    fill(txt(w, "txtDescriere"), "Cota 100");
    expectRefused("Valoarea cont obligatorie ! ", txt(w, "txtRezerva"));
    fill(txt(w, "txtRezerva"), "9999");
    expectRefused("Cont inexistent !", txt(w, "txtRezerva"));
    fill(txt(w, "txtRezerva"), "4426");
    expectRefused("Valoarea cont obligatorie !  Contul trebuie sa fie in grupa 4427 de conturi !",
                  txt(w, "txtRezerva1"));
    fill(txt(w, "txtRezerva1"), "4427x");
    expectRefused("Valoarea cont trebuie sa fie in grupa 4427 de conturi !", txt(w, "txtRezerva1"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM TVA WHERE TVA=100"), "0");
}

TEST_F(EditorTest, ModifyWithOnlyLetterCaseChangedIsNotADuplicate) {
    GridDetail& w = open("Grupe de produse", "M", "MOB");
    fill(txt(w, "txtCheie"), "mob");
    fill(txt(w, "txtDescriere"), "Mobila");
    w.cmdAction(0)->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(scalar("SELECT Descriere FROM GrupeProdus WHERE [Grupa Produs]='MOB'"), "Mobila");
}

TEST_F(EditorTest, ProductGroupDiscountLimit) {
    GridDetail& w = open("Grupe de produse", "A");
    fill(txt(w, "txtCheie"), "NOU");
    w.findChild<NumericBox*>("txtDiscount")->setValoare(100);
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Valoare incorecta !");
    EXPECT_EQ(w.focusWidget(), w.findChild<NumericBox*>("txtDiscount"));
    w.findChild<NumericBox*>("txtDiscount")->setValoare(99.99);
    w.cmdAction(0)->click();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(scalar("SELECT Discount FROM GrupeProdus WHERE [Grupa Produs]='NOU'"), "99.99");
}

TEST_F(EditorTest, SubclassMustStartWithItsClass) {
    GridDetail& w = open("Subclasa Cont", "A");
    fill(txt(w, "txtRezerva"), "41");
    fill(txt(w, "txtCheie"), "401");
    fill(txt(w, "txtDescriere"), "Noua");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Clasa contului trebuie sa fie inclusa in subclasa!!");
    fill(txt(w, "txtRezerva"), "X");
    fill(txt(w, "txtCheie"), "X1");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Grupa cont inexistenta !\r\nIntroduceti alta grupa de cont!");
    EXPECT_EQ(w.focusWidget(), txt(w, "txtRezerva"));
}

TEST_F(EditorTest, BankCodeAndAccountChecks) {
    GridDetail& w = open("Banci", "A");
    fill(txt(w, "txtCod"), "3");
    fill(txt(w, "txtCheie"), "Banca noua");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Exista deja o inregistrare cu aceasta cheie !");
    EXPECT_EQ(w.focusWidget(), txt(w, "txtCod"));
    fill(txt(w, "txtCod"), "007");
    fill(txt(w, "txtCont"), "53");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Cont obligatoriu  !");
    EXPECT_EQ(w.focusWidget(), txt(w, "txtCont"));
    fill(txt(w, "txtCont"), "5129");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].text, "Contul nu exista in planul de conturi  !");
    fill(txt(w, "txtCont"), "5121");
    w.cmdAction(0)->click();
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(scalar("SELECT Descriere FROM Banci WHERE [Cod Banca]=7"), "Banca noua");
}

TEST_F(EditorTest, DocumentDuplicatesAreCheckedWithinTheirKind) {
    {
        // "Casare" is an output document: a transfer document may bear the same name.
        GridDetail& w = open("Documente de Transfer", "A");
        fill(txt(w, "txtCheie"), "Casare");
        w.cmdAction(0)->click();
        EXPECT_TRUE(shown.empty());
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM TipuriBonConsum WHERE Descriere='Casare'"), "2");
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    GridDetail& w = open("Alte Documente Iesire", "A");
    fill(txt(w, "txtCheie"), "casare");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Exista deja o inregistrare cu aceasta cheie !");
    // Ticked, the document needs no account and is written without one.
    fill(txt(w, "txtCheie"), "Consum direct");
    fill(txt(w, "txtCont"), "6588");
    w.findChild<QCheckBox*>("chkTransferabil")->setChecked(true);
    w.cmdAction(0)->click();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(scalar("SELECT Cont FROM TipuriBonConsum WHERE Descriere='Consum direct'"), "");
    EXPECT_EQ(scalar("SELECT Transferabil FROM TipuriBonConsum WHERE Descriere='Consum direct'"), "1");
}

TEST_F(EditorTest, CostCentreSubgroupNeedsTheGroupFromTheChooser) {
    GridDetail& w = open("Subgrupe Centre", "A");
    fill(txt(w, "txtCheie"), "PROD-VOP");
    fill(txt(w, "txtDescriere"), "Vopsitorie");
    fill(txt(w, "txtRezerva"), "PROD");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Introduceti o valoare corecta !");
    EXPECT_EQ(w.focusWidget(), txt(w, "txtRezerva"));
    // The group picked in the chooser counts.
    QTimer::singleShot(0, [] {
        if (auto* chooser = ComponentContext::current().loaded<AlegeGrupaProd>())
            chooser->findChild<QPushButton*>(QStringLiteral("cmdAction_0"))->click();
    });
    QTest::keyClick(txt(w, "txtRezerva"), Qt::Key_Return);
    w.cmdAction(0)->click();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(scalar("SELECT Cod FROM yC2 WHERE CodC='PROD-VOP'"), "PROD");
}

TEST_F(EditorTest, RefusedChangeShowsTheLinkedRecordsMessageAndStaysOpen) {
    // Cost-centre subgroups refer to the group "PROD": renaming it is refused.
    GridDetail& w = open("Grupe Centre", "M", "PROD");
    fill(txt(w, "txtCheie"), "PRODX");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Modificare imposibila!! Exista legaturi conexe. ");
    EXPECT_EQ(shown[0].title, "Eroare");
    EXPECT_EQ(shown[0].icon, 16);
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(txt(w, "txtCheie")->text(), "PRODX");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM yC1 WHERE Cod='PROD'"), "1");
}

TEST_F(EditorTest, RefusedAddShowsTheDatabaseErrorAndItsNumberAndStaysOpen) {
    GridDetail& w = open("Grupe Amortizari", "A");
    fill(txt(w, "txtCheie"), "9.9");
    fill(txt(w, "txtDescriere"), "Fara ani");
    w.cmdAction(0)->click();
    EXPECT_NE(std::find(executed.begin(), executed.end(),
                        "INSERT INTO mf_grupe (cod, descriere,amortizare) VALUES('9.9','Fara ani',)"),
              executed.end());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.endsWith(" -- -2147217900")) << shown[0].text.toStdString();
    EXPECT_EQ(shown[0].title, "Eroare");
    EXPECT_TRUE(editorOpen());
}

TEST_F(EditorTest, YearsThatAreNotANumberKeepTheWindowOpen) {
    GridDetail& w = open("Grupe Amortizari", "M", "1.1");
    EXPECT_EQ(txt(w, "txtRezerva")->text(), "40");
    fill(txt(w, "txtRezerva"), "4O");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Valoare numerica incorecta !");
    EXPECT_EQ(shown[0].title, "Grupe Amortizari - Modificare");
    EXPECT_EQ(w.focusWidget(), txt(w, "txtRezerva"));
    EXPECT_TRUE(editorOpen());
    fill(txt(w, "txtRezerva"), "45");
    w.cmdAction(0)->click();
    EXPECT_EQ(scalar("SELECT amortizare FROM mf_grupe WHERE cod='1.1'"), "45");
}

TEST_F(EditorTest, CancelWritesNothing) {
    GridDetail& w = open("Producatori", "A");
    fill(txt(w, "txtCheie"), "P9");
    w.cmdAction(1)->click();
    EXPECT_TRUE(executed.empty());
    EXPECT_FALSE(editorOpen());
}
