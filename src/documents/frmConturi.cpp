#include "documents/frmConturi.h"

#include "controls/ChartOfAccounts.h"
#include "controls/FlexGrid.h"
#include "controls/FocusColour.h"
#include "controls/KeyFilter.h"
#include "controls/ListTools.h"
#include "controls/Look.h"
#include "controls/NumberText.h"
#include "controls/Twips.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "documents/SeriesStatements.h"
#include "entry/ComponentContext.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace vornel {

namespace {

const QString kCaption = QStringLiteral("Selectati conturile aferente ambalajelor");

int px(int twips) {
    return Twips::toPixels(twips);
}

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(px(left), px(top), px(width), px(height));
}

} // namespace

frmConturi::frmConturi() : FormWindow(QStringLiteral("frmConturi")) {
    buildUi();
}

frmConturi::~frmConturi() {
    // The grid's model must not outlive the recordset it reads.
    if (m_gridC) m_gridC->bind(nullptr);
}

void frmConturi::buildUi() {
    setWindowTitle(kCaption);

    m_txtCont = new QLineEdit(this);
    m_txtCont->setObjectName(QStringLiteral("txtCont"));
    place(m_txtCont, 120, 120, 4300, 330);
    m_btnAdauga = new QPushButton(QStringLiteral(" Adauga"), this);
    m_btnAdauga->setObjectName(QStringLiteral("btnAdauga"));
    m_btnAdauga->setIcon(Look::picture(Look::Picture::Take));
    place(m_btnAdauga, 4550, 90, 1300, 400);
    m_btnStergeTot = new QPushButton(QStringLiteral(" Sterge tot"), this);
    m_btnStergeTot->setObjectName(QStringLiteral("btnStergeTot"));
    m_btnStergeTot->setIcon(Look::picture(Look::Picture::Delete));
    place(m_btnStergeTot, 5950, 90, 1300, 400);

    m_txtConturi = new QListWidget(this);
    m_txtConturi->setObjectName(QStringLiteral("txtConturi"));
    place(m_txtConturi, 120, 600, 7130, 2900);

    m_label6 = new QLabel(QStringLiteral("Numar Linii Factura :"), this);
    m_label6->setObjectName(QStringLiteral("Label6"));
    place(m_label6, 120, 3680, 1900, 330);
    m_txtNrLinAmbalaje = new QLineEdit(this);
    m_txtNrLinAmbalaje->setObjectName(QStringLiteral("txtNrLinAmbalaje"));
    place(m_txtNrLinAmbalaje, 2050, 3680, 800, 330);
    m_cmdC = new QPushButton(QStringLiteral("Accepta"), this);
    m_cmdC->setObjectName(QStringLiteral("cmdC"));
    m_cmdC->setIcon(Look::picture(Look::Picture::Accept));
    place(m_cmdC, 5950, 3620, 1300, 450);
    for (QPushButton* b : {m_btnAdauga, m_btnStergeTot, m_cmdC})
        b->setAutoDefault(false);

    // The search results lie over the list until an account is taken or the search is left.
    m_fmeConturi = new QGroupBox(QStringLiteral("Alege Conturi"), this);
    m_fmeConturi->setObjectName(QStringLiteral("fmeConturi"));
    m_fmeConturi->setAutoFillBackground(true);
    place(m_fmeConturi, 150, 100, 7000, 3400);
    m_gridC = new FlexGrid(m_fmeConturi);
    m_gridC->setObjectName(QStringLiteral("GridC"));
    place(m_gridC, 90, 300, 6820, 3000);
    ListTools::attach(this, m_gridC, [] { return kCaption; })->setKey(QStringLiteral("frmConturi"));
    m_fmeConturi->hide();

    setFixedSize(px(7370), px(4250));

    FocusColour::attach(m_txtCont);
    FocusColour::attach(m_txtNrLinAmbalaje);
    KeyFilter::attach(m_txtCont, KeyFilter::rejecting(QStringLiteral("';%,\" ")));
    QLineEdit* lines = m_txtNrLinAmbalaje;
    KeyFilter::attach(lines, [lines](QChar typed) {
        if (typed.unicode() == 0x7f) // Delete types no character
            return true;
        if (lines->text().size() > 4) return false;
        return typed.unicode() < 32 || (typed >= u'0' && typed <= u'9');
    });
    for (QWidget* w : std::initializer_list<QWidget*>{m_txtCont, m_txtConturi, m_txtNrLinAmbalaje,
                                                      m_btnAdauga, m_btnStergeTot, m_cmdC})
        w->installEventFilter(this);

    connect(m_btnAdauga, &QPushButton::clicked, this, guarded([this] { add(); }));
    connect(m_btnStergeTot, &QPushButton::clicked, this, guarded([this] { clearAll(); }));
    connect(m_cmdC, &QPushButton::clicked, this, guarded([this] { Iesire(); }));
    connect(m_gridC, &FlexGrid::enterPressed, this, guarded([this] { takeAccount(); }));
    connect(m_gridC, &FlexGrid::escapePressed, this, guarded([this] {
                closeSearch();
                m_txtCont->setFocus(Qt::OtherFocusReason);
            }));
    connect(m_gridC, &FlexGrid::charTyped, this, guarded<QChar>([this](QChar typed) { typeAhead(typed); }));
    m_btnAdauga->setEnabled(false);
    m_cmdC->setEnabled(false);
}

