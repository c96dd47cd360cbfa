#include "editors/ProductTypeStatements.h"

#include "data/SqlText.h"

namespace vornel::ProductType {

namespace {

constexpr int kCategories = 9;

// Blanks only, as the suite trims: tabs and line breaks stay part of the value.
QString trimBlanks(const QString& value) {
    qsizetype first = 0;
    qsizetype last = value.size();
    while (first < last && value.at(first) == u' ')
        ++first;
    while (last > first && value.at(last - 1) == u' ')
        --last;
    return value.mid(first, last - first);
}

QString q(const QString& value) {
    return Sql::text(value);
}

} // namespace

const QStringList& categories() {
    static const QStringList names = {QStringLiteral("Mat. Stocate cu NIR"),
                                      QStringLiteral("Mat. Stocate fara NIR"),
                                      QStringLiteral("Materiale Nestocate"),
                                      QStringLiteral("Produse Finite"),
                                      QStringLiteral("Prod. Fin. Consignatie"),
                                      QStringLiteral("Servicii"),
                                      QStringLiteral("Alte Cheltuieli"),
                                      QStringLiteral("Mijloace Fixe"),
                                      QStringLiteral("Produse Lohn")};
    return names;
}

int categoryOf(const QString& listText) {
    if (listText == u"Produse Lhoan") return 8;
    return static_cast<int>(categories().indexOf(listText));
}

Accounts accountsOf(int category) {
    switch (category) {
    case 0:
    case 1:
        return {true, true, false};
    case 2:
    case 6:
        return {false, true, false};
    case 3:
    case 4:
    case 7:
        return {true, true, true};
    case 5:
        return {false, true, true};
    default:
        return {};
    }
}

Missing missingAccount(int category, const QString& stock, const QString& expense, const QString& revenue) {
    const Accounts needed = accountsOf(category);
    // Expense first, then revenue, then stock: the order the fields are visited in.
    if (needed.expense && expense.isEmpty()) return Missing::Expense;
    if (needed.revenue && revenue.isEmpty()) return Missing::Revenue;
    if (needed.stock && stock.isEmpty()) return Missing::Stock;
    return Missing::None;
}

bool needsCountQuery(const Input& in) {
    return in.mode != EditMode::Modify || in.code != in.loadedCode;
}

QString countQuery(const QString& code) {
    return "SELECT Count(*) FROM TipuriProduse WHERE [Tip Produs] = '" + q(code) + "'";
}

QString savedCode(const Input& in) {
    if (in.mode != EditMode::Modify) return in.code;
    return in.code == in.loadedCode ? in.loadedCode : trimBlanks(in.code);
}

QString saveStatement(const Input& in) {
    if (in.category < 0 || in.category >= kCategories) return {};
    const QString fel = QString::number(in.category);
    if (in.mode != EditMode::Modify)
        return "INSERT INTO TipuriProduse ( [Tip Produs], Fel, Descrire, [Cont Venit] , [Cont Cheltuiala], "
               "Cont) "
               "Values ('" +
               q(in.code) + "', " + fel + ", '" + q(in.description) + "', '" + q(in.revenue) + "', '" +
               q(in.expense) + "', '" + q(in.stock) + "')";
    const QString newCode =
        in.code == in.loadedCode ? QString() : "[Tip Produs]='" + q(trimBlanks(in.code)) + "', ";
    return "UPDATE TipuriProduse SET " + newCode + "[Fel]=" + fel + ", [Descrire]='" +
           q(trimBlanks(in.description)) + "', [Cont Venit]='" + q(trimBlanks(in.revenue)) +
           "', [Cont Cheltuiala]='" + q(trimBlanks(in.expense)) + "', [Cont] = '" + q(in.stock) +
           "'  WHERE [Tip Produs]='" + q(trimBlanks(in.loadedCode)) + "'";
}

} // namespace vornel::ProductType
