// The search frame of the list window: two pattern fields whose query replaces the listing query.
#include "catalogs/CatalogSql.h"
#include "catalogs/GridComun.h"
#include "controls/FlexGrid.h"
#include "data/Connection.h"
#include "entry/ComponentContext.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace vornel {

void GridComun::openSearch() {
    m_frmFiltru->show();
    m_frmFiltru->raise();
    for (QPushButton* b : m_cmdAction)
        b->setEnabled(false);
    m_grid->setEnabled(false);
    m_txt[0]->setFocus();
}

void GridComun::closeSearch() {
    for (QLineEdit* t : m_txt)
        t->clear();
    for (QPushButton* b : m_cmdAction)
        b->setEnabled(true);
    m_grid->setEnabled(true);
    m_frmFiltru->hide();
    m_cmdAction[4]->setFocus();
}

void GridComun::onSearchAccept() {
    const QString query =
        CatalogSql::searchQuery(*m_profile->search, m_txt[0]->text(), m_txt[1]->text(),
                                ComponentContext::current().connection->backend().likeDialect());
    closeSearch();
    openList(query);
}

void GridComun::onSearchCancel() {
    closeSearch();
}

} // namespace vornel
