#pragma once
// The code chooser: a modal pick list of accounts, product groups, account classes or cost-centre
// groups; it tells the window that opened it which code was picked (see Chooser.h).

#include "controls/FormWindow.h"
#include "profiles/Lookup.h"

#include <QStringList>
#include <memory>
#include <vector>

class QPushButton;
class QAction;

namespace vornel {

class FlexGrid;
class ListTools;
class Recordset;

class AlegeGrupaProd : public FormWindow {
    Q_OBJECT
public:
    AlegeGrupaProd();
    ~AlegeGrupaProd() override;

    // The lookup's title is also the window's title.
    void setLookup(const Lookup& lookup) {
        m_lookup = lookup;
        setWindowTitle(lookup.title);
    }
    void setStartText(const QString& text) { m_startText = text; }
    // Loads the list and shows the window modally.
    void Incarca();

    FlexGrid* grid() const { return m_grid; }
    const Lookup& lookup() const { return m_lookup; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // A code was picked; the chooser closes right after.
    void picked(const QString& code);

private:
    void buildUi();
    void accept();
    void typeAhead(QChar ch);
    void layoutWindow(const std::vector<int>& widths);

    Lookup m_lookup;
    QString m_startText;
    QString m_typed;
    QStringList m_columnNames;
    std::shared_ptr<Recordset> m_list;
    FlexGrid* m_grid = nullptr;
    ListTools* m_tools = nullptr;
    std::vector<QPushButton*> m_cmdAction; // 0 Accepta, 1 Renunta
    QAction* m_mnuAccepta = nullptr;
    bool m_hasRows = false;
};

} // namespace vornel
