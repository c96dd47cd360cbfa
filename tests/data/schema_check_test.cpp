// The schema check at opening: the expectation comes from the embedded scripts, and a database
// that lacks a table or a column is named precisely, through both backends.
#include "TestDatabase.h"

#include "data/SchemaCheck.h"
#include "data/SchemaUpgrade.h"
#include "data/odbc/OdbcBackend.h"

using namespace vornel;
using namespace vornel::test;
using SchemaCheckTest = DemoTest;

TEST_F(SchemaCheckTest, DemoDatabasePassesAndEveryMissingPieceIsNamed) {
    auto& db = m_db;
    EXPECT_NO_THROW(SchemaCheck::verify(*db));

    db->execute("ALTER TABLE Cpp DROP COLUMN Adresa");
    EXPECT_EQ(errorOf([&] { SchemaCheck::verify(*db); }).description(),
              "Structura bazei de date nu corespunde programului: lipseste coloana Adresa din tabela Cpp.");
    db->execute("DROP TABLE sal_imp");
    db->execute("ALTER TABLE AdmTivra.Societati DROP COLUMN Curs");
    EXPECT_EQ(SchemaCheck::missing(db->backend()),
              (QStringList{"lipseste coloana Adresa din tabela Cpp", "lipseste tabela sal_imp",
                           "lipseste coloana Curs din tabela AdmTivra.Societati"}));
}

TEST_F(SchemaCheckTest, AnEarlierVersionGetsTheAuditTrailAndTheVatRegimesButNothingElse) {
    auto& db = m_db;
    db->execute("DROP TABLE JurnalModificari");
    db->execute("DROP TABLE RegimTVA");
    db->execute("DROP TABLE sal_imp");
    EXPECT_EQ(SchemaUpgrade::addProgramTables(*db), (QStringList{"JurnalModificari", "RegimTVA"}));
    EXPECT_EQ(SchemaCheck::missing(db->backend()), QStringList{"lipseste tabela sal_imp"});
    EXPECT_EQ(db->scalar("SELECT group_concat(Regim, ' ') FROM (SELECT Regim FROM RegimTVA ORDER BY Regim)")
                  .toString(),
              "N SCD SFD TI");
    EXPECT_EQ(db->scalar("SELECT count(*) FROM sqlite_master WHERE name = 'JurnalModificariRand'").toInt(),
              1);
    EXPECT_TRUE(SchemaUpgrade::addProgramTables(*db).isEmpty());
}

TEST(SchemaCheck, ForeignDatabaseIsNamedInAFewPhrases) {
    QStringList missing;
    for (int i = 0; i < 9; ++i)
        missing << QStringLiteral("lipseste tabela T%1").arg(i);
    EXPECT_EQ(SchemaCheck::verdict(missing),
              "Structura bazei de date nu corespunde programului: lipseste tabela T0, lipseste tabela T1, "
              "lipseste tabela T2, lipseste tabela T3, lipseste tabela T4, si inca 4.");
}

TEST(SchemaCheck, OdbcReadsTheCatalogue) {
    if (!odbcDriverRegistered("SQLite3")) GTEST_SKIP() << "ODBC driver \"SQLite3\" not registered";
    // The SQLite driver has one catalogue: the administration tables live beside the others.
    NativeSqliteFile file;
    const QString scripts =
        DemoDatabase::script("admtivra.sql").replace("AdmTivra.", "") + DemoDatabase::script("schema.sql");
    file.exec(scripts);
    file.exec("ALTER TABLE Cpp DROP COLUMN Adresa");
    file.close();
    OdbcBackend backend(file.odbcConnectionString());
    EXPECT_EQ(backend.columns("Cpp"), (std::vector<QString>{"P", "Denumire", "Telefon"}));
    EXPECT_TRUE(backend.columns("Nimic").empty());
    EXPECT_EQ(SchemaCheck::missing(backend), QStringList{"lipseste coloana Adresa din tabela Cpp"});
}
