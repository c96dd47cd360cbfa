#include "profiles/EditorProfile.h"

namespace vornel {

QString EditorInput::operator[](Field field) const {
    const auto found = texts.find(field);
    return found == texts.end() ? QString() : found->second;
}

QString accountQuery(const QString& account) {
    return "SELECT 'x' FROM zConta_Plan WHERE zConta_Plan.Cont='" + StatementBuilder::trimmed(account) + "'";
}

QString costCentreQuery(const QString& code) {
    return "SELECT 'x' FROM yC1 WHERE Cod ='" + StatementBuilder::trimmed(code) + "'";
}

QString minutesText(const QString& text) {
    const QString value = text.trimmed().isEmpty() ? QStringLiteral("0") : text;
    return Sql::leadingNumber(value) == 0 ? QStringLiteral("1") : value;
}

QString programFolder(const QString& path) {
    QString folder = path.trimmed();
    if (folder.endsWith(u'\\')) folder.chop(1);
    return folder;
}

} // namespace vornel
