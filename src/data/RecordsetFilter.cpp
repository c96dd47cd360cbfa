#include "RecordsetFilter.h"

#include "DbError.h"
#include "RowSearch.h"

#include <charconv>

namespace vornel {

namespace {

using Node = RecordsetFilter::Node;
using Op = RecordsetFilter::Op;

[[noreturn]] void bad(const QString& expression, const QString& why) {
    throw DbError(ErrorNumber::BadArgument, QStringLiteral("Filtru incorect (%1): %2").arg(why, expression));
}

bool isWildcard(QChar c) {
    return c == QLatin1Char('%') || c == QLatin1Char('*') || c == QLatin1Char('_');
}

class Parser {
public:
    Parser(const QString& text, const std::vector<Column>& columns) : m_text(text), m_columns(columns) {}

    Node parseAll() {
        Node node = orExpr();
        skipBlanks();
        if (m_pos < m_text.size()) bad(m_text, QStringLiteral("text in plus"));
        return node;
    }

private:
    void skipBlanks() {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    // Matches a keyword (AND, OR, LIKE) followed by something that cannot continue a word.
    bool keyword(QLatin1String word) {
        skipBlanks();
        const qsizetype end = m_pos + word.size();
        if (end > m_text.size() ||
            QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        if (end < m_text.size() && (m_text[end].isLetterOrNumber() || m_text[end] == QLatin1Char('_')))
            return false;
        m_pos = end;
        return true;
    }

    Node orExpr() {
        Node first = andExpr();
        if (!keyword(QLatin1String("or"))) return first;
        Node node{Op::Or, -1, {}, {std::move(first)}, false, {}};
        do
            node.children.push_back(andExpr());
        while (keyword(QLatin1String("or")));
        return node;
    }

    Node andExpr() {
        Node first = factor();
        if (!keyword(QLatin1String("and"))) return first;
        Node node{Op::And, -1, {}, {std::move(first)}, false, {}};
        do
            node.children.push_back(factor());
        while (keyword(QLatin1String("and")));
        return node;
    }

    Node factor() {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('(')) {
            ++m_pos;
            Node inner = orExpr();
            skipBlanks();
            if (m_pos >= m_text.size() || m_text[m_pos] != QLatin1Char(')'))
                bad(m_text, QStringLiteral("lipseste \")\""));
            ++m_pos;
            return inner;
        }
        return comparison();
    }

    int field() {
        skipBlanks();
        QString name;
        if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('[')) {
            const qsizetype close = m_text.indexOf(QLatin1Char(']'), m_pos + 1);
            if (close < 0) bad(m_text, QStringLiteral("lipseste \"]\""));
            name = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() &&
                   (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('_')))
                ++m_pos;
            name = m_text.mid(start, m_pos - start);
        }
        if (name.trimmed().isEmpty()) bad(m_text, QStringLiteral("lipseste numele campului"));
        for (std::size_t c = 0; c < m_columns.size(); ++c)
            if (m_columns[c].name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
                return static_cast<int>(c);
        bad(m_text, QStringLiteral("campul %1 nu exista").arg(name));
    }

    Op op() {
        if (keyword(QLatin1String("like"))) return Op::Like;
        skipBlanks();
        const QStringView rest = QStringView(m_text).mid(m_pos);
        static const std::pair<QLatin1String, Op> ops[] = {
            {QLatin1String("<>"), Op::NotEqual},     {QLatin1String("<="), Op::LessEqual},
            {QLatin1String(">="), Op::GreaterEqual}, {QLatin1String("="), Op::Equal},
            {QLatin1String("<"), Op::Less},          {QLatin1String(">"), Op::Greater}};
        for (const auto& [text, result] : ops)
            if (rest.startsWith(text)) {
                m_pos += text.size();
                return result;
            }
        bad(m_text, QStringLiteral("lipseste operatorul"));
    }

    QVariant value() {
        skipBlanks();
        if (m_pos >= m_text.size()) bad(m_text, QStringLiteral("lipseste valoarea"));
        const QChar quote = m_text[m_pos];
        if (quote == QLatin1Char('\'') || quote == QLatin1Char('#')) {
            QString v;
            for (++m_pos; m_pos < m_text.size(); ++m_pos) {
                if (m_text[m_pos] == quote) {
                    if (quote == QLatin1Char('\'') && m_pos + 1 < m_text.size() &&
                        m_text[m_pos + 1] == quote) {
                        v += quote; // a doubled quote stands for one
                        ++m_pos;
                        continue;
                    }
                    ++m_pos;
                    return v;
                }
                v += m_text[m_pos];
            }
            bad(m_text, QStringLiteral("text neterminat"));
        }
        if (keyword(QLatin1String("null"))) return {};
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() &&
               (m_text[m_pos].isDigit() || m_text[m_pos] == QLatin1Char('.') ||
                m_text[m_pos] == QLatin1Char('-') || m_text[m_pos] == QLatin1Char('+')))
            ++m_pos;
        bool ok = false;
        const double number = m_text.mid(start, m_pos - start).toDouble(&ok);
        if (!ok) bad(m_text, QStringLiteral("valoare necunoscuta"));
        return number;
    }

    Node comparison() {
        Node node;
        node.column = field();
        node.op = op();
        node.value = value();
        if (node.op == Op::Like && node.value.typeId() != QMetaType::QString)
            bad(m_text, QStringLiteral("Like cere un text"));
        if (node.op == Op::Like) findPrefix(node);
        return node;
    }

