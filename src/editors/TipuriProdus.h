#pragma once
// The product type editor: code, category, description and the accounts the category needs.

#include "catalogs/ChooserTarget.h"
#include "controls/FormWindow.h"

namespace vornel {

class TipuriProdus : public FormWindow, public ChooserTarget {
    Q_OBJECT
public:
    TipuriProdus();
    ~TipuriProdus() override;

    // Opens the editor in mode "A" or "M"; an empty origin means the catalogue list opened it.
    void DeschideTip(const QString& mode, const QString& origin);

    void codePicked(const QString& kind, const QString& code) override;
};

} // namespace vornel
