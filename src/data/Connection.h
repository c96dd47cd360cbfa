#pragma once
// An open connection to the company database, opened from a connection string:
//   sqlite:PATH           embedded database; the administration database is attached as AdmTivra
//                         (PATH with ".adm" appended, or the file named by ;adm=PATH2)
//   odbc:CONNECTION       any ODBC connection string (Driver=...;Server=...;Database=...)
// Every statement, query and procedure call passes the observers first.

#include "Backend.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace vornel {

class Connection {
public:
    using Observer = std::function<void(const QString& sql)>;

    static std::shared_ptr<Connection> open(const QString& connectionString);
    explicit Connection(std::unique_ptr<Backend> backend, QString connectionString = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs SQL text unchanged; returns the number of rows affected. Throws DbError.
    int execute(const QString& sql);
    int execute(const QString& sql, const std::vector<QVariant>& params);
    QueryResult query(const QString& sql);
    QueryResult query(const QString& sql, const std::vector<QVariant>& params);
    // A query whose rows are read as they are asked for (see QueryCursor).
    std::unique_ptr<QueryCursor> openCursor(const QString& sql);
    int callProcedure(const QString& name, std::vector<Parameter>& params);

    // Returns the first column of the first row, NULL (invalid) when there is no row.
    QVariant scalar(const QString& sql);

    // Observers see the exact text of every statement before it runs (procedure calls as
    // "EXEC name @p=value, ...").
    int addObserver(Observer observer);
    void removeObserver(int id);

    // Reads that cursors on this connection have not finished. Before a statement or procedure
    // runs, or a transaction begins, they are read to their end: a change never interleaves with
    // an open read (SQLite would abort the read on a rollback).
    int addPendingRead(std::function<void()> finish);
    void removePendingRead(int id);
    void finishPendingReads();

    Backend& backend();
    const QString& connectionString() const { return m_connectionString; }
    bool isOpen() const { return m_backend != nullptr; }
    void close();

private:
    void notify(const QString& sql);
    void ensureOpen() const;

    std::unique_ptr<Backend> m_backend;
    QString m_connectionString;
    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserver = 1;
    std::vector<std::pair<int, std::function<void()>>> m_pendingReads;
    int m_nextPendingRead = 1;
};

// Commits at the end of scope when commit() was called; rolls back if an exception leaves it.
// A transaction for writing takes the engine's write lock at once (Backend::beginWrite).
class Transaction {
public:
    enum class Kind { Default, Write };
    explicit Transaction(Connection& connection, Kind kind = Kind::Default);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& m_connection;
    bool m_done = false;
};

} // namespace vornel
