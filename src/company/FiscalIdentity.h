#pragma once
// Romanian fiscal identity numbers: the fiscal code (CIF) of a company, its IBAN and the personal
// numeric code (CNP) of a person, each with its control digits; the banks by their IBAN code.
// Pure functions, no widgets.

#include <QString>

namespace vornel::fiscal {

enum class Check {
    Empty,     // nothing but blanks
    Malformed, // not the shape of the number
    WrongKey,  // the right shape, but the control digits do not match
    Valid,
};

// The fiscal code: optional "RO", then 2 to 10 digits of which the last is the control digit
// (key 753217532). Blanks are ignored.
Check checkCif(const QString& text);
// The digits of a well-formed fiscal code without "RO" ("RO10203045" -> "10203045"); empty
// when the text is not a fiscal code.
QString cifDigits(const QString& text);

// A Romanian IBAN: "RO", two check digits, four letters of the bank and sixteen letters or digits,
// 24 characters in all, checked by ISO 13616 (mod 97). Blanks are ignored, letters in any case.
Check checkIban(const QString& text);
// The IBAN without the blanks typed to group it.
QString compactIban(const QString& text);
// The bank of a Romanian IBAN by its four letters ("BTRL" -> "Banca Transilvania"); empty when
// the code is not in the table.
QString bankOfIban(const QString& text);

// The personal numeric code: 13 digits, the last the control digit (key 279146358279).
Check checkCnp(const QString& text);

} // namespace vornel::fiscal
