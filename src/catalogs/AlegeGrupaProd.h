#pragma once
// The code chooser: a modal pick list of accounts, product groups, account classes or cost-centre
// groups that writes the picked code straight into the field of the window that opened it.

#include "controls/FormWindow.h"

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

    // Opens the chooser of this kind with the start text and waits until it is closed.
    static void alege(const QString& kind, const QString& startText);

    // The kind is also the window's title: callers name the list they open by its caption.
    void setKind(const QString& kind) {
        m_kind = kind;
        setWindowTitle(kind);
    }
    void setStartText(const QString& text) { m_startText = text; }
    // Loads the list and shows the window modally.
    void Incarca();

    FlexGrid* grid() const { return m_grid; }
    const QString& kind() const { return m_kind; }

    // Where a picked code goes: the window by name, its field by object name (an element of a
    // field array takes the index from the window's property "Indexul").
    struct Target {
        QString window;
        QString field;
        bool indexed = false;
        bool numeric = false; // written as the value of a numeric box
    };
    // The target of a kind; an empty window name for a kind that writes nothing.
    static Target targetOf(const QString& kind);

private:
    void buildUi();
    void accept();
    void typeAhead(QChar ch);
    void writeCode(const QString& code);
    void layoutWindow(const std::vector<int>& widths);

    QString m_kind;
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
