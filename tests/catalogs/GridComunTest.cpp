// The list window on a demo database: listing and layout, search, rights, deletion paths.
#include "CatalogFixture.h"

#include "catalogs/GridComun.h"
#include "controls/Twips.h"
#include "data/Recordset.h"
#include "entry/Vornel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vornel::test {
namespace {

const QString kInUse =
    "Nu poate fi stearsa aceasta inregistrare deoarece exista inregistrari conexe care o utilizeaza ! ";

class GridComunTest : public CatalogDbTest {
protected:
    GridComun& open(const QString& caption) {
        GridComun& w = ComponentContext::current().instance<GridComun>();
        w.Deschide(caption);
        return w;
    }
    QLineEdit* txt(GridComun& w, int i) { return w.findChild<QLineEdit*>(QStringLiteral("txt_%1").arg(i)); }
    void search(GridComun& w, const QString& t0, const QString& t1) {
        w.cmdAction(4)->click();
        txt(w, 0)->setText(t0);
        txt(w, 1)->setText(t1);
        w.findChild<QPushButton*>("cmd_0")->click();
    }
    bool ranDelete() const { return ranStarting("DELETE"); }
};

TEST_F(GridComunTest, ListsTheCatalogueAndSizesTheGridFromTheWidths) {
    GridComun& w = open("Banci");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Banci");
    EXPECT_EQ(ComponentContext::current().rightsCode, "4311");
    FlexGrid* g = w.grid();
    ASSERT_EQ(g->Cols(), 6);
    EXPECT_EQ(g->Rows() - 1, scalar("SELECT Count(*) FROM Banci").toInt());
    EXPECT_EQ(g->TextMatrix(0, 0), "Cod Banca");
    EXPECT_EQ(g->ColWidth(0), 1501);
    EXPECT_EQ(g->ColWidth(1), 5501);
    EXPECT_EQ(g->ColWidth(5), 1); // hidden, value still readable
    EXPECT_FALSE(g->TextMatrix(1, 5).isEmpty());
    EXPECT_EQ(g->width(), Twips::toPixels(1501 + 5501 + 4 + 320));
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->ColSel(), 5);
    EXPECT_EQ(w.lista()->position(), 0);
    EXPECT_TRUE(w.cmdAction(2)->isVisibleTo(&w));
    EXPECT_FALSE(w.cmdAction(4)->isVisibleTo(&w));
    EXPECT_EQ(w.cmdAction(0)->text(), " Adauga");
    EXPECT_EQ(w.findChild<QLabel*>("lbl_1")->text(), "Denumire Operatie");
    EXPECT_TRUE(script->shown.empty());
}

TEST_F(GridComunTest, UnknownCaptionShowsAMessageAndNoWindow) {
    GridComun& w = open("Catalog inexistent");
    ASSERT_EQ(script->shown.size(), 1u);
    EXPECT_EQ(script->shown[0].title, "Eroare");
    EXPECT_EQ(script->shown[0].icon, 16);
    EXPECT_TRUE(script->shown[0].text.contains("Catalog inexistent"));
    EXPECT_FALSE(w.isVisible());
}

TEST_F(GridComunTest, SelectingARowMovesTheListRecordset) {
    GridComun& w = open("Rate TVA");
    ASSERT_GE(w.grid()->Rows(), 3);
    w.grid()->setRow(2);
    w.SincronizeazaRand();
    EXPECT_EQ(w.lista()->text(0), w.grid()->TextMatrix(2, 0));
}

