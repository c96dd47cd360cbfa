// The salary window's controls: the selectors, the page buttons, the five pages, the group frame
// and the action buttons.
#include "salaries/Salarii.h"

#include "controls/ActionButton.h"
#include "controls/EditableGrid.h"
#include "controls/FocusColour.h"
#include "controls/KeyFilter.h"
#include "controls/Look.h"
#include "controls/NumericBox.h"
#include "controls/TextLimit.h"
#include "controls/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vornel {

namespace {

const char* const kPageCaptions[] = {"Taxe de la firma catre stat",
                                     "Taxe de la angajat catre stat",
                                     "Deduceri",
                                     "Alte Configurari",
                                     "Spor Vechime",
                                     "Impozitar",
                                     "Impozitar Anual"};

const char* const kEmployerLabels[] = {
    "Procent Pensie:", "Procent Somaj :",     "Procent Sanatate :", "Fond pt pers. cu handicap:",
    "Fond de risc:",   "Procent Invatamant:", "Procent CM:",        "Alte Fonduri:"};
const char* const kEmployeeLabels[] = {"Procent Somaj Colaboratori",
                                       "Procent Somaj Permanenti:",
                                       "Procent Sanatate :",
                                       "Procent Pensie :",
                                       "Avans:",
                                       "Alte Taxe Permanenti:",
                                       "Alte Taxe Colaboratori:"};
const char* const kDeductionLabels[] = {"Deducere personala de baza :",
                                        "Cheltuieli profesionale:",
                                        "Deducere de baza anuala",
                                        "Coef chelt prof",
                                        "Deduceri Sot/Sotie:",
                                        "Primii doi copii:",
                                        "Deduceri restul copiilor:",
                                        "Alte Persoane:",
                                        "Invaliditate gr I",
                                        "Deducere Maxima:",
                                        "Invaliditate gr II",
                                        "Coeficient De Baza:"};
const char* const kConstantLabels[] = {"Salariu mediu pe economie:",
                                       "Salariu minim pe economie:",
                                       "Suma Limita CIC:",
                                       "Timp de lucru in luna:",
                                       "Coeficient CO",
                                       "Spor de noapte:",
                                       "Ore suplimentare:",
                                       "Nr Salarii  CM",
                                       "Nr Sal CAS:"};
// The employer flags are the check boxes 13, 12, 11, 10, 9, 8, 7 and 14, in the order of the rows.
const int kEmployerFlagBoxes[] = {13, 12, 11, 10, 9, 8, 7, 14};

int px(int twips) {
    return Twips::toPixels(twips);
}

QString indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QLabel* label(QWidget* parent, const QString& name, const char* text) {
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(name);
    return l;
}

template <class W> W* field(QWidget* parent, const QString& name, int widthTwips) {
    auto* f = new W(parent);
    f->setObjectName(name);
    f->setFixedWidth(px(widthTwips));
    FocusColour::attach(f);
    return f;
}

QGroupBox* page(QWidget* parent, int index, const char* caption) {
    auto* box = new QGroupBox(QString::fromLatin1(caption), parent);
    box->setObjectName(indexed("f", index));
    return box;
}

void heads(QGridLayout* grid, QWidget* parent) {
    const char* const captions[] = {"Valoare", "Cont Debitor", "Cont Creditor", "Din SI"};
    for (int i = 0; i < 4; ++i) {
        auto* head = label(parent, QString(), captions[i]);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, i + 1);
    }
}

constexpr int kRateWidth = 1100;
constexpr int kAccountWidth = 1300;
constexpr int kValueWidth = 1300;

} // namespace

