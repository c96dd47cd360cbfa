#include "catalogs/AlegeGrupaProd.h"

#include "catalogs/CatalogSql.h"
#include "catalogs/Chooser.h"
#include "controls/ActionButton.h"
#include "controls/FlexGrid.h"
#include "controls/ListTools.h"
#include "controls/Twips.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>

namespace vornel {

namespace {

constexpr int kMargin = 120;
constexpr int kGridHeight = 4200;
constexpr int kButtonWidth = 1500;
constexpr int kButtonHeight = 450;
constexpr int kGridExtra = 320;

int px(int twips) {
    return Twips::toPixels(twips);
}

} // namespace

AlegeGrupaProd::AlegeGrupaProd() : FormWindow(QStringLiteral("AlegeGrupaProd")) {
    buildUi();
}

AlegeGrupaProd::~AlegeGrupaProd() {
    if (m_grid) m_grid->bind(nullptr);
}

void AlegeGrupaProd::buildUi() {
    setWindowTitle(QStringLiteral("Grupe de produse"));

    auto* bar = new QMenuBar(this);
    QMenu* oper = bar->addMenu(QStringLiteral("Operatii"));
    oper->setObjectName(QStringLiteral("mnuOper"));
    m_mnuAccepta = oper->addAction(QStringLiteral("Accepta"));
    m_mnuAccepta->setObjectName(QStringLiteral("mnuAccepta"));
    QAction* renunta = oper->addAction(QStringLiteral("Renunta"));
    renunta->setObjectName(QStringLiteral("mnuRenunta"));
    connect(m_mnuAccepta, &QAction::triggered, this, guarded([this] { accept(); }));
    connect(renunta, &QAction::triggered, this, guarded([this] { unload(); }));

    m_grid = new FlexGrid(this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_tools = ListTools::attach(this, m_grid, [this] { return m_lookup.title; });

    const char* const captions[] = {"Accepta", "Renunta"};
    const Look::Picture pictures[] = {Look::Picture::Accept, Look::Picture::Cancel};
    for (int i = 0; i < 2; ++i)
        m_cmdAction.push_back(makeActionButton(this, i, QString::fromLatin1(captions[i]), pictures[i]));
    connect(m_cmdAction[0], &QPushButton::clicked, this, guarded([this] { accept(); }));
    connect(m_cmdAction[1], &QPushButton::clicked, this, guarded([this] { unload(); }));

    connect(m_grid, &FlexGrid::rowDoubleClicked, this, guarded([this] { accept(); }));
    connect(m_grid, &FlexGrid::enterPressed, this, guarded([this] { accept(); }));
    connect(m_grid, &FlexGrid::escapePressed, this, guarded([this] { unload(); }));
    connect(m_grid, &FlexGrid::charTyped, this, guarded<QChar>([this](QChar ch) { typeAhead(ch); }));
    layoutWindow({3000, 4000});
}

std::optional<QString> Chooser::pick(const Lookup& lookup, const QString& startText) {
    AlegeGrupaProd& chooser = ComponentContext::current().instance<AlegeGrupaProd>();
    std::optional<QString> code;
    QPointer<AlegeGrupaProd> window(&chooser);
    const QMetaObject::Connection told = QObject::connect(&chooser, &AlegeGrupaProd::picked, &chooser,
                                                          [&code](const QString& c) { code = c; });
    chooser.setLookup(lookup);
    chooser.setStartText(startText);
    chooser.Incarca();
    if (window) QObject::disconnect(told);
    return code;
}

void AlegeGrupaProd::Incarca() {
    load([&] {
        auto& ctx = ComponentContext::current();
        const CatalogSql::ChooserQuery chosen = CatalogSql::chooserQuery(m_lookup.list, m_startText);
        const std::vector<int>& widths = m_lookup.widths;
        m_typed.clear();
        m_columnNames = chosen.columnNames;

        auto list = std::make_shared<Recordset>();
        try {
            list->open(chosen.query, ctx.connection, CursorLocation::Client, CursorType::Keyset,
                       LockType::Optimistic, Fetch::Background);
        } catch (const DbError& e) {
            // No list to pick from: the caller's field stays as it is.
            ctx.Afiseaza(e.description(), MessageIcon::Error, MessageButtons::Ok, windowTitle());
            unload();
            return;
        }
        m_grid->bind(nullptr);
        m_tools->setKey(QStringLiteral("AlegeGrupaProd/") + m_lookup.title);
        m_list = std::move(list);
        m_grid->bind(m_list.get());
        m_grid->setFormatString(chosen.format);
        for (std::size_t i = 0; i < widths.size() && static_cast<int>(i) < m_grid->Cols(); ++i)
            m_grid->setColWidth(static_cast<int>(i), widths[i]);
        layoutWindow(widths);

        m_hasRows = m_list->recordCount() > 0;
        m_cmdAction[0]->setEnabled(m_hasRows);
        m_mnuAccepta->setEnabled(m_hasRows);
        m_grid->setEnabled(m_hasRows);
        if (m_hasRows) {
            m_grid->setRow(1);
            m_list->moveFirst();
        }
        centre();
        if (m_hasRows) m_grid->setFocus();
        showModal();
    });
}

void AlegeGrupaProd::layoutWindow(const std::vector<int>& widths) {
    int gridWidth = kGridExtra;
    for (int w : widths)
        gridWidth += w;
    const int menuHeight = findChild<QMenuBar*>()->sizeHint().height();
    const int gridTop = menuHeight + px(kMargin);
    m_grid->setGeometry(px(kMargin), gridTop, px(gridWidth), px(kGridHeight));
    const int buttonsTop = gridTop + px(kGridHeight + kMargin);
    for (int i = 0; i < 2; ++i)
        m_cmdAction[static_cast<std::size_t>(i)]->setGeometry(
            px(kMargin + i * (kButtonWidth + kMargin)), buttonsTop, px(kButtonWidth), px(kButtonHeight));
    findChild<QMenuBar*>()->setGeometry(0, 0, px(kMargin * 2 + gridWidth), menuHeight);
    setFixedSize(px(kMargin * 2 + gridWidth), buttonsTop + px(kButtonHeight + kMargin));
}

void AlegeGrupaProd::typeAhead(QChar ch) {
    if (!m_hasRows || !m_list || ch == QChar(27) || ch == QChar(13)) return;
    m_typed += ch;
    setWindowTitle(m_lookup.title + QStringLiteral(" - ") + m_typed);
    const int col = std::max(m_grid->Col(), 0);
    const QString name = col < m_columnNames.size() ? m_columnNames.at(col) : m_list->column(col).name;
    bool matched = false;
    try {
        m_list->setFilter(CatalogSql::typeAheadFilter(name, m_typed));
        if (m_list->recordCount() == 0) m_list->fetchAll(); // the match may be in rows not read yet
        matched = m_list->recordCount() > 0;
    } catch (const DbError&) {
        matched = false; // a filter the recordset cannot read matches nothing
    }
    if (!matched) {
        m_list->setFilter(QString());
        m_typed.clear();
        setWindowTitle(m_lookup.title);
    }
    m_grid->setRow(1);
    m_grid->setCol(col);
    m_list->moveFirst();
    m_grid->setFocus();
}

void AlegeGrupaProd::keyPressEvent(QKeyEvent* event) {
    // Esc anywhere in the chooser closes it; the field that asked keeps its text.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        guard([this] { unload(); });
        return;
    }
    FormWindow::keyPressEvent(event);
}

void AlegeGrupaProd::accept() {
    if (!m_list || m_list->recordCount() == 0 || m_grid->Row() < 1) {
        unload();
        return;
    }
    m_grid->setCol(0);
    const QString code = m_grid->TextMatrix(m_grid->Row(), 0);
    if (!code.isEmpty()) emit picked(code);
    unload();
}

} // namespace vornel
