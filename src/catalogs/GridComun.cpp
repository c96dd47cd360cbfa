#include "catalogs/GridComun.h"

#include "controls/ActionButton.h"
#include "controls/FlexGrid.h"
#include "controls/FocusColour.h"
#include "controls/KeyFilter.h"
#include "controls/ListTools.h"
#include "controls/Look.h"
#include "controls/Twips.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"
#include "history/IstoricModificari.h"
#include "profiles/CatalogRegistry.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace vornel {

namespace {

// Design geometry, in twips.
constexpr int kMargin = 120;
constexpr int kFilterHeight = 330; // the instant filter above the grid
constexpr int kGridTop = 120 + kFilterHeight + 60;
constexpr int kCountHeight = 270; // the row count under the grid
constexpr int kGridHeight = 4800;
constexpr int kButtonHeight = 450;
constexpr int kButtonGap = 60;
constexpr int kRightMargin = 100;
constexpr int kGridExtra = 320; // room for the vertical scroll bar
constexpr int kTopShift = 500;  // the window sits this much above the vertical centre

const char* const kActionCaptions[] = {" Adauga", " Modifica", " Sterge", " Renunta", "Filtreaza"};

int px(int twips) {
    return Twips::toPixels(twips);
}

} // namespace

GridComun::GridComun() : FormWindow(QStringLiteral("GridComun")) {
    buildUi();
}

GridComun::~GridComun() {
    // The grid's model must not outlive the recordset it reads.
    if (m_grid) m_grid->bind(nullptr);
}

void GridComun::buildUi() {

    m_grid = new FlexGrid(this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->move(px(kMargin), px(kGridTop));
    m_grid->resize(px(7000), px(kGridHeight));
    m_tools = ListTools::attach(this, m_grid, [this] { return m_caption; });
    m_tools->addQuickFilter(this);

    using Look::Picture;
    const Picture pictures[] = {Picture::Add, Picture::Modify, Picture::Delete, Picture::Cancel,
                                Picture::Search};
    for (int i = 0; i < 5; ++i) {
        QPushButton* b = makeActionButton(this, i, QString::fromLatin1(kActionCaptions[i]), pictures[i]);
        connect(b, &QPushButton::clicked, this, guarded([this, i] { onAction(i); }));
        m_cmdAction.push_back(b);
    }
    m_cmdAction[4]->hide();
    m_cmdIstoric = makeHistoryButton(this);
    connect(m_cmdIstoric, &QPushButton::clicked, this, guarded([this] { ArataIstoric(); }));

    m_frmFiltru = new QGroupBox(this);
    m_frmFiltru->setObjectName(QStringLiteral("frmFiltru"));
    m_frmFiltru->setAutoFillBackground(true);
    m_frmFiltru->move(px(kMargin), px(kGridTop));
    m_frmFiltru->resize(px(5400), px(1900));
    const char* const labels[] = {"Cont", "Denumire Operatie"};
    for (int i = 0; i < 2; ++i) {
        auto* lbl = new QLabel(QString::fromLatin1(labels[i]), m_frmFiltru);
        lbl->setObjectName(QStringLiteral("lbl_%1").arg(i));
        lbl->setGeometry(px(120), px(240 + i * 480), px(1900), px(360));
        auto* txt = new QLineEdit(m_frmFiltru);
        txt->setObjectName(QStringLiteral("txt_%1").arg(i));
        txt->setGeometry(px(2100), px(240 + i * 480), px(3100), px(360));
        FocusColour::attach(txt);
        KeyFilter::attach(txt, KeyFilter::rejecting(QStringLiteral("';")));
        m_lbl.push_back(lbl);
        m_txt.push_back(txt);
    }
    const char* const cmdCaptions[] = {"Accepta", "Renunta"};
    const Picture cmdPictures[] = {Picture::Accept, Picture::Cancel};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(cmdCaptions[i]), m_frmFiltru);
        b->setObjectName(QStringLiteral("cmd_%1").arg(i));
        b->setIcon(Look::picture(cmdPictures[i]));
        b->setGeometry(px(2100 + i * 1600), px(1260), px(1500), px(450));
        m_cmd.push_back(b);
    }
    connect(m_cmd[0], &QPushButton::clicked, this, guarded([this] { onSearchAccept(); }));
    connect(m_cmd[1], &QPushButton::clicked, this, guarded([this] { onSearchCancel(); }));
    m_frmFiltru->hide();

    connect(m_grid, &FlexGrid::rowClicked, this, guarded([this] { SincronizeazaRand(); }));
    connect(m_grid, &FlexGrid::arrowMoved, this, guarded([this] { SincronizeazaRand(); }));
    connect(m_grid, &FlexGrid::rowDoubleClicked, this, guarded([this] { openRowEditor(); }));
    connect(m_grid, &FlexGrid::enterPressed, this, guarded([this] { openRowEditor(); }));
}

