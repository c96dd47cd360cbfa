// The demo database: every catalogue listing finds its columns and some rows,
// the keys refuse orphans, and the demo data passes the checks the windows and an accountant make.

#include "TestDatabase.h"
#include "company/FiscalIdentity.h"
#include "profiles/CatalogRegistry.h"

#include <QFile>

namespace vornel::test {
namespace {

using DemoDatabaseTest = DemoTest;

// Every catalogue's listing finds its columns, some rows, and a width for each column.
TEST_F(DemoDatabaseTest, EveryCatalogueListingReturnsRows) {
    for (const QString& caption : CatalogRegistry::captions()) {
        SCOPED_TRACE(caption.toStdString());
        const CatalogProfile* e = CatalogRegistry::find(caption);
        if (!e) continue; // a window of its own, not a list
        try {
            const QueryResult r = m_db->query(e->query);
            EXPECT_GT(r.rows.rowCount(), 0u);
            if (!e->widths.empty()) {
                EXPECT_LE(r.columns.size(), e->widths.size());
            }
        } catch (const DbError& error) {
            ADD_FAILURE() << error.what();
        }
    }
}

TEST_F(DemoDatabaseTest, KeysInUseRefuseDeletionAndRenamingAndDefaultsFillTheRest) {
    for (const char* sql : {
             "update GrupeProdus set [Grupa Produs]='MOBILA',Descriere='Mobilier', Discount=5 where [Grupa "
             "Produs]='MOB'",
             "DELETE FROM [TVA] WHERE [TVA]=21",
             "DELETE FROM [Cod Vamal] WHERE [Cod Vamal]='Fara Cod'",
             "DELETE FROM [yC1] WHERE [Cod]='PROD'",
             "DELETE FROM [zContaSubGrupa] WHERE [SubGrupa]='40'",
             "UPDATE [UnitateVanzare] SET [Unitate De Vanzare]='bucata' WHERE [Unitate De Vanzare]='buc'",
             "INSERT INTO [Subgrupeprodus]([Subgrupa Produs],[Descriere],[Grupa Produs]) "
             "VALUES('X-1','Orfan','NUEXISTA')",
             "INSERT INTO  yC2 (CodC, Denumire, Cod, R) VALUES ('NOU', 'Nou', 'NUEXISTA', 0)",
             "INSERT INTO [TipuriBonConsum]([Descriere],[Cont],[Forma Tiparire],  [EC], Transferabil) "
             "VALUES('BON CONSUM PRODUCTIE','601','Aviz',3, 0)",
             "INSERT INTO [TVA]([TVA],[DenumireTVA],[Cont TVA colectat],[Cont TVA deductibil]) "
             "VALUES(21,'Dublura','4427','4426')",
         })
        EXPECT_TRUE(errorOf([&] { m_db->execute(QString::fromUtf8(sql)); }).isIntegrityViolation()) << sql;
    // The same description may serve another kind of document; an unused group can be renamed.
    for (const char* sql : {
             "INSERT INTO [TipuriBonConsum]([Descriere],[Cont],[Forma Tiparire],  [EC], Transferabil) "
             "VALUES('Bon consum productie','601','Aviz',2, 0)",
             "INSERT INTO GrupeProdus ([Grupa Produs],Descriere,Discount)values ('NOU','Nou',0)",
             "update GrupeProdus set [Grupa Produs]='NOU2',Descriere='Nou', Discount=1.5 where [Grupa "
             "Produs]='NOU'",
             "INSERT INTO TipuriAPI (DenumireOp, Cont, ContTVA, Jurnal) VALUES ('Plata chirie', '612', "
             "'4426', 0)",
             "INSERT INTO [TipCorectie]([Descriere]) VALUES('Retur marfa')",
             "INSERT INTO [Depozite]([Denumire Depozit],[Descriere Depozit],[AdresaDepozitului],[Gestionar],"
             "[Telefon Vetra],[Telefon Mobil], Custodie) VALUES('Depozit Dej','','','','','', 0)",
         })
        EXPECT_EQ(m_db->execute(QString::fromUtf8(sql)), 1) << sql;
    EXPECT_EQ(
        text(QStringLiteral("SELECT (SELECT Incasare FROM TipuriAPI WHERE DenumireOp = 'Plata chirie') || "
                            "'|' || (SELECT IdTipCorectie FROM TipCorectie WHERE Descriere = 'Retur marfa') "
                            "|| '|' || (SELECT Depozit FROM Depozite WHERE [Denumire Depozit] = 'Depozit "
                            "Dej')")),
        QStringLiteral("0|5|5"));
}

// The first column of every row of the query, as text.
QStringList column(Connection& db, const QString& sql) {
    const QueryResult r = db.query(sql);
    QStringList values;
    for (std::size_t row = 0; row < r.rows.rowCount(); ++row)
        values << r.rows.value(row, 0).toString();
    return values;
}

// Every account the demo names is in the chart, and every account sits in the subclass of its
// first two digits.
TEST_F(DemoDatabaseTest, EveryAccountTheDemoNamesIsInTheChart) {
    QStringList used;
    for (const char* pair :
         {"TVA:[Cont TVA deductibil]", "TVA:[Cont TVA colectat]", "RegimTVA:[Cont TVA deductibil]",
          "RegimTVA:[Cont TVA colectat]", "[Categorie Client]:Cont", "[Categorie Furnizor]:Cont",
          "TipuriProduse:Cont", "TipuriProduse:[Cont Cheltuiala]", "TipuriProduse:[Cont Venit]",
          "TipuriBonConsum:Cont", "TipuriAPI:Cont", "TipuriAPI:ContTva", "Casierii:Analitic", "Banci:Cont",
          "ConturiAmbalaje:Cont", "CheltuieliCentre:Cont"}) {
        const QStringList p = QString::fromLatin1(pair).split(QLatin1Char(':'));
        used << QStringLiteral("SELECT %1 FROM %2").arg(p[1], p[0]);
    }
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
    EXPECT_EQ(text(QStringLiteral("SELECT (SELECT Count(DISTINCT Fel) FROM TipuriProduse) || (SELECT "
                                  "Count(DISTINCT EC) FROM TipuriBonConsum) || (SELECT Count(*) FROM "
                                  "zConta_Plan WHERE SubGrupa <> substr(Cont, 1, 2) OR Tip NOT IN ('A', 'P', "
                                  "'B'))")),
              QStringLiteral("930"));
}

// Every fiscal code, IBAN and personal numeric code of the demo passes its control digits.
TEST_F(DemoDatabaseTest, IdentityNumbersPassTheirControlDigits) {
    using fiscal::Check;
    const QStringList cifs = column(*m_db, QStringLiteral("SELECT CodFiscal FROM Terti UNION ALL SELECT "
                                                          "CodFiscal FROM AdmTivra.dbo.Societati"));
    const QStringList ibans = column(*m_db, QStringLiteral("SELECT IBAN FROM ConturiBancare UNION ALL SELECT "
                                                           "ContBanca FROM AdmTivra.dbo.Societati"));
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
    auto p = veziParameters(QStringLiteral("4311"), QStringLiteral("S"), 2);
    EXPECT_EQ(db->callProcedure(QStringLiteral("Vezi"), p), 0) << "user 2 has every right here";
}

} // namespace
} // namespace vornel::test
