#include "Collation.h"

#include <QChar>
#include <QList>
#include <algorithm>
#include <array>

namespace vornel::Collation {

namespace {

// Primary weights: 0x01 blank, 0x02-0x21 ASCII punctuation, 0x22 other punctuation and symbols,
// 0x30-0x39 digits, 0x40-0x5E the 31 letters of the Romanian alphabet, then every other
// character by code point behind an 0xF0 byte. No weight is 0: that byte ends the primary part.
constexpr unsigned char kBlank = 0x01;
constexpr unsigned char kOtherPunctuation = 0x22;
constexpr unsigned char kLetters = 0x40;
constexpr unsigned char kEscape = 0xF0;

constexpr char kPunctuation[] = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";

// Position in the alphabet "aăâbcdefghiîjklmnopqrsștțuvwxyz" of the ASCII letters.
constexpr std::array<unsigned char, 26> kLetterIndex = {0,  3,  4,  5,  6,  7,  8,  9,  10, 12, 13, 14, 15,
                                                        16, 17, 18, 19, 20, 21, 23, 25, 26, 27, 28, 29, 30};

// The letters of their own: ă, â, î, ș, ț in either case, the cedilla forms of ș and ț too.
int romanianLetter(char32_t c) {
    switch (c) {
    case 0x0103:
    case 0x0102:
        return 1;
    case 0x00E2:
    case 0x00C2:
        return 2;
    case 0x00EE:
    case 0x00CE:
        return 11;
    case 0x0219:
    case 0x0218:
    case 0x015F:
    case 0x015E:
        return 22;
    case 0x021B:
    case 0x021A:
    case 0x0163:
    case 0x0162:
        return 24;
    default:
        return -1;
    }
}

char32_t foldGeneral(char32_t c) {
    switch (c) {
    case 0x0110:
    case 0x0111:
        return u'd';
    case 0x0141:
    case 0x0142:
        return u'l';
    case 0x00D8:
    case 0x00F8:
        return u'o';
    case 0x0126:
    case 0x0127:
        return u'h';
    case 0x0131:
        return u'i';
    default:
        break;
    }
    char32_t base = c;
    if (c <= 0xFFFF) {
        const QChar ch(static_cast<char16_t>(c));
        if (ch.decompositionTag() == QChar::Canonical) {
            // Decompose fully: "ấ" is "â" and an acute, "â" is "a" and a circumflex.
            QString decomposed = ch.decomposition();
            while (!decomposed.isEmpty() && decomposed.at(0).decompositionTag() == QChar::Canonical)
                decomposed = decomposed.at(0).decomposition() + decomposed.mid(1);
            if (!decomposed.isEmpty()) base = decomposed.at(0).unicode();
        }
    }
    return QChar::toCaseFolded(base);
}

// Folding of the Latin letters with diacritics, worked out once.
constexpr char32_t kTableFirst = 0x00C0;
constexpr char32_t kTableEnd = 0x0250;

const std::array<char32_t, kTableEnd - kTableFirst>& latinTable() {
    static const auto table = [] {
        std::array<char32_t, kTableEnd - kTableFirst> t{};
        for (char32_t c = kTableFirst; c < kTableEnd; ++c)
            t[c - kTableFirst] = foldGeneral(c);
        return t;
    }();
    return table;
}

inline char32_t decode(const unsigned char*& p, const unsigned char* end) {
    const unsigned char b = *p++;
    if (b < 0x80) return b;
    int extra = 0;
    char32_t c = 0;
    if ((b & 0xE0) == 0xC0) {
        extra = 1;
        c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2;
        c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3;
        c = b & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int i = 0; i < extra; ++i) {
        if (p >= end || (*p & 0xC0) != 0x80) return 0xFFFD;
        c = (c << 6) | (*p++ & 0x3F);
    }
    return c;
}

inline char32_t foldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char32_t>(c + 32) : c;
}

inline char32_t foldedNext(const unsigned char*& p, const unsigned char* end) {
    if (*p < 0x80) return foldAscii(*p++);
    return fold(decode(p, end));
}

struct Weight {
    unsigned char primary = 0; // 0: the character has no weight (control characters)
    char32_t escaped = 0;      // with primary kEscape: the folded character
    unsigned char accent = 1;  // 1 for none; another language's accent, or which symbol
    bool upper = false;
};

Weight weightOf(char32_t c) {
    Weight w;
    if (c < 0x80) {
        if (c < 0x20 || c == 0x7F) return w;
        if (c == u' ') {
            w.primary = kBlank;
        } else if (c >= u'0' && c <= u'9') {
            w.primary = static_cast<unsigned char>(0x30 + (c - u'0'));
        } else if ((c | 0x20) >= u'a' && (c | 0x20) <= u'z') {
            w.primary = static_cast<unsigned char>(kLetters + kLetterIndex[(c | 0x20) - u'a']);
            w.upper = c < u'a';
        } else {
            for (int i = 0; kPunctuation[i]; ++i)
                if (static_cast<char32_t>(kPunctuation[i]) == c)
                    w.primary = static_cast<unsigned char>(0x02 + i);
        }
        return w;
    }
    const bool upper = QChar::isUpper(c);
    if (const int letter = romanianLetter(c); letter >= 0) {
        w.primary = static_cast<unsigned char>(kLetters + letter);
        w.upper = upper;
        return w;
    }
    const char32_t f = fold(c);
    if (f < 0x80 && f >= u'0') {
        w = weightOf(f);
        // Another language's accent: after the plain letter, each accent in its own place.
        w.accent = static_cast<unsigned char>(2 + c % 250);
        w.upper = upper;
        return w;
    }
    if (QChar::isSpace(c)) {
        w.primary = kBlank;
    } else if (QChar::isPunct(c) || QChar::isSymbol(c)) {
        w.primary = kOtherPunctuation;
        w.accent = static_cast<unsigned char>(2 + c % 250);
    } else {
        w.primary = kEscape;
        w.escaped = f;
        w.upper = upper;
    }
    return w;
}

const std::array<Weight, 128>& asciiWeights() {
    static const auto table = [] {
        std::array<Weight, 128> t{};
        for (char32_t c = 0; c < 128; ++c)
            t[c] = weightOf(c);
        return t;
    }();
    return table;
}

void appendPrimary(std::string& key, const Weight& w) {
    key.push_back(static_cast<char>(w.primary));
    if (w.primary == kEscape) {
        // Seven bits a byte, each with its high bit set: ordered by code point, never 0.
        key.push_back(static_cast<char>(0x80 | ((w.escaped >> 14) & 0x7F)));
        key.push_back(static_cast<char>(0x80 | ((w.escaped >> 7) & 0x7F)));
        key.push_back(static_cast<char>(0x80 | (w.escaped & 0x7F)));
    }
}

} // namespace