void frmConturi::Incarca(qint16 IdSerie) {
    load([&] {
        auto& ctx = ComponentContext::current();
        m_accepted = false;
        m_txtConturi->clear();
        m_txtCont->clear();
        m_btnAdauga->setEnabled(false);
        closeSearch();
        try {
            if (IdSerie != -1) {
                Recordset accounts;
                accounts.open(Series::packagingAccountsQuery(IdSerie), ctx.connection);
                for (; !accounts.eof(); accounts.moveNext())
                    m_txtConturi->addItem(accounts.text(accounts.indexOf(QStringLiteral("Cont"))));
                m_cmdC->setEnabled(m_txtConturi->count() > 0);
                const QVariant lines = ctx.connection->scalar(Series::packagingLinesQuery(IdSerie));
                m_txtNrLinAmbalaje->setText(lines.isValid() && !lines.isNull() ? lines.toString()
                                                                               : QString());
            } else {
                m_cmdC->setEnabled(false);
                m_txtNrLinAmbalaje->setText(QStringLiteral("0"));
            }
        } catch (const DbError& e) {
            ctx.Afiseaza(e.description(), MessageIcon::Error, MessageButtons::Ok, kCaption);
            return;
        }
        centre();
        m_txtCont->setFocus(Qt::OtherFocusReason);
        showModal();
    });
}

