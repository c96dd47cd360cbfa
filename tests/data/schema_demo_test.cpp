// The demo database: every catalogue listing finds its columns and some rows,
// the keys refuse orphans, and the demo data passes the checks the windows and an accountant make.

#include "TestDatabase.h"
#include "company/FiscalIdentity.h"
#include "data/sqlite/DemoDatabase.h"

#include <QFile>

namespace vornel::test {
namespace {

struct Listing {
    const char* caption;
    int widths; // grid width entries: one per column the window may address
    const char* sql;
};

const Listing
    kListings[] =
        {
            {"Grupe Amortizari", 3, R"(SELECT * FROM mf_grupe Order By cod)"},
            {"Locatii", 2, R"(SELECT * FROM mf_Sectii Order By Sectie)"},
            {"Norme Productie", 3, R"(SELECT * FROM sal_acordcod Order By cod)"},
            {"Centre de productie", 6,
             R"(SELECT Cod, Denumire, CodC, TMax, TZi, NrU FROM Poft  Order BY Cod, Denumire)"},
            {"Angajati", 8,
             R"(SELECT Nume, Prenume, TipAngajat, SeriaBi , NrBi, Eliberat,MijlocT, Auto FROM pTerti Order BY TipAngajat, Nume, Prenume)"},
            {"Producatori", 4, R"(SELECT P, Denumire, Telefon , Adresa FROM Cpp Order BY Denumire)"},
            {"Tipuri de produse", 6,
             R"(  SELECT TipuriProduse.[Tip Produs],  CASE WHEN TipuriProduse.Fel = 0 THEn 'Mat. Stocate cu NIR'  WHEN  TipuriProduse.Fel = 1 THEn 'Mat. Stocate fara NIR'  WHEN  TipuriProduse.Fel = 2 THEn 'Materiale Nestocate'  WHEN  TipuriProduse.Fel = 3 THEn 'Produse Finite'  WHEN  TipuriProduse.Fel = 4 THEn 'Prod. Fin. Consignatie'  WHEN  TipuriProduse.Fel = 5 THEn 'Servicii'  WHEN  TipuriProduse.Fel = 6 THEn 'Alte Cheltuieli'  WHEN  TipuriProduse.Fel = 7 THEn 'Mijloace Fixe'  WHEN  TipuriProduse.Fel = 8 THEn 'Produse Lhoan' END,  TipuriProduse.Descrire, TipuriProduse.Cont, TipuriProduse.[Cont Cheltuiala], TipuriProduse.[Cont Venit]  From TipuriProduse ORDER BY TipuriProduse.[Tip Produs])"},
            {"Rate TVA", 4,
             R"(  SELECT TVA.TVA AS TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], TVA.[Cont TVA colectat]     From Tva GROUP BY TVA.TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], TVA.[Cont TVA colectat] ORDER BY TVA.TVA)"},
            {"Grupe de produse", 3,
             R"(  SELECT GrupeProdus.[Grupa Produs], GrupeProdus.Descriere,GrupeProdus.Discount     From GrupeProdus ORDER BY GrupeProdus.[Grupa Produs];)"},
            {"Subgrupe de produse", 3,
             R"(  SELECT Subgrupeprodus.[Grupa Produs], Subgrupeprodus.[Subgrupa Produs], Subgrupeprodus.Descriere     From Subgrupeprodus GROUP BY Subgrupeprodus.[Grupa Produs], Subgrupeprodus.[Subgrupa Produs], Subgrupeprodus.Descriere ORDER BY Subgrupeprodus.[Grupa Produs], Subgrupeprodus.[Subgrupa Produs];)"},
            {"Coduri vamale", 2,
             R"(  SELECT [Cod Vamal].[Cod Vamal], [Cod Vamal].Descriere     From [Cod Vamal] ORDER BY [Cod Vamal].[Cod Vamal];)"},
            {"Unitati de vinzare", 2,
             R"(  SELECT UnitateVanzare.[Unitate De Vanzare], UnitateVanzare.Descriere     From UnitateVanzare ORDER BY UnitateVanzare.[Unitate De Vanzare];)"},
            {"Tipuri de clienti", 2,
             R"(  SELECT [Tip Client].[Tip Client], [Tip Client].Descriere     From [Tip Client] ORDER BY [Tip Client].[Tip Client];)"},
            {"Tipuri de furnizori", 2,
             R"(  SELECT [Tip Furnizor].[Tip Furnizor], [Tip Furnizor].Descriere     From [Tip Furnizor] ORDER BY [Tip Furnizor].[Tip Furnizor];)"},
            {"Categorii de clienti", 3,
             R"(  SELECT [Categorie Client].[Categorie Client], [Categorie Client].Descriere, [Categorie Client].Cont     From [Categorie Client] ORDER BY [Categorie Client].[Categorie Client];)"},
            {"Categorii de furnizori", 3,
             R"(  SELECT [Categorie Furnizor].[Categorie Furnizor], [Categorie Furnizor].Descriere, [Categorie Furnizor].Cont     From [Categorie Furnizor] ORDER BY [Categorie Furnizor].[Categorie Furnizor];)"},
            {"Depozite",
             9, R"(  SELECT [Depozite].[Depozit], [Depozite].[Denumire Depozit], [Depozite].[Descriere Depozit], [Depozite].AdresaDepozitului, [Depozite].Gestionar, Depozite.Depozit, Depozite.[Telefon Mobil], Depozite.[Telefon Vetra], Depozite.Custodie     From [Depozite] ORDER BY [Depozite].[Depozit];)"},
            {"Casierii", 11,
             R"(  SELECT [Casierii].[Cod Casierie], [Casierii].[Denumire Casierie], [Casierii].[Descriere Casierie], [Casierii].[Adresa Casierie], [Casierii].Casier,[Casierii].Casier, Casierii.[Telefon Mobil], Casierii.[Telefon Vetra], Casierii.Analitic, Casierii.CaleProgram, Casierii.NumeProgram     From [Casierii] ORDER BY [Casierii].[Cod Casierie];)"},
            {"Banci", 6,
             R"(  SELECT Banci.[Cod Banca], Banci.[Descriere], Banci.Adresa, Banci.Telefon, Banci.[Persoana Contact], Banci.Cont     From Banci ORDER BY Banci.[Cod Banca];)"},
            {"Alte Documente Intrare", 5,
             R"(SELECT  TipuriBonConsum.Descriere, TipuriBonConsum.Cont, TipuriBonConsum.[Forma Tiparire], TipuriBonConsum.EC, TipuriBonConsum.NumarBonConsum  From TipuriBonConsum Where TipuriBonConsum.EC = 2 ORDER BY TipuriBonConsum.Descriere)"},
            {"Alte Documente Iesire", 6,
             R"(SELECT  TipuriBonConsum.Descriere, TipuriBonConsum.Cont, TipuriBonConsum.[Forma Tiparire], TipuriBonConsum.EC, TipuriBonConsum.NumarBonConsum,  CASE WHEN TipuriBonConsum.Transferabil = 0 THEN 'Nu' ELSE 'Da' END   From TipuriBonConsum Where TipuriBonConsum.EC = 3 ORDER BY TipuriBonConsum.Descriere)"},
            {"Documente de Transfer", 2,
             R"(  SELECT TipuriBonConsum.Descriere, TipuriBonConsum.[Forma Tiparire]   From TipuriBonConsum   WHERE TipuriBonConsum.EC = 4   ORDER BY TipuriBonConsum.Descriere;)"},
            {"Documente Corectie Terti", 2,
             R"(SELECT Descriere, IdTipCorectie   From [TipCorectie] ORDER BY [TipCorectie].[Descriere];)"},
            {"Incasari", 6,
             R"(SELECT IdOp, DenumireOp, Cont,   ContTva, Incasare   FROM TipuriApi WHERE Incasare = 1 ORDER BY DenumireOp )"},
            {"Plati", 6,
             R"(SELECT IdOp, DenumireOp, Cont,  ContTva, Incasare   FROM TipuriApi WHERE Incasare = 0 ORDER BY DenumireOp )"},
            {"Grupe Centre", 3,
             R"(SELECT  yC1.Cod , yC1.Denumire, CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END   FROM yC1  ORDER BY yc1.tip, yc1.Cod)"},
            {"Subgrupe Centre", 5,
             R"(SELECT  yC2.CodC , yC2.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END,  yC1.Cod , yc2.R  FROM dbo.yC1 INNER JOIN dbo.yC2 ON dbo.yC1.Cod = dbo.yC2.Cod  ORDER BY yC1.Tip, yC1.Cod, yC2.CodC)"},
            {"Clasa Cont", 2,
             R"(  SELECT zContaGrupa.Grupa, zContaGrupa.Descriere     FROM zContaGrupa ORDER BY zContaGrupa.Grupa;)"},
            {"Subclasa Cont", 3,
             R"(  SELECT zContaSubGrupa.Grupa, zContaSubGrupa.SubGrupa, zContaSubGrupa.Descriere     FROM zContaSubGrupa GROUP BY zContaSubGrupa.Grupa, zContaSubGrupa.SubGrupa, zContaSubGrupa.Descriere ORDER BY zContaSubGrupa.Grupa, zContaSubGrupa.SubGrupa;)"},
};

class DemoDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("demo.db"));
        DemoDatabase::create(m_path);
        m_db = Connection::open(QStringLiteral("sqlite:") + m_path);
    }

    int count(const QString& sql) { return m_db->scalar(sql).toInt(); }
    std::size_t rows(const QString& sql) { return m_db->query(sql).rows.rowCount(); }

    QTemporaryDir m_dir;
    QString m_path;
    std::shared_ptr<Connection> m_db;
};