TEST_F(GridComunTest, SearchWithSlashMatchesPrefixesWithoutSlashExactly) {
    sql("INSERT INTO pTerti (Nume, Prenume) VALUES ('Zamfir', 'Ion')");
    sql("INSERT INTO pTerti (Nume, Prenume) VALUES ('Zamfir', 'Ionela')");
    GridComun& w = open("Angajati");
    EXPECT_EQ(w.findChild<QLabel*>("lbl_0")->text(), "Nume");
    search(w, "Zamfir", "Ion/");
    EXPECT_EQ(w.grid()->Rows() - 1, 2);
    search(w, "Zamfir", "Ion");
    EXPECT_EQ(w.grid()->Rows() - 1, 1);
    EXPECT_EQ(w.listingQuery(),
              "SELECT Nume, Prenume, TipAngajat, SeriaBi , NrBi, Eliberat,MijlocT, Auto FROM "
              "pTerti  WHERE  Prenume LIKE 'Ion' AND  Nume LIKE 'Zamfir' Order BY TipAngajat, "
              "Nume, Prenume");
    search(w, "", "");
    EXPECT_EQ(w.grid()->Rows() - 1, scalar("SELECT Count(*) FROM pTerti").toInt());
    // The frame is closed and everything usable again.
    EXPECT_FALSE(w.findChild<QGroupBox*>("frmFiltru")->isVisibleTo(&w));
    EXPECT_TRUE(w.grid()->isEnabled());
    EXPECT_TRUE(txt(w, 0)->text().isEmpty());
}

TEST_F(GridComunTest, SearchFieldsRefuseQuoteAndSemicolonButPastedQuotesCannotBreakTheQuery) {
    GridComun& w = open("Angajati");
    w.cmdAction(4)->click();
    EXPECT_FALSE(w.cmdAction(0)->isEnabled());
    EXPECT_FALSE(w.grid()->isEnabled());
    QTest::keyClicks(txt(w, 0), "a'b;c");
    EXPECT_EQ(txt(w, 0)->text(), "abc");
    txt(w, 0)->setText("O'Brien");
    w.findChild<QPushButton*>("cmd_0")->click();
    EXPECT_TRUE(script->shown.empty());
    EXPECT_TRUE(w.listingQuery().contains("Nume LIKE 'O''Brien'"));
    EXPECT_FALSE(w.grid()->isVisible()); // nobody of that name
    EXPECT_FALSE(w.cmdAction(1)->isEnabled());
    EXPECT_FALSE(w.cmdAction(2)->isEnabled());
    // Leaving the frame with "Renunta" enables every button again, even on an empty list.
    w.cmdAction(4)->click();
    w.findChild<QPushButton*>("cmd_1")->click();
    EXPECT_TRUE(w.cmdAction(1)->isEnabled());
    EXPECT_TRUE(w.cmdAction(2)->isEnabled());
}

TEST_F(GridComunTest, FailedSearchKeepsThePreviousListAndQuery) {
    GridComun& w = open("Angajati");
    const QString before = w.listingQuery();
    const int rows = w.grid()->Rows();
    sql("DROP TABLE pTerti");
    search(w, "x", "");
    ASSERT_EQ(script->shown.size(), 1u);
    EXPECT_EQ(script->shown[0].title, "Angajati");
    EXPECT_EQ(w.listingQuery(), before);
    EXPECT_EQ(w.grid()->Rows(), rows);
}

