#include "HostMenus.h"

#include "profiles/CatalogRegistry.h"

namespace vornel::host {

std::vector<MenuGroup> menuGroups() {
    std::vector<MenuGroup> groups = {
        {QStringLiteral("Produse"),
         {"Tipuri de produse", "Grupe de produse", "Subgrupe de produse", "Rate TVA", "Regimuri TVA",
          "Coduri vamale", "Unitati de vinzare", "Producatori", "Depozite"}},
        {QStringLiteral("Terti"),
         {"Tipuri de clienti", "Tipuri de furnizori", "Categorii de clienti", "Categorii de furnizori",
          "Banca Tert"}},
        {QStringLiteral("Trezorerie"), {"Banci", "Casierii", "Incasari", "Plati"}},
        {QStringLiteral("Documente"),
         {"Alte Documente Intrare", "Alte Documente Iesire", "Documente de Transfer",
          "Documente Corectie Terti", "Documente de iesire", "Serii Avize"}},
        {QStringLiteral("Contabilitate"),
         {"Clasa Cont", "Subclasa Cont", "Grupe Centre", "Subgrupe Centre", "Grupe Amortizari", "Locatii",
          "Parametrii societate"}},
        {QStringLiteral("Productie"), {"Centre de productie", "Norme Productie"}},
        {QStringLiteral("Personal"), {"Angajati", "Salarii"}},
    };
    const QStringList catalogues = CatalogRegistry::captions();
    // Only captions the component accepts stay in the menus.
    for (MenuGroup& group : groups) {
        QStringList kept;
        for (const QString& caption : group.captions)
            if (CatalogRegistry::accepts(caption)) kept << caption;
        group.captions = kept;
    }
    MenuGroup others{QStringLiteral("Altele"), {}};
    for (const QString& caption : catalogues) {
        bool placed = false;
        for (const MenuGroup& group : groups)
            placed = placed || group.captions.contains(caption);
        if (!placed) others.captions << caption;
    }
    if (!others.captions.isEmpty()) groups.push_back(others);
    return groups;
}

} // namespace vornel::host
