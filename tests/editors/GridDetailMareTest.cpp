// The large record editor's window: layout and loading per caption, key filters, the checks of
// the save button in their order, the lookups it skips, and what reaches the database.
#include "GridDetailMareFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>

using namespace vornel;
using namespace vornel::test;

namespace {

QString text(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* c = qobject_cast<QCheckBox*>(w)) return c->text();
    return static_cast<QLineEdit*>(w)->text();
}

} // namespace

TEST_F(LargeEditorTest, LayoutPerCaption) {
    GridDetailMare* w = &open("Depozite", "A");
    EXPECT_EQ(w->windowTitle(), "Depozite - Adaugare");
    EXPECT_TRUE(field(*w, "txtCodCasierie")->isHidden());
    EXPECT_TRUE(control<QLabel>(*w, "lblCodDepozit")->isHidden()); // the database assigns the code
    EXPECT_TRUE(field(*w, "txtContAnalitic")->isHidden());
    EXPECT_TRUE(field(*w, "txtCale")->isHidden());
    EXPECT_EQ(text(control<QLabel>(*w, "lblAdresaDepozit")), "AdresaDepozitului");
    EXPECT_EQ(text(control<QCheckBox>(*w, "chkTransferabil")), "Depozit  custodie");
    EXPECT_EQ(field(*w, "txtDenumireDepozit")->maxLength(), 50);
    EXPECT_EQ(field(*w, "txtDescriereDepozit")->maxLength(), 100);
    EXPECT_EQ(field(*w, "txtTelefonMobil")->maxLength(), 20);
    EXPECT_EQ(w->focusWidget(), field(*w, "txtDenumireDepozit"));
    w->unload();

    w = &open("Casierii", "A");
    EXPECT_EQ(text(control<QLabel>(*w, "lblCodCasierie")), "Cod Casierie");
    EXPECT_EQ(field(*w, "txtCodCasierie")->maxLength(), 5);
    EXPECT_EQ(text(control<QLabel>(*w, "lblContAnalitic")), "Cont");
    EXPECT_EQ(field(*w, "txtContAnalitic")->maxLength(), 4);
    EXPECT_TRUE(control<QCheckBox>(*w, "chkTransferabil")->isHidden());
    EXPECT_FALSE(field(*w, "txtNumeProgram")->isHidden());
    EXPECT_EQ(text(control<QLabel>(*w, "Label2_2")), "Particularitati Program Casa Marcat");
    EXPECT_FALSE(control<QLabel>(*w, "Label2_2")->isHidden());
    EXPECT_EQ(w->focusWidget(), field(*w, "txtCodCasierie"));
    w->unload();

    w = &open("Centre de productie", "A");
    EXPECT_EQ(text(control<QLabel>(*w, "lblDescriereDepozit")), "Timp disponibil lunar(min.)");
    EXPECT_EQ(text(control<QLabel>(*w, "lblContAnalitic")), "Centru de Cost:");
    EXPECT_EQ(text(control<QCheckBox>(*w, "chkTransferabil")), "Manopera ");
    EXPECT_EQ(text(control<QLabel>(*w, "Label2_0")), "Caracteristici");
    EXPECT_TRUE(control<QLabel>(*w, "Label2_1")->isHidden());
    EXPECT_TRUE(field(*w, "txtNumeGestionar")->isHidden());
    w->unload();

    w = &open("Angajati", "A");
    EXPECT_EQ(text(control<QLabel>(*w, "lblCodCasierie")), "Nume:");
    EXPECT_EQ(text(control<QLabel>(*w, "lblTelefonVetra")), "Numar Masina:");
    EXPECT_EQ(text(control<QLabel>(*w, "Label2_1")), "Alte Informatii");
    EXPECT_TRUE(field(*w, "txtTelefonMobil")->isHidden());
    EXPECT_TRUE(control<QCheckBox>(*w, "chkTransferabil")->isHidden());
}

