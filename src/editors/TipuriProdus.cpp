#include "editors/TipuriProdus.h"

#include "controls/ActionButton.h"
#include "controls/FocusColour.h"
#include "controls/KeyFilter.h"
#include "controls/ReadingLock.h"
#include "controls/TextLimit.h"
#include "controls/Twips.h"
#include "data/Recordset.h"
#include "data/TextCut.h"
#include "editors/ProductTypeStatements.h"
#include "entry/ComponentContext.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vornel {

namespace {

// Design geometry, in twips.
constexpr int kMargin = 120;
constexpr int kLabelWidth = 1900;
constexpr int kFieldLeft = 2100;
constexpr int kFieldWidth = 3600;
constexpr int kRowPitch = 480;
constexpr int kRowHeight = 345;
constexpr int kButtonWidth = 1500;
constexpr int kButtonHeight = 450;
constexpr int kRows = 6;

const QString kTitle = QStringLiteral("Tipuri Produs");

int px(int twips) {
    return Twips::toPixels(twips);
}

// The category list: a drop-down whose choice can be locked like a read-only text box.
class CategoryCombo : public QComboBox {
public:
    explicit CategoryCombo(QWidget* parent) : QComboBox(parent) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        // The text is always the selected category, never something typed or pasted.
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] { setEditText(itemText(currentIndex())); });
    }
    void setLocked(bool locked) { lineEdit()->setReadOnly(locked); }
    bool locked() const { return lineEdit()->isReadOnly(); }
    void showPopup() override {
        if (!locked()) QComboBox::showPopup();
    }

protected:
    void wheelEvent(QWheelEvent* event) override {
        if (!locked()) QComboBox::wheelEvent(event);
    }
};

QLabel* makeLabel(QWidget* parent, const char* name, const char* text, int row) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    if (name) label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(px(kMargin), px(kMargin + row * kRowPitch), px(kLabelWidth), px(kRowHeight));
    return label;
}

template <class W> W* makeField(QWidget* parent, const char* name, int row) {
    auto* field = new W(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(px(kFieldLeft), px(kMargin + row * kRowPitch), px(kFieldWidth), px(kRowHeight));
    FocusColour::attach(field);
    return field;
}

} // namespace

TipuriProdus::TipuriProdus() : FormWindow(QStringLiteral("TipuriProdus")) {
    buildUi();
}

TipuriProdus::~TipuriProdus() = default;

void TipuriProdus::buildUi() {
    setWindowTitle(kTitle);

    // Rows in the order the keyboard visits them.
    makeLabel(this, "lblTipProdus", "Tip Produs :", 0);
    makeLabel(this, "lblFel", "Categorie Produs :", 1);
    makeLabel(this, "lblDescriere", "Descriere", 2);
    m_lblCh = makeLabel(this, "lblCh", "Cont Cheltuiala :", 3);
    m_lblV = makeLabel(this, "lblV", "Cont Venit :", 4);
    m_lblStoc = makeLabel(this, "lblStoc", "Cont Stoc :", 5);
    m_txtTipProdus = makeField<QLineEdit>(this, "txtTipProdus", 0);
    m_cmbFel = makeField<CategoryCombo>(this, "cmbFel", 1);
    m_txtDescriere = makeField<QLineEdit>(this, "txtDescriere", 2);
    m_txtCh = makeField<QLineEdit>(this, "txtCh", 3);
    m_txtV = makeField<QLineEdit>(this, "txtV", 4);
    m_txtStoc = makeField<QLineEdit>(this, "txtStoc", 5);

    const char* captions[] = {" Salveaza", " Renunta"};
    const Look::Picture pictures[] = {Look::Picture::Save, Look::Picture::Cancel};
    const int buttonsTop = kMargin + kRows * kRowPitch + kMargin;
    const int right = kFieldLeft + kFieldWidth;
    for (int i = 0; i < 2; ++i) {
        QPushButton* button = makeActionButton(this, i, QString::fromLatin1(captions[i]), pictures[i]);
        button->setGeometry(px(right - (2 - i) * kButtonWidth - (1 - i) * kMargin), px(buttonsTop),
                            px(kButtonWidth), px(kButtonHeight));
        m_cmdAction.push_back(button);
    }
    connect(m_cmdAction[0], &QPushButton::clicked, this, guarded([this] { SalveazaTip(); }));
    connect(m_cmdAction[1], &QPushButton::clicked, this, guarded([this] { IesireTip(); }));
    setFixedSize(px(right + kMargin), px(buttonsTop + kButtonHeight + kMargin));

    const QString noQuotes = KeyFilter::kQuoteSemicolonPercentComma + QLatin1Char('"');
    KeyFilter::attach(m_txtTipProdus, KeyFilter::rejecting(noQuotes));
    KeyFilter::attach(m_txtDescriere, KeyFilter::rejecting(noQuotes));

    QWidget* order[] = {m_txtTipProdus, m_cmbFel,  m_txtDescriere, m_txtCh,
                        m_txtV,         m_txtStoc, m_cmdAction[0], m_cmdAction[1]};
    for (QWidget* w : order)
        w->installEventFilter(this); // after the key filters, so it sees each key first
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // A picked account holds until its field is edited; the chooser confirms it after writing.
    connect(m_txtStoc, &QLineEdit::textChanged, this, [this] { m_stock.clear(); });
    connect(m_txtCh, &QLineEdit::textChanged, this, [this] { m_expense.clear(); });
    connect(m_txtV, &QLineEdit::textChanged, this, [this] { m_revenue.clear(); });
    connect(m_cmbFel, &QComboBox::currentIndexChanged, this, guarded([this] {
                if (m_loading) return;
                ArataConturi();
                m_cmbFel->setFocus(Qt::OtherFocusReason);
            }));
}

