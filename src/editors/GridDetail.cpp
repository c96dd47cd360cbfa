#include "editors/GridDetail.h"

#include "controls/ActionButton.h"
#include "controls/FocusColour.h"
#include "controls/KeyFilter.h"
#include "controls/NumericBox.h"
#include "data/DbError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vornel {

namespace {

// A combo box that can be locked like a read-only text box: no typing, no list, no arrow keys.
class LockableCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    bool locked() const { return lineEdit() && lineEdit()->isReadOnly(); }
    void showPopup() override {
        if (!locked()) QComboBox::showPopup();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (locked() &&
            (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
             key == Qt::Key_F4 || key == Qt::Key_Home || key == Qt::Key_End))
            return;
        QComboBox::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent* event) override {
        if (!locked()) QComboBox::wheelEvent(event);
    }
};

QLabel* makeLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

template <class W> W* makeField(QWidget* parent, const char* name) {
    auto* field = new W(parent);
    field->setObjectName(QString::fromLatin1(name));
    FocusColour::attach(field);
    return field;
}

} // namespace

GridDetail::GridDetail() : RecordEditor(QStringLiteral("GridDetail")) {
    buildUi();
}

GridDetail::~GridDetail() = default;

void GridDetail::buildUi() {
    auto* txtCont = makeField<QLineEdit>(this, "txtCont");
    auto* txtCod = makeField<QLineEdit>(this, "txtCod");
    auto* txtCheie = makeField<QLineEdit>(this, "txtCheie");
    auto* txtDescriere = makeField<QLineEdit>(this, "txtDescriere");
    m_txtDiscount = makeField<NumericBox>(this, "txtDiscount");
    auto* txtRezerva = makeField<QLineEdit>(this, "txtRezerva");
    auto* txtRezerva1 = makeField<QLineEdit>(this, "txtRezerva1");
    auto* chkTransferabil = new QCheckBox(this);
    chkTransferabil->setObjectName(QStringLiteral("chkTransferabil"));
    auto* cmbRezerva = new LockableCombo(this);
    cmbRezerva->setObjectName(QStringLiteral("cmbRezerva"));
    cmbRezerva->setEditable(true);
    cmbRezerva->setInsertPolicy(QComboBox::NoInsert);
    FocusColour::attach(cmbRezerva);
    m_controls = {{Field::Cont, txtCont},           {Field::Cod, txtCod},
                  {Field::Cheie, txtCheie},         {Field::Descriere, txtDescriere},
                  {Field::Discount, m_txtDiscount}, {Field::Rezerva, txtRezerva},
                  {Field::Rezerva1, txtRezerva1},   {Field::Transferabil, chkTransferabil},
                  {Field::Combo, cmbRezerva}};

    m_labels = {{Field::Cheie, makeLabel(this, "lblCheie", "Cheie")},
                {Field::Descriere, makeLabel(this, "lblDescriere", "Descriere")},
                {Field::Rezerva, makeLabel(this, "lblRezerva", "Rezerva")},
                {Field::Rezerva1, makeLabel(this, "lblRezerva1", "Rezerva1")},
                {Field::Cod, makeLabel(this, "lblCod", "Cheie")},
                {Field::Cont, makeLabel(this, "lblCont", "Cheie")},
                {Field::Transferabil, makeLabel(this, "lblTransferabil", "Transferabil")}};

    const char* captions[] = {" Salveaza", " Renunta"};
    const char* accelerators[] = {"Alt+S", "Alt+R"};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < 2; ++i) {
        QPushButton* button = makeActionButton(this, i, QString::fromLatin1(captions[i]),
                                               i == 0 ? Look::Picture::Save : Look::Picture::Cancel,
                                               QString::fromLatin1(accelerators[i]));
        connect(button, &QPushButton::clicked, this, guarded([this, i] { onAction(i); }));
        buttons->addWidget(button);
        m_cmdAction.push_back(button);
    }

    // Design order of the rows; the layout of a catalogue may bring some of them forward.
    for (Field field : fields())
        m_designRows.push_back({designLabel(field), control(field)});
    m_designTabs = {txtCont,     txtCod,          txtCheie,   txtDescriere,   m_txtDiscount, txtRezerva,
                    txtRezerva1, chkTransferabil, cmbRezerva, m_cmdAction[0], m_cmdAction[1]};

    m_grid = new QGridLayout;
    m_grid->setColumnMinimumWidth(1, 220);
    placeRows({});
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(m_grid);
    outer->addLayout(buttons);

    for (Field field : {Field::Cont, Field::Cod, Field::Discount, Field::Transferabil, Field::Combo})
        control(field)->setVisible(false);
    for (Field field : {Field::Rezerva, Field::Cod, Field::Cont, Field::Transferabil})
        designLabel(field)->setVisible(false);
    setTabs({});
}

