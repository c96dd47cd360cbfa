#pragma once
// The code chooser as other windows use it: it opens modally with a start text and returns the
// code picked; the window that asked writes it into its own field.

#include "profiles/Lookup.h"

#include <QString>
#include <optional>

namespace vornel::Chooser {

// Waits until the chooser closes; nothing when it closed without a pick.
std::optional<QString> pick(const Lookup& lookup, const QString& startText);

} // namespace vornel::Chooser
