// The stored procedures Vezi, Sterge and Start of the embedded backend, on the demo database:
// what each allows, what it refuses, and that a refusal leaves the data as it was.

#include "TestDatabase.h"
#include "data/sqlite/DemoDatabase.h"

#include <QCryptographicHash>

namespace vornel::test {
namespace {

Parameter in(const char* name, DataType type, QVariant value, int size = 0) {
    return Parameter{QString::fromLatin1(name), type, ParameterDirection::Input, size, std::move(value)};
}

class ProcedureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("demo.db"));
        DemoDatabase::create(m_path);
        m_db = Connection::open(QStringLiteral("sqlite:") + m_path);
    }

    SqliteBackend& sqlite() { return static_cast<SqliteBackend&>(m_db->backend()); }

    // SHA-256 over every row of the tables, ordered by all columns.
    QByteArray digest(const QStringList& tables) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const QString& table : tables) {
            const QueryResult r = m_db->query(QStringLiteral("SELECT * FROM [%1]").arg(table));
            QStringList rows;
            for (std::size_t row = 0; row < r.rows.rowCount(); ++row) {
                QString line;
                for (int c = 0; c < r.rows.columnCount(); ++c)
                    line +=
                        (r.rows.isNull(row, c) ? QStringLiteral("<null>") : r.rows.value(row, c).toString()) +
                        QLatin1Char('|');
                rows << line;
            }
            rows.sort();
            hash.addData(table.toUtf8() + rows.join(QLatin1Char('\n')).toUtf8());
        }
        return hash.result();
    }

    int vezi(const QString& code, const QString& action, qint64 user, qint64 company = 1) {
        std::vector<Parameter> p{
            Parameter{
                QStringLiteral("RETURN_VALUE"), DataType::Integer, ParameterDirection::ReturnValue, 0, {}},
            in("nr", DataType::VarWChar, code, 50), in("tip", DataType::VarWChar, action, 1),
            in("user", DataType::BigInt, user), in("IdSoc", DataType::BigInt, company)};
        return m_db->callProcedure(QStringLiteral("Vezi"), p);
    }

    void sterge(int what, int varInt, const QString& varString) {
        std::vector<Parameter> p{in("NumeSoc", DataType::VarWChar, QStringLiteral("LEMNART_2026"), 50),
                                 in("what", DataType::Integer, what), in("varInt", DataType::Integer, varInt),
                                 in("varString", DataType::VarWChar, varString, 50)};
        m_db->callProcedure(QStringLiteral("Sterge"), p);
    }

    struct Serie {
        QString descriere = QStringLiteral("Facturi export");
        QString tip = QStringLiteral("F");
        QString serie = QStringLiteral("LEX");
        QString first = QStringLiteral("1");
        QString last = QStringLiteral("999");
        QString tipFactura = QStringLiteral("Normal");
        QString hartie = QStringLiteral("A4");
        QString copii = QStringLiteral("2");
        QString linii = QStringLiteral("18");
        QString ambalaje = QStringLiteral("0");
        QString casa = QStringLiteral("0");
        QString serieVeche;
    };

    // The 23 parameters as the output documents window sends them (texts of its fields).
    int start(int operation, int idTop, const Serie& s) {
        std::vector<Parameter> p{
            Parameter{
                QStringLiteral("@Return_Value"), DataType::Integer, ParameterDirection::ReturnValue, 0, {}},
            in("@Name", DataType::VarChar, QString(), 50),
            in("@Document", DataType::VarChar, s.descriere, 50),
            in("@Dep", DataType::Integer, s.linii),
            in("@Operatiune", DataType::TinyInt, operation),
            in("@ec", DataType::TinyInt, 0),
            in("@IdTop", DataType::Integer, idTop),
            in("@DataDoc", DataType::Date, {}),
            in("@DataPlatii", DataType::Date, {}),
            in("@Agent", DataType::Integer, s.first),
            in("@DenumireAgent", DataType::VarChar, s.serie, 50),
            in("@Client", DataType::VarChar, s.casa, 50),
            in("@DenumireClient", DataType::VarChar, QString(), 50),
            in("@DebitMaxim", DataType::Currency, 0),
            in("@SoldTotal", DataType::Currency, 0),
            in("@TipValuta", DataType::VarChar, s.tip, 20),
            in("@CursV", DataType::TinyInt, s.copii),
            in("@DocTransferat", DataType::VarChar, s.tipFactura, 50),
            in("@TipBon", DataType::Integer, s.last),
            in("@DescriereDepozit", DataType::VarChar, s.hartie, 50),
            in("@catreDep", DataType::Integer, s.ambalaje),
            in("@DesDepozit", DataType::VarChar, QString(), 50),
            in("@Primitor", DataType::VarChar, s.serieVeche, 50),
            in("@IntoarceDocument", DataType::VarChar, QString(), 50)};
        return m_db->callProcedure(QStringLiteral("Start"), p);
    }

    // The stored series with id `id`, as the series that would leave it unchanged.
    Serie stored(int id) {
        const QueryResult r = m_db->query(
            QStringLiteral(
                "SELECT Descriere, Tip, Serie, FirstDoc, LastDoc, TipFactura, TipHartie, NumarCopii, "
                "NrLinFactura, NrLinAmbalaje, IsNull(Casierie, 0) FROM SeriiDocumente WHERE IdSerie = %1")
                .arg(id));
        EXPECT_EQ(r.rows.rowCount(), 1u);
        const auto t = [&](int c) { return r.rows.value(0, c).toString(); };
        return Serie{t(0), t(1), t(2), t(3), t(4), t(5), t(6), t(7), t(8), t(9), t(10), t(2)};
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::shared_ptr<Connection> m_db;
};

