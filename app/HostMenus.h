#pragma once
// The host's menus: every caption the component accepts, grouped as the suite's main program does.

#include <QString>
#include <QStringList>
#include <vector>

namespace vornel::host {

struct MenuGroup {
    QString title;
    QStringList captions;
};

// Every catalogue caption of the registry and every entry caption, each exactly once; a catalogue
// the grouping does not know yet lands in "Altele".
std::vector<MenuGroup> menuGroups();

} // namespace vornel::host
