// Controls of the output document window, their key filters and the arrow movement between them.
#include "documents/ConfDocOut.h"

#include "controls/ActionButton.h"
#include "controls/FlexGrid.h"
#include "controls/FocusColour.h"
#include "controls/KeyFilter.h"
#include "controls/ListTools.h"
#include "controls/Look.h"
#include "controls/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vornel {

namespace {

// Design geometry, in twips.
constexpr int kMargin = 120;
constexpr int kWidth = 9800;
constexpr int kGridHeight = 3000;
constexpr int kDateTop = kMargin + kGridHeight + 120;
constexpr int kDateHeight = 2280;
constexpr int kButtonsTop = kDateTop + kDateHeight + 120;
constexpr int kButtonHeight = 450;
constexpr int kRow = 480; // one row of fields
constexpr int kFieldHeight = 330;

int px(int twips) {
    return Twips::toPixels(twips);
}

void place(QWidget* w, int left, int top, int width, int height = kFieldHeight) {
    w->setGeometry(px(left), px(top), px(width), px(height));
}

QLabel* label(QWidget* parent, const char* name, const char* text, int left, int top, int width) {
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    place(l, left, top, width);
    return l;
}

template <class W> W* field(QWidget* parent, const char* name, int left, int top, int width) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    place(w, left, top, width);
    FocusColour::attach(w);
    Look::keepDarkWhenDisabled(w);
    return w;
}

QComboBox* combo(QWidget* parent, const char* name, int left, int top, int width, bool editable) {
    auto* c = field<QComboBox>(parent, name, left, top, width);
    c->setEditable(editable);
    if (editable) c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

// Rules of the fields that take a bounded count: a full field takes no key at all (Delete still
// works, as it types no character).
KeyFilter::Rule boundedDigits(QLineEdit* edit, int fullAt, QChar lowest, QChar highest) {
    return [edit, fullAt, lowest, highest](QChar typed) {
        if (typed.unicode() == 0x7f) return true;
        if (edit->text().size() >= fullAt) return false;
        return typed.unicode() < 32 || (typed >= lowest && typed <= highest);
    };
}

} // namespace