// The documented way to take a right away.
void deny(SqliteBackend& db, int user, const QString& code, const QString& action, int permis = 0) {
    db.executeNative(
        QStringLiteral("INSERT OR REPLACE INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) "
                       "VALUES (%1, 1, '%2', '%3', %4)")
            .arg(user)
            .arg(code, action)
            .arg(permis));
}

TEST_F(ProcedureTest, VeziAllowsByTheStarRowAndRefusesWithoutOne) {
    for (const char* action : {"A", "M", "S"})
        EXPECT_EQ(vezi(QStringLiteral("4311"), QString::fromLatin1(action), 1), 0) << action;
    EXPECT_EQ(vezi(QStringLiteral("4311"), QStringLiteral("A"), 2), 0);
    EXPECT_EQ(vezi(QStringLiteral("4341"), QStringLiteral("M"), 2), 0);
    EXPECT_EQ(vezi(QStringLiteral("4311"), QStringLiteral("S"), 2), 1) << "user 2 may not delete";
    EXPECT_EQ(vezi(QStringLiteral("4311"), QStringLiteral("A"), 3), 1) << "unknown user";
    EXPECT_EQ(vezi(QStringLiteral("4311"), QStringLiteral("A"), 1, 2), 1) << "another company";
}

TEST_F(ProcedureTest, VeziLetsTheExactScreenCodeOverrideTheStarRow) {
    deny(sqlite(), 1, QStringLiteral("4311"), QStringLiteral("S"));
    EXPECT_EQ(vezi(QStringLiteral("4311"), QStringLiteral("S"), 1), 1);
    EXPECT_EQ(vezi(QStringLiteral("4311"), QStringLiteral("M"), 1), 0) << "only the denied action";
    EXPECT_EQ(vezi(QStringLiteral("4312"), QStringLiteral("S"), 1), 0) << "only the denied screen";

    deny(sqlite(), 2, QStringLiteral("4322"), QStringLiteral("S"), 1);
    EXPECT_EQ(vezi(QStringLiteral("4322"), QStringLiteral("S"), 2), 0)
        << "an exact allow beats the '*' refusal";
    EXPECT_EQ(vezi(QStringLiteral("4323"), QStringLiteral("S"), 2), 1);

    deny(sqlite(), 1, QStringLiteral("*"), QStringLiteral("A"));
    EXPECT_EQ(vezi(QStringLiteral("4325"), QStringLiteral("A"), 1), 1)
        << "the '*' row itself can be replaced";
}

