#pragma once
// A command on a connection: SQL text or a stored procedure with parameters and a return value.

#include "Parameter.h"

#include <QString>
#include <memory>
#include <vector>

namespace vornel {

class Connection;

enum class CommandType { Text = 1, StoredProcedure = 4 };

class Command {
public:
    explicit Command(std::shared_ptr<Connection> connection);

    void setCommandType(CommandType type) { m_type = type; }
    void setCommandText(const QString& text) { m_text = text; }
    void setNamedParameters(bool named) { m_named = named; }

    Parameter& append(Parameter parameter);
    Parameter& append(const QString& name, DataType type, ParameterDirection direction, int size,
                      const QVariant& value = {});
    int parameterCount() const { return static_cast<int>(m_params.size()); }
    Parameter& parameter(int index);
    Parameter& parameter(const QString& name); // ignores case and "@"; throws DbError if absent
    const std::vector<Parameter>& parameters() const { return m_params; }

    // Runs the command; for a procedure, the return value parameter receives the return value.
    // Returns the rows affected for text, the return value for a procedure.
    int execute();

private:
    std::shared_ptr<Connection> m_connection;
    CommandType m_type = CommandType::Text;
    QString m_text;
    bool m_named = false;
    std::vector<Parameter> m_params;
};

} // namespace vornel
