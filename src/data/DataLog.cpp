#include "data/DataLog.h"

#include "data/DbError.h"

namespace vornel {

Q_LOGGING_CATEGORY(logData, "vornel.data", QtInfoMsg)
Q_LOGGING_CATEGORY(logOdbc, "vornel.odbc", QtInfoMsg)

void logFailure(const QString& engine, const QString& statement, const DbError& error) {
    const QString code =
        error.sqlState().isEmpty()
            ? QStringLiteral("%1 code %2").arg(engine).arg(error.nativeCode())
            : QStringLiteral("SQLSTATE %1, native %2").arg(error.sqlState()).arg(error.nativeCode());
    const QString line = QStringLiteral("%1 failed: %2 [%3, %4]")
                             .arg(statement, error.description(), code, error.numberText());
    if (engine == QLatin1String("ODBC"))
        qCWarning(logOdbc).noquote() << line;
    else
        qCWarning(logData).noquote() << line;
}

} // namespace vornel