char32_t fold(char32_t c) {
    if (c < 0x80) return foldAscii(static_cast<unsigned char>(c));
    if (c >= kTableFirst && c < kTableEnd) return latinTable()[c - kTableFirst];
    return foldGeneral(c);
}

QString fold(QStringView text) {
    QList<uint> chars = text.toUcs4();
    for (uint& c : chars)
        c = fold(c);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), chars.size());
}

void appendPrimaryKey(std::string& key, const char* utf8, std::size_t size) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    const auto* end = p + size;
    const std::array<Weight, 128>& ascii = asciiWeights();
    // Weights gather in a small buffer first: a key is made for every row of a sorted list.
    constexpr std::size_t kChunk = 256;
    char chunk[kChunk + 4];
    std::size_t n = 0;
    while (p < end) {
        if (n >= kChunk) {
            key.append(chunk, n);
            n = 0;
        }
        if (*p < 0x80) {
            // ASCII, most of every catalogue, from a table.
            if (const unsigned char primary = ascii[*p++].primary) chunk[n++] = static_cast<char>(primary);
            continue;
        }
        const Weight w = weightOf(decode(p, end));
        if (!w.primary) continue;
        chunk[n++] = static_cast<char>(w.primary);
        if (w.primary == kEscape) {
            // Seven bits a byte, each with its high bit set: ordered by code point, never 0.
            chunk[n++] = static_cast<char>(0x80 | ((w.escaped >> 14) & 0x7F));
            chunk[n++] = static_cast<char>(0x80 | ((w.escaped >> 7) & 0x7F));
            chunk[n++] = static_cast<char>(0x80 | (w.escaped & 0x7F));
        }
    }
    key.append(chunk, n);
}

void appendSortKey(std::string& key, const char* utf8, std::size_t size) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    const auto* end = p + size;
    // As a Romanian reader compares: the letters first, then the accents of other languages
    // over the whole text, then the case.
    std::string accents;
    std::string cases;
    while (p < end) {
        const Weight w = weightOf(decode(p, end));
        if (!w.primary) continue;
        appendPrimary(key, w);
        accents.push_back(static_cast<char>(w.accent));
        cases.push_back(static_cast<char>(w.upper ? 2 : 1));
    }
    key.push_back('\0');
    key += accents;
    key += cases;
}

std::string sortKey(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    std::string key;
    appendSortKey(key, utf8.constData(), static_cast<std::size_t>(utf8.size()));
    return key;
}

std::string primaryKey(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    std::string key;
    appendPrimaryKey(key, utf8.constData(), static_cast<std::size_t>(utf8.size()));
    return key;
}

FoldedText::FoldedText(QStringView text) {
    for (const char32_t c : text.toUcs4())
        m_chars.push_back(fold(c));
    while (m_ascii < m_chars.size() && m_chars[m_ascii] < 0x80)
        ++m_ascii;
}

bool FoldedText::restMatches(std::size_t from, const unsigned char* p, const unsigned char* end) const {
    std::size_t i = from;
    // ASCII against ASCII byte by byte, the rest character by character.
    while (i < m_ascii && p < end && *p < 0x80) {
        if (foldAscii(*p) != m_chars[i]) return false;
        ++i;
        ++p;
    }
    for (; i < m_chars.size(); ++i) {
        if (p >= end || foldedNext(p, end) != m_chars[i]) return false;
    }
    return true;
}

bool FoldedText::foundIn(const char* utf8, std::size_t size) const {
    if (m_chars.empty()) return true;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    const auto* end = p + size;
    const char32_t first = m_chars.front();
    if (first >= 0x80) {
        while (p < end)
            if (foldedNext(p, end) == first && restMatches(1, p, end)) return true;
        return false;
    }
    // An ASCII first character: bytes are compared as they are, and only the lead byte of a
    // longer character (which may fold to it: "Ș" to "s") is decoded.
    const auto lower = static_cast<unsigned char>(first);
    const auto upper = static_cast<unsigned char>(first >= u'a' && first <= u'z' ? first - 32 : first);
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            if ((b == lower || b == upper) && restMatches(1, p, end)) return true;
        } else if (b >= 0xC0) {
            if (foldedNext(p, end) == first && restMatches(1, p, end)) return true;
        } else {
            ++p; // a continuation byte: part of a character already read
        }
    }
    return false;
}

bool FoldedText::contains(const FoldedText& other) const {
    if (other.m_chars.size() > m_chars.size()) return false;
    return std::search(m_chars.begin(), m_chars.end(), other.m_chars.begin(), other.m_chars.end()) !=
           m_chars.end();
}

} // namespace vornel::Collation
