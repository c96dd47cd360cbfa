#include "editors/GridDetail.h"

#include "catalogs/GridComun.h"
#include "controls/ActionButton.h"
#include "controls/FocusColour.h"
#include "controls/NumericBox.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

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

GridDetail::GridDetail() : FormWindow(QStringLiteral("GridDetail")) {
    buildUi();
}

GridDetail::~GridDetail() = default;

void GridDetail::buildUi() {
    m_txtCont = makeField<QLineEdit>(this, "txtCont");
    m_txtCod = makeField<QLineEdit>(this, "txtCod");
    m_txtCheie = makeField<QLineEdit>(this, "txtCheie");
    m_txtDescriere = makeField<QLineEdit>(this, "txtDescriere");
    m_txtDiscount = makeField<NumericBox>(this, "txtDiscount");
    m_txtRezerva = makeField<QLineEdit>(this, "txtRezerva");
    m_txtRezerva1 = makeField<QLineEdit>(this, "txtRezerva1");
    m_chkTransferabil = new QCheckBox(this);
    m_chkTransferabil->setObjectName(QStringLiteral("chkTransferabil"));
    m_cmbRezerva = new LockableCombo(this);
    m_cmbRezerva->setObjectName(QStringLiteral("cmbRezerva"));
    m_cmbRezerva->setEditable(true);
    m_cmbRezerva->setInsertPolicy(QComboBox::NoInsert);
    FocusColour::attach(m_cmbRezerva);

    m_lblCheie = makeLabel(this, "lblCheie", "Cheie");
    m_lblDescriere = makeLabel(this, "lblDescriere", "Descriere");
    m_lblRezerva = makeLabel(this, "lblRezerva", "Rezerva");
    m_lblRezerva1 = makeLabel(this, "lblRezerva1", "Rezerva1");
    m_lblCod = makeLabel(this, "lblCod", "Cheie");
    m_lblCont = makeLabel(this, "lblCont", "Cheie");
    m_lblTransferabil = makeLabel(this, "lblTransferabil", "Transferabil");

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

    // Design order of the rows; the layout of a caption may bring some of them forward.
    m_designRows = {{m_lblCont, m_txtCont},         {m_lblCod, m_txtCod},
                    {m_lblCheie, m_txtCheie},       {m_lblDescriere, m_txtDescriere},
                    {nullptr, m_txtDiscount},       {m_lblRezerva, m_txtRezerva},
                    {m_lblRezerva1, m_txtRezerva1}, {m_lblTransferabil, m_chkTransferabil},
                    {nullptr, m_cmbRezerva}};
    m_designTabs = {m_txtCont,     m_txtCod,       m_txtCheie,    m_txtDescriere,
                    m_txtDiscount, m_txtRezerva,   m_txtRezerva1, m_chkTransferabil,
                    m_cmbRezerva,  m_cmdAction[0], m_cmdAction[1]};

    m_grid = new QGridLayout;
    m_grid->setColumnMinimumWidth(1, 220);
    placeRows({});
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(m_grid);
    outer->addLayout(buttons);

    for (QWidget* hidden : {static_cast<QWidget*>(m_txtCont), static_cast<QWidget*>(m_txtCod),
                            static_cast<QWidget*>(m_txtDiscount), static_cast<QWidget*>(m_chkTransferabil),
                            static_cast<QWidget*>(m_cmbRezerva), static_cast<QWidget*>(m_lblRezerva),
                            static_cast<QWidget*>(m_lblCod), static_cast<QWidget*>(m_lblCont),
                            static_cast<QWidget*>(m_lblTransferabil)})
        hidden->setVisible(false);
    setTabs({});

    // Any change of the group code counts as typed until the chooser confirms it.
    connect(m_txtRezerva, &QLineEdit::textChanged, this, [this] { m_groupLookup = true; });
}

void GridDetail::DeschideEditor(const QString& caption, const QString& mode, const QString& table) {
    std::shared_ptr<Recordset> list;
    if (auto* lista = ComponentContext::current().loaded<GridComun>()) list = lista->lista();
    DeschideEditor(caption, mode, table, std::move(list));
}

void GridDetail::DeschideEditor(const QString& caption, const QString& mode, const QString& table,
                                std::shared_ptr<Recordset> list) {
    load([&] {
        m_caption = caption;
        m_mode = mode;
        m_table = table;
        m_list = std::move(list);
        attachKeyFilters();
        centre();
        show();
        AranjeazaCampuri();
        adjustSize();
        centre();
    });
}

void GridDetail::onAction(int index) {
    if (index == 1) {
        unload();
        return;
    }
    if (!runChecks()) return;
    if (SalveazaInregistrarea()) unload();
}

void GridDetail::onUnload() {
    if (auto* lista = ComponentContext::current().loaded<GridComun>())
        lista->refreshAfterEditor(m_mode == u"A");
}

} // namespace vornel