TEST_F(GridComunTest, RightsRefusalStopsTheDeletion) {
    ComponentContext::current().idUsers = 2; // the demo user who may not delete
    GridComun& w = open("Rate TVA");
    w.cmdAction(2)->click();
    ASSERT_EQ(script->shown.size(), 1u);
    EXPECT_EQ(script->shown[0].text,
              "Pentru aceasta operatiune nu aveti acces!\r\nContactati administratorul de retea !");
    EXPECT_FALSE(ranDelete());
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(GridComunTest, DeletingAVatRateAsksThenComparesTheKeyUnquoted) {
    sql("INSERT INTO TVA (TVA, DenumireTVA, [Cont TVA deductibil], [Cont TVA colectat]) VALUES (19, 'Test', "
        "'4426', '4427')");
    GridComun& w = open("Rate TVA");
    const int row = rowWith(w.grid(), 0, "19");
    ASSERT_GT(row, 0);
    w.grid()->setRow(row);
    w.cmdAction(2)->click();
    ASSERT_EQ(script->shown.size(), 1u);
    EXPECT_EQ(script->shown[0].text,
              "Sunteti sigur ca doriti stergerea pentru :\r\nTVA=19\r\nDenumireTVA=Test");
    EXPECT_EQ(script->shown[0].buttons, 4);
    EXPECT_EQ(script->shown[0].title, "Rate TVA");
    EXPECT_TRUE(ran("DELETE FROM [TVA] WHERE [TVA]=19"));
    EXPECT_EQ(scalar("SELECT Count(*) FROM TVA WHERE TVA = 19").toInt(), 0);
    EXPECT_EQ(rowWith(w.grid(), 0, "19"), 0);
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(GridComunTest, AnsweringNoDeletesNothing) {
    GridComun& w = open("Unitati de vinzare");
    const int rows = w.grid()->Rows();
    script->answers.push_back(MessageResult::No);
    w.cmdAction(2)->click();
    EXPECT_FALSE(ranDelete());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(w.grid()->Rows(), rows);
}

TEST_F(GridComunTest, SubgroupIsDeletedByItsOwnColumn) {
    sql("INSERT INTO GrupeProdus ([Grupa Produs], Descriere) VALUES ('TGRP', 'Test')");
    sql("INSERT INTO Subgrupeprodus ([Grupa Produs], [Subgrupa Produs], Descriere) VALUES ('TGRP', 'TSUB', "
        "'Test')");
    GridComun& w = open("Subgrupe de produse");
    const int row = rowWith(w.grid(), 1, "TSUB");
    ASSERT_GT(row, 0);
    w.grid()->setRow(row);
    w.cmdAction(2)->click();
    EXPECT_TRUE(ran("DELETE FROM [Subgrupeprodus] WHERE [Subgrupa Produs]='TSUB'"));
    EXPECT_EQ(scalar("SELECT Count(*) FROM Subgrupeprodus WHERE [Subgrupa Produs] = 'TSUB'").toInt(), 0);
}

TEST_F(GridComunTest, UsedProductGroupAndNoCodeCustomsRowAreRefusedWithoutAQuestion) {
    const QString used = scalar("SELECT s.[Grupa Produs] FROM Subgrupeprodus s INNER JOIN CoduriProdus c ON "
                                "c.[Subgrupa Produs] = s.[Subgrupa Produs]")
                             .toString();
    ASSERT_FALSE(used.isEmpty());
    GridComun& w = open("Grupe de produse");
    w.grid()->setRow(rowWith(w.grid(), 0, used));
    w.cmdAction(2)->click();
    ASSERT_EQ(script->shown.size(), 1u);
    EXPECT_EQ(script->shown[0].text, kInUse);
    EXPECT_FALSE(ranDelete());

    GridComun& v = open("Coduri vamale");
    v.grid()->setRow(rowWith(v.grid(), 0, "Fara Cod"));
    v.cmdAction(2)->click();
    ASSERT_EQ(script->shown.size(), 2u);
    EXPECT_EQ(script->shown[1].text, kInUse);
    EXPECT_FALSE(ranDelete());
}

TEST_F(GridComunTest, IntegrityErrorShowsTheRelatedRecordsMessageAndKeepsTheList) {
    const QString used = scalar("SELECT [Subgrupa Produs] FROM CoduriProdus").toString();
    ASSERT_FALSE(used.isEmpty());
    GridComun& w = open("Subgrupe de produse");
    const int rows = w.grid()->Rows();
    w.grid()->setRow(rowWith(w.grid(), 1, used));
    w.cmdAction(2)->click();
    ASSERT_EQ(script->shown.size(), 2u); // the question, then the refusal
    EXPECT_EQ(script->shown[1].text, kInUse);
    EXPECT_EQ(script->shown[1].icon, 16);
    EXPECT_EQ(w.grid()->Rows(), rows);
    EXPECT_TRUE(w.isEnabled());
}

TEST_F(GridComunTest, DeletingTheLastRowHidesTheGridAndLeavesAdd) {
    sql("DELETE FROM mf_Sectii");
    sql("INSERT INTO mf_Sectii (Sectie, Descriere) VALUES ('S1', 'Atelier')");
    GridComun& w = open("Locatii");
    w.cmdAction(2)->click();
    EXPECT_TRUE(ran("DELETE FROM [mf_sectii] WHERE [Sectie]= 'S1'"));
    EXPECT_FALSE(w.grid()->isVisibleTo(&w));
    EXPECT_FALSE(w.cmdAction(1)->isEnabled());
    EXPECT_FALSE(w.cmdAction(2)->isEnabled());
    EXPECT_TRUE(w.cmdAction(0)->isEnabled());
}

TEST_F(GridComunTest, BankIsDeletedThroughTheProcedure) {
    sql("INSERT INTO Banci ([Cod Banca], Descriere) VALUES (98, 'Banca de test')");
    GridComun& w = open("Banci");
    w.grid()->setRow(rowWith(w.grid(), 0, "98"));
    w.cmdAction(2)->click();
    ASSERT_GE(script->shown.size(), 1u);
    EXPECT_EQ(script->shown[0].text,
              "Sunteti sigur ca doriti stergerea pentru :\r\nCod Banca=98\r\nDescriere=Banca de test");
    EXPECT_EQ(script->shown.size(), 1u);
    EXPECT_FALSE(ranStarting("DELETE"));
    EXPECT_EQ(scalar("SELECT Count(*) FROM Banci WHERE [Cod Banca] = 98").toInt(), 0);
    EXPECT_EQ(rowWith(w.grid(), 0, "98"), 0);
}

TEST_F(GridComunTest, ProcedureRefusalIsShownAsAWarningAndKeepsTheBank) {
    const QString used = scalar("SELECT [Cod Banca] FROM ConturiBancare").toString();
    ASSERT_FALSE(used.isEmpty());
    GridComun& w = open("Banci");
    const int rows = w.grid()->Rows();
    w.grid()->setRow(rowWith(w.grid(), 0, used));
    w.cmdAction(2)->click();
    ASSERT_EQ(script->shown.size(), 2u);
    EXPECT_EQ(script->shown[1].icon, 48);
    EXPECT_EQ(script->shown[1].title, "Stergere Date");
    EXPECT_FALSE(script->shown[1].text.isEmpty());
    EXPECT_EQ(w.grid()->Rows(), rows);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Banci WHERE [Cod Banca] = " + used).toInt(), 1);
}

TEST_F(GridComunTest, DepotsCannotBeDeleted) {
    GridComun& w = open("Depozite");
    EXPECT_FALSE(w.cmdAction(2)->isVisibleTo(&w));
    w.StergeInregistrare();
    ASSERT_EQ(script->shown.size(), 1u);
    EXPECT_EQ(script->shown[0].text, "Nu se pot sterge depozite ! Se accepta doar modificari! ");
    EXPECT_FALSE(ranDelete());
}

TEST_F(GridComunTest, CloseBoxRaisesIesireOnceAndUnloadsTheWindow) {
    Vornel component;
    int iesire = 0;
    QObject::connect(&component, &Vornel::Iesire, [&] { ++iesire; });
    component.setMessageWindowFactory([this] { return std::make_unique<ScriptedMessages>(script); });
    auto& ctx = ComponentContext::current();
    component.Apel(ctx.connection, "Banca Tert", 1, 1);
    GridComun* w = ctx.loaded<GridComun>();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Banci");
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(iesire, 1);
    EXPECT_FALSE(ctx.loaded<GridComun>());
}

} // namespace
} // namespace vornel::test
