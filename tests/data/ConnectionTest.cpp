#include "TestDatabase.h"

#include "data/Command.h"
#include "data/DbError.h"

namespace vornel::test {
namespace {

class ConnectionTest : public DatabaseTest {};

TEST_F(ConnectionTest, IntegrityViolationsAllCarryTheSameNumber) {
    const QString before = digest(QStringLiteral("Copil"));
    const char* statements[] = {
        "INSERT INTO Grupe (Cod) VALUES ('ab1')",             // unique, other letter case
        "INSERT INTO Grupe (Id, Cod) VALUES (1, 'ZZ')",       // primary key
        "INSERT INTO Copil (Parinte) VALUES ('P7')",          // foreign key
        "INSERT INTO Copil (Parinte, Nota) VALUES (NULL, 1)", // not null
        "UPDATE Copil SET Nota = -1",                         // check
        "DELETE FROM Parinte WHERE Cod = 'P1'",               // still referenced
    };
    for (const char* sql : statements)
        EXPECT_TRUE(errorOf([&] { m_db->execute(QString::fromLatin1(sql)); }).isIntegrityViolation()) << sql;
    EXPECT_EQ(digest(QStringLiteral("Copil")), before);
    EXPECT_EQ(m_db->execute(QStringLiteral("UPDATE Copil SET Nota = 6")), 1); // still usable
}

QStringList g_logged;

TEST_F(ConnectionTest, BadStatementsAreCommandOrTableErrorsAndLogged) {
    g_logged.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& message) {
            g_logged << QString::fromLatin1(context.category) + QStringLiteral(": ") + message;
        });
    EXPECT_EQ(errorOf([&] { m_db->query(QStringLiteral("SELECT * FROM Lipsa")); }).number(),
              ErrorNumber::NoTable);
    EXPECT_EQ(errorOf([&] { m_db->query(QStringLiteral("SELECT Lipsa FROM Grupe")); }).number(),
              ErrorNumber::Command);
    EXPECT_EQ(errorOf([&] { m_db->execute(QStringLiteral("UPDATE Grupe SETT x = 1")); }).number(),
              ErrorNumber::Command);
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT count(*) FROM Grupe")).toInt(), 4);
    qInstallMessageHandler(previous);
    ASSERT_EQ(g_logged.size(), 3);
    EXPECT_EQ(g_logged[0], "vornel.data: SELECT * FROM Lipsa failed: no such table: Lipsa [SQLite code 1, "
                           "0x80040E37]");
}

TEST_F(ConnectionTest, SeveralStatementsInOneTextAllRun) {
    EXPECT_EQ(m_db->execute(
                  QStringLiteral("UPDATE Grupe SET Pret = 1 WHERE Id = 1; DELETE FROM Grupe WHERE Id > 2;")),
              3);
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT count(*) FROM Grupe;")).toInt(), 2);
}

// Observers see each statement as it was given (the scenarios compare them), and a procedure call
// as the EXEC text SQL Server would run; a removed observer sees nothing more.
TEST_F(ConnectionTest, ObserversSeeTheExactText) {
    std::vector<QString> seen;
    const int id = m_db->addObserver([&](const QString& sql) { seen.push_back(sql); });
    sqlite().registerProcedure(QStringLiteral("Proba"),
                               [](SqliteBackend&, std::vector<Parameter>&) { return 0; });
    std::vector<Parameter> params{
        {QStringLiteral("RETURN_VALUE"), DataType::Integer, ParameterDirection::ReturnValue, 4, {}},
        in("nr", DataType::VarWChar, QStringLiteral("O'K"), 10),
        in("@tip", DataType::Integer, 3)};
    m_db->callProcedure(QStringLiteral("Proba"), params);
    m_db->removeObserver(id);
    m_db->execute(QStringLiteral("SELECT 2"));
    EXPECT_EQ(seen, std::vector<QString>{QStringLiteral("EXEC Proba @nr='O''K', @tip=3")});
}