TEST_F(LargeEditorTest, ModifyLoadsTheCurrentRow) {
    GridDetailMare* w = &open("Depozite", "M", "Depozit custodie", 1);
    EXPECT_EQ(w->windowTitle(), "Depozite - Modificare");
    EXPECT_EQ(text(control<QLabel>(*w, "lblCodDepozit")), "3");
    EXPECT_TRUE(control<QCheckBox>(*w, "chkTransferabil")->isChecked());
    EXPECT_EQ(text(field(*w, "txtTelefonMobil")), "0740111222");
    EXPECT_EQ(w->oldKey(), "Depozit custodie");
    w->unload();

    w = &open("Casierii", "M", "1");
    EXPECT_TRUE(field(*w, "txtCodCasierie")->isReadOnly());
    EXPECT_EQ(text(field(*w, "txtContAnalitic")), "5311");
    EXPECT_EQ(text(field(*w, "txtCale")), "C:\\CasaMarcat");
    EXPECT_EQ(text(field(*w, "txtTelefonVetra")), "0264111223");
    EXPECT_EQ(w->oldKey(), "1");
    w->unload();

    // An account longer than the field's limit is kept whole, not cut on the next save.
    run("UPDATE Casierii SET Analitic = '5311.01' WHERE [Cod Casierie] = 2");
    w = &open("Casierii", "M", "2");
    EXPECT_EQ(text(field(*w, "txtContAnalitic")), "5311.01");
    w->unload();

    w = &open("Centre de productie", "M", "CP04");
    EXPECT_TRUE(field(*w, "txtCodCasierie")->isReadOnly());
    EXPECT_EQ(text(field(*w, "txtContAnalitic")), "AUX");
    EXPECT_EQ(text(field(*w, "txtDescriereDepozit")), "4800");
    EXPECT_EQ(text(field(*w, "txtAdresaDepozit")), "240");
    EXPECT_FALSE(control<QCheckBox>(*w, "chkTransferabil")->isChecked());
    w->unload();

    w = &open("Angajati", "M", "Suciu");
    EXPECT_FALSE(field(*w, "txtCodCasierie")->isReadOnly());
    EXPECT_EQ(text(field(*w, "txtDenumireDepozit")), "Elena");
    EXPECT_EQ(text(field(*w, "txtContAnalitic")), "SPCLEP Turda");
    EXPECT_EQ(text(field(*w, "txtTelefonVetra")), "");
}

TEST_F(LargeEditorTest, KeyFiltersPerCaption) {
    GridDetailMare* w = &open("Casierii", "A");
    QTest::keyClicks(field(*w, "txtCodCasierie"), "1a2.3 ");
    EXPECT_EQ(text(field(*w, "txtCodCasierie")), "123");
    QTest::keyClicks(field(*w, "txtTelefonVetra"), "07\"4'0;");
    EXPECT_EQ(text(field(*w, "txtTelefonVetra")), "0740");
    QTest::keyClicks(field(*w, "txtCale"), "C:\\a';%");
    EXPECT_EQ(text(field(*w, "txtCale")), "C:\\a';%");
    w->unload();

    w = &open("Centre de productie", "A");
    QTest::keyClicks(field(*w, "txtCodCasierie"), "CP.1[0],");
    EXPECT_EQ(text(field(*w, "txtCodCasierie")), "CP10");
    QTest::keyClicks(field(*w, "txtDescriereDepozit"), "4a8 0");
    EXPECT_EQ(text(field(*w, "txtDescriereDepozit")), "480");
    QTest::keyClicks(field(*w, "txtDenumireDepozit"), "Taiere, 1.");
    EXPECT_EQ(text(field(*w, "txtDenumireDepozit")), "Taiere 1.");
}

TEST_F(LargeEditorTest, CashDeskChecksInOrder) {
    GridDetailMare& w = open("Casierii", "A");
    const auto refused = [&](std::initializer_list<const char*> texts, const char* focus) {
        w.cmdAction(0)->click();
        ASSERT_EQ(shown.size(), texts.size());
        std::size_t i = 0;
        for (const char* t : texts) {
            EXPECT_EQ(shown[i].text, QString::fromLatin1(t));
            EXPECT_EQ(shown[i].icon, 16);
            EXPECT_EQ(shown[i++].title, "Casierii - Adaugare");
        }
        EXPECT_EQ(w.focusWidget(), field(w, focus));
        EXPECT_TRUE(editorOpen());
        EXPECT_FALSE(ran("INSERT"));
        shown.clear();
    };
    refused({"Cod casierie obligatoriu !"}, "txtCodCasierie");
    field(w, "txtCodCasierie")->setText("9x"); // pasted past the key filter
    refused({"Valoare numerica incorecta !"}, "txtCodCasierie");
    field(w, "txtCodCasierie")->setText("1");
    refused({"Exista deja o inregistrare cu acest cod !"}, "txtCodCasierie");
    field(w, "txtCodCasierie")->setText("9");
    field(w, "txtDenumireDepozit")->setText("   ");
    refused({"Denumire obligatorie !"}, "txtDenumireDepozit");
    field(w, "txtDenumireDepozit")->setText("Casa noua");
    refused({"Cont obligatoriu si in grupa 53 de conturi !"}, "txtContAnalitic");
    field(w, "txtContAnalitic")->setText("5");
    refused({"Cont obligatoriu si in grupa 53 de conturi !"}, "txtContAnalitic");
    field(w, "txtContAnalitic")->setText("5999");
    refused({"Contul nu exista in planul de conturi in grupa 53 !"}, "txtContAnalitic");
    // Any existing account will do: the group is only named in the messages.
    field(w, "txtContAnalitic")->setText("401");
    field(w, "txtCale")->setText("Casa");
    field(w, "txtNumeProgram")->setText("a:b");
    refused({"Calea catre program nu este corecta !", "Numele programlui nu este corect !"},
            "txtNumeProgram");
    field(w, "txtCale")->setText("D:\\Casa\\");
    field(w, "txtNumeProgram")->setText("casa.exe");
    w.cmdAction(0)->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(scalar("SELECT CaleProgram FROM Casierii WHERE [Cod Casierie]=9"), "D:\\Casa");
    EXPECT_EQ(scalar("SELECT Analitic FROM Casierii WHERE [Cod Casierie]=9"), "401");
}

