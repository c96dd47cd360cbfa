#include "Command.h"

#include "Connection.h"
#include "DbError.h"

namespace vornel {

Command::Command(std::shared_ptr<Connection> connection) : m_connection(std::move(connection)) {}

Parameter& Command::append(Parameter parameter) {
    m_params.push_back(std::move(parameter));
    return m_params.back();
}

Parameter& Command::append(const QString& name, DataType type, ParameterDirection direction, int size,
                           const QVariant& value) {
    return append(Parameter{name, type, direction, size, value});
}

Parameter& Command::parameter(int index) {
    if (index < 0 || index >= parameterCount())
        throw DbError(ErrorNumber::BadArgument, QStringLiteral("Parametrul %1 nu exista.").arg(index));
    return m_params[static_cast<std::size_t>(index)];
}

Parameter& Command::parameter(const QString& name) {
    Parameter* p = findParameter(m_params, name);
    if (!p) throw DbError(ErrorNumber::BadArgument, QStringLiteral("Parametrul %1 nu exista.").arg(name));
    return *p;
}

int Command::execute() {
    if (!m_connection) throw DbError(ErrorNumber::Closed, QStringLiteral("Comanda nu are conexiune."));
    if (m_type == CommandType::Text) return m_connection->execute(m_text);
    const int result = m_connection->callProcedure(m_text, m_params);
    for (Parameter& p : m_params)
        if (p.direction == ParameterDirection::ReturnValue) p.value = result;
    return result;
}

} // namespace vornel