TEST_F(ProcedureTest, StergeDeletesRecordsNothingUses) {
    sterge(5, 3, QStringLiteral(" "));
    sterge(6, 3, QStringLiteral(" "));
    sterge(7, 0, QStringLiteral("CP04"));
    sterge(9, 0, QStringLiteral("aux-intr")); // codes compare without regard to case
    EXPECT_FALSE(m_db->scalar(QStringLiteral("SELECT 1 FROM Banci WHERE [Cod Banca] = 3")).isValid());
    EXPECT_FALSE(m_db->scalar(QStringLiteral("SELECT 1 FROM Casierii WHERE [Cod Casierie] = 3")).isValid());
    EXPECT_FALSE(m_db->scalar(QStringLiteral("SELECT 1 FROM pOft WHERE Cod = 'CP04'")).isValid());
    EXPECT_FALSE(m_db->scalar(QStringLiteral("SELECT 1 FROM yC2 WHERE CodC = 'AUX-INTR'")).isValid());
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Count(*) FROM Banci")).toInt(), 4) << "only the one bank";
}

TEST_F(ProcedureTest, StergeRefusesRecordsInUseAndChangesNothing) {
    const QStringList tables{QStringLiteral("Banci"), QStringLiteral("Casierii"), QStringLiteral("pOft"),
                             QStringLiteral("yC2")};
    const QByteArray before = digest(tables);
    const struct {
        int what;
        int varInt;
        const char* varString;
        const char* message;
    } refusals[] = {
        {5, 1, " ", "Banca este folosita in conturile bancare ale tertilor si nu poate fi stearsa !"},
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
    EXPECT_EQ(digest(tables), before);
}

TEST_F(ProcedureTest, StartAddsASeriesFromTheWindowFields) {
    Serie s;
    s.casa = QStringLiteral("2");
    s.ambalaje = QStringLiteral("4");
    s.tipFactura = QStringLiteral("Cu ambalaje");
    EXPECT_EQ(start(15, 1, s), 0);
    const QueryResult r =
        m_db->query(QStringLiteral("SELECT Descriere, Tip, FirstDoc, LastDoc, CurrentDoc, TipFactura, "
                                   "TipHartie, NumarCopii, NrLinFactura, "
                                   "NrLinAmbalaje, Casierie FROM SeriiDocumente WHERE Serie = 'LEX'"));
    ASSERT_EQ(r.rows.rowCount(), 1u);
    const QStringList expected{QStringLiteral("Facturi export"),
                               QStringLiteral("F"),
                               QStringLiteral("1"),
                               QStringLiteral("999"),
                               QStringLiteral("1"),
                               QStringLiteral("Cu ambalaje"),
                               QStringLiteral("A4"),
                               QStringLiteral("2"),
                               QStringLiteral("18"),
                               QStringLiteral("4"),
                               QStringLiteral("2")};
    for (int c = 0; c < expected.size(); ++c)
        EXPECT_EQ(r.rows.value(0, c).toString(), expected[c]) << c;

    // A description another series has, trailing blanks and case aside, is refused.
    Serie same;
    same.serie = QStringLiteral("LEY");
    same.descriere = QStringLiteral("facturi EXPORT  ");
    EXPECT_EQ(start(15, 1, same), 12);

    Serie fara;
    fara.serie = QStringLiteral("LFC");
    fara.descriere = QStringLiteral("Facturi fara casa");
    fara.casa = QString(); // no cash desk, sent as "" or "0"
    EXPECT_EQ(start(15, 1, fara), 0);
    EXPECT_EQ(
        m_db->scalar(QStringLiteral("SELECT IsNull(Casierie, -1) FROM SeriiDocumente WHERE Serie = 'LFC'"))
            .toInt(),
        -1);
}

TEST_F(ProcedureTest, StartModifiesWhatIssuedDocumentsDoNotLock) {
    // Series 1 has documents issued: its description, last number and print options may change.
    Serie s = stored(1);
    s.descriere = QStringLiteral("Facturi mobilier 2026");
    s.last = QStringLiteral("6000");
    s.copii = QStringLiteral("3");
    EXPECT_EQ(start(13, 1, s), 0);
    const Serie after = stored(1);
    EXPECT_EQ(after.descriere, s.descriere);
    EXPECT_EQ(after.last, QStringLiteral("6000"));
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT CurrentDoc FROM SeriiDocumente WHERE IdSerie = 1")).toInt(),
              238);

    // Series 5 has none: everything may change and it starts again at its new first number.
    Serie n = stored(5);
    n.serie = QStringLiteral("LNN");
    n.first = QStringLiteral("50");
    n.tip = QStringLiteral("F");
    EXPECT_EQ(start(13, 5, n), 0);
    EXPECT_EQ(
        m_db->scalar(QStringLiteral("SELECT CurrentDoc FROM SeriiDocumente WHERE Serie = 'LNN'")).toInt(),
        50);
}

