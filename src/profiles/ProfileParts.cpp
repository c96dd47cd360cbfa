#include "profiles/ProfileParts.h"

namespace vornel::profiles {

namespace {

QString joined(std::initializer_list<const char*> pieces) {
    QString out;
    for (const char* p : pieces)
        out += QString::fromLatin1(p);
    return out;
}

QString bracketed(const QString& name) {
    return QStringLiteral("[") + name + QStringLiteral("]");
}

std::optional<QString> deleteBy(const QString& table, const QString& name, const QString& value,
                                const char* equals) {
    return QStringLiteral("DELETE FROM [") + table + QStringLiteral("] WHERE [") + name +
           QStringLiteral("]") + QLatin1String(equals) + QStringLiteral("'") + q(value) + QStringLiteral("'");
}

QString keyHead(const KeyInput& key, int column) {
    return QStringLiteral("SELECT 'x' FROM [") + key.table + QStringLiteral("] WHERE [") + key.table +
           QStringLiteral("].[") + key.columns.value(column) + QStringLiteral("]=");
}

} // namespace

CatalogProfile catalogue(CatalogKind kind, const char* caption, const char* rights, const char* table,
                         const char* format, std::vector<int> widths,
                         std::initializer_list<const char*> query, CatalogEditor editor) {
    CatalogProfile p;
    p.kind = kind;
    p.caption = QString::fromLatin1(caption);
    p.rightsCode = QString::fromLatin1(rights);
    p.table = QString::fromLatin1(table);
    p.format = QString::fromLatin1(format);
    p.widths = std::move(widths);
    p.query = joined(query);
    p.editor = editor;
    p.deletion.statement = deleteByFirst;
    p.form.uniqueQuery = uniqueByFirst;
    return p;
}

SearchProfile search(const char* label0, const char* label1, const char* base, const char* condition1,
                     const char* condition0, const char* tail) {
    return {QString::fromLatin1(label0),     QString::fromLatin1(label1),     QString::fromLatin1(base),
            QString::fromLatin1(condition1), QString::fromLatin1(condition0), QString::fromLatin1(tail)};
}

std::optional<QString> deleteByFirst(const ListRow& key) {
    return deleteBy(key.table, key.name0, key.value0, "=");
}

std::optional<QString> deleteByFirstSpaced(const ListRow& key) {
    return deleteBy(key.table, key.name0, key.value0, "= ");
}

std::optional<QString> deleteBySecond(const ListRow& key) {
    return deleteBy(key.table, key.name1, key.value1, "=");
}

DeleteProfile deleteByProcedure(int what, bool integerKey) {
    DeleteProfile d;
    d.path = DeleteProfile::Path::Procedure;
    d.procedureWhat = what;
    d.integerKey = integerKey;
    return d;
}

std::optional<QString> uniqueByFirst(const KeyInput& key) {
    return keyHead(key, 0) + QStringLiteral("'") + q(key.value.trimmed()) + QStringLiteral("'");
}

std::optional<QString> uniqueByFirstAnd(const KeyInput& key, const QString& condition) {
    return *uniqueByFirst(key) + condition;
}

std::optional<QString> uniqueBySecond(const KeyInput& key) {
    return keyHead(key, 1) + QStringLiteral("'") + q(key.value.trimmed()) + QStringLiteral("'");
}

std::optional<QString> uniqueByNumber(const KeyInput& key) {
    StatementBuilder b;
    const QString number = b.number(key.value.trimmed());
    return b.statement(keyHead(key, 0) + number);
}

BuiltStatement updateFirstTwo(const EditorInput& in) {
    const QString T = in.table;
    return {"UPDATE [" + T + "] SET " + bracketed(in.column(0)) + "='" + qt(in[Field::Cheie]) + "', " +
                bracketed(in.column(1)) + "='" + qt(in[Field::Descriere]) + "' WHERE " +
                bracketed(in.column(0)) + "='" + qt(in.oldKey) + "'",
            false, -1};
}

BuiltStatement insertFirstTwo(const EditorInput& in) {
    return {"INSERT INTO [" + in.table + "](" + bracketed(in.column(0)) + "," + bracketed(in.column(1)) +
                ") VALUES('" + qt(in[Field::Cheie]) + "','" + qt(in[Field::Descriere]) + "')",
            false, -1};
}

BuiltStatement updateInOrder(const EditorInput& in, std::initializer_list<Field> fields) {
    QStringList set;
    int column = 0;
    for (Field field : fields)
        set << "[" + in.column(column++) + "]='" + qt(in[field]) + "'";
    return {"UPDATE [" + in.table + "] SET " + set.join(QStringLiteral(", ")) + " WHERE [" + in.column(0) +
            "]='" + qt(in.oldKey) + "'"};
}

BuiltStatement insertInOrder(const EditorInput& in, std::initializer_list<Field> fields) {
    QStringList names;
    QStringList values;
    int column = 0;
    for (Field field : fields) {
        names << "[" + in.column(column++) + "]";
        values << "'" + qt(in[field]) + "'";
    }
    return {"INSERT INTO [" + in.table + "](" + names.join(QLatin1Char(',')) + ") VALUES(" +
            values.join(QLatin1Char(',')) + ")"};
}

std::vector<EditorField> keyAndDescription() {
    return {{.field = Field::Cheie, .caption = named(0), .limit = sized(0), .load = 0},
            {.field = Field::Descriere, .caption = named(1), .limit = sized(1), .load = 1}};
}

std::vector<FieldCheck> requiredUniqueKey(const QString& duplicate) {
    return {{.field = Field::Cheie, .rule = CheckRule::Required, .message = kRequired},
            {.field = Field::Cheie, .rule = CheckRule::Unique, .message = duplicate}};
}

Lookup accounts(const char* title, bool wide) {
    Lookup lookup;
    lookup.title = QString::fromLatin1(title);
    lookup.list = ChooserList::Accounts;
    if (wide) lookup.widths = {2500, 4500};
    return lookup;
}

BuiltStatement updateUnderGroup(const EditorInput& in) {
    return BuiltStatement{"UPDATE [" + in.table + "] SET [" + in.column(1) + "]='" + qt(in[Field::Cheie]) +
                          "', [" + in.column(2) + "]='" + qt(in[Field::Descriere]) + "', [" + in.column(0) +
                          "]='" + qt(in[Field::Rezerva]) + "' WHERE [" + in.column(1) + "]='" +
                          qt(in.oldKey) + "'"};
}

BuiltStatement insertUnderGroup(const EditorInput& in) {
    return BuiltStatement{"INSERT INTO [" + in.table + "]([" + in.column(1) + "],[" + in.column(2) + "],[" +
                          in.column(0) + "]) VALUES('" + qt(in[Field::Cheie]) + "','" +
                          qt(in[Field::Descriere]) + "','" + qt(in[Field::Rezerva]) + "')"};
}

void programChecks(std::vector<FieldCheck>& checks) {
    checks.push_back({.field = Field::Cale,
                      .rule = CheckRule::Path,
                      .message = "Calea catre program nu este corecta !",
                      .goesOn = true});
    checks.push_back({.field = Field::NumeProgram,
                      .rule = CheckRule::ProgramName,
                      .message = "Numele programlui nu este corect !",
                      .goesOn = true});
}

} // namespace vornel::profiles
