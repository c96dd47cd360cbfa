#include "controls/ListTools.h"

#include "controls/BusyCursor.h"
#include "controls/ExportText.h"
#include "controls/FlexGrid.h"
#include "controls/FocusColour.h"
#include "controls/ListPrint.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStandardPaths>

namespace vornel {

namespace {

QAction* addAction(QWidget* window, FlexGrid* grid, const QString& text, const QKeySequence& keys) {
    auto* action = new QAction(text, window);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action); // the window's shortcut, even while the grid is hidden
    grid->addAction(action);   // and the grid's context menu
    return action;
}

// A file name from a title: what a file system accepts.
QString fileNameOf(const QString& title) {
    QString name = title;
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        name.replace(c, QLatin1Char('_'));
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Lista") : name;
}

} // namespace

ListTools::ListTools(QWidget* window, FlexGrid* grid, std::function<QString()> title)
    : QObject(window), m_window(window), m_grid(grid), m_title(std::move(title)) {}

ListTools* ListTools::attach(QWidget* window, FlexGrid* grid, std::function<QString()> title) {
    auto* tools = new ListTools(window, grid, std::move(title));
    grid->setSortable(true);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(addAction(window, grid, QStringLiteral("Exporta lista..."), QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, tools, &ListTools::exportList);
    connect(addAction(window, grid, QStringLiteral("Tipareste lista..."), QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, tools, &ListTools::printList);
    return tools;
}

void ListTools::addQuickFilter(QWidget* parent) {
    m_filter = new QLineEdit(parent);
    m_filter->setObjectName(QStringLiteral("txtFiltruRapid"));
    m_filter->setPlaceholderText(QStringLiteral("Cauta in lista (Ctrl+F)"));
    m_filter->setClearButtonEnabled(true);
    FocusColour::attach(m_filter);
    QPalette hint = m_filter->palette();
    hint.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    m_filter->setPalette(hint);
    m_filter->installEventFilter(this);
    m_count = new QLabel(parent);
    m_count->setObjectName(QStringLiteral("lblRanduri"));
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(m_filter, &QLineEdit::textChanged, m_grid, &FlexGrid::setSearchText);
    connect(m_grid, &FlexGrid::arrangementCleared, m_filter, [this] {
        const QSignalBlocker quiet(m_filter);
        m_filter->clear();
    });
    connect(addAction(m_window, m_grid, QStringLiteral("Cauta in lista"), QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, m_filter, [this] {
                if (!m_filter->isEnabled()) return;
                m_filter->setFocus(Qt::ShortcutFocusReason);
                m_filter->selectAll();
            });
    // The box takes input only while the grid does (the search frame disables both).
    m_grid->installEventFilter(this);
    m_filter->setEnabled(m_grid->isEnabled());

    QAbstractItemModel* model = m_grid->model();
    connect(model, &QAbstractItemModel::modelReset, this, &ListTools::updateCount);
    connect(model, &QAbstractItemModel::rowsInserted, this, &ListTools::updateCount);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ListTools::updateCount);
    connect(m_grid, &FlexGrid::rowsArranged, this, &ListTools::updateCount);
    updateCount();
}

void ListTools::setKey(const QString& key) {
    m_grid->setLayoutKey(key);
}

QString ListTools::title() const {
    return m_title ? m_title() : m_window->windowTitle();
}

void ListTools::follow(Recordset* recordset) {
    if (m_followed == recordset) return;
    if (m_followed) disconnect(m_followed, nullptr, this, nullptr);
    m_followed = recordset;
    if (!recordset) return;
    connect(recordset, &Recordset::batchRead, this, &ListTools::updateCount);
    // Deleting, exporting or searching waits for the rows still to be read: the wait cursor says so.
    connect(recordset, &Recordset::waitingForRows, this, [](bool waiting) {
        if (waiting)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    });
    connect(recordset, &Recordset::fetchFailed, this, [this](const QString& description) {
        ComponentContext::current().Afiseaza(description, MessageIcon::Error, MessageButtons::Ok, title());
    });
}

void ListTools::updateCount() {
    Recordset* rs = m_grid->recordset();
    follow(rs);
    if (!m_count) return;
    if (!rs || !rs->isOpen()) {
        m_count->clear();
        return;
    }
    QString text = ExportText::shownOf(m_grid->Rows() - 1, rs->storedCount());
    if (rs->fetching()) text += QStringLiteral(", se incarca...");
    m_count->setText(text);
}

ListTable ListTools::table() {
    QString company;
    auto& ctx = ComponentContext::current();
    try {
        if (ctx.connection) company = ctx.connection->scalar(ListPrint::companyQuery(ctx.idSoc)).toString();
    } catch (const DbError&) {
        // Paper without the company's name is still the list.
    }
    if (Recordset* rs = m_grid->recordset()) rs->fetchAll();
    return ListTable::of(*m_grid, title(), company);
}

void ListTools::exportList() {
    Recordset* rs = m_grid->recordset();
    if (!rs || !rs->isOpen() || !m_grid->isVisible()) return;
    const ListTable list = table();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString chosenType;
    QString file = QFileDialog::getSaveFileName(m_window, QStringLiteral("Exporta lista"),
                                                QDir(folder).filePath(fileNameOf(list.title) + ".xlsx"),
                                                QStringLiteral("Excel (*.xlsx);;CSV (*.csv);;PDF (*.pdf)"),
                                                &chosenType, QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty()) return;
    if (ListExport::typeOf(file).isEmpty())
        file += chosenType.contains(QLatin1String("csv"))   ? QStringLiteral(".csv")
                : chosenType.contains(QLatin1String("pdf")) ? QStringLiteral(".pdf")
                                                            : QStringLiteral(".xlsx");
    auto& ctx = ComponentContext::current();
    if (QFileInfo::exists(file) &&
        ctx.Afiseaza(
            QStringLiteral("Fisierul %1 exista deja. Il inlocuiti?").arg(QDir::toNativeSeparators(file)),
            MessageIcon::Question, MessageButtons::YesNo, list.title) != MessageResult::Yes)
        return;
    QString error;
    {
        const BusyCursor busy;
        error = ListExport::write(list, file);
    }
    if (!error.isEmpty()) ctx.Afiseaza(error, MessageIcon::Error, MessageButtons::Ok, list.title);
}

void ListTools::printList() {
    Recordset* rs = m_grid->recordset();
    if (!rs || !rs->isOpen() || !m_grid->isVisible()) return;
    ListPrint::preview(m_window, table());
}

bool ListTools::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::EnabledChange && m_filter) {
        m_filter->setEnabled(m_grid->isEnabled());
    } else if (watched == m_filter && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_filter->clear();
        return true;
    } else if (watched == m_filter && event->type() == QEvent::ShortcutOverride) {
        // The list's shortcuts win over the text box's own keys.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->modifiers() | key->key());
        for (const QAction* action : m_window->actions())
            if (action->shortcut() == pressed) {
                event->ignore(); // not taken by the box: the shortcut runs
                return true;
            }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vornel
