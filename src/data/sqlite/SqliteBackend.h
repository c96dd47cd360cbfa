#pragma once
// The embedded backend: SQLite through its C API. T-SQL text is translated by TsqlDialect before
// it is prepared; the stored procedures "Vezi", "Sterge" and "Start" are native functions.

#include "data/Backend.h"

#include <QString>
#include <functional>
#include <map>

struct sqlite3;

namespace vornel {

class SqliteBackend : public Backend {
public:
    using Procedure = std::function<int(SqliteBackend&, std::vector<Parameter>&)>;

    // Opens (creating when `create`) the company database at `path` and attaches the
    // administration database `admPath` as AdmTivra. Throws DbError.
    SqliteBackend(const QString& path, const QString& admPath, bool create = false, bool readOnly = false);
    ~SqliteBackend() override;

    int execute(const QString& sql, const std::vector<QVariant>& params = {}) override;
    QueryResult query(const QString& sql, const std::vector<QVariant>& params = {}) override;
    std::unique_ptr<QueryCursor> openCursor(const QString& sql) override;
    int callProcedure(const QString& name, std::vector<Parameter>& params) override;
    QVariant lastInsertId() override;
    void begin() override;
    void beginWrite() override;
    void commit() override;
    void rollback() override;
    std::vector<QString> primaryKey(const QString& table) override;
    std::vector<QString> columns(const QString& table) override;
    QString engineName() const override { return QStringLiteral("SQLite"); }
    Sql::LikeDialect likeDialect() const override { return Sql::LikeDialect::EscapeClause; }

    // Runs SQLite's own SQL (no T-SQL translation): schema scripts, PRAGMAs.
    void executeNative(const QString& script);
    void registerProcedure(const QString& name, Procedure procedure);
    void setBusyTimeout(int milliseconds);
    sqlite3* handle() const { return m_db; }

private:
    struct Statement;
    class Cursor;
    [[noreturn]] void fail(int rc) const;
    int run(const QByteArray& sql, const std::vector<QVariant>& params);
    void describeColumns(Statement& st, const QByteArray& sql, const std::vector<bool>& named,
                         std::vector<Column>& columns);
    std::vector<QString> tableInfo(const QString& table, bool keyOnly);
    void bindParameters(Statement& st, const std::vector<QVariant>& params, std::size_t& next);

    sqlite3* m_db = nullptr;
    std::map<QString, Procedure> m_procedures; // keys in lower case
};

} // namespace vornel