TEST_F(ProcedureTest, StartRefusesWithTenAndChangesNothing) {
    const QStringList tables{QStringLiteral("SeriiDocumente"), QStringLiteral("ConturiAmbalaje")};
    const QByteArray before = digest(tables);

    Serie duplicate;
    duplicate.serie = QStringLiteral("lmc"); // series codes compare without regard to case
    EXPECT_EQ(start(15, 1, duplicate), 10);

    const auto changed = [&](int id, auto edit) {
        Serie s = stored(id);
        edit(s);
        return start(13, id, s);
    };
    EXPECT_EQ(changed(1, [](Serie& s) { s.serie = QStringLiteral("LMX"); }), 10)
        << "series code of an issued series";
    EXPECT_EQ(changed(1, [](Serie& s) { s.first = QStringLiteral("2"); }), 10)
        << "first number of an issued series";
    EXPECT_EQ(changed(4, [](Serie& s) { s.tip = QStringLiteral("F"); }), 10) << "type of an issued series";
    EXPECT_EQ(changed(5, [](Serie& s) { s.serie = QStringLiteral("LMT"); }), 10) << "code of another series";

    EXPECT_EQ(start(14, 2, stored(2)), 10) << "a series with issued documents is kept";
    EXPECT_EQ(digest(tables), before);
}

TEST_F(ProcedureTest, StartDeletesASeriesWithItsPackagingAccounts) {
    m_db->execute(QStringLiteral("insert into ConturiAmbalaje values(5,'381.01')"));
    EXPECT_EQ(start(14, 5, stored(5)), 0);
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Count(*) FROM SeriiDocumente WHERE IdSerie = 5")).toInt(),
              0);
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Count(*) FROM ConturiAmbalaje WHERE IdSeriiD = 5")).toInt(),
              0);
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Count(*) FROM ConturiAmbalaje WHERE IdSeriiD = 2")).toInt(),
              3);
}

TEST_F(ProcedureTest, StartRaisesErrorsForBadCallsAndLeavesTheSeriesAlone) {
    const QStringList tables{QStringLiteral("SeriiDocumente"), QStringLiteral("ConturiAmbalaje")};
    const QByteArray before = digest(tables);
    errorOf([&] { start(13, 999, Serie{}); });
    errorOf([&] { start(14, 999, Serie{}); });
    errorOf([&] { start(12, 1, Serie{}); });
    Serie bad;
    bad.first = QStringLiteral("abc");
    errorOf([&] { start(15, 1, bad); });
    Serie noCashDesk;
    noCashDesk.casa = QStringLiteral("99");
    EXPECT_TRUE(errorOf([&] { start(15, 1, noCashDesk); }).isIntegrityViolation());
    EXPECT_EQ(digest(tables), before);
}

TEST_F(ProcedureTest, ProceduresJoinATransactionTheCallerOpened) {
    sqlite().begin();
    EXPECT_EQ(start(15, 1, Serie{}), 0);
    sterge(5, 3, QStringLiteral(" "));
    sqlite().rollback();
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Count(*) FROM SeriiDocumente WHERE Serie = 'LEX'")).toInt(),
              0);
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Count(*) FROM Banci WHERE [Cod Banca] = 3")).toInt(), 1);
}

} // namespace
} // namespace vornel::test