void TipuriProdus::DeschideTip(EditMode mode, std::shared_ptr<Recordset> list, bool reading) {
    load([&] {
        m_list = std::move(list);
        m_mode = mode;
        m_reading = reading;
        ReadingLock::set(this, m_cmdAction[0], false);
        m_loading = true;
        m_cmbFel->clear();
        m_cmbFel->addItems(ProductType::categories());
        m_cmbFel->setCurrentIndex(0);
        m_loading = false;

        for (QLineEdit* field : {m_txtTipProdus, m_txtDescriere, m_txtStoc, m_txtCh, m_txtV})
            field->clear();
        m_loadedCode.clear();
        m_loadedKey = {};
        m_loaded.reset();
        m_stock.clear();
        m_expense.clear();
        m_revenue.clear();
        applyColumnSizes();
        ArataConturi();
        if (mode == EditMode::Modify && m_list) loadFromList();
        static_cast<CategoryCombo*>(m_cmbFel)->setLocked(mode == EditMode::Modify);
        ReadingLock::set(this, m_cmdAction[0], m_reading);

        centre();
        show();
        raise();
        activateWindow();
        m_txtTipProdus->setFocus(Qt::OtherFocusReason);
    });
}

void TipuriProdus::loadFromList() {
    const Recordset& rs = *m_list;
    const bool onRow = rs.isOpen() && !rs.bof() && !rs.eof();
    const auto cell = [&rs, onRow](int col) {
        return onRow && col < rs.fieldCount() ? rs.text(col) : QString();
    };

    m_txtTipProdus->setText(cutText(cell(0), m_txtTipProdus->maxLength()));
    m_loadedCode = m_txtTipProdus->text();
    if (onRow) {
        m_loadedKey = {QStringLiteral("TipuriProduse"), {{QStringLiteral("Tip Produs"), rs.value(0)}}};
        m_loaded = CatalogRow::asShown(m_loadedKey, rs);
    }
    m_loading = true;
    m_cmbFel->setCurrentIndex(ProductType::categoryOf(cell(1)));
    m_loading = false;
    ArataConturi();
    m_txtDescriere->setText(cutText(cell(2), m_txtDescriere->maxLength()));
    m_txtStoc->setText(cutText(cell(3), m_txtStoc->maxLength()));
    m_txtCh->setText(cutText(cell(4), m_txtCh->maxLength()));
    m_txtV->setText(cutText(cell(5), m_txtV->maxLength()));
    m_expense = m_txtCh->text();
    m_revenue = m_txtV->text();
    m_stock = m_txtStoc->text();
}

void TipuriProdus::applyColumnSizes() {
    const Recordset* rs = m_list.get();
    const std::pair<int, QLineEdit*> fields[] = {
        {0, m_txtTipProdus}, {2, m_txtDescriere}, {3, m_txtStoc}, {4, m_txtCh}, {5, m_txtV}};
    for (const auto& [column, field] : fields) {
        const int size = rs && rs->isOpen() && column < rs->fieldCount() ? rs->column(column).definedSize : 0;
        TextLimit::attach(field, size > 0 ? size : 32767);
    }
}

void TipuriProdus::ArataConturi() {
    for (QLineEdit* field : {m_txtV, m_txtCh, m_txtStoc})
        field->clear();
    m_stock.clear();
    m_expense.clear();
    m_revenue.clear();
    const ProductType::Accounts shown = ProductType::accountsOf(m_cmbFel->currentIndex());
    m_txtStoc->setVisible(shown.stock);
    m_lblStoc->setVisible(shown.stock);
    m_txtCh->setVisible(shown.expense);
    m_lblCh->setVisible(shown.expense);
    m_txtV->setVisible(shown.revenue);
    m_lblV->setVisible(shown.revenue);
}

bool TipuriProdus::IesireTip() {
    if (!m_reading && !confirmLeave()) return false;
    unload();
    return true;
}

bool TipuriProdus::confirmLeave() {
    QWidget* active = focusWidget();
    const int answer =
        ComponentContext::current().Afiseaza(QStringLiteral("Doriti sa iesiti fara salvare ? "),
                                             MessageIcon::Error, MessageButtons::YesNo, kTitle);
    if (answer != MessageResult::Yes) {
        if (active) active->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (m_list) emit left();
    return true;
}

bool TipuriProdus::queryUnload(bool byCode) {
    // Leaving through the close box asks first; an unload by code has already decided.
    return byCode || m_reading || confirmLeave();
}

void TipuriProdus::message(const QString& text) {
    ComponentContext::current().Afiseaza(text, MessageIcon::Error, MessageButtons::Ok, kTitle);
}

} // namespace vornel