TEST_F(DemoDatabaseTest, EveryCatalogueListingReturnsRows) {
    for (const Listing& l : kListings) {
        SCOPED_TRACE(l.caption);
        try {
            const QueryResult r = m_db->query(QString::fromUtf8(l.sql));
            EXPECT_GT(r.rows.rowCount(), 0u);
            EXPECT_LE(static_cast<int>(r.columns.size()), l.widths);
        } catch (const DbError& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

TEST_F(DemoDatabaseTest, SelectStarTablesKeepTheirColumnOrder) {
    const struct {
        const char* sql;
        QStringList names;
    } tables[] = {
        {"SELECT * FROM mf_grupe", {"cod", "descriere", "amortizare"}},
        {"SELECT * FROM mf_Sectii", {"Sectie", "Descriere"}},
        {"SELECT * FROM sal_acordcod", {"Cod", "Descriere", "Tarif"}},
    };
    for (const auto& t : tables) {
        const QueryResult r = m_db->query(QString::fromLatin1(t.sql));
        QStringList names;
        for (const Column& c : r.columns)
            names << c.name;
        EXPECT_EQ(names, t.names) << t.sql;
    }
    // The overheads grid reads the month number in column 2 and the amount in column 3.
    const QueryResult regie = m_db->query(QStringLiteral("SELECT *  FRom pRegie Order By T"));
    ASSERT_EQ(regie.rows.rowCount(), 12u);
    for (std::size_t row = 0; row < 12; ++row) {
        EXPECT_EQ(regie.rows.value(row, 2).toInt(), static_cast<int>(row) + 1);
        EXPECT_GT(regie.rows.value(row, 3).toDouble(), 0.0);
    }
}

TEST_F(DemoDatabaseTest, KeysInUseRefuseDeletionAndRenaming) {
    const char* const refused[] = {
        "update GrupeProdus set [Grupa Produs]='MOBILA',Descriere='Mobilier', Discount=5 where [Grupa "
        "Produs]='MOB'",
        "DELETE FROM [TVA] WHERE [TVA]=21",
        "DELETE FROM [Cod Vamal] WHERE [Cod Vamal]='Fara Cod'",
        "DELETE FROM [yC1] WHERE [Cod]='PROD'",
        "DELETE FROM [zContaSubGrupa] WHERE [SubGrupa]='40'",
        "UPDATE [UnitateVanzare] SET [Unitate De Vanzare]='bucata', [Descriere]='Bucata' WHERE [Unitate De "
        "Vanzare]='buc'",
        "INSERT INTO [Subgrupeprodus]([Subgrupa Produs],[Descriere],[Grupa Produs]) "
        "VALUES('X-1','Orfan','NUEXISTA')",
        "INSERT INTO  yC2 (CodC, Denumire, Cod, R) VALUES ('NOU', 'Nou', 'NUEXISTA', 0)",
        "INSERT INTO [TipuriBonConsum]([Descriere],[Cont],[Forma Tiparire],  [EC], Transferabil) "
        "VALUES('BON CONSUM PRODUCTIE','601','Aviz',3, 0)",
        "INSERT INTO [TVA]([TVA],[DenumireTVA],[Cont TVA colectat],[Cont TVA deductibil]) "
        "VALUES(21,'Dublura','4427','4426')",
    };
    for (const char* sql : refused) {
        SCOPED_TRACE(sql);
        EXPECT_TRUE(errorOf([&] { m_db->execute(QString::fromUtf8(sql)); }).isIntegrityViolation());
    }
    // The same description may serve another kind of document; an unused group can be renamed.
    m_db->execute(QStringLiteral("INSERT INTO [TipuriBonConsum]([Descriere],[Cont],[Forma Tiparire],  [EC], "
                                 "Transferabil) VALUES('Bon consum productie','601','Aviz',2, 0)"));
    m_db->execute(
        QStringLiteral("INSERT INTO GrupeProdus ([Grupa Produs],Descriere,Discount)values ('NOU','Nou',0)"));
    EXPECT_EQ(m_db->execute(QStringLiteral("update GrupeProdus set [Grupa Produs]='NOU2',Descriere='Nou', "
                                           "Discount=1.5 where [Grupa Produs]='NOU'")),
              1);
}

TEST_F(DemoDatabaseTest, DefaultsFillWhatTheStatementsLeaveOut) {
    m_db->execute(QStringLiteral("INSERT INTO TipuriAPI (DenumireOp, Cont, ContTVA, Jurnal) VALUES "
                                 "('Plata chirie', '612', '4426', 0)"));
    EXPECT_EQ(count(QStringLiteral("SELECT Incasare FROM TipuriAPI WHERE DenumireOp = 'Plata chirie'")), 0);
    m_db->execute(QStringLiteral("INSERT INTO [TipCorectie]([Descriere]) VALUES('Retur marfa')"));
    EXPECT_GT(count(QStringLiteral("SELECT IdTipCorectie FROM TipCorectie WHERE Descriere = 'Retur marfa'")),
              4);
    m_db->execute(
        QStringLiteral("INSERT INTO [Depozite]([Denumire Depozit],[Descriere Depozit],[AdresaDepozitului],"
                       "[Gestionar],[Telefon Vetra],[Telefon Mobil], Custodie) VALUES('Depozit Dej','','',"
                       "'','','', 0)"));
    EXPECT_EQ(count(QStringLiteral("SELECT Depozit FROM Depozite WHERE [Denumire Depozit] = 'Depozit Dej'")),
              5);

    // A new work group copies the default group's twelve months; the columns left out take 0.
    m_db->execute(QStringLiteral("INSERT INTO sal_GRUPE (GRUPE)  VALUES ('Ucenici')"));
    m_db->execute(QStringLiteral("INSERT INTO sal_para  (T, LUNA, V, CASF, CASFCH, CASFCT, SOMF, SOMFCH, "
                                 "SOMFCT, SANAF, SANAFCH, SANAFCT, HANF, "
                                 "HANFCH, HANFCT, FHANF, FHANFCH, FHANFCT, INVF, INVFCH, INVFCT, CM, CMCH, "
                                 "CMCT, F1, F1CH, F1CT, SOMS, SOMCCH, "
                                 "SOMCCT, SOMCSB,  SOMP, SOMPCH, SOMPCT, SOMPSB,  CASS, CASSCH, CASSCT, "
                                 "CASSSB,  PENS, PENSCH, PENSCT, PENSSB,  "
                                 "P1, P1CH, P1CT, P1SB,  C1, C1CH, C1CT, C1SB,  AVANS, AVANSCH, AVANSC, "
                                 "AVANSSB, IMPCT, DP, CP, SS, DOIC, RESTC, "
                                 "ALTP, INVI, INVII, COEFMAX, SALMED, SALMIN, TLL, NrLuniCM, CCO, SN, HSUP, "
                                 "SALCAS, GRUPA, CB )  SELECT  T, "
                                 "LUNA, V, CASF, CASFCH, CASFCT, SOMF, SOMFCH, SOMFCT, SANAF, SANAFCH, "
                                 "SANAFCT, HANF, HANFCH, HANFCT, FHANF, "
                                 "FHANFCH, FHANFCT, INVF, INVFCH, INVFCT, CM, CMCH, CMCT, F1, F1CH, F1CT, "
                                 "SOMS, SOMCCH, SOMCCT, SOMCSB,  SOMP, "
                                 "SOMPCH, SOMPCT, SOMPSB,  CASS, CASSCH, CASSCT, CASSSB,  PENS, PENSCH, "
                                 "PENSCT, PENSSB,  P1, P1CH, P1CT, P1SB,  "
                                 "C1, C1CH, C1CT, C1SB,  AVANS, AVANSCH, AVANSC, AVANSSB, IMPCT, DP, CP, SS, "
                                 "DOIC, RESTC, ALTP, INVI, INVII, "
                                 "COEFMAX, SALMED, SALMIN, TLL, NrLuniCM, CCO, SN, HSUP, SALCAS, 'Ucenici', "
                                 "CB FROM sal_para WHERE GRUPA = "
                                 "'Conditii normale de munca'"));
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM sal_para WHERE GRUPA = 'Ucenici'")), 12);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM sal_para WHERE GRUPA = 'Ucenici' AND MAXCIC = 0 AND "
                                   "DBA = 0 AND COEFCP = 0 AND CMSI = 0 AND CASS = 10")),
              12);
}

