#pragma once
// The product type catalogue: its nine categories, the accounts each category needs, and the SQL
// text of the product type editor's save. Text values pass through Sql::text.

#include "profiles/EditorProfile.h"

#include <QString>
#include <QStringList>

namespace vornel::ProductType {

// The category names in Fel order (0 to 8).
const QStringList& categories();

// The category of a name as the list shows it; the list spells category 8 "Produse Lhoan".
// -1 for a name that is no category.
int categoryOf(const QString& listText);

// The account fields a category shows and requires.
struct Accounts {
    bool stock = false;
    bool expense = false;
    bool revenue = false;
};
Accounts accountsOf(int category);

// The account field to go to when the validated accounts do not satisfy the category.
enum class Missing { None, Stock, Expense, Revenue };
Missing missingAccount(int category, const QString& stock, const QString& expense, const QString& revenue);

// Everything the save statement is built from; accounts are the validated values.
struct Input {
    EditMode mode = EditMode::Add;
    QString loadedCode;
    QString code;
    int category = 0;
    QString description;
    QString stock;
    QString expense;
    QString revenue;
};

// True when the save has to ask whether the code is already taken: every add, and a modify whose
// code differs from the loaded one (letter case counts).
bool needsCountQuery(const Input& in);
QString countQuery(const QString& code);
// The INSERT (mode "A") or UPDATE (mode "M"); empty for a category outside 0 to 8.
QString saveStatement(const Input& in);
// The code the record has once saved: as typed when added, trimmed of blanks when changed.
QString savedCode(const Input& in);

} // namespace vornel::ProductType
