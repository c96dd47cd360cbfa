// Controls and layout of the company parameters window.
#include "company/ParamSocietate.h"

#include "controls/ActionButton.h"

#include "controls/EditableGrid.h"
#include "controls/FlexGrid.h"
#include "controls/FocusColour.h"
#include "controls/Look.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornel {

namespace {

QLabel* caption(const char* text, QWidget* parent) {
    return new QLabel(QString::fromLatin1(text), parent);
}

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(80);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

} // namespace

QLineEdit* ParamSocietate::addField(const char* name) {
    auto* field = new QLineEdit(m_body);
    field->setObjectName(QString::fromLatin1(name));
    FocusColour::attach(field);
    return field;
}

void ParamSocietate::buildUi() {
    setWindowTitle(QStringLiteral("Parametri Societate"));
    m_body = new QWidget(this);

    m_imgFirma = new QLabel(m_body);
    m_imgFirma->setObjectName(QStringLiteral("imgFirma"));
    m_imgFirma->setPixmap(Look::picture(Look::Picture::Company).pixmap(48, 48));

    m_txtDs = addField("txtDs");
    m_txtNrInm = addField("txtNrInm");
    m_txtCodFiscal = addField("txtCodFiscal");
    m_txtBanca = addField("txtBanca");
    m_txtContBanca = addField("txtContBanca");
    m_txtAdresa = addField("txtAdresa");
    for (int i = 0; i < 4; ++i)
        m_txtTelefon.push_back(addField(QStringLiteral("txtTelefon_%1").arg(i).toLatin1().constData()));
    m_txtOras = addField("txtOras");
    m_txtJudet = addField("txtJudet");
    m_txtCafea = addField("txtCafea");
    m_txtAlcool = addField("txtAlcool");
    m_txtTigari = addField("txtTigari");
    m_txtExercitiu = addField("txtExercitiu");
    m_txtExercitiu->setMaximumWidth(80);

    auto* top = new QHBoxLayout;
    top->addWidget(m_imgFirma);
    top->addWidget(caption("Societate :", m_body));
    top->addWidget(m_txtDs, 1);

    // Identification of the company.
    auto* ident = new QGridLayout;
    ident->addWidget(caption("Nr. Imatriculare:", m_body), 0, 0);
    ident->addWidget(m_txtNrInm, 0, 1);
    ident->addWidget(caption("Cod Fiscal:", m_body), 0, 2);
    ident->addLayout(fiscalCodeCell(), 0, 3);
    ident->addWidget(caption("Banca:", m_body), 1, 0);
    ident->addWidget(m_txtBanca, 1, 1);
    ident->addWidget(caption("Cont Banca:", m_body), 1, 2);
    ident->addLayout(bankAccountCell(), 1, 3);
    ident->addWidget(caption("Adresa:", m_body), 2, 0);
    ident->addWidget(m_txtAdresa, 2, 1, 1, 3);
    ident->addWidget(caption("Telefon:", m_body), 3, 0, Qt::AlignTop);
    auto* phones = new QGridLayout;
    for (int i = 0; i < 4; ++i)
        phones->addWidget(m_txtTelefon[static_cast<std::size_t>(i)], i / 2, i % 2);
    phones->setRowStretch(2, 1);
    ident->addLayout(phones, 3, 1, 2, 1);
    auto* place = new QHBoxLayout;
    place->addWidget(m_txtOras, 1);
    place->addWidget(caption("Judet:", m_body));
    place->addWidget(m_txtJudet, 1);
    ident->addWidget(caption("Oras:", m_body), 5, 0);
    ident->addLayout(place, 5, 1);
    auto* permits = new QGroupBox(QStringLiteral("Autorizatii"), m_body);
    auto* permitRows = new QGridLayout(permits);
    permitRows->setContentsMargins(6, 2, 6, 4);
    permitRows->setVerticalSpacing(4);
    permitRows->addWidget(caption("Cafea:", permits), 0, 0);
    permitRows->addWidget(m_txtCafea, 0, 1);
    permitRows->addWidget(caption("Alcool:", permits), 1, 0);
    permitRows->addWidget(m_txtAlcool, 1, 1);
    permitRows->addWidget(caption("Tigari:", permits), 2, 0);
    permitRows->addWidget(m_txtTigari, 2, 1);
    ident->addWidget(permits, 3, 2, 3, 2);
    ident->addWidget(m_lblStareTva, 6, 0, 1, 4);
    ident->setColumnMinimumWidth(1, 200);
    ident->setColumnMinimumWidth(3, 200);

    // Accounting state, read only.
    auto* state = new QGridLayout;
    state->addWidget(caption("Exercitiu financiar:", m_body), 0, 0);
    state->addWidget(m_txtExercitiu, 0, 1);
    m_lblModCalcul = valueLabel("lblModCalcul", m_body);
    m_lblCalculat = new QLabel(m_body);
    m_lblCalculat->setObjectName(QStringLiteral("lblCalculat"));
    m_lblPump = valueLabel("lblPump", m_body);
    state->addWidget(m_lblModCalcul, 1, 1);
    state->addWidget(m_lblCalculat, 2, 0);
    state->addWidget(m_lblPump, 2, 1);
    const struct {
        const char* caption;
        const char* name;
        const char* column;
    } dates[] = {{"Jurnal Vanzari", "lblJurnalVanzari", "JV"},
                 {"Jurnal Cumparari", "lblJurnalCumparari", "JC"},
                 {"Alte Incasari:", "lblRegistruCasa", "AI"},
                 {"Alte Plati:", "lblJurnalBanca", "AP"},
                 {"Operatii Diverse", "lblOperDiverse", "OD"},
                 {"Salarii:", "lblSalarii", "Sal"},
                 {"Incasari  Clienti", "lblIncasariClienti", "Incasari"},
                 {"Plati Furnizori:", "lblPlatiFurnizori", "Plati"},
                 {"Corectii Terti", "lblOperTerti", "Corectii"},
                 {"Curs Valutar", "lblCursValutar", "Curs"}};
    int row = 3;
    for (const auto& date : dates) {
        QLabel* value = valueLabel(date.name, m_body);
        m_dateLabels[QString::fromLatin1(date.column)] = value;
        state->addWidget(caption(date.caption, m_body), row, 0);
        state->addWidget(value, row++, 1);
    }
    state->setRowStretch(row, 1);

    auto* validated = new QGroupBox(QStringLiteral("Perioada Validata"), m_body);
    auto* validatedLayout = new QVBoxLayout(validated);
    m_grid = new FlexGrid(validated);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setMinimumHeight(110);
    validatedLayout->addWidget(m_grid);

    const char* captions[] = {"Accepta", "Renunta", "Regie Societate"};
    const Look::Picture pictures[] = {Look::Picture::Accept, Look::Picture::Cancel, Look::Picture::None};
    auto* buttons = new QHBoxLayout;
    m_cmdIstoric = makeHistoryButton(m_body);
    connect(m_cmdIstoric, &QPushButton::clicked, this, guarded([this] { showHistory(); }));
    buttons->addWidget(m_cmdIstoric);
    buttons->addStretch();
    for (int i = 0; i < 3; ++i) {
        QPushButton* button = makeActionButton(m_body, i, QString::fromLatin1(captions[i]), pictures[i]);
        connect(button, &QPushButton::clicked, this, guarded([this, i] { onAction(i); }));
        buttons->addWidget(button);
        m_cmdAction.push_back(button);
    }

    auto* middle = new QHBoxLayout;
    middle->addLayout(ident, 3);
    middle->addSpacing(12);
    middle->addLayout(state, 2);
    auto* bodyLayout = new QVBoxLayout(m_body);
    bodyLayout->addLayout(top);
    bodyLayout->addLayout(middle);
    bodyLayout->addWidget(validated, 1);
    bodyLayout->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_body);

    // The overheads frame lies over the window while it is shown.
    m_frmC = new QFrame(this);
    m_frmC->setObjectName(QStringLiteral("frmC"));
    m_frmC->setFrameShape(QFrame::Box);
    m_frmC->setAutoFillBackground(true);
    auto* frameLayout = new QVBoxLayout(m_frmC);
    m_gridEX1 = new EditableGrid(m_frmC);
    m_gridEX1->setObjectName(QStringLiteral("GridEX1"));
    m_cmdC = new QPushButton(QStringLiteral("Iesire"), m_frmC);
    m_cmdC->setObjectName(QStringLiteral("cmdC"));
    m_cmdC->setAutoDefault(false);
    auto* frameButtons = new QHBoxLayout;
    frameButtons->addStretch();
    frameButtons->addWidget(m_cmdC);
    frameLayout->addWidget(m_gridEX1, 1);
    frameLayout->addLayout(frameButtons);
    m_frmC->hide();

    setTabOrder(m_txtDs, m_txtNrInm);
    setTabOrder(m_txtNrInm, m_txtCodFiscal);
    setTabOrder(m_txtCodFiscal, m_txtBanca);
    setTabOrder(m_txtBanca, m_txtContBanca);
    setTabOrder(m_txtContBanca, m_txtAdresa);
    setTabOrder(m_txtAdresa, m_txtTelefon[0]);
    for (std::size_t i = 0; i + 1 < m_txtTelefon.size(); ++i)
        setTabOrder(m_txtTelefon[i], m_txtTelefon[i + 1]);
    setTabOrder(m_txtTelefon[3], m_txtOras);
    setTabOrder(m_txtOras, m_txtJudet);
    setTabOrder(m_txtJudet, m_txtCafea);
    setTabOrder(m_txtCafea, m_txtAlcool);
    setTabOrder(m_txtAlcool, m_txtTigari);
    setTabOrder(m_txtTigari, m_grid);
    setTabOrder(m_grid, m_cmdAction[0]);
}

} // namespace vornel
