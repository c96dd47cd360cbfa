#pragma once
// A lookup in the code chooser: the title of its window, the list it offers and the widths of
// the list's first columns (twips).

#include <QString>
#include <vector>

namespace vornel {

enum class ChooserList {
    Accounts,       // the chart of accounts
    ProductGroups,  // product groups
    AccountClasses, // classes of the chart of accounts
    CostCentres,    // cost centres of a production centre (first-level centre groups)
    CentreGroups    // centre groups, with their category
};

struct Lookup {
    QString title{};
    ChooserList list = ChooserList::Accounts;
    std::vector<int> widths = {3000, 4000};
};

} // namespace vornel
