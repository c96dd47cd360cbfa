#include "data/Command.h"
#include "data/DbError.h"
#include "entry/ComponentContext.h"

#include <QLocale>
#include <cmath>

namespace vornel {

namespace {

// The answer of "Vezi" for action tip on the screen of rightsCode: true when allowed. A refusal
// shows its message unless quiet; a database error always shows and refuses.
bool askVezi(const QString& tip, const QString& rightsCode, bool quiet) {
    auto& context = ComponentContext::current();
    int answer = 0;
    try {
        Command command(context.connection);
        command.setCommandType(CommandType::StoredProcedure);
        command.setCommandText(QStringLiteral("Vezi"));
        command.append(QStringLiteral("RETURN_VALUE"), DataType::Integer, ParameterDirection::ReturnValue, 0);
        command.append(QStringLiteral("nr"), DataType::VarWChar, ParameterDirection::Input, 50, rightsCode);
        command.append(QStringLiteral("tip"), DataType::VarWChar, ParameterDirection::Input, 1, tip);
        command.append(QStringLiteral("user"), DataType::BigInt, ParameterDirection::Input, 0,
                       QVariant::fromValue<qint64>(context.idUsers));
        command.append(QStringLiteral("IdSoc"), DataType::BigInt, ParameterDirection::Input, 0,
                       QVariant::fromValue<qint64>(context.idSoc));
        command.execute();
        answer = command.parameter(QStringLiteral("RETURN_VALUE")).value.toInt();
    } catch (const DbError& error) {
        // Without an answer from the database the action does not start.
        context.Afiseaza(error.description(), MessageIcon::Error, MessageButtons::Ok,
                         QStringLiteral("Eroare"));
        return false;
    }
    if (answer == 1) {
        if (quiet) return false;
        context.Afiseaza(QStringLiteral("Pentru aceasta operatiune nu aveti acces!") +
                             QStringLiteral("\r\n") + QStringLiteral("Contactati administratorul de retea !"),
                         MessageIcon::Information, MessageButtons::Ok, QStringLiteral("Cerere respinsa!"),
                         3000, 4500);
        return false;
    }
    return true;
}

} // namespace

bool VerificaAcces(const QString& tip) {
    return askVezi(tip, ComponentContext::current().rightsCode, false);
}

bool VerificaAcces(const QString& tip, const QString& rightsCode) {
    return askVezi(tip, rightsCode, false);
}

bool Permis(const QString& tip, const QString& rightsCode) {
    return askVezi(tip, rightsCode, true);
}

QString NumarCuPunct(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString separator = locale.decimalPoint();
    // Fifteen significant digits, as the ordinary text form of a double shows them, without exponent.
    QString text;
    if (value == 0.0) {
        text = QStringLiteral("0");
    } else {
        text = locale.toString(value, 'g', 15);
        if (text.contains(u'e') || text.contains(u'E')) {
            const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
            text = locale.toString(value, 'f', qBound(0, 14 - magnitude, 340));
            if (text.contains(separator)) {
                while (text.endsWith(u'0'))
                    text.chop(1);
                if (text.endsWith(separator)) text.chop(separator.size());
            }
        }
    }
    if (locale.negativeSign() != QLatin1String("-")) text.replace(locale.negativeSign(), QStringLiteral("-"));
    if (separator != QLatin1String(".")) text.replace(separator, QStringLiteral("."));
    return text;
}

} // namespace vornel
