#include "editors/GridDetailMare.h"

#include "controls/ActionButton.h"
#include "controls/FocusColour.h"
#include "controls/KeyFilter.h"
#include "controls/Look.h"
#include "data/DbError.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
QLabel* makeHeading(QWidget* parent, int index, const char* text) {
    QLabel* heading = makeLabel(parent, QStringLiteral("Label2_%1").arg(index), text);
    Look::makeHeading(heading);
    return heading;
}

} // namespace

GridDetailMare::GridDetailMare() : RecordEditor(QStringLiteral("GridDetailMare")) {
    buildUi();
}

GridDetailMare::~GridDetailMare() = default;

void GridDetailMare::buildUi() {
    const struct {
        Field field;
        const char* label;
        const char* caption;
        const char* name;
    } rows[] = {{Field::CodCasierie, "lblCodCasierie", "Cod Casierie", "txtCodCasierie"},
                {Field::DenumireDepozit, "lblDenumireDepozit", "Denumire", "txtDenumireDepozit"},
                {Field::DescriereDepozit, "lblDescriereDepozit", "Descriere", "txtDescriereDepozit"},
                {Field::AdresaDepozit, "lblAdresaDepozit", "Adresa", "txtAdresaDepozit"},
                {Field::ContAnalitic, "lblContAnalitic", "Cont", "txtContAnalitic"},
                {Field::NumeGestionar, "lblNumeGestionar", "Gestionar", "txtNumeGestionar"},
                {Field::TelefonVetra, "lblTelefonVetra", "Telefon", "txtTelefonVetra"},
                {Field::TelefonMobil, "lblTelefonMobil", "Telefon Mobil", "txtTelefonMobil"},
                {Field::Cale, "lblCale", "Cale catre program", "txtCale"},
                {Field::NumeProgram, "lblNumeProgram", "Nume program", "txtNumeProgram"}};
    QLabel* lblCodDepozit = makeLabel(this, QStringLiteral("lblCodDepozit"));
    for (const auto& row : rows) {
        m_labels[row.field] = makeLabel(this, QString::fromLatin1(row.label), row.caption);
        m_controls[row.field] = makeField(this, row.name);
    }
    auto* chkTransferabil = new QCheckBox(this);
    chkTransferabil->setObjectName(QStringLiteral("chkTransferabil"));
    m_controls[Field::CodDepozit] = lblCodDepozit;
    m_controls[Field::Transferabil] = chkTransferabil;
    m_controls[Field::Heading0] = makeHeading(this, 0, "Particularitati Depozit");
    m_controls[Field::Heading1] = makeHeading(this, 1, "Particularitati Gestionar");
    m_controls[Field::Heading2] = makeHeading(this, 2, "Particularitati Program Casa Marcat");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(control(Field::CodCasierie));
    codeRow->addWidget(lblCodDepozit);
    codeRow->addStretch();
    int row = 0;
    const auto pair = [&](Field field) {
        grid->addWidget(designLabel(field), row, 0);
        grid->addWidget(control(field), row++, 1);
    };
    const auto across = [&](Field field) { grid->addWidget(control(field), row++, 0, 1, 2); };
    grid->addWidget(designLabel(Field::CodCasierie), row, 0);
    grid->addLayout(codeRow, row++, 1);
    pair(Field::DenumireDepozit);
    across(Field::Heading0);
    pair(Field::DescriereDepozit);
    pair(Field::AdresaDepozit);
    pair(Field::ContAnalitic);
    across(Field::Heading1);
    pair(Field::NumeGestionar);
    pair(Field::TelefonVetra);
    pair(Field::TelefonMobil);
    grid->addWidget(chkTransferabil, row++, 1);
    across(Field::Heading2);
    pair(Field::Cale);
    pair(Field::NumeProgram);

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

    // Shown by the catalogues that use them.
    for (Field field : {Field::CodCasierie, Field::Cale, Field::NumeProgram}) {
        control(field)->setVisible(false);
        designLabel(field)->setVisible(false);
    }
    for (Field field : {Field::Transferabil, Field::Heading2})
        control(field)->setVisible(false);

    const std::vector<QWidget*> tabs = {control(Field::CodCasierie),
                                        control(Field::DenumireDepozit),
                                        control(Field::DescriereDepozit),
                                        control(Field::AdresaDepozit),
                                        control(Field::ContAnalitic),
                                        control(Field::NumeGestionar),
                                        control(Field::TelefonVetra),
                                        control(Field::TelefonMobil),
                                        chkTransferabil,
                                        control(Field::Cale),
                                        control(Field::NumeProgram),
                                        m_cmdAction[0],
                                        m_cmdAction[1]};
    for (std::size_t i = 1; i < tabs.size(); ++i)
        setTabOrder(tabs[i - 1], tabs[i]);
}

const std::vector<Field>& GridDetailMare::fields() const {
    static const std::vector<Field> design = {
        Field::CodCasierie,      Field::CodDepozit,    Field::DenumireDepozit, Field::Heading0,
        Field::DescriereDepozit, Field::AdresaDepozit, Field::ContAnalitic,    Field::Heading1,
        Field::NumeGestionar,    Field::TelefonVetra,  Field::TelefonMobil,    Field::Transferabil,
        Field::Heading2,         Field::Cale,          Field::NumeProgram};
    return design;
}

void GridDetailMare::DeschideDetaliu(const CatalogProfile& profile, EditMode mode,
                                     std::shared_ptr<Recordset> list) {
    load([&] {
        begin(profile, mode, std::move(list));
        attachKeyFilters();
        show();
        applyProfile(); // PregatesteMacheta: the layout and, in modify mode, the loaded record
        adjustSize();
        centre();
        activateWindow();
        control(focusField(Field::CodCasierie))->setFocus(Qt::OtherFocusReason);
    });
}

void GridDetailMare::attachKeyFilters() {
    using namespace KeyFilter;
    const Rule usual = rejecting(kQuoteSemicolonPercentComma);
    const Rule phone = rejecting(kQuoteSemicolonPercentComma + QLatin1Char('"'));
    attachKeyRules({{Field::CodCasierie, rejecting(kQuoteSemicolonPercentComma + QStringLiteral(".]["))},
                    {Field::DenumireDepozit, usual},
                    {Field::ContAnalitic, usual},
                    {Field::NumeGestionar, usual},
                    {Field::DescriereDepozit, usual},
                    {Field::AdresaDepozit, usual},
                    {Field::TelefonVetra, phone},
                    {Field::TelefonMobil, phone}});
    control(Field::ContAnalitic)->installEventFilter(this);
}

bool GridDetailMare::filterEvent(QObject* watched, QEvent* event) {
    if (watched == control(Field::ContAnalitic) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The chooser's code replaces the account; Enter does nothing else here.
            lookUp(Field::ContAnalitic);
            return true;
        }
    }
    return FormWindow::filterEvent(watched, event);
}

QString GridDetailMare::saveFailure(const DbError& error) const {
    return error.isIntegrityViolation() ? QStringLiteral(" Exista deja o inregistrare cu acesta cheie!!")
                                        : QString();
}

} // namespace vornel