    static void findPrefix(Node& node) {
        const QString pattern = node.value.toString();
        qsizetype end = pattern.size();
        while (end > 0 && (pattern[end - 1] == QLatin1Char('%') || pattern[end - 1] == QLatin1Char('*')))
            --end;
        if (end == pattern.size()) return;
        for (qsizetype i = 0; i < end; ++i)
            if (isWildcard(pattern[i]) || pattern[i] == QLatin1Char('[') || pattern[i].unicode() >= 0x80)
                return;
        node.asciiPrefix = true;
        node.prefix = pattern.left(end).toLower().toStdString();
    }

    const QString& m_text;
    const std::vector<Column>& m_columns;
    qsizetype m_pos = 0;
};

// The ASCII fast path reads the stored bytes; anything outside ASCII takes the general matcher.
bool asciiPrefixMatch(const Node& node, const RowStore& rows, std::size_t row, bool& decided) {
    decided = true;
    const RowStore::Cell cell = rows.cellAt(row, node.column);
    char number[kNumberTextSize];
    const char* text = cell.data;
    std::size_t size = cell.size;
    if (cell.kind == RowStore::Cell::Kind::Integer) {
        text = number;
        size = static_cast<std::size_t>(std::to_chars(number, number + sizeof number, cell.integer).ptr -
                                        number);
    } else if (cell.kind == RowStore::Cell::Kind::Double) {
        text = number;
        size = plainNumberText(cell.real, number);
    } else if (cell.kind != RowStore::Cell::Kind::Text) {
        decided = false;
        return false;
    }
    const std::string& prefix = node.prefix;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (i >= size) return false;
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            decided = false;
            return false;
        }
        const char lower =
            byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : static_cast<char>(byte);
        if (lower != prefix[i]) return false;
    }
    return true;
}

bool compare(Op op, int order) {
    switch (op) {
    case Op::Equal:
        return order == 0;
    case Op::NotEqual:
        return order != 0;
    case Op::Less:
        return order < 0;
    case Op::Greater:
        return order > 0;
    case Op::LessEqual:
        return order <= 0;
    case Op::GreaterEqual:
        return order >= 0;
    default:
        return false;
    }
}

bool evaluate(const Node& node, const RowStore& rows, std::size_t row) {
    if (node.op == Op::And) {
        for (const Node& child : node.children)
            if (!evaluate(child, rows, row)) return false;
        return true;
    }
    if (node.op == Op::Or) {
        for (const Node& child : node.children)
            if (evaluate(child, rows, row)) return true;
        return false;
    }
    if (node.asciiPrefix) {
        bool decided = false;
        const bool matched = asciiPrefixMatch(node, rows, row, decided);
        if (decided) return matched;
    }
    const QVariant cell = rows.value(row, node.column);
    if (!node.value.isValid()) // "= NULL" finds the empty cells, "<> NULL" the others
        return node.op == Op::Equal ? !cell.isValid() : node.op == Op::NotEqual && cell.isValid();
    if (!cell.isValid()) return false;
    if (node.op == Op::Like) return likeMatch(cell.toString(), node.value.toString());
    if (node.value.typeId() == QMetaType::Double) {
        bool ok = false;
        const double number = cell.toDouble(&ok);
        if (ok)
            return compare(node.op, number < node.value.toDouble()   ? -1
                                    : number > node.value.toDouble() ? 1
                                                                     : 0);
    }
    return compare(node.op, cell.toString().compare(node.value.toString(), Qt::CaseInsensitive));
}

} // namespace

RecordsetFilter RecordsetFilter::parse(const QString& expression, const std::vector<Column>& columns) {
    return RecordsetFilter(Parser(expression, columns).parseAll());
}

bool RecordsetFilter::matches(const RowStore& rows, std::size_t row) const {
    return evaluate(m_root, rows, row);
}

int RecordsetFilter::prefixColumn() const {
    return m_root.asciiPrefix ? m_root.column : -1;
}

QString RecordsetFilter::prefixText() const {
    return m_root.asciiPrefix ? QString::fromStdString(m_root.prefix) : QString();
}

QString likeLiteralText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (isWildcard(c) || c == QLatin1Char('['))
            out += QLatin1Char('[') + c + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

bool likeMatch(const QString& textIn, const QString& patternIn) {
    const QString text = textIn.toCaseFolded();
    const QString pattern = patternIn.toCaseFolded();
    // Greedy matching with one backtrack point: the last wildcard seen.
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    const auto isAny = [](QChar c) { return c == QLatin1Char('%') || c == QLatin1Char('*'); };
    while (t < text.size()) {
        if (p < pattern.size() && isAny(pattern[p])) {
            starP = p++;
            starT = t;
            continue;
        }
        // A bracketed character stands for itself; "_" for any one.
        const bool bracketed =
            p + 2 < pattern.size() && pattern[p] == QLatin1Char('[') && pattern[p + 2] == QLatin1Char(']');
        const QChar wanted = bracketed ? pattern[p + 1] : p < pattern.size() ? pattern[p] : QChar();
        if (p < pattern.size() && (wanted == text[t] || (!bracketed && wanted == QLatin1Char('_')))) {
            p += bracketed ? 3 : 1;
            ++t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && isAny(pattern[p]))
        ++p;
    return p == pattern.size();
}

} // namespace vornel