void frmConturi::Iesire() {
    auto& ctx = ComponentContext::current();
    const QString lines = m_txtNrLinAmbalaje->text().trimmed();
    const std::optional<qint32> count = NumberText::readInt32(lines);
    if (lines.isEmpty() || !count || *count < 1) {
        ctx.Afiseaza(lines.isEmpty() || count
                         ? QStringLiteral("Numarul de linii pe factura este obligatoriu si >=1 !")
                         : QStringLiteral("Valoare numerica incorecta !"),
                     MessageIcon::Error, MessageButtons::Ok, kCaption);
        m_txtNrLinAmbalaje->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_cmdC->isEnabled()) return;
    // Every account of the list must be in the chart: a title typed over the picked one can carry any.
    QStringList accounts;
    for (int i = 0; i < m_txtConturi->count(); ++i)
        accounts << Series::accountOf(m_txtConturi->item(i)->text());
    std::optional<int> missing;
    try {
        missing = Chart::firstMissing(*ctx.connection, accounts);
    } catch (const DbError& e) {
        ctx.Afiseaza(e.description(), MessageIcon::Error, MessageButtons::Ok, kCaption);
        return;
    }
    if (missing) {
        ctx.Afiseaza(Chart::missingMessage(accounts.at(*missing)), MessageIcon::Error, MessageButtons::Ok,
                     kCaption);
        m_txtConturi->setCurrentRow(*missing);
        m_txtConturi->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_accepted = true;
    hide();
}

void frmConturi::search() {
    auto& ctx = ComponentContext::current();
    auto found = std::make_unique<Recordset>();
    try {
        found->open(Series::accountSearchQuery(m_txtCont->text(), ctx.connection->backend().likeDialect()),
                    ctx.connection);
    } catch (const DbError& e) {
        ctx.Afiseaza(e.description(), MessageIcon::Error, MessageButtons::Ok, kCaption);
        return;
    }
    if (found->recordCount() == 0) {
        ctx.Afiseaza(QStringLiteral("Nu s-au gasit Inregistrari !!"), MessageIcon::Error, MessageButtons::Ok,
                     kCaption);
        m_txtCont->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_gridC->bind(nullptr);
    m_search = std::move(found);
    m_typed.clear();
    m_fmeConturi->show();
    m_fmeConturi->raise();
    m_gridC->bind(m_search.get());
    // The grid's own row header stands for the narrow first column; account and title follow it.
    m_gridC->setColWidth(0, 1700);
    m_gridC->setColWidth(1, 4700);
    m_gridC->setFocus(Qt::OtherFocusReason);
}

void frmConturi::typeAhead(QChar typed) {
    if (!m_search) return;
    try {
        m_typed += typed;
        const QString header = m_gridC->TextMatrix(0, m_gridC->Col());
        m_search->setFilter(Series::typeAheadFilter(header, m_typed));
        if (m_search->recordCount() == 0) {
            m_search->setFilter(QString());
            m_typed.clear();
        }
    } catch (const DbError&) {
        // A text the filter cannot read leaves the list as it was.
        m_typed.clear();
    }
    m_gridC->setFocus(Qt::OtherFocusReason);
}

void frmConturi::takeAccount() {
    m_typed.clear();
    const int row = m_gridC->Row();
    if (row < 1 || row >= m_gridC->Rows()) return;
    m_txtCont->setText(m_gridC->TextMatrix(row, 0) + QStringLiteral(" - ") + m_gridC->TextMatrix(row, 1));
    m_btnAdauga->setEnabled(true);
    closeSearch();
    m_btnAdauga->setFocus(Qt::OtherFocusReason);
}

void frmConturi::closeSearch() {
    m_typed.clear();
    m_fmeConturi->hide();
}

void frmConturi::add() {
    const QString account = m_txtCont->text();
    const bool listed =
        !m_txtConturi->findItems(account, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty();
    if (listed) {
        ComponentContext::current().Afiseaza(QStringLiteral("Contul exista deja in lista  !!"),
                                             MessageIcon::Error, MessageButtons::Ok,
                                             QStringLiteral("Alegere conturi"));
    } else {
        m_txtConturi->addItem(account);
        m_cmdC->setEnabled(true);
    }
    m_txtCont->clear();
    m_btnAdauga->setEnabled(false);
    m_txtCont->setFocus(Qt::OtherFocusReason);
}

void frmConturi::clearAll() {
    m_txtConturi->clear();
    m_cmdC->setEnabled(false);
    m_txtCont->setFocus(Qt::OtherFocusReason);
}

bool frmConturi::filterEvent(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            Iesire();
            return true;
        }
        if (watched == m_txtCont && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            search();
            return true;
        }
    }
    return FormWindow::filterEvent(watched, event);
}

bool frmConturi::queryUnload(bool byCode) {
    if (byCode) return true;
    // The close box leaves the accounts unchosen; the window stays loaded for its caller to read.
    m_accepted = false;
    hide();
    return false;
}

} // namespace vornel