// The first column of every row of the query, as text.
QStringList column(Connection& db, const QString& sql) {
    const QueryResult r = db.query(sql);
    QStringList values;
    for (std::size_t row = 0; row < r.rows.rowCount(); ++row)
        values << r.rows.value(row, 0).toString();
    return values;
}

TEST_F(DemoDatabaseTest, EveryAccountTheDemoNamesIsInTheChart) {
    QStringList used = {
        "SELECT [Cont TVA deductibil] FROM TVA",
        "SELECT [Cont TVA colectat] FROM TVA",
        "SELECT Cont FROM [Categorie Client]",
        "SELECT Cont FROM [Categorie Furnizor]",
        "SELECT Cont FROM TipuriProduse",
        "SELECT [Cont Cheltuiala] FROM TipuriProduse",
        "SELECT [Cont Venit] FROM TipuriProduse",
        "SELECT Cont FROM TipuriBonConsum",
        "SELECT Cont FROM TipuriAPI",
        "SELECT ContTva FROM TipuriAPI",
        "SELECT Analitic FROM Casierii",
        "SELECT Cont FROM Banci",
        "SELECT Cont FROM ConturiAmbalaje",
        "SELECT Cont FROM CheltuieliCentre",
    };
    // Every account column of the payroll parameters: debit (..CH), credit (..CT, AVANSC), tax.
    for (const Column& c : m_db->query(QStringLiteral("SELECT * FROM sal_para WHERE T = 1")).columns)
        if (c.name.endsWith(QLatin1String("CH"), Qt::CaseInsensitive) ||
            c.name.endsWith(QLatin1String("CT"), Qt::CaseInsensitive) || c.name == QLatin1String("AVANSC"))
            used << QStringLiteral("SELECT %1 FROM sal_para").arg(c.name);
    const QStringList chart = column(*m_db, QStringLiteral("SELECT Cont FROM zConta_Plan"));
    for (const QString& sql : used)
        for (const QString& account : column(*m_db, sql))
            EXPECT_TRUE(account.isEmpty() || chart.contains(account))
                << sql.toStdString() << ": " << account.toStdString();
    EXPECT_GE(chart.size(), 300);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(DISTINCT Fel) FROM TipuriProduse")), 9);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(DISTINCT EC) FROM TipuriBonConsum")), 3);
    EXPECT_EQ(
        count(QStringLiteral("SELECT Count(*) FROM sal_para WHERE GRUPA = 'Conditii normale de munca'")), 12);
}