void Salarii::buildUi() {
    setWindowTitle(QStringLiteral("Configurari Salariale"));

    // Month and group selectors with the group buttons.
    auto* selectors = new QGroupBox(this);
    selectors->setObjectName(QStringLiteral("frm_0"));
    m_frm[0] = selectors;
    m_cmb = field<QComboBox>(selectors, QStringLiteral("cmb"), 1800);
    m_cmbGrupa = field<QComboBox>(selectors, QStringLiteral("cmbGrupa"), 3600);
    auto* top = new QHBoxLayout(selectors);
    top->addWidget(label(selectors, QStringLiteral("lblLuna"), "Luna raportare:"));
    top->addWidget(m_cmb);
    top->addSpacing(px(300));
    top->addWidget(label(selectors, QStringLiteral("lblGrupa"), "Grupe De Munca"));
    top->addWidget(m_cmbGrupa);
    const char* const groupCaptions[] = {"Adauga", "Modifica", "Sterge"};
    for (int i = 0; i < 3; ++i) {
        m_cmdG[i] = new QPushButton(QString::fromLatin1(groupCaptions[i]), selectors);
        m_cmdG[i]->setObjectName(indexed("cmdG", i));
        m_cmdG[i]->setAutoDefault(false);
        top->addWidget(m_cmdG[i]);
    }
    top->addStretch();

    m_frmG = buildGroupFrame();

    // Page buttons.
    auto* buttons = new QGroupBox(this);
    buttons->setObjectName(QStringLiteral("frm_1"));
    m_frm[1] = buttons;
    auto* column = new QVBoxLayout(buttons);
    for (int i = 0; i < 7; ++i) {
        m_cmd[i] = new QPushButton(QString::fromLatin1(kPageCaptions[i]), buttons);
        m_cmd[i]->setObjectName(indexed("cmd", i));
        m_cmd[i]->setAutoDefault(false);
        m_cmd[i]->setMinimumHeight(px(450));
        column->addWidget(m_cmd[i]);
    }
    column->addStretch();

    // The five pages share one place; one is shown at a time.
    m_f[0] = buildEmployerPage();
    m_f[1] = buildEmployeePage();
    m_f[2] = buildDeductionsPage();
    m_f[3] = buildOtherPage();
    m_f[4] = buildTablesPage();
    auto* pages = new QGridLayout;
    QSize largest;
    for (QGroupBox* p : m_f) {
        pages->addWidget(p, 0, 0);
        largest = largest.expandedTo(p->sizeHint());
    }
    pages->setRowMinimumHeight(0, largest.height());
    pages->setColumnMinimumWidth(0, largest.width());

    m_lblClose = label(this, QStringLiteral("lblClose"), "Perioada inchisa nu se mai pot face modificari");
    Look::makeWarning(m_lblClose);
    m_lblClose->setHidden(true);

    auto* actions = new QHBoxLayout;
    m_cmdIstoric = makeHistoryButton(this);
    m_cmdIstoric->setMinimumSize(px(1000), px(450));
    connect(m_cmdIstoric, &QPushButton::clicked, this, guarded([this] { showHistory(); }));
    actions->addWidget(m_cmdIstoric);
    actions->addWidget(m_lblClose);
    actions->addStretch();
    const char* const actionCaptions[] = {"Accepta", "Renunta"};
    const Look::Picture pictures[] = {Look::Picture::Accept, Look::Picture::Cancel};
    for (int i = 0; i < 2; ++i) {
        m_cmdAction[i] = makeActionButton(this, i, QString::fromLatin1(actionCaptions[i]), pictures[i]);
        m_cmdAction[i]->setMinimumSize(px(1300), px(450));
        actions->addWidget(m_cmdAction[i]);
    }

    auto* middle = new QHBoxLayout;
    middle->addWidget(buttons);
    middle->addLayout(pages, 1);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(selectors);
    outer->addWidget(m_frmG);
    outer->addLayout(middle, 1);
    outer->addLayout(actions);

    attachFields();
}

QGroupBox* Salarii::buildEmployerPage() {
    QGroupBox* box = page(this, 0, kPageCaptions[0]);
    auto* grid = new QGridLayout(box);
    heads(grid, box);
    for (int i = 0; i < 8; ++i) {
        grid->addWidget(label(box, indexed("lblX", i), kEmployerLabels[i]), i + 1, 0);
        m_txtX[i] = field<NumericBox>(box, indexed("txtX", i), kRateWidth);
        m_txtCh[i] = field<QLineEdit>(box, indexed("txtCh", i), kAccountWidth);
        m_txtC[i] = field<QLineEdit>(box, indexed("txtC", i), kAccountWidth);
        QCheckBox*& flag = m_chk[static_cast<std::size_t>(kEmployerFlagBoxes[i])];
        flag = new QCheckBox(box);
        flag->setObjectName(indexed("chk", kEmployerFlagBoxes[i]));
        grid->addWidget(m_txtX[i], i + 1, 1);
        grid->addWidget(m_txtCh[i], i + 1, 2);
        grid->addWidget(m_txtC[i], i + 1, 3);
        grid->addWidget(flag, i + 1, 4, Qt::AlignCenter);
    }
    grid->setRowStretch(9, 1);
    return box;
}

