// The company's fiscal identity in its window: the fiscal code and the bank account checked as
// they are typed, a question before saving either when it fails its check, and the company's
// data filled in from ANAF's register of VAT payers.
#include "company/AnafClient.h"
#include "company/FiscalIdentity.h"
#include "company/ParamSocietate.h"
#include "entry/ComponentContext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace vornel {

namespace {

QLabel* hintLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    label->setFont(font);
    // A long hint wraps under its field instead of widening the window.
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

// Shows the hint under its field and as the field's tooltip; green when the number passes.
void showHint(QLabel* label, QLineEdit* field, const QString& text, bool valid) {
    label->setText(text);
    field->setToolTip(text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, valid ? QColor(0x70, 0xc8, 0x70) : QColor(0xff, 0xa0, 0x40));
    label->setPalette(palette);
}

QString vatStatus(const AnafCompany& company) {
    QStringList parts;
    parts << (company.platitorTva ? QStringLiteral("platitor de TVA") : QStringLiteral("neplatitor de TVA"));
    if (company.tvaLaIncasare) parts << QStringLiteral("TVA la incasare");
    parts << (company.inactiv ? QStringLiteral("contribuabil INACTIV")
                              : QStringLiteral("contribuabil activ"));
    parts << (company.eFactura ? QStringLiteral("inscris in RO e-Factura")
                               : QStringLiteral("neinscris in RO e-Factura"));
    return QStringLiteral("ANAF: ") + parts.join(QStringLiteral(", "));
}

} // namespace

QLayout* ParamSocietate::fiscalCodeCell() {
    m_cmdAnaf = new QPushButton(QStringLiteral("Preia date ANAF"), m_body);
    m_cmdAnaf->setObjectName(QStringLiteral("cmdAnaf"));
    m_cmdAnaf->setAutoDefault(false);
    m_cmdAnaf->setToolTip(
        QStringLiteral("Completeaza datele societatii din registrul ANAF al platitorilor de TVA"));
    m_lblInfoCodFiscal = hintLabel("lblInfoCodFiscal", m_body);
    m_lblStareTva = hintLabel("lblStareTva", m_body);
    connect(m_txtCodFiscal, &QLineEdit::textChanged, this, &ParamSocietate::ArataVerificareCodFiscal);
    connect(m_cmdAnaf, &QPushButton::clicked, this, &ParamSocietate::PreiaDateAnaf);

    auto* line = new QHBoxLayout;
    line->addWidget(m_txtCodFiscal, 1);
    line->addWidget(m_cmdAnaf);
    auto* cell = new QVBoxLayout;
    cell->setSpacing(1);
    cell->addLayout(line);
    cell->addWidget(m_lblInfoCodFiscal);
    return cell;
}

QLayout* ParamSocietate::bankAccountCell() {
    m_lblInfoContBanca = hintLabel("lblInfoContBanca", m_body);
    // Room for an IBAN written in groups of four.
    m_txtContBanca->setMinimumWidth(
        m_txtContBanca->fontMetrics().horizontalAdvance(QStringLiteral("RO00 WWWW 0000 0000 0000 0000")) +
        16);
    connect(m_txtContBanca, &QLineEdit::textChanged, this, &ParamSocietate::ArataVerificareContBanca);
    auto* cell = new QVBoxLayout;
    cell->setSpacing(1);
    cell->addWidget(m_txtContBanca);
    cell->addWidget(m_lblInfoContBanca);
    return cell;
}

void ParamSocietate::ArataVerificareCodFiscal() {
    const fiscal::Check check = fiscal::checkCif(m_txtCodFiscal->text());
    const char* const hints[] = {"", "Cod fiscal incorect: RO optional, apoi 2-10 cifre",
                                 "Cod fiscal invalid (cifra de control)", "Cod fiscal valid"};
    showHint(m_lblInfoCodFiscal, m_txtCodFiscal, QString::fromLatin1(hints[static_cast<int>(check)]),
             check == fiscal::Check::Valid);
}

