#pragma once
// The column widths and order a user gave a list, kept in the user's settings (organisation
// "Vornel", application "vornel") per list and per user of the component.

#include <QString>
#include <map>
#include <vector>

namespace vornel {

struct ColumnLayout {
    std::map<int, int> widths; // column -> twips, for the columns the user resized
    std::vector<int> order;    // columns in the order shown; empty for the list's own order

    bool isEmpty() const { return widths.empty() && order.empty(); }

    // The layout kept for the current user of the component context under the key.
    static ColumnLayout load(const QString& key);
    void save(const QString& key) const;
    static void forget(const QString& key);
};

} // namespace vornel
