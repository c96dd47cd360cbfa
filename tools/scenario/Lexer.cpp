#include "Lexer.h"

namespace vornel::scenario {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

} // namespace

LexResult splitLine(const QString& line) {
    LexResult result;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (true) {
        while (i < n && isBlank(line[i]))
            ++i;
        if (i >= n) break;
        Token token;
        if (line[i] == u'"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = line[i++];
                if (c == u'"') {
                    closed = true;
                    break;
                }
                if (c != u'\\') {
                    token.text += c;
                    continue;
                }
                if (i >= n) break;
                const QChar e = line[i++];
                if (e == u'"' || e == u'\\')
                    token.text += e;
                else if (e == u'r')
                    token.text += u'\r';
                else if (e == u'n')
                    token.text += u'\n';
                else if (e == u'0')
                    token.text += QChar(0);
                else {
                    result.error = QStringLiteral("unknown escape \\%1").arg(e);
                    return result;
                }
            }
            if (!closed) {
                result.error = QStringLiteral("unterminated quote");
                return result;
            }
            if (i < n && !isBlank(line[i])) {
                result.error = QStringLiteral("text right after a closing quote");
                return result;
            }
        } else {
            while (i < n && !isBlank(line[i])) {
                if (line[i] == u'"') {
                    result.error = QStringLiteral("a quote inside an unquoted argument");
                    return result;
                }
                token.text += line[i++];
            }
        }
        result.tokens.push_back(std::move(token));
    }
    return result;
}

QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"')
            out += QStringLiteral("\\\"");
        else if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == QChar(0))
            out += QStringLiteral("\\0");
        else
            out += c;
    }
    out += u'"';
    return out;
}

} // namespace vornel::scenario