// Accounts sit in the subclass of their first two digits; an analytic account ("605.01") hangs on
// a synthetic account that exists and is not itself divided into sub-accounts ("6051").
TEST_F(DemoDatabaseTest, TheChartIsATree) {
    const QStringList chart = column(*m_db, QStringLiteral("SELECT Cont FROM zConta_Plan"));
    const QStringList misplaced =
        column(*m_db, QStringLiteral("SELECT Cont FROM zConta_Plan WHERE SubGrupa <> substr(Cont, 1, 2)"));
    EXPECT_TRUE(misplaced.isEmpty()) << misplaced.join(u' ').toStdString();
    for (const QString& account : chart) {
        const QString synthetic = account.section(QLatin1Char('.'), 0, 0);
        if (synthetic == account) continue;
        EXPECT_TRUE(chart.contains(synthetic)) << account.toStdString();
        for (const QString& other : chart)
            EXPECT_FALSE(other.size() > synthetic.size() && other.startsWith(synthetic) &&
                         !other.contains(QLatin1Char('.')))
                << account.toStdString() << " hangs on " << synthetic.toStdString() << ", divided into "
                << other.toStdString();
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT Cont FROM zConta_Plan WHERE Tip NOT IN ('A', 'P', 'B')")), 0u);
}

// Every fiscal code, IBAN and personal numeric code of the demo passes its control digits.
TEST_F(DemoDatabaseTest, IdentityNumbersPassTheirControlDigits) {
    using fiscal::Check;
    QStringList cifs = column(*m_db, QStringLiteral("SELECT CodFiscal FROM Terti"));
    QStringList ibans = column(*m_db, QStringLiteral("SELECT IBAN FROM ConturiBancare"));
    cifs << column(*m_db, QStringLiteral("SELECT CodFiscal FROM AdmTivra.dbo.Societati"));
    ibans << column(*m_db, QStringLiteral("SELECT ContBanca FROM AdmTivra.dbo.Societati"));
    const QStringList cnps = column(*m_db, QStringLiteral("SELECT CNP FROM sal_sal"));
    EXPECT_GE(cifs.size(), 7);
    EXPECT_GE(ibans.size(), 4);
    EXPECT_GE(cnps.size(), 5);
    for (const QString& cif : cifs)
        EXPECT_EQ(fiscal::checkCif(cif), Check::Valid) << cif.toStdString();
    for (const QString& iban : ibans) {
        EXPECT_EQ(fiscal::checkIban(iban), Check::Valid) << iban.toStdString();
        EXPECT_FALSE(fiscal::bankOfIban(iban).isEmpty()) << iban.toStdString();
    }
    for (const QString& cnp : cnps)
        EXPECT_EQ(fiscal::checkCnp(cnp), Check::Valid) << cnp.toStdString();
}

// The bracket tables of every month must let the salary window close.
TEST_F(DemoDatabaseTest, TaxAndSeniorityTablesOfEveryMonthAreConsistent) {
    for (int month = 1; month <= 12; ++month) {
        for (int tip : {1, 0, 2}) {
            SCOPED_TRACE(QStringLiteral("luna %1 tip %2").arg(month).arg(tip).toStdString());
            const QueryResult r =
                m_db->query(QStringLiteral("SELECT *  FRom sal_imp WHERE T = %1 AND TIP = %2   Order By DELA")
                                .arg(month)
                                .arg(tip));
            const std::size_t n = r.rows.rowCount();
            ASSERT_GT(n, 0u);
            const auto v = [&](std::size_t row, const char* name) {
                for (int c = 0; c < static_cast<int>(r.columns.size()); ++c)
                    if (r.columns[c].name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                        return r.rows.value(row, c).toDouble();
                ADD_FAILURE() << "no column " << name;
                return 0.0;
            };
            if (tip != 2) {
                EXPECT_LE(v(0, "DELA"), 2.0);
                for (std::size_t i = 0; i < n; ++i)
                    EXPECT_LE(v(i, "PR"), 100.0);
            }
            for (std::size_t i = 1; i < n; ++i) {
                EXPECT_EQ(v(i, "DELA"), v(i - 1, "PANALA") + (tip == 2 ? 0 : 1));
                if (tip != 2) {
                    EXPECT_GE(v(i, "CONST"), v(i - 1, "CONST"));
                }
            }
            EXPECT_GT(v(n - 1, "PANALA"), v(n - 1, "DELA"));
        }
    }
}

TEST_F(DemoDatabaseTest, CreatingAgainReplacesBothFiles) {
    m_db->execute(QStringLiteral("DELETE FROM [Tip Client] WHERE [Tip Client]='EXP'"));
    m_db.reset();
    DemoDatabase::create(m_path);
    m_db = Connection::open(QStringLiteral("sqlite:") + m_path);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM [Tip Client]")), 4);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM AdmTivra.dbo.Societati")), 1);
}