const std::vector<Field>& GridDetail::fields() const {
    static const std::vector<Field> design = {Field::Cont,      Field::Cod,          Field::Cheie,
                                              Field::Descriere, Field::Discount,     Field::Rezerva,
                                              Field::Rezerva1,  Field::Transferabil, Field::Combo};
    return design;
}

void GridDetail::DeschideEditor(const CatalogProfile& profile, EditMode mode,
                                std::shared_ptr<Recordset> list) {
    load([&] {
        begin(profile, mode, std::move(list));
        attachKeyFilters();
        centre();
        show();
        AranjeazaCampuri();
        adjustSize();
        centre();
    });
}

void GridDetail::attachKeyFilters() {
    using namespace KeyFilter;
    const Rule usual = rejecting(kQuoteSemicolonPercentComma);
    // The discount box takes no further character once its value is long enough.
    const Rule discount = [box = m_txtDiscount](QChar typed) {
        return typed.unicode() < 32 || Sql::numberText(box->Valoare()).size() <= 5;
    };
    attachKeyRules({{Field::Cheie, usual},
                    {Field::Cod, usual},
                    {Field::Descriere, usual},
                    {Field::Cont, usual},
                    {Field::Rezerva, usual},
                    {Field::Combo, rejecting(kQuoteSemicolonPercentComma + QLatin1Char('"'))},
                    {Field::Discount, discount}});
    for (Field field : {Field::Cont, Field::Descriere, Field::Rezerva, Field::Rezerva1})
        control(field)->installEventFilter(this);
}

bool GridDetail::filterEvent(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && lookUp(fieldOf(watched))) return true;
    }
    return FormWindow::filterEvent(watched, event);
}

void GridDetail::placeRows(const std::vector<Row>& first) {
    std::vector<Row> rows = first;
    auto placed = [&rows](QWidget* w) {
        return std::any_of(rows.begin(), rows.end(),
                           [w](const Row& r) { return r.first == w || r.second == w; });
    };
    for (const Row& design : m_designRows) {
        if (placed(design.second)) continue;
        rows.push_back({design.first && !placed(design.first) ? design.first : nullptr, design.second});
    }
    for (const Row& design : m_designRows) {
        if (design.first) m_grid->removeWidget(design.first);
        m_grid->removeWidget(design.second);
    }
    int index = 0;
    for (const Row& row : rows) {
        if (row.first) m_grid->addWidget(row.first, index, 0);
        m_grid->addWidget(row.second, index, 1);
        ++index;
    }
}

void GridDetail::setTabs(const std::vector<QWidget*>& first) {
    std::vector<QWidget*> order = first;
    for (QWidget* w : m_designTabs)
        if (std::find(order.begin(), order.end(), w) == order.end()) order.push_back(w);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void GridDetail::AranjeazaCampuri() {
    applyProfile();
    const EditorProfile& form = profile().form;
    std::vector<Row> rows;
    std::vector<QWidget*> tabs;
    for (const EditorField& f : form.fields) {
        rows.push_back({designLabel(f.label == Field::Self ? f.field : f.label), control(f.field)});
        tabs.push_back(control(f.field));
    }
    if (form.ownRowOrder) placeRows(rows);
    if (form.ownTabOrder) setTabs(tabs);
    activateWindow();
    control(focusField(Field::Cheie))->setFocus(Qt::OtherFocusReason);
}

QString GridDetail::saveFailure(const DbError& error) const {
    // Err.Number is shown as a signed 32-bit value, as the suite prints it.
    if (mode() == EditMode::Add)
        return error.description() + " -- " + QString::number(static_cast<qint32>(error.number()));
    return error.isIntegrityViolation() ? QStringLiteral("Modificare imposibila!! Exista legaturi conexe. ")
                                        : QString();
}

} // namespace vornel