QGroupBox* Salarii::buildEmployeePage() {
    QGroupBox* box = page(this, 1, kPageCaptions[1]);
    auto* grid = new QGridLayout(box);
    heads(grid, box);
    for (int i = 0; i < 7; ++i) {
        grid->addWidget(label(box, indexed("lblXa", i), kEmployeeLabels[i]), i + 1, 0);
        m_txtXa[i] = field<NumericBox>(box, indexed("txtXa", i), kRateWidth);
        m_txtAch[i] = field<QLineEdit>(box, indexed("txtAch", i), kAccountWidth);
        m_txtCa[i] = field<QLineEdit>(box, indexed("txtCa", i), kAccountWidth);
        m_chk[static_cast<std::size_t>(i)] = new QCheckBox(box);
        m_chk[static_cast<std::size_t>(i)]->setObjectName(indexed("chk", i));
        grid->addWidget(m_txtXa[i], i + 1, 1);
        grid->addWidget(m_txtAch[i], i + 1, 2);
        grid->addWidget(m_txtCa[i], i + 1, 3);
        grid->addWidget(m_chk[static_cast<std::size_t>(i)], i + 1, 4, Qt::AlignCenter);
    }
    grid->setRowStretch(8, 1);
    return box;
}

QGroupBox* Salarii::buildDeductionsPage() {
    QGroupBox* box = page(this, 2, kPageCaptions[2]);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(px(150));
    // Two columns of six; the income tax account below them.
    for (int i = 0; i < 12; ++i) {
        const int row = i % 6;
        const int col = (i / 6) * 2;
        grid->addWidget(label(box, indexed("lblXd", i), kDeductionLabels[i]), row, col);
        m_txtXd[i] = field<NumericBox>(box, indexed("txtXd", i), kValueWidth);
        grid->addWidget(m_txtXd[i], row, col + 1);
    }
    grid->addWidget(label(box, QStringLiteral("lblCD"), "Cont impozit pe venit"), 6, 0);
    m_txtCD = field<QLineEdit>(box, QStringLiteral("txtCD"), kAccountWidth);
    grid->addWidget(m_txtCD, 6, 1);
    grid->setRowStretch(7, 1);
    return box;
}

QGroupBox* Salarii::buildOtherPage() {
    QGroupBox* box = page(this, 3, kPageCaptions[3]);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(px(150));
    for (int i = 0; i < 9; ++i) {
        const int row = i % 5;
        const int col = (i / 5) * 2;
        grid->addWidget(label(box, indexed("lblXAC", i), kConstantLabels[i]), row, col);
        m_txtXAC[i] = field<NumericBox>(box, indexed("txtXAC", i), kValueWidth);
        grid->addWidget(m_txtXAC[i], row, col + 1);
    }
    grid->setRowStretch(5, 1);
    return box;
}

QGroupBox* Salarii::buildTablesPage() {
    QGroupBox* box = page(this, 4, kPageCaptions[4]);
    m_grid = new EditableGrid(box);
    m_grid->setObjectName(QStringLiteral("Grid"));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_grid);
    return box;
}

QGroupBox* Salarii::buildGroupFrame() {
    auto* frame = new QGroupBox(QStringLiteral("Grupe De Munca"), this);
    frame->setObjectName(QStringLiteral("frmG"));
    m_txtG = field<QLineEdit>(frame, QStringLiteral("txtG"), 3600);
    TextLimit::attach(m_txtG, 50);
    KeyFilter::attach(m_txtG, KeyFilter::rejecting(QStringLiteral("';")));
    auto* row = new QHBoxLayout(frame);
    row->addWidget(label(frame, QStringLiteral("lblG"), "Nume :"));
    row->addWidget(m_txtG);
    const char* const captions[] = {"Adauga", "Iesire"};
    for (int i = 3; i < 5; ++i) {
        m_cmdG[i] = new QPushButton(QString::fromLatin1(captions[i - 3]), frame);
        m_cmdG[i]->setObjectName(indexed("cmdG", i));
        m_cmdG[i]->setAutoDefault(false);
        row->addWidget(m_cmdG[i]);
    }
    row->addStretch();
    frame->setHidden(true);
    return frame;
}

} // namespace vornel
