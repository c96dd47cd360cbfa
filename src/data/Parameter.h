#pragma once
// A command parameter as ADO knows it: name, type, direction, size and value.

#include <QString>
#include <QVariant>
#include <vector>

namespace vornel {

// Values are those of ADO's DataTypeEnum.
enum class DataType {
    SmallInt = 2,
    Integer = 3,
    Double = 5,
    Currency = 6,
    Date = 7,
    Boolean = 11,
    TinyInt = 16,
    BigInt = 20,
    VarChar = 200,
    VarWChar = 202,
};

enum class ParameterDirection { Input = 1, Output = 2, InputOutput = 3, ReturnValue = 4 };

struct Parameter {
    QString name;
    DataType type = DataType::VarWChar;
    ParameterDirection direction = ParameterDirection::Input;
    int size = 0;
    QVariant value; // invalid QVariant is NULL
};

// Looks a parameter up by name, ignoring case and a leading "@"; nullptr when absent.
const Parameter* findParameter(const std::vector<Parameter>& params, const QString& name);
Parameter* findParameter(std::vector<Parameter>& params, const QString& name);

} // namespace vornel