void GridComun::Deschide(const QString& caption) {
    load([&] {
        auto& ctx = ComponentContext::current();
        const CatalogProfile* profile = CatalogRegistry::find(caption);
        if (!profile) {
            ctx.Afiseaza(QStringLiteral("Catalogul ") + caption + QStringLiteral(" nu exista."),
                         MessageIcon::Error, MessageButtons::Ok, QStringLiteral("Eroare"));
            if (!isVisible()) unload(); // nothing to show: do not leave an empty window behind
            return;
        }

        m_profile = profile;
        m_caption = caption;
        m_query = profile->query;
        ctx.rightsCode = profile->rightsCode;
        m_rightsCode = profile->rightsCode;
        m_tools->setKey(caption);

        // Back to the design state before the profile's extras apply (the window may show another catalogue).
        const QString label0 = profile->search ? profile->search->label0 : QString();
        const QString label1 = profile->search ? profile->search->label1 : QString();
        m_lbl[0]->setText(label0.isEmpty() ? QStringLiteral("Cont") : label0);
        m_lbl[1]->setText(label1.isEmpty() ? QStringLiteral("Denumire Operatie") : label1);
        m_cmdAction[4]->setVisible(profile->search.has_value());
        m_cmdAction[2]->setVisible(!profile->hideDelete);
        m_frmFiltru->hide();
        for (QLineEdit* t : m_txt)
            t->clear();
        for (QPushButton* b : m_cmdAction)
            b->setEnabled(true);
        m_grid->setEnabled(true);
        setEnabled(true);

        IncarcaLista();
        show();
        raise();
    });
}

void GridComun::IncarcaLista() {
    openList(m_query);
}

bool GridComun::openList(const QString& query) {
    auto& ctx = ComponentContext::current();
    // Open the new list first: a failed query leaves the previous list and query in force.
    auto list = std::make_shared<Recordset>();
    try {
        list->open(query, ctx.connection, CursorLocation::Client, CursorType::Static, LockType::ReadOnly,
                   Fetch::Background);
    } catch (const DbError& e) {
        ctx.Afiseaza(e.description(), MessageIcon::Error, MessageButtons::Ok, m_caption);
        return false;
    }
    m_grid->bind(nullptr);
    m_query = query;
    m_list = std::move(list);
    m_grid->bind(m_list.get());

    FormateazaGrila();
    layoutWindow();

    if (m_list->recordCount() > 0) {
        m_cmdAction[1]->setEnabled(true);
        m_cmdAction[2]->setEnabled(true);
        m_grid->setRow(1);
        m_grid->show();
        m_list->moveFirst();
        selectWholeRow();
    } else {
        m_grid->hide();
        m_cmdAction[1]->setEnabled(false);
        m_cmdAction[2]->setEnabled(false);
    }
    return true;
}

void GridComun::FormateazaGrila() {
    m_grid->setFormatString(m_profile->format);
    const std::vector<int>& widths = m_profile->widths;
    const int cols = m_grid->Cols();
    for (int i = 0; i < cols; ++i) {
        // Columns beyond the widths list stay hidden (one twip), like the entries of 0.
        const int width = i < static_cast<int>(widths.size()) ? widths[static_cast<std::size_t>(i)] : 0;
        m_grid->setColWidth(i, width + 1);
    }
}

void GridComun::layoutWindow() {
    const int gridWidth = m_grid->totalWidthTwips() + kGridExtra;
    m_grid->setGeometry(px(kMargin), px(kGridTop), px(gridWidth), px(kGridHeight));
    m_tools->filterBox()->setGeometry(px(kMargin), px(kMargin), px(gridWidth), px(kFilterHeight));
    m_tools->countLabel()->setGeometry(px(kMargin), px(kGridTop + kGridHeight + 30), px(gridWidth),
                                       px(kCountHeight));
    const int windowWidth = kMargin + gridWidth + kRightMargin;
    const int buttonsTop = kGridTop + kGridHeight + kCountHeight + kButtonGap * 2;
    const int windowHeight = buttonsTop + kButtonHeight + kMargin;
    setFixedSize(px(windowWidth), px(windowHeight));

    // The buttons share the row under the grid.
    std::vector<QPushButton*> shown;
    for (QPushButton* b : m_cmdAction)
        if (!b->isHidden()) shown.push_back(b);
    shown.push_back(m_cmdIstoric);
    const int n = static_cast<int>(shown.size());
    const int each = n > 0 ? (gridWidth - kButtonGap * (n - 1)) / n : 0;
    for (int i = 0; i < n; ++i)
        shown[static_cast<std::size_t>(i)]->setGeometry(px(kMargin + i * (each + kButtonGap)), px(buttonsTop),
                                                        px(each), px(kButtonHeight));
    m_frmFiltru->resize(std::min(px(5400), px(gridWidth)), m_frmFiltru->height());

    setWindowTitle(m_caption);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2 - px(kTopShift));
    }
}

void GridComun::SincronizeazaRand() {
    if (!m_list || m_list->recordCount() == 0) return;
    m_list->moveFirst();
    m_list->move(m_grid->Row() - 1);
}

void GridComun::selectWholeRow() {
    m_grid->setCol(0);
    m_grid->setColSel(m_grid->Cols() - 1);
}

