#include "editors/GridDetailMare.h"

#include "catalogs/GridComun.h"
#include "controls/ActionButton.h"
#include "controls/FocusColour.h"
#include "controls/Look.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

namespace vornel {

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const char* text = "") {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* makeField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setMinimumWidth(280);
    FocusColour::attach(field);
    return field;
}

// A section heading over a group of fields.
QLabel* makeHeading(QWidget* parent, int index) {
    QLabel* heading = makeLabel(parent, QStringLiteral("Label2_%1").arg(index));
    Look::makeHeading(heading);
    return heading;
}

} // namespace

GridDetailMare::GridDetailMare() : FormWindow(QStringLiteral("GridDetailMare")) {
    buildUi();
}

GridDetailMare::~GridDetailMare() = default;

void GridDetailMare::buildUi() {

    m_lblCodDepozit = makeLabel(this, QStringLiteral("lblCodDepozit"));
    m_lblCodCasierie = makeLabel(this, QStringLiteral("lblCodCasierie"), "Cod Casierie");
    m_lblDenumireDepozit = makeLabel(this, QStringLiteral("lblDenumireDepozit"), "Denumire");
    m_lblDescriereDepozit = makeLabel(this, QStringLiteral("lblDescriereDepozit"), "Descriere");
    m_lblAdresaDepozit = makeLabel(this, QStringLiteral("lblAdresaDepozit"), "Adresa");
    m_lblContAnalitic = makeLabel(this, QStringLiteral("lblContAnalitic"), "Cont");
    m_lblNumeGestionar = makeLabel(this, QStringLiteral("lblNumeGestionar"), "Gestionar");
    m_lblTelefonVetra = makeLabel(this, QStringLiteral("lblTelefonVetra"), "Telefon");
    m_lblTelefonMobil = makeLabel(this, QStringLiteral("lblTelefonMobil"), "Telefon Mobil");
    m_lblCale = makeLabel(this, QStringLiteral("lblCale"), "Cale catre program");
    m_lblNumeProgram = makeLabel(this, QStringLiteral("lblNumeProgram"), "Nume program");

    m_txtCodCasierie = makeField(this, "txtCodCasierie");
    m_txtDenumireDepozit = makeField(this, "txtDenumireDepozit");
    m_txtDescriereDepozit = makeField(this, "txtDescriereDepozit");
    m_txtAdresaDepozit = makeField(this, "txtAdresaDepozit");
    m_txtContAnalitic = makeField(this, "txtContAnalitic");
    m_txtNumeGestionar = makeField(this, "txtNumeGestionar");
    m_txtTelefonVetra = makeField(this, "txtTelefonVetra");
    m_txtTelefonMobil = makeField(this, "txtTelefonMobil");
    m_txtCale = makeField(this, "txtCale");
    m_txtNumeProgram = makeField(this, "txtNumeProgram");
    m_chkTransferabil = new QCheckBox(this);
    m_chkTransferabil->setObjectName(QStringLiteral("chkTransferabil"));
    for (int i = 0; i < 3; ++i)
        m_Label2.push_back(makeHeading(this, i));
    m_Label2[0]->setText(QStringLiteral("Particularitati Depozit"));
    m_Label2[1]->setText(QStringLiteral("Particularitati Gestionar"));
    m_Label2[2]->setText(QStringLiteral("Particularitati Program Casa Marcat"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(m_txtCodCasierie);
    codeRow->addWidget(m_lblCodDepozit);
    codeRow->addStretch();
    int row = 0;
    const auto pair = [&](QLabel* label, QWidget* field) {
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    };
    grid->addWidget(m_lblCodCasierie, row, 0);
    grid->addLayout(codeRow, row++, 1);
    pair(m_lblDenumireDepozit, m_txtDenumireDepozit);
    grid->addWidget(m_Label2[0], row++, 0, 1, 2);
    pair(m_lblDescriereDepozit, m_txtDescriereDepozit);
    pair(m_lblAdresaDepozit, m_txtAdresaDepozit);
    pair(m_lblContAnalitic, m_txtContAnalitic);
    grid->addWidget(m_Label2[1], row++, 0, 1, 2);
    pair(m_lblNumeGestionar, m_txtNumeGestionar);
    pair(m_lblTelefonVetra, m_txtTelefonVetra);
    pair(m_lblTelefonMobil, m_txtTelefonMobil);
    grid->addWidget(m_chkTransferabil, row++, 1);
    grid->addWidget(m_Label2[2], row++, 0, 1, 2);
    pair(m_lblCale, m_txtCale);
    pair(m_lblNumeProgram, m_txtNumeProgram);

    const char* captions[] = {"Salveaza", "Renunta"};
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

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addStretch();
    outer->addSpacing(8);
    outer->addLayout(buttons);

    // Shown by the captions that use them.
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_lblCodCasierie, m_txtCodCasierie, m_chkTransferabil, m_lblCale,
                                         m_txtCale, m_lblNumeProgram, m_txtNumeProgram, m_Label2[2]})
        w->setVisible(false);

    const std::vector<QWidget*> tabs = {m_txtCodCasierie,   m_txtDenumireDepozit, m_txtDescriereDepozit,
                                        m_txtAdresaDepozit, m_txtContAnalitic,    m_txtNumeGestionar,
                                        m_txtTelefonVetra,  m_txtTelefonMobil,    m_chkTransferabil,
                                        m_txtCale,          m_txtNumeProgram,     m_cmdAction[0],
                                        m_cmdAction[1]};
    for (std::size_t i = 1; i < tabs.size(); ++i)
        setTabOrder(tabs[i - 1], tabs[i]);
}

void GridDetailMare::DeschideDetaliu(const QString& caption, const QString& mode, const QString& table) {
    std::shared_ptr<Recordset> list;
    if (auto* lista = ComponentContext::current().loaded<GridComun>()) list = lista->lista();
    DeschideDetaliu(caption, mode, table, std::move(list));
}

void GridDetailMare::DeschideDetaliu(const QString& caption, const QString& mode, const QString& table,
                                     std::shared_ptr<Recordset> list) {
    load([&] {
        m_caption = caption;
        m_mode = mode;
        m_table = table;
        m_list = std::move(list);
        if (auto* lista = ComponentContext::current().loaded<GridComun>()) lista->setEnabled(false);

        // Loading: every catalogue but the warehouses has a code of its own.
        if (m_caption != u"Depozite") {
            m_lblCodCasierie->setVisible(true);
            m_txtCodCasierie->setVisible(true);
        }
        attachKeyFilters();
        show();
        PregatesteMacheta();
        adjustSize();
        centre();

        const bool byName = m_caption == u"Depozite";
        m_loadedKey = byName ? m_txtDenumireDepozit->text() : m_txtCodCasierie->text();
        activateWindow();
        QLineEdit* first = byName || !m_txtCodCasierie->isEnabled() ? m_txtDenumireDepozit : m_txtCodCasierie;
        first->setFocus(Qt::OtherFocusReason);
    });
}

void GridDetailMare::onAction(int index) {
    if (index == 1) {
        unload();
        return;
    }
    if (!runChecks()) return;
    if (SalveazaDate()) unload();
}

void GridDetailMare::onUnload() {
    if (auto* lista = ComponentContext::current().loaded<GridComun>())
        lista->refreshAfterEditor(m_mode == u"A");
}

} // namespace vornel
