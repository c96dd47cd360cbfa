#pragma once
// The profiles of the catalogues, one function each, grouped by the files that define them.

#include "profiles/CatalogProfile.h"

namespace vornel::profiles {

// AssetProfiles.cpp
CatalogProfile grupeAmortizari();
CatalogProfile locatii();
CatalogProfile normeProductie();
// ProductProfiles.cpp
CatalogProfile producatori();
CatalogProfile tipuriDeProduse();
CatalogProfile grupeDeProduse();
CatalogProfile subgrupeDeProduse();
CatalogProfile coduriVamale();
CatalogProfile unitatiDeVinzare();
// PartnerProfiles.cpp
CatalogProfile tipuriDeClienti();
CatalogProfile tipuriDeFurnizori();
CatalogProfile categoriiDeClienti();
CatalogProfile categoriiDeFurnizori();
CatalogProfile banci();
// AccountingProfiles.cpp
CatalogProfile rateTva();
CatalogProfile regimuriTva();
CatalogProfile clasaCont();
CatalogProfile subclasaCont();
CatalogProfile incasari();
CatalogProfile plati();
// DocumentProfiles.cpp
CatalogProfile alteDocumenteIntrare();
CatalogProfile alteDocumenteIesire();
CatalogProfile documenteDeTransfer();
CatalogProfile documenteCorectieTerti();
// CentreProfiles.cpp
CatalogProfile centreDeProductie();
CatalogProfile grupeCentre();
CatalogProfile subgrupeCentre();
// StoreProfiles.cpp
CatalogProfile depozite();
CatalogProfile casierii();
CatalogProfile angajati();

} // namespace vornel::profiles