TEST(EmptyDatabase, HoldsTheCompanyYearAndUsersButNoCatalogues) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("gol.db"));
    DemoDatabase::createEmpty(path);
    EXPECT_TRUE(QFile::exists(DemoDatabase::admPathFor(path)));
    auto db = Connection::open(QStringLiteral("sqlite:") + path);
    EXPECT_EQ(db->scalar(QStringLiteral("Select An FROM An")).toInt(), 2026);
    EXPECT_TRUE(
        db->scalar(QStringLiteral("SELECT Societate FROM AdmTivra.dbo.Societati WHERE ID=1")).isValid());
    EXPECT_EQ(
        db->scalar(QStringLiteral("SELECT Count(*) FROM AdmTivra.dbo.Drepturi WHERE Permis = 1")).toInt(), 6);
    for (const char* table :
         {"TVA", "zConta_Plan", "Banci", "SeriiDocumente", "sal_grupe", "sal_para", "pRegie"})
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT Count(*) FROM %1").arg(QLatin1String(table))).toInt(), 0)
            << table;
    std::vector<Parameter> p{
        Parameter{QStringLiteral("nr"), DataType::VarWChar, ParameterDirection::Input, 50,
                  QStringLiteral("4311")},
        Parameter{QStringLiteral("tip"), DataType::VarWChar, ParameterDirection::Input, 1,
                  QStringLiteral("S")},
        Parameter{QStringLiteral("user"), DataType::BigInt, ParameterDirection::Input, 0, 2},
        Parameter{QStringLiteral("IdSoc"), DataType::BigInt, ParameterDirection::Input, 0, 1}};
    EXPECT_EQ(db->callProcedure(QStringLiteral("Vezi"), p), 0) << "user 2 has every right here";
}

} // namespace
} // namespace vornel::test
