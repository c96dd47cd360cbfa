#pragma once
// A database whose only ability is a stored procedure answering with a scripted value.

#include "data/Backend.h"
#include "data/DbError.h"

namespace vornel::test {

class ScriptedBackend : public Backend {
public:
    int answer = 0;
    bool fail = false;
    QString procedure;
    std::vector<Parameter> received;

    int execute(const QString&, const std::vector<QVariant>&) override { return 0; }
    QueryResult query(const QString&, const std::vector<QVariant>&) override {
        return QueryResult{{}, RowStore(0)};
    }
    int callProcedure(const QString& name, std::vector<Parameter>& params) override {
        procedure = name;
        received = params;
        if (fail)
            throw DbError(ErrorNumber::NoTable, QStringLiteral("Could not find stored procedure 'Vezi'."));
        if (Parameter* ret = findParameter(params, QStringLiteral("RETURN_VALUE"))) ret->value = answer;
        return answer;
    }
    QVariant lastInsertId() override { return {}; }
    void begin() override {}
    void commit() override {}
    void rollback() override {}
    std::vector<QString> primaryKey(const QString&) override { return {}; }
    std::vector<QString> columns(const QString&) override { return {}; }
    QString engineName() const override { return QStringLiteral("Scripted"); }
};

} // namespace vornel::test
