#include "ExportedFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <map>
#include <zlib.h>

namespace vornel::scenario {

namespace {

quint32 le(const QByteArray& bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

std::optional<QByteArray> inflateRaw(const QByteArray& data, quint32 size) {
    QByteArray out(static_cast<qsizetype>(size), '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (rc != Z_STREAM_END) return std::nullopt;
    return out;
}

// "B7" -> column 1 (0-based)
int columnOf(const QString& reference) {
    int column = 0;
    for (const QChar c : reference) {
        if (!c.isLetter()) break;
        column = column * 26 + (c.toUpper().unicode() - 'A' + 1);
    }
    return column - 1;
}

QStringList sharedStrings(const QByteArray& xml) {
    QStringList strings;
    QXmlStreamReader reader(xml);
    QString current;
    bool inItem = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"si") {
            inItem = true;
            current.clear();
        } else if (reader.isStartElement() && reader.name() == u"t" && inItem) {
            current += reader.readElementText();
        } else if (reader.isEndElement() && reader.name() == u"si") {
            strings << current;
            inItem = false;
        }
    }
    return strings;
}

QString quotedCell(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

std::optional<QString> readWorkbook(const QByteArray& archive, QString& problem) {
    const std::optional<QByteArray> sheet = zipMember(archive, QStringLiteral("xl/worksheets/sheet1.xml"));
    if (!sheet) {
        problem = QStringLiteral("a workbook with a first sheet");
        return std::nullopt;
    }
    const QStringList strings =
        sharedStrings(zipMember(archive, QStringLiteral("xl/sharedStrings.xml")).value_or(QByteArray()));
    std::map<int, std::map<int, QString>> rows;
    int lastColumn = -1;
    QXmlStreamReader reader(*sheet);
    int row = 0, column = 0;
    QString type;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) continue;
        if (reader.name() == u"row") {
            row = reader.attributes().value(QStringLiteral("r")).toInt();
        } else if (reader.name() == u"c") {
            column = columnOf(reader.attributes().value(QStringLiteral("r")).toString());
            type = reader.attributes().value(QStringLiteral("t")).toString();
            lastColumn = std::max(lastColumn, column);
        } else if (reader.name() == u"v" || (reader.name() == u"t" && type == u"inlineStr")) {
            const QString value = reader.readElementText();
            QString& cell = rows[row][column];
            if (type == u"s")
                cell = quotedCell(strings.value(value.toInt()));
            else if (type == u"inlineStr" || type == u"str")
                cell = quotedCell(value);
            else
                cell = value;
        }
    }
    if (reader.hasError()) {
        problem = QStringLiteral("a readable sheet (%1)").arg(reader.errorString());
        return std::nullopt;
    }
    QString text;
    const int lastRow = rows.empty() ? 0 : rows.rbegin()->first;
    for (int r = 1; r <= lastRow; ++r) {
        QStringList cells;
        for (int c = 0; c <= lastColumn; ++c)
            cells << (rows.count(r) && rows[r].count(c) ? rows[r][c] : QString());
        text += cells.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return text;
}

} // namespace

std::optional<QByteArray> zipMember(const QByteArray& archive, const QString& name) {
    // The central directory, found from the end record, says where each member lies.
    const qsizetype end = archive.lastIndexOf(QByteArrayLiteral("PK\x05\x06"));
    if (end < 0 || end + 22 > archive.size()) return std::nullopt;
    const quint32 entries = le(archive, end + 10, 2);
    qsizetype at = le(archive, end + 16, 4);
    for (quint32 i = 0; i < entries && at + 46 <= archive.size(); ++i) {
        if (le(archive, at, 4) != 0x02014b50) return std::nullopt;
        const quint32 method = le(archive, at + 10, 2);
        const quint32 packed = le(archive, at + 20, 4);
        const quint32 size = le(archive, at + 24, 4);
        const quint32 nameLength = le(archive, at + 28, 2);
        const quint32 skip = nameLength + le(archive, at + 30, 2) + le(archive, at + 32, 2);
        const qsizetype local = le(archive, at + 42, 4);
        const QString member = QString::fromUtf8(archive.mid(at + 46, nameLength));
        at += 46 + skip;
        if (member != name) continue;
        if (local + 30 > archive.size()) return std::nullopt;
        const qsizetype data = local + 30 + le(archive, local + 26, 2) + le(archive, local + 28, 2);
        const QByteArray bytes = archive.mid(data, packed);
        if (method == 0) return bytes;
        if (method == 8) return inflateRaw(bytes, size);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QString> readExported(const QString& path, QString& problem) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("a readable file (%1)").arg(file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"csv") {
        if (!bytes.startsWith("\xEF\xBB\xBF")) {
            problem = QStringLiteral("a CSV file that starts with the UTF-8 BOM");
            return std::nullopt;
        }
        return QString::fromUtf8(bytes.mid(3));
    }
    if (suffix == u"xlsx") return readWorkbook(bytes, problem);
    if (suffix == u"pdf") {
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
        return QStringLiteral("%1 pages").arg(QString::fromLatin1(bytes).count(page));
    }
    problem = QStringLiteral("a .csv, .xlsx or .pdf file");
    return std::nullopt;
}

} // namespace vornel::scenario
