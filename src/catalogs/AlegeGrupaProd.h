#pragma once
// The code chooser: a modal pick list of accounts, product groups, account classes or cost-centre
// groups that writes the picked code straight into the field of the window that opened it.

#include "controls/FormWindow.h"

#include <QStringList>
#include <memory>

class QPushButton;

namespace vornel {

class FlexGrid;
class Recordset;

class AlegeGrupaProd : public FormWindow {
    Q_OBJECT
public:
    AlegeGrupaProd();
    ~AlegeGrupaProd() override;

    // Opens the chooser of this kind with the start text and waits until it is closed.
    static void alege(const QString& kind, const QString& startText);

    void setKind(const QString& kind) { m_kind = kind; }
    void setStartText(const QString& text) { m_startText = text; }
    // Loads the list and shows the window modally.
    void Incarca();

    FlexGrid* grid() const { return m_grid; }
    const QString& kind() const { return m_kind; }

private:
    void accept();
    void typeAhead(QChar ch);
    void writeCode(const QString& code);

    QString m_kind;
    QString m_startText;
    QString m_typed;
    QStringList m_columnNames;
    std::shared_ptr<Recordset> m_list;
    FlexGrid* m_grid = nullptr;
    std::vector<QPushButton*> m_cmdAction; // 0 Accepta, 1 Renunta
};

} // namespace vornel
