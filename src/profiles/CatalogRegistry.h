#pragma once
// The registry: every caption the component accepts, resolved once into what it opens. A
// generic catalogue resolves into its kind and profile.

#include "profiles/CatalogProfile.h"

#include <QString>
#include <QStringList>

namespace vornel {

// The windows a caption opens.
enum class EntryWindow { GridComun, Salarii, ParamSocietate, ConfDocOut };

struct Entry {
    EntryWindow window = EntryWindow::GridComun;
    QString catalogue;  // the catalogue's caption (for GridComun)
    QString rightsCode; // set before the window opens (empty: the window sets its own)
};

namespace CatalogRegistry {

// The profile of a caption (exact, case-sensitive); nullptr for a caption that is no catalogue.
const CatalogProfile* find(const QString& caption);
const CatalogProfile& profile(CatalogKind kind);
// The 29 captions in registry order.
QStringList captions();
// What Apel opens for a caption; an unknown caption goes to the list, which reports it.
Entry entry(const QString& caption);
// True for a caption Apel opens a window for.
bool accepts(const QString& caption);

} // namespace CatalogRegistry

} // namespace vornel
