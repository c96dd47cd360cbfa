#pragma once
// A small company-like database in a temporary folder, opened through a Connection.

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/sqlite/SqliteBackend.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vornel::test {

inline const char* const kSchema = R"(
CREATE TABLE Grupe (Id INTEGER PRIMARY KEY, Cod nvarchar(10) COLLATE NOCASE NOT NULL UNIQUE,
                    Denumire nvarchar(50) COLLATE NOCASE, Pret float);
INSERT INTO Grupe VALUES (1, 'AB1', 'Alfa', 1.5), (2, 'ab2', 'Beta', 2), (3, 'CD3', 'gama', NULL),
                         (4, 'X*Y', '', 10);
CREATE TABLE Parinte (Cod nvarchar(10) COLLATE NOCASE PRIMARY KEY, Nume nvarchar(30));
INSERT INTO Parinte VALUES ('P1', 'Unu'), ('P2', 'Doi');
CREATE TABLE Copil (Id INTEGER PRIMARY KEY, Parinte nvarchar(10) NOT NULL REFERENCES Parinte(Cod),
                    Nota int CHECK (Nota >= 0));
INSERT INTO Copil VALUES (1, 'P1', 5);
)";

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("firma.db"));
        {
            SqliteBackend creator(m_path, {}, true);
            creator.executeNative(QString::fromUtf8(kSchema));
        }
        m_db = Connection::open(QStringLiteral("sqlite:") + m_path);
    }

    SqliteBackend& sqlite() { return static_cast<SqliteBackend&>(m_db->backend()); }

    // Every row of a table in key order, as one text: compares the whole table before and after.
    QString digest(const QString& table) {
        QString text;
        const QueryResult r =
            m_db->query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY 1"));
        for (std::size_t row = 0; row < r.rows.rowCount(); ++row) {
            for (int c = 0; c < r.rows.columnCount(); ++c)
                text += (r.rows.isNull(row, c) ? QStringLiteral("<null>") : r.rows.value(row, c).toString()) +
                        QLatin1Char('|');
            text += QLatin1Char('\n');
        }
        return text;
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::shared_ptr<Connection> m_db;
};

// Runs `f` and returns the DbError it throws; fails the test when it throws none.
template <typename F> DbError errorOf(F&& f) {
    try {
        f();
    } catch (const DbError& e) {
        return e;
    }
    ADD_FAILURE() << "no DbError thrown";
    return DbError(0, {});
}

} // namespace vornel::test