void GridComun::onAction(int index) {
    switch (index) {
    case 0:
        if (!VerificaAcces(QStringLiteral("A"), m_rightsCode)) return;
        setEnabled(false);
        openEditor(EditMode::Add, false);
        return;
    case 1:
        if (filteredToNothing()) return;
        if (!VerificaAcces(QStringLiteral("M"), m_rightsCode)) return;
        setEnabled(false);
        if (!m_profile->protectedCode.isEmpty() &&
            m_grid->TextMatrix(m_grid->Row(), 0).toUpper() == m_profile->protectedCode.toUpper()) {
            setEnabled(true);
            ComponentContext::current().Afiseaza(QStringLiteral("Nu se poate modifica acest cod vamal !"),
                                                 MessageIcon::Error, MessageButtons::Ok, m_caption);
            m_grid->setFocus();
            SincronizeazaRand();
            return;
        }
        openEditor(EditMode::Modify, false);
        return;
    case 2:
        if (!filteredToNothing() && VerificaAcces(QStringLiteral("S"), m_rightsCode)) StergeInregistrare();
        return;
    case 3:
        hide();
        ComponentContext::current().InchideTot();
        return;
    case 4:
        openSearch();
        return;
    default:
        return;
    }
}

// The instant filter hides every row: there is no record to modify or delete.
bool GridComun::filteredToNothing() const {
    return !m_grid->searchText().isEmpty() && m_grid->Rows() <= 1;
}

// A double-click or Enter on a row: the record opens for reading when modifying is refused.
void GridComun::openRowEditor() {
    if (filteredToNothing() || !m_list || m_list->recordCount() == 0) return;
    openEditor(EditMode::Modify, !Permis(QStringLiteral("M"), m_rightsCode));
}

void GridComun::openEditor(EditMode mode, bool reading) {
    if (mode == EditMode::Modify && filteredToNothing()) return;
    if (mode == EditMode::Modify) SincronizeazaRand(); // the editor reads the current record of the list
    // The large record editor and the product type editor keep the list disabled while they are open.
    if (m_profile->editor != CatalogEditor::GridDetail) setEnabled(false);
    emit editorRequested(mode, reading);
}

void GridComun::refreshAfterEditor(EditMode mode, const CatalogRow::Cells& saved) {
    requeryAt(saved, m_grid->Row());
    setEnabled(true);
    if (m_list && m_list->recordCount() > 0 && mode == EditMode::Add) {
        m_cmdAction[1]->setEnabled(true);
        m_cmdAction[2]->setEnabled(true);
        m_grid->show();
    }
    m_grid->setFocus();
}

void GridComun::reloadAfterEditor(const CatalogRow::Cells& saved) {
    setEnabled(true);
    IncarcaLista();
    if (m_list && m_list->recordCount() > 0) requeryAt(saved, 1);
}

void GridComun::reloadInPlace() {
    requeryAt(selectedKey(), m_grid->Row());
}

CatalogRow::Cells GridComun::selectedKey() const {
    CatalogRow::Cells cells;
    if (!m_list || m_list->recordCount() == 0 || !m_profile) return cells;
    const int row = m_grid->Row() - 1;
    if (row < 0 || row >= m_list->recordCount()) return cells;
    for (int column : m_profile->keyColumns)
        if (column < m_list->fieldCount()) cells[column] = m_list->textAt(row, column);
    return cells;
}

void GridComun::requeryAt(const CatalogRow::Cells& cells, int place) {
    if (!m_list) return;
    int found = 0;
    try {
        m_list->requery();
        found = CatalogRow::find(*m_list, cells);
        // A record further down a big list than read so far: the rest is read to find it.
        if (found == 0 && !cells.isEmpty() && m_list->fetching()) {
            m_list->fetchAll();
            found = CatalogRow::find(*m_list, cells);
        }
    } catch (const DbError& e) {
        ComponentContext::current().Afiseaza(e.description(), MessageIcon::Error, MessageButtons::Ok,
                                             m_caption);
    }
    const int rows = m_list->recordCount();
    if (rows == 0) return;
    m_grid->bind(nullptr);
    m_grid->bind(m_list.get());
    FormateazaGrila();
    m_grid->setRow(found > 0 ? found : std::clamp(place, 1, rows));
    m_grid->scrollTo(m_grid->currentIndex());
    SincronizeazaRand();
    selectWholeRow();
}

void GridComun::ArataIstoric() {
    if (!m_list || m_list->recordCount() == 0 || filteredToNothing()) return;
    SincronizeazaRand();
    if (m_list->bof() || m_list->eof()) return;
    const RowKey key = CatalogRow::keyOf(*m_profile, *m_list);
    showHistory(m_caption, key.bareTable(), key.text());
}

void GridComun::resumeAfterEditor() {
    setEnabled(true);
    activateWindow();
    m_cmdAction[0]->setFocus(Qt::OtherFocusReason);
}

bool GridComun::queryUnload(bool byCode) {
    // The user's close box closes the whole component; an unload by code is part of that already.
    if (!byCode) ComponentContext::current().InchideTot();
    return true;
}

} // namespace vornel
