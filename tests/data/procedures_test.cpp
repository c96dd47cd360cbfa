// The stored procedures Vezi, Sterge and Start of the embedded backend, on the demo database:
// what each allows, what it refuses, and that a refusal leaves the data as it was.

#include "TestDatabase.h"

namespace vornel::test {
namespace {

class ProcedureTest : public DemoTest {
protected:
    int vezi(const char* code, const char* action, qint64 user, qint64 company = 1) {
        auto p = veziParameters(QString::fromLatin1(code), QString::fromLatin1(action), user, company);
        return m_db->callProcedure(QStringLiteral("Vezi"), p);
    }
    void sterge(int what, int varInt, const QString& varString) {
        auto p = stergeParameters(what, varInt, varString);
        m_db->callProcedure(QStringLiteral("Sterge"), p);
    }
    // "Start" with the parameters the output documents window builds from its fields.
    int start(int operation, int idTop, const Series::Fields& f, const QString& packaging = {},
              const QString& previous = {}) {
        auto p = Series::startParameters(operation, f, idTop, packaging, previous);
        return m_db->callProcedure(QStringLiteral("Start"), p);
    }
    // The documented way to set a right.
    void deny(int user, const char* code, const char* action, int permis = 0) {
        sqlite().executeNative(
            QStringLiteral("INSERT OR REPLACE INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) "
                           "VALUES (%1, 1, '%2', '%3', %4)")
                .arg(user)
                .arg(QLatin1String(code), QLatin1String(action))
                .arg(permis));
    }
    // The fields of the stored series `id`, and "Start" modifying it with them after `edit`.
    Series::Fields stored(int id) {
        const QueryResult r = m_db->query(
            QStringLiteral(
                "SELECT Descriere, Tip, Serie, FirstDoc, LastDoc, TipFactura, TipHartie, NumarCopii, "
                "NrLinFactura, Casierie FROM SeriiDocumente WHERE IdSerie = %1")
                .arg(id));
        EXPECT_EQ(r.rows.rowCount(), 1u);
        const auto t = [&](int c) { return r.rows.value(0, c).toString(); };
        Series::Fields f = seriesFields(t(2), t(0));
        f.mode = QStringLiteral("M");
        f.aviz = t(1) == QLatin1String("A");
        f.facturi = !f.aviz;
        std::tie(f.pd, f.ud, f.tipFactura, f.tipHartie, f.numarCopii, f.nrLinFac, f.casierie) =
            std::tuple(t(3), t(4), t(5), t(6), t(7), t(8), t(9));
        return f;
    }
    int modify(int id, const std::function<void(Series::Fields&)>& edit) {
        Series::Fields f = stored(id);
        const QString previous = f.serie;
        edit(f);
        return start(Series::kModify, id, f, QString(), previous);
    }
    QString series() {
        return digest(QStringLiteral("SeriiDocumente")) + digest(QStringLiteral("ConturiAmbalaje"));
    }
};

TEST_F(ProcedureTest, VeziAllowsByTheStarRowUnlessTheExactScreenCodeSaysOtherwise) {
    EXPECT_EQ(vezi("4311", "S", 1), 0);
    EXPECT_EQ(vezi("4341", "M", 2), 0);
    EXPECT_EQ(vezi("4311", "S", 2), 1) << "user 2 may not delete";
    EXPECT_EQ(vezi("4311", "A", 3), 1) << "unknown user";
    EXPECT_EQ(vezi("4311", "A", 1, 2), 1) << "another company";

    deny(1, "4311", "S");
    EXPECT_EQ(vezi("4311", "S", 1), 1);
    EXPECT_EQ(vezi("4311", "M", 1), 0) << "only the denied action";
    EXPECT_EQ(vezi("4312", "S", 1), 0) << "only the denied screen";
    deny(2, "4322", "S", 1);
    EXPECT_EQ(vezi("4322", "S", 2), 0) << "an exact allow beats the '*' refusal";
    EXPECT_EQ(vezi("4323", "S", 2), 1);
    deny(1, "*", "A");
    EXPECT_EQ(vezi("4325", "A", 1), 1) << "the '*' row itself can be replaced";
}

TEST_F(ProcedureTest, StergeDeletesWhatNothingUsesAndRefusesTheRestWithItsOwnText) {
    const auto tables = [&] {
        return digest(QStringLiteral("Casierii")) + digest(QStringLiteral("pOft")) +
               digest(QStringLiteral("yC2"));
    };
    const QString before = tables();
    const struct {
        int what;
        int varInt;
        const char* varString;
        const char* message;
    } refusals[] = {
        {6, 1, " ", "Casieria este folosita in seriile de documente si nu poate fi stearsa !"},
        {7, 0, "CP01",
         "Centrul de productie este folosit in consumurile de productie si nu poate fi sters !"},
        {9, 0, "PROD-MOB",
         "Subgrupa de centre este folosita in cheltuielile centrelor si nu poate fi stearsa !"},
        {8, 1, "CP04", "Parametru what necunoscut"},
    };
    for (const auto& r : refusals) {
        const DbError e = errorOf([&] { sterge(r.what, r.varInt, QString::fromLatin1(r.varString)); });
        EXPECT_EQ(e.description(), QString::fromLatin1(r.message)) << r.what;
        EXPECT_FALSE(e.isIntegrityViolation()) << "the message is the procedure's own";
    }
    EXPECT_EQ(tables(), before);

    // The bank refusal and a bank deleted are the scenarios' own.
    sterge(6, 3, QStringLiteral(" "));
    sterge(7, 0, QStringLiteral("CP04"));
    sterge(9, 0, QStringLiteral("aux-intr")); // codes compare without regard to case
    EXPECT_EQ(count(QStringLiteral("SELECT (SELECT Count(*) FROM Casierii WHERE [Cod Casierie] = 3) + "
                                   "(SELECT Count(*) FROM pOft WHERE Cod = 'CP04') + "
                                   "(SELECT Count(*) FROM yC2 WHERE CodC = 'AUX-INTR')")),
              0);
}

TEST_F(ProcedureTest, StartAddsASeriesFromTheWindowFields) {
    Series::Fields f = seriesFields();
    f.casierie = QStringLiteral("2 - Casa magazin Turda");
    f.tipFacturaIndex = Series::kWithPackaging;
    f.tipFactura = QStringLiteral("Cu ambalaje");
    EXPECT_EQ(start(Series::kAdd, 1, f, QStringLiteral("4")), 0);
    EXPECT_EQ(
        text(QStringLiteral("SELECT Descriere || '|' || Tip || '|' || FirstDoc || '|' || LastDoc || '|' || "
                            "CurrentDoc || '|' || TipFactura || '|' || TipHartie || '|' || NumarCopii || '|' "
                            "|| NrLinFactura || '|' || NrLinAmbalaje || '|' || Casierie FROM SeriiDocumente "
                            "WHERE Serie = 'LEX'")),
        QStringLiteral("Facturi export|F|1|999|1|Cu ambalaje|A4|2|18|4|2"));
    // A description another series has, trailing blanks and case aside, is refused.
    EXPECT_EQ(start(Series::kAdd, 1, seriesFields(QStringLiteral("LEY"), QStringLiteral("facturi EXPORT  "))),
              12);
    // No cash desk is sent as "0" and stored as NULL.
    EXPECT_EQ(start(Series::kAdd, 1, seriesFields(QStringLiteral("LFC"), QStringLiteral("Fara casa"))), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT IsNull(Casierie, -1) FROM SeriiDocumente WHERE Serie = 'LFC'")),
              -1);
}

TEST_F(ProcedureTest, StartModifiesWhatIssuedDocumentsDoNotLockAndRefusesTheRestWithTen) {
    const QString before = series();
    // A code in use (without regard to case), the code of an issued series and deleting an issued
    // series are the scenarios' own.
    EXPECT_EQ(modify(1, [](Series::Fields& f) { f.pd = QStringLiteral("2"); }), 10)
        << "first of an issued series";
    const auto invoices = [](Series::Fields& f) {
        f.aviz = false;
        f.facturi = true;
    };
    EXPECT_EQ(modify(4, invoices), 10) << "type of an issued series";
    EXPECT_EQ(modify(5, [](Series::Fields& f) { f.serie = QStringLiteral("LMT"); }), 10)
        << "code of another series";
    // Calls the window never makes are errors: no such series or operation, a number as text, a
    // cash desk that does not exist.
    errorOf([&] { start(Series::kModify, 999, seriesFields()); });
    errorOf([&] { start(Series::kDelete, 999, seriesFields()); });
    errorOf([&] { start(12, 1, seriesFields()); });
    auto p = Series::startParameters(Series::kAdd, seriesFields(), 1, {}, {});
    findParameter(p, QStringLiteral("Agent"))->value = QStringLiteral("abc");
    errorOf([&] { m_db->callProcedure(QStringLiteral("Start"), p); });
    Series::Fields bad = seriesFields();
    bad.casierie = QStringLiteral("99");
    EXPECT_TRUE(errorOf([&] { start(Series::kAdd, 1, bad); }).isIntegrityViolation());
    EXPECT_EQ(series(), before);

    // Series 1 has documents issued: its description, last number and print options may change.
    EXPECT_EQ(modify(1,
                     [](Series::Fields& f) {
                         f.descriere = QStringLiteral("Facturi mobilier 2026");
                         f.ud = QStringLiteral("6000");
                         f.numarCopii = QStringLiteral("3");
                     }),
              0);
    EXPECT_EQ(
        text(QStringLiteral("SELECT Descriere || '|' || LastDoc || '|' || CurrentDoc FROM SeriiDocumente "
                            "WHERE IdSerie = 1")),
        QStringLiteral("Facturi mobilier 2026|6000|238"));
    // Series 5 has none: everything may change and it starts again at its new first number.
    EXPECT_EQ(modify(5,
                     [&](Series::Fields& f) {
                         f.serie = QStringLiteral("LNN");
                         f.pd = QStringLiteral("50");
                         invoices(f);
                     }),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT CurrentDoc FROM SeriiDocumente WHERE Serie = 'LNN'")), 50);
}

TEST_F(ProcedureTest, StartDeletesASeriesWithItsPackagingAccountsInsideTheCallersTransaction) {
    m_db->execute(QStringLiteral("insert into ConturiAmbalaje values(5,'381.01')"));
    sqlite().begin();
    EXPECT_EQ(start(Series::kAdd, 1, seriesFields()), 0);
    sterge(5, 3, QStringLiteral(" "));
    sqlite().rollback();
    EXPECT_EQ(count(QStringLiteral("SELECT (SELECT Count(*) FROM SeriiDocumente WHERE Serie = 'LEX') + "
                                   "(SELECT Count(*) FROM Banci WHERE [Cod Banca] = 3)")),
              1);

    EXPECT_EQ(start(Series::kDelete, 5, stored(5)), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT (SELECT Count(*) FROM SeriiDocumente WHERE IdSerie = 5) + "
                                   "(SELECT Count(*) FROM ConturiAmbalaje WHERE IdSeriiD = 5)")),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM ConturiAmbalaje WHERE IdSeriiD = 2")), 3);
}

} // namespace
} // namespace vornel::test
