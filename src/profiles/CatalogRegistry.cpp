#include "profiles/CatalogRegistry.h"

#include "profiles/Profiles.h"

namespace vornel {

namespace {

std::vector<CatalogProfile> build() {
    using namespace profiles;
    return {grupeAmortizari(),
            locatii(),
            normeProductie(),
            centreDeProductie(),
            angajati(),
            producatori(),
            tipuriDeProduse(),
            rateTva(),
            regimuriTva(),
            grupeDeProduse(),
            subgrupeDeProduse(),
            coduriVamale(),
            unitatiDeVinzare(),
            tipuriDeClienti(),
            tipuriDeFurnizori(),
            categoriiDeClienti(),
            categoriiDeFurnizori(),
            depozite(),
            casierii(),
            banci(),
            alteDocumenteIntrare(),
            alteDocumenteIesire(),
            documenteDeTransfer(),
            documenteCorectieTerti(),
            incasari(),
            plati(),
            grupeCentre(),
            subgrupeCentre(),
            clasaCont(),
            subclasaCont()};
}

const std::vector<CatalogProfile>& registry() {
    static const std::vector<CatalogProfile> profiles = build(); // immutable after first use
    return profiles;
}

} // namespace

namespace CatalogRegistry {

const CatalogProfile* find(const QString& caption) {
    for (const CatalogProfile& p : registry())
        if (p.caption == caption) return &p;
    return nullptr;
}

const CatalogProfile& profile(CatalogKind kind) {
    for (const CatalogProfile& p : registry())
        if (p.kind == kind) return p;
    return registry().front(); // every kind has its profile
}

QStringList captions() {
    QStringList out;
    for (const CatalogProfile& p : registry())
        out << p.caption;
    return out;
}

Entry entry(const QString& caption) {
    if (caption == u"Salarii") return {EntryWindow::Salarii, {}, {}};
    if (caption == u"Parametrii societate") return {EntryWindow::ParamSocietate, {}, {}};
    if (caption == u"Documente de iesire" || caption == u"Serii Avize")
        return {EntryWindow::ConfDocOut, {}, QStringLiteral("4341")};
    // The bank of a partner is kept in the banks' catalogue.
    if (caption == u"Banca Tert") return {EntryWindow::GridComun, QStringLiteral("Banci"), {}};
    return {EntryWindow::GridComun, caption, {}};
}

bool accepts(const QString& caption) {
    const Entry e = entry(caption);
    return e.window != EntryWindow::GridComun || find(e.catalogue) != nullptr;
}

} // namespace CatalogRegistry

} // namespace vornel
