#include "history/IstoricModificari.h"

#include "controls/FlexGrid.h"
#include "controls/Twips.h"
#include "data/DbError.h"
#include "data/DbFault.h"
#include "data/Recordset.h"
#include "data/RowSnapshot.h"
#include "entry/ComponentContext.h"
#include "history/HistoryRows.h"

#include <QPushButton>
#include <QStyle>

namespace vornel {

namespace {

// Design geometry, in twips.
constexpr int kMargin = 120;
constexpr int kGridHeight = 5400;
constexpr int kGridExtra = 320; // room for the vertical scroll bar
constexpr int kButtonWidth = 1500;
constexpr int kButtonHeight = 450;
constexpr int kWidths[] = {2400, 1500, 1200, 2000, 2500, 2500};

int px(int twips) {
    return Twips::toPixels(twips);
}

} // namespace

IstoricModificari::IstoricModificari()
    : FormWindow(QStringLiteral("IstoricModificari")), m_rows(std::make_unique<Recordset>()) {
    buildUi();
}

IstoricModificari::~IstoricModificari() {
    // The grid's model must not outlive the recordset it reads.
    if (m_grid) m_grid->bind(nullptr);
}

void IstoricModificari::buildUi() {
    m_grid = new FlexGrid(this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_cmdInchide = new QPushButton(QStringLiteral("Inchide"), this);
    m_cmdInchide->setObjectName(QStringLiteral("cmdInchide"));
    m_cmdInchide->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(m_cmdInchide, &QPushButton::clicked, this, [this] { unload(); });
    connect(m_grid, &FlexGrid::escapePressed, this, [this] { unload(); });
}

void IstoricModificari::layoutWindow() {
    int gridWidth = kGridExtra;
    for (int w : kWidths)
        gridWidth += w;
    m_grid->setGeometry(px(kMargin), px(kMargin), px(gridWidth), px(kGridHeight));
    const int buttonsTop = kMargin + kGridHeight + kMargin;
    m_cmdInchide->setGeometry(px(kMargin + gridWidth - kButtonWidth), px(buttonsTop), px(kButtonWidth),
                              px(kButtonHeight));
    setFixedSize(px(gridWidth + 2 * kMargin), px(buttonsTop + kButtonHeight + kMargin));
}

void IstoricModificari::Incarca(const QString& caption, const QString& table, const QString& key) {
    auto& ctx = ComponentContext::current();
    const QString bareTable = RowKey{table, {}}.bareTable();
    RowStore rows;
    try {
        rows = HistoryRows::build(*ctx.connection, bareTable, key);
    } catch (const DbError& e) {
        const QString text = faultText(e);
        ctx.Afiseaza(text.isEmpty() ? e.description() : text, MessageIcon::Error, MessageButtons::Ok,
                     caption);
        if (!isVisible()) unload();
        return;
    }
    setWindowTitle(QStringLiteral("Istoric ") + caption + QStringLiteral(" - ") + key);
    m_grid->bind(nullptr);
    m_rows->openRows(HistoryRows::columns(), std::move(rows));
    m_grid->bind(m_rows.get());
    m_grid->setFormatString(HistoryRows::formatString());
    for (int c = 0; c < static_cast<int>(std::size(kWidths)); ++c)
        m_grid->setColWidth(c, kWidths[c]);
    layoutWindow();
    centre();
    show();
    raise();
    activateWindow();
    if (m_grid->Rows() > 1) m_grid->setRow(1);
    m_grid->setFocus();
}

void showHistory(const QString& caption, const QString& table, const QString& key) {
    ComponentContext::current().instance<IstoricModificari>().Incarca(caption, table, key);
}

} // namespace vornel