void ParamSocietate::ArataVerificareContBanca() {
    const QString iban = m_txtContBanca->text();
    const fiscal::Check check = fiscal::checkIban(iban);
    const char* const hints[] = {"", "IBAN incorect: 24 de caractere, incepe cu RO",
                                 "IBAN invalid (cifrele de control)", "IBAN valid - "};
    QString hint = QString::fromLatin1(hints[static_cast<int>(check)]);
    if (check == fiscal::Check::Valid) {
        // The bank named by the four letters after the check digits.
        const QString bank = fiscal::bankOfIban(iban);
        hint +=
            bank.isEmpty()
                ? QStringLiteral("banca %1 necunoscuta").arg(fiscal::compactIban(iban).mid(4, 4).toUpper())
                : bank;
    }
    showHint(m_lblInfoContBanca, m_txtContBanca, hint, check == fiscal::Check::Valid);
}

bool ParamSocietate::ConfirmaIdentitateFiscala() {
    // Old records may hold odd numbers: the user decides, nothing is refused outright.
    const auto confirmed = [this](bool valid, const QString& question, QLineEdit* field) {
        if (valid) return true;
        if (ComponentContext::current().Afiseaza(question, MessageIcon::Question, MessageButtons::YesNo,
                                                 windowTitle()) == MessageResult::Yes)
            return true;
        field->setFocus(Qt::OtherFocusReason);
        return false;
    };
    const QString cif = m_txtCodFiscal->text().trimmed();
    const QString iban = m_txtContBanca->text().trimmed();
    return confirmed(
               fiscal::checkCif(cif) == fiscal::Check::Valid,
               QStringLiteral("Codul fiscal %1 nu este valid (cifra de control). Salvati totusi?").arg(cif),
               m_txtCodFiscal) &&
           confirmed(fiscal::checkIban(iban) == fiscal::Check::Valid,
                     QStringLiteral("Contul IBAN %1 nu este valid. Salvati totusi?").arg(iban),
                     m_txtContBanca);
}

void ParamSocietate::PreiaDateAnaf() {
    const QString cif = m_txtCodFiscal->text().trimmed();
    if (fiscal::checkCif(cif) != fiscal::Check::Valid) {
        message(
            QStringLiteral("Codul fiscal %1 nu este valid: datele nu pot fi cerute de la ANAF.").arg(cif));
        m_txtCodFiscal->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_anaf) {
        m_anaf = new AnafClient(AnafClient::configuredUrl(), std::chrono::seconds(10), this);
        connect(m_anaf, &AnafClient::found, this, [this](const AnafCompany& company) {
            arataCerereAnaf(false);
            CompleteazaDinAnaf(company);
        });
        connect(m_anaf, &AnafClient::failed, this, [this](const QString& text) {
            arataCerereAnaf(false);
            message(text);
        });
    }
    arataCerereAnaf(true);
    m_anaf->lookup(fiscal::cifDigits(cif), QDate::currentDate());
}

void ParamSocietate::arataCerereAnaf(bool inCurs) {
    m_cmdAnaf->setEnabled(!inCurs);
    m_cmdAnaf->setText(inCurs ? QStringLiteral("Se preiau datele...") : QStringLiteral("Preia date ANAF"));
    if (inCurs)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void ParamSocietate::CompleteazaDinAnaf(const AnafCompany& company) {
    // Only what the register knows replaces what is on screen; nothing is saved before "Accepta".
    const auto put = [](QLineEdit* field, const QString& value) {
        if (!value.isEmpty()) field->setText(value);
    };
    put(m_txtDs, company.denumire);
    put(m_txtAdresa, company.adresa);
    put(m_txtJudet, company.judet);
    put(m_txtOras, company.oras);
    put(m_txtNrInm, company.nrRegCom);
    put(m_txtTelefon[0], company.telefon);
    m_lblStareTva->setText(vatStatus(company));
}

} // namespace vornel
