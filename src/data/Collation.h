#pragma once
// The text rules of the lists. Sorting follows the Romanian alphabet (a, ă, â, b, ..., i, î, ...,
// s, ș, t, ț, ...); case and the accents of other languages only break ties, lower case first.
// Finding ignores case and every diacritic, so "sucursala" finds "Sucursală".

#include <QString>
#include <QStringView>
#include <cstddef>
#include <string>
#include <vector>

namespace vornel::Collation {

// Appends the sort key of UTF-8 text. Keys compared bytewise (a shorter key first on a common
// start) order the texts: the primary weights, a 0 byte, then a byte per character for its
// accent and one for its case.
void appendSortKey(std::string& key, const char* utf8, std::size_t size);
// Appends only the primary weights: texts with the same primary key differ at most in case or in
// accents that are not letters of their own in Romanian.
void appendPrimaryKey(std::string& key, const char* utf8, std::size_t size);
std::string sortKey(QStringView text);
std::string primaryKey(QStringView text);

// A character without case or diacritics ("Ș" gives "s", "É" gives "e").
char32_t fold(char32_t c);
QString fold(QStringView text);

// A text to find, folded once and looked for in UTF-8 text folded as it is read.
class FoldedText {
public:
    explicit FoldedText(QStringView text);
    bool isEmpty() const { return m_chars.empty(); }
    bool foundIn(const char* utf8, std::size_t size) const;
    // True when this text contains `other`: whatever holds this text holds `other` too.
    bool contains(const FoldedText& other) const;

private:
    // Whether the characters from `from` on follow at p.
    bool restMatches(std::size_t from, const unsigned char* p, const unsigned char* end) const;

    std::vector<char32_t> m_chars;
    std::size_t m_ascii = 0; // how many characters from the first are ASCII
};

} // namespace vornel::Collation
