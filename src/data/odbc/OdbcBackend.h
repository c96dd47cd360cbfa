#pragma once
// The production backend: any ODBC driver (SQL Server through FreeTDS or Microsoft's driver;
// SQLite's ODBC driver in our tests). SQL text is sent unchanged.

#include "data/Backend.h"

#include <QString>
#include <memory>

namespace vornel {

class OdbcBackend : public Backend {
public:
    // Connects with an ODBC connection string ("Driver=...;Server=...;Database=..."). Throws DbError
    // naming what failed (driver missing, server unreachable, login refused).
    explicit OdbcBackend(const QString& connectionString);
    ~OdbcBackend() override;

    int execute(const QString& sql, const std::vector<QVariant>& params = {}) override;
    QueryResult query(const QString& sql, const std::vector<QVariant>& params = {}) override;
    int callProcedure(const QString& name, std::vector<Parameter>& params) override;
    QVariant lastInsertId() override;
    void begin() override;
    void commit() override;
    void rollback() override;
    QString rowLockHint() const override;
    std::vector<QString> primaryKey(const QString& table) override;
    std::vector<QString> columns(const QString& table) override;
    QString engineName() const override { return QStringLiteral("ODBC"); }

private:
    struct Handles;
    // Reconnects first when the last call lost the connection; marks it lost when `work` does.
    template <typename Work> auto guarded(Work&& work);

    std::unique_ptr<Handles> m_h;
};

} // namespace vornel
