#include "company/FiscalIdentity.h"

#include <array>
#include <utility>

namespace vornel::fiscal {

namespace {

QString withoutBlanks(const QString& text) {
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (!c.isSpace()) compact += c;
    return compact;
}

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return !text.isEmpty();
}

int digit(QChar c) {
    return c.unicode() - u'0';
}

// The Romanian banks by the four letters that follow the check digits of their IBANs.
constexpr std::array<std::pair<const char*, const char*>, 19> kBanks{{
    {"BACX", "UniCredit Bank"},      {"BRDE", "BRD - Groupe Societe Generale"},
    {"BREL", "Libra Internet Bank"}, {"BRMA", "Banca Romaneasca"},
    {"BTRL", "Banca Transilvania"},  {"BUCU", "Alpha Bank"},
    {"CARP", "Patria Bank"},         {"CECE", "CEC Bank"},
    {"CITI", "Citibank Europe"},     {"EXIM", "EximBank"},
    {"FNNB", "Credit Europe Bank"},  {"INGB", "ING Bank"},
    {"MIND", "ProCredit Bank"},      {"OTPV", "OTP Bank"},
    {"PIRB", "First Bank"},          {"RNCB", "Banca Comerciala Romana"},
    {"RZBR", "Raiffeisen Bank"},     {"TREZ", "Trezoreria Statului"},
    {"UGBI", "Garanti BBVA"},
}};

} // namespace

QString cifDigits(const QString& text) {
    QString code = withoutBlanks(text);
    if (code.startsWith(QLatin1String("RO"), Qt::CaseInsensitive)) code = code.mid(2);
    return allDigits(code) && code.size() >= 2 && code.size() <= 10 ? code : QString();
}

Check checkCif(const QString& text) {
    if (text.trimmed().isEmpty()) return Check::Empty;
    const QString code = cifDigits(text);
    if (code.isEmpty()) return Check::Malformed;
    // The digits before the control digit, right-aligned under the key.
    static const char key[] = "753217532";
    const qsizetype body = code.size() - 1;
    int sum = 0;
    for (qsizetype i = 0; i < body; ++i)
        sum += digit(code[i]) * (key[9 - body + i] - '0');
    const int control = sum * 10 % 11 % 10; // a remainder of 10 gives the control digit 0
    return control == digit(code[body]) ? Check::Valid : Check::WrongKey;
}

QString compactIban(const QString& text) {
    return withoutBlanks(text);
}

Check checkIban(const QString& text) {
    const QString iban = withoutBlanks(text).toUpper();
    if (iban.isEmpty()) return Check::Empty;
    if (iban.size() != 24 || !iban.startsWith(QLatin1String("RO")) || !allDigits(iban.mid(2, 2)))
        return Check::Malformed;
    for (qsizetype i = 4; i < 24; ++i) {
        const QChar c = iban[i];
        const bool letter = c >= u'A' && c <= u'Z';
        if (i < 8 ? !letter : !letter && !(c >= u'0' && c <= u'9')) return Check::Malformed;
    }
    // ISO 13616: the country and check digits move to the end, letters count 10 to 35, and the
    // number so written leaves 1 when divided by 97.
    const QString moved = iban.mid(4) + iban.left(4);
    int remainder = 0;
    for (QChar c : moved) {
        const int value = c.isDigit() ? digit(c) : c.unicode() - u'A' + 10;
        remainder = (remainder * (value < 10 ? 10 : 100) + value) % 97;
    }
    return remainder == 1 ? Check::Valid : Check::WrongKey;
}

QString bankOfIban(const QString& text) {
    const QString iban = withoutBlanks(text).toUpper();
    if (!iban.startsWith(QLatin1String("RO")) || iban.size() < 8) return {};
    const QString code = iban.mid(4, 4);
    for (const auto& [letters, name] : kBanks)
        if (code == QLatin1String(letters)) return QString::fromLatin1(name);
    return {};
}

Check checkCnp(const QString& text) {
    const QString cnp = text.trimmed();
    if (cnp.isEmpty()) return Check::Empty;
    if (cnp.size() != 13 || !allDigits(cnp)) return Check::Malformed;
    static const char key[] = "279146358279";
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digit(cnp[i]) * (key[i] - '0');
    const int control = sum % 11 == 10 ? 1 : sum % 11;
    return control == digit(cnp[12]) ? Check::Valid : Check::WrongKey;
}

} // namespace vornel::fiscal
