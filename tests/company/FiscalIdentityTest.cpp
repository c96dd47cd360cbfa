// The control digits of fiscal codes, IBANs and personal numeric codes, on real and made-up numbers.
#include "company/FiscalIdentity.h"

#include <gtest/gtest.h>

using namespace vornel::fiscal;

TEST(FiscalIdentity, FiscalCodesByTheirControlDigit) {
    const struct {
        const char* text;
        Check expected;
    } cases[] = {
        {"RO10203045", Check::Valid},
        {"10203045", Check::Valid},
        {" ro 1020 3045 ", Check::Valid},
        {"28909028", Check::Valid},
        {"14399840", Check::Valid},
        {"19", Check::Valid},
        {"230", Check::Valid}, // a remainder of 10 gives the control digit 0
        {"RO10203040", Check::WrongKey},
        {"RO12345678", Check::WrongKey},
        {"14", Check::WrongKey},
        {"", Check::Empty},
        {"   ", Check::Empty},
        {"RO", Check::Malformed},
        {"7", Check::Malformed},
        {"12345678901", Check::Malformed},
        {"RO1020304A", Check::Malformed},
        {"DE10203045", Check::Malformed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkCif(QString::fromLatin1(c.text)), c.expected) << c.text;
    EXPECT_EQ(cifDigits(QStringLiteral(" RO 10203045")), "10203045");
    EXPECT_EQ(cifDigits(QStringLiteral("RO1020304A")), "");
}

TEST(FiscalIdentity, RomanianIbansByMod97AndTheirBank) {
    const struct {
        const char* text;
        Check expected;
    } cases[] = {
        {"RO06BTRL01301202A1234500", Check::Valid},
        {"RO06 BTRL 0130 1202 A123 4500", Check::Valid},
        {"ro06btrl01301202a1234500", Check::Valid},
        {"RO98BRDE130SV12345678901", Check::Valid},
        {"RO49BTRL01301202A1234500", Check::WrongKey},
        {"RO06BTRL01301202A1234501", Check::WrongKey},
        {"RO00NOTANIBAN", Check::Malformed},
        {"RO06BTRL01301202A12345000", Check::Malformed},
        {"RO06BT1L01301202A1234500", Check::Malformed},
        {"ROX6BTRL01301202A1234500", Check::Malformed},
        {"RO06BTRL01301202A12345-0", Check::Malformed},
        {"DE89370400440532013000", Check::Malformed},
        {" ", Check::Empty},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkIban(QString::fromLatin1(c.text)), c.expected) << c.text;
    EXPECT_EQ(compactIban(QStringLiteral(" RO06 BTRL 0130\t1202 A123 4500 ")), "RO06BTRL01301202A1234500");
    EXPECT_EQ(bankOfIban(QStringLiteral("RO06 btrl 0130 1202 A123 4500")), "Banca Transilvania");
    EXPECT_EQ(bankOfIban(QStringLiteral("RO98BRDE130SV12345678901")), "BRD - Groupe Societe Generale");
    EXPECT_EQ(bankOfIban(QStringLiteral("RO12TREZ0000000000000000")), "Trezoreria Statului");
    EXPECT_EQ(bankOfIban(QStringLiteral("RO12ABCD0000000000000000")), "");
    EXPECT_EQ(bankOfIban(QStringLiteral("DE12BTRL0000000000000000")), "");
}

TEST(FiscalIdentity, PersonalNumericCodesByTheirControlDigit) {
    EXPECT_EQ(checkCnp(QStringLiteral("1750312120017")), Check::Valid);
    EXPECT_EQ(checkCnp(QStringLiteral("1800101120051")), Check::Valid); // a remainder of 10 gives 1
    EXPECT_EQ(checkCnp(QStringLiteral("1750312120011")), Check::WrongKey);
    EXPECT_EQ(checkCnp(QStringLiteral("175031212001")), Check::Malformed);
    EXPECT_EQ(checkCnp(QStringLiteral("17503121200l7")), Check::Malformed);
    EXPECT_EQ(checkCnp(QString()), Check::Empty);
}