TEST_F(LargeEditorTest, UnchangedKeysAreNotLookedUp) {
    GridDetailMare* w = &open("Casierii", "M", "3");
    w->cmdAction(0)->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(ran("SELECT 'x' FROM [Casierii]"));
    EXPECT_TRUE(ran("UPDATE [Casierii] SET [Cod Casierie]=3,"));
    EXPECT_EQ(scalar("SELECT CaleProgram FROM Casierii WHERE [Cod Casierie]=3"), ""); // not NULL
    EXPECT_FALSE(editorOpen());

    w = &open("Depozite", "M", "Magazin Turda", 1);
    field(*w, "txtDenumireDepozit")->setText(" MAGAZIN turda ");
    w->cmdAction(0)->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(ran("SELECT 'x'"));
    EXPECT_TRUE(std::any_of(executed.begin(), executed.end(), [](const QString& s) {
        return s.endsWith("WHERE [Denumire Depozit]='Magazin Turda'");
    }));
    EXPECT_EQ(scalar("SELECT [Denumire Depozit] FROM Depozite WHERE Depozit=2"), "MAGAZIN turda");

    // Another warehouse's name, in other letters, is still a duplicate.
    w = &open("Depozite", "M", "Depozit central", 1);
    field(*w, "txtDenumireDepozit")->setText("magazin TURDA");
    w->cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Exista deja o inregistrare cu aceasta denumire !");
    EXPECT_EQ(w->focusWidget(), field(*w, "txtDenumireDepozit"));
    EXPECT_FALSE(ran("UPDATE"));
}

TEST_F(LargeEditorTest, ProductionCentreChecksAndMinutes) {
    GridDetailMare& w = open("Centre de productie", "A");
    field(w, "txtCodCasierie")->setText("CP01");
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Exista deja o inregistrare cu acest cod !");
    field(w, "txtCodCasierie")->setText("CP09");
    field(w, "txtDenumireDepozit")->setText("Vopsire");
    field(w, "txtContAnalitic")->setText("NICIUNUL");
    shown.clear();
    w.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Centru de cost inexistent !");
    EXPECT_EQ(w.focusWidget(), field(w, "txtContAnalitic"));
    EXPECT_TRUE(ran("SELECT 'x' FROM yC1 WHERE Cod ='NICIUNUL'"));

    // Empty and zero minutes are both stored as one minute.
    shown.clear();
    field(w, "txtContAnalitic")->setText("PROD");
    field(w, "txtAdresaDepozit")->setText("0");
    w.cmdAction(0)->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(ran(
        "INSERT INTO poft (Cod, DEnumire, Tmax, TZi, CodC, NrU) VALUES('CP09', 'Vopsire', 1, 1, 'PROD', 0)"));
    EXPECT_EQ(scalar("SELECT TMax + TZi FROM pOft WHERE Cod='CP09'"), "2");
}

TEST_F(LargeEditorTest, EmployeesAreFoundByTheNamesAsLoaded) {
    GridDetailMare& w = open("Angajati", "M", "Rus");
    field(w, "txtTelefonVetra")->setText("CJ-99-LEM");
    field(w, "txtCodCasierie")->setText("Rusu");
    w.cmdAction(0)->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(scalar("SELECT Auto FROM pTerti WHERE Nume='Rusu' AND Prenume='Ioan'"), "CJ-99-LEM");
    EXPECT_TRUE(ran("Update pTerti SET  Nume = 'Rusu', Prenume = 'Ioan', SeriaBi = 'CJ', NrBi = '567890', "
                    "Eliberat = 'SPCLEP Dej', MijlocT = '', Auto = 'CJ-99-LEM'  WHERE  Nume = 'Rus' AND "
                    "Prenume = 'Ioan'"));
}
