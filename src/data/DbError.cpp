#include "DbError.h"

namespace vornel {

DbError::DbError(std::uint32_t number, QString description, int nativeCode, QString sqlState)
    : m_number(number), m_description(std::move(description)), m_nativeCode(nativeCode),
      m_sqlState(std::move(sqlState)) {
    m_what = (numberText() + QStringLiteral(": ") + m_description).toStdString();
}

QString DbError::numberText() const {
    return QStringLiteral("0x") + QString::number(m_number, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

} // namespace vornel
