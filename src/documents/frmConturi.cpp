// Placeholder until the window is built: it says so and closes.
#include "documents/frmConturi.h"

#include "entry/ComponentContext.h"

namespace vornel {

frmConturi::frmConturi() : FormWindow(QStringLiteral("frmConturi")) {}
frmConturi::~frmConturi() = default;
void frmConturi::Incarca(qint16) {}

} // namespace vornel