TEST_F(ConnectionTest, CommandCallsAProcedureAndReceivesItsResults) {
    sqlite().registerProcedure(QStringLiteral("Aduna"), [](SqliteBackend&, std::vector<Parameter>& p) {
        const int sum = findParameter(p, QStringLiteral("a"))->value.toInt() +
                        findParameter(p, QStringLiteral("b"))->value.toInt();
        findParameter(p, QStringLiteral("suma"))->value = sum;
        return sum > 10 ? 1 : 0;
    });
    Command cmd(m_db);
    cmd.setCommandType(CommandType::StoredProcedure);
    cmd.setCommandText(QStringLiteral("Aduna"));
    cmd.setNamedParameters(true);
    cmd.append(QStringLiteral("RETURN_VALUE"), DataType::Integer, ParameterDirection::ReturnValue, 4);
    cmd.append(QStringLiteral("@A"), DataType::Integer, ParameterDirection::Input, 4, 7);
    cmd.append(QStringLiteral("b"), DataType::Integer, ParameterDirection::Input, 4, 5);
    cmd.append(QStringLiteral("suma"), DataType::Integer, ParameterDirection::Output, 4);
    EXPECT_EQ(cmd.execute(), 1);
    EXPECT_EQ(cmd.parameter(QStringLiteral("return_value")).value.toInt(), 1);
    EXPECT_EQ(cmd.parameter(QStringLiteral("@SUMA")).value.toInt(), 12);
    EXPECT_EQ(errorOf([&] { cmd.parameter(QStringLiteral("c")); }).number(), ErrorNumber::BadArgument);

    Command missing(m_db);
    missing.setCommandType(CommandType::StoredProcedure);
    missing.setCommandText(QStringLiteral("Nimeni"));
    const DbError e = errorOf([&] { missing.execute(); });
    EXPECT_EQ(e.number(), ErrorNumber::NoTable);
    EXPECT_EQ(e.description(), QStringLiteral("Could not find stored procedure 'Nimeni'."));
}

TEST_F(ConnectionTest, OpeningChecksTheFilesAndAttachesTheAdministration) {
    const QString missing = m_dir.filePath(QStringLiteral("lipsa.db"));
    EXPECT_TRUE(errorOf([&] { Connection::open(QStringLiteral("sqlite:") + missing); })
                    .description()
                    .contains(missing));
    EXPECT_FALSE(QFile::exists(missing)); // never created
    EXPECT_THROW(Connection::open(QStringLiteral("sqlite:") + m_path + QStringLiteral(";adm=") + missing),
                 DbError);
    EXPECT_THROW(Connection::open(QStringLiteral("mysql:x")), DbError);

    const QString adm = m_dir.filePath(QStringLiteral("admin.db"));
    SqliteBackend(adm, {}, true)
        .executeNative(QStringLiteral("CREATE TABLE Societati (IdSoc INTEGER PRIMARY KEY, Nume nvarchar(40));"
                                      "INSERT INTO Societati VALUES (1, 'Firma')"));
    auto both = Connection::open(QStringLiteral("sqlite:") + m_path + QStringLiteral(";adm=") + adm);
    EXPECT_EQ(both->scalar(QStringLiteral("SELECT Nume FROM AdmTivra.dbo.Societati")).toString(), "Firma");
    EXPECT_EQ(both->backend().primaryKey(QStringLiteral("AdmTivra.Societati")),
              std::vector<QString>{QStringLiteral("IdSoc")});
}

TEST_F(ConnectionTest, TransactionRollsBackUnlessCommitted) {
    try {
        Transaction t(*m_db);
        m_db->execute(QStringLiteral("DELETE FROM Copil"));
        m_db->execute(QStringLiteral("INSERT INTO Copil (Parinte) VALUES ('P7')"));
        t.commit();
    } catch (const DbError&) {
    }
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT count(*) FROM Copil")).toInt(), 1);
    {
        Transaction t(*m_db);
        m_db->execute(QStringLiteral("DELETE FROM Copil"));
        t.commit();
    }
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT count(*) FROM Copil")).toInt(), 0);
}

} // namespace
} // namespace vornel::test