void ConfDocOut::buildUi() {
    setWindowTitle(QStringLiteral("Documente Fiscale Iesire Gestiune"));

    m_fraGrid = new QGroupBox(this);
    m_fraGrid->setObjectName(QStringLiteral("fraGrid"));
    place(m_fraGrid, kMargin, kMargin, kWidth, kGridHeight);
    m_grid = new FlexGrid(m_fraGrid);
    m_grid->setObjectName(QStringLiteral("Grid"));
    place(m_grid, 60, 60, kWidth - 120, kGridHeight - 120);
    ListTools::attach(this, m_grid, [this] { return windowTitle(); })->setKey(QStringLiteral("ConfDocOut"));

    m_fraMessage = new QGroupBox(this);
    m_fraMessage->setObjectName(QStringLiteral("fraMessage"));
    place(m_fraMessage, kMargin, kMargin, kWidth, kGridHeight);
    auto* label4 = label(m_fraMessage, "Label4", "Nu exista serii de documente in baza de date", 120,
                         kGridHeight / 2 - 200, kWidth - 240);
    label4->setAlignment(Qt::AlignCenter);
    m_fraMessage->hide();

    m_fraDate = new QGroupBox(this);
    m_fraDate->setObjectName(QStringLiteral("fraDate"));
    place(m_fraDate, kMargin, kDateTop, kWidth, kDateHeight);
    QWidget* d = m_fraDate;
    const int r1 = 180, r2 = r1 + kRow, r3 = r2 + kRow, r4 = r3 + kRow;

    label(d, "Label1", "Descriere Document:", 120, r1, 1950);
    m_txtDescriere = field<QLineEdit>(d, "txtDescriere", 2100, r1, 4100);
    m_optFacturi = new QRadioButton(QStringLiteral("Top Facturi"), d);
    m_optFacturi->setObjectName(QStringLiteral("optFacturi"));
    place(m_optFacturi, 6400, r1, 1500);
    m_optAviz = new QRadioButton(QStringLiteral("Top Avize"), d);
    m_optAviz->setObjectName(QStringLiteral("optAviz"));
    place(m_optAviz, 8000, r1, 1500);

    label(d, "Label2", "Seria:", 120, r2, 1950);
    m_txtSerie = field<QLineEdit>(d, "txtSerie", 2100, r2, 1100);
    label(d, "Label3", "De La Numarul :", 3350, r2, 1500);
    m_txtPD = field<QLineEdit>(d, "txtPD", 4900, r2, 1200);
    label(d, "Label5", "Pana La Numarul :", 6400, r2, 1650);
    m_txtUD = field<QLineEdit>(d, "txtUD", 8100, r2, 1200);

    label(d, "Label6", "Tip Factura:", 120, r3, 1950);
    m_cmbTipFactura = combo(d, "cmbTipFactura", 2100, r3, 1800, true);
    label(d, "Label7", "Tip Hartie :", 4050, r3, 1000);
    m_cmbTipHartie = combo(d, "cmbTipHartie", 5100, r3, 800, true);
    label(d, "Label8", "Orientare :", 6400, r3, 1000);
    m_lblOrientare = label(d, "lblOrientare", "Portrait", 7450, r3, 1500);

    label(d, "Label9", "Numar copii :", 120, r4, 1950);
    m_txtNumarCopii = field<QLineEdit>(d, "txtNumarCopii", 2100, r4, 500);
    label(d, "Label10", "Numar Linii Factura :", 2750, r4, 1900);
    m_txtNrLinFac = field<QLineEdit>(d, "txtNrLinFac", 4650, r4, 700);
    label(d, "lblBonFiscal", "Casa Bon Fiscal :", 5500, r4, 1500);
    m_cmbCasierie = combo(d, "cmbCasierie", 7000, r4, 2650, false);

    const char* const captions[] = {"Adauga", "Modifica", "Sterge", "Iesire"};
    using Look::Picture;
    const Picture pictures[] = {Picture::Add, Picture::Modify, Picture::Delete, Picture::Close};
    constexpr int kButtonWidth = 1500;
    constexpr int kActionWidth = 1350; // leaves room for "Istoric" before "Accepta"
    for (int i = 0; i < 4; ++i) {
        QPushButton* b = makeActionButton(this, i, QString::fromLatin1(captions[i]), pictures[i]);
        place(b, kMargin + i * (kActionWidth + 60), kButtonsTop, kActionWidth, kButtonHeight);
        connect(b, &QPushButton::clicked, this, guarded([this, i] { onAction(i); }));
        m_cmdAction.push_back(b);
    }
    m_cmdIstoric = makeHistoryButton(this);
    place(m_cmdIstoric, kMargin + 4 * (kActionWidth + 60), kButtonsTop, 1000, kButtonHeight);
    connect(m_cmdIstoric, &QPushButton::clicked, this, guarded([this] { showHistory(); }));
    m_cmdOK = new QPushButton(QStringLiteral("Accepta"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setIcon(Look::picture(Picture::Accept));
    m_cmdCancel = new QPushButton(QStringLiteral("Renunta"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setIcon(Look::picture(Picture::Cancel));
    place(m_cmdOK, kMargin + kWidth - 2 * kButtonWidth - 60, kButtonsTop, kButtonWidth, kButtonHeight);
    place(m_cmdCancel, kMargin + kWidth - kButtonWidth, kButtonsTop, kButtonWidth, kButtonHeight);
    for (QPushButton* b : {m_cmdOK, m_cmdCancel})
        b->setAutoDefault(false);
    connect(m_cmdOK, &QPushButton::clicked, this, guarded([this] { accept(); }));
    connect(m_cmdCancel, &QPushButton::clicked, this, guarded([this] { cancel(); }));

    setFixedSize(px(kMargin * 2 + kWidth), px(kButtonsTop + kButtonHeight + kMargin));

    setTabOrder(m_txtDescriere, m_optFacturi);
    setTabOrder(m_optFacturi, m_optAviz);
    setTabOrder(m_optAviz, m_txtSerie);
    setTabOrder(m_txtSerie, m_txtPD);
    setTabOrder(m_txtPD, m_txtUD);
    setTabOrder(m_txtUD, m_cmbTipFactura);
    setTabOrder(m_cmbTipFactura, m_cmbTipHartie);
    setTabOrder(m_cmbTipHartie, m_txtNumarCopii);
    setTabOrder(m_txtNumarCopii, m_txtNrLinFac);
    setTabOrder(m_txtNrLinFac, m_cmbCasierie);
    setTabOrder(m_cmbCasierie, m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdCancel);

    attachKeyboard();
}

void ConfDocOut::attachKeyboard() {
    const QString text = QStringLiteral(";%,\"");
    KeyFilter::attach(m_txtDescriere, KeyFilter::rejecting(text));
    KeyFilter::attach(m_txtSerie, KeyFilter::rejecting(text + u' '));
    KeyFilter::attach(m_txtPD, KeyFilter::digitsOnly());
    KeyFilter::attach(m_txtUD, KeyFilter::digitsOnly());
    KeyFilter::attach(m_txtNrLinFac, boundedDigits(m_txtNrLinFac, 5, u'0', u'9'));
    KeyFilter::attach(m_txtNumarCopii, boundedDigits(m_txtNumarCopii, 1, u'0', u'3'));

    for (QWidget* w : std::initializer_list<QWidget*>{m_txtDescriere, m_txtSerie, m_txtPD, m_txtNumarCopii,
                                                      m_cmbTipHartie, m_grid})
        w->installEventFilter(this);
    for (QPushButton* b : m_cmdAction)
        b->installEventFilter(this);
    // A click on a row acts as Enter on it.
    connect(m_grid, &FlexGrid::rowClicked, this, guarded<int>([this](int row) { gridNavigate(row); }));
    // The paper size decides the orientation shown beside it.
    connect(m_cmbTipHartie, &QComboBox::textActivated, this,
            guarded<const QString&>(
                [this](const QString& paper) { m_lblOrientare->setText(Series::orientation(paper)); }));
}

// Up and Down move between the fields of a column; the key is consumed when it moved the focus.
bool ConfDocOut::arrowKey(QObject* watched, int key) {
    const bool up = key == Qt::Key_Up;
    QWidget* target = nullptr;
    if (watched == m_txtDescriere)
        target = up ? nullptr : m_txtSerie;
    else if (watched == m_txtSerie)
        target = up ? static_cast<QWidget*>(m_txtDescriere) : m_txtPD;
    else if (watched == m_txtPD)
        target = up ? m_txtSerie : m_txtUD;
    else if (watched == m_txtNumarCopii)
        target = up ? static_cast<QWidget*>(m_cmbTipHartie) : m_cmdOK;
    else if (watched == m_cmbTipHartie)
        target = up ? m_cmbTipFactura : nullptr;
    else if (up)
        for (QPushButton* b : m_cmdAction)
            if (watched == b) target = m_grid;
    if (!target) return false;
    target->setFocus(Qt::OtherFocusReason);
    return true;
}

bool ConfDocOut::filterEvent(QObject* watched, QEvent* event) {
    if (watched == m_grid) {
        if (event->type() == QEvent::FocusIn) {
            m_grid->viewport()->update();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                gridNavigate(m_grid->Row());
                return true;
            }
            // The fields follow the row that was current when the key went down; the grid moves after.
            if (key == Qt::Key_Up || key == Qt::Key_Down) gridNavigate(m_grid->Row());
        }
        return FormWindow::filterEvent(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && arrowKey(watched, key)) return true;
    }
    return FormWindow::filterEvent(watched, event);
}

} // namespace vornel
