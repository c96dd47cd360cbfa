#pragma once
// A window that the code chooser writes into and that keeps more than the text of the field: it
// receives the picked code with the kind after the field has been written.

#include <QString>

namespace vornel {

class ChooserTarget {
public:
    virtual ~ChooserTarget() = default;
    virtual void codePicked(const QString& kind, const QString& code) = 0;
};

} // namespace vornel
