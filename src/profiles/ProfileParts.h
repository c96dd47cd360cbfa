#pragma once
// What the catalogue profiles are written with: the messages several catalogues share, the pieces
// of their statements and the usual deletes, lookups and checks.

#include "data/StatementBuilder.h"
#include "profiles/CatalogProfile.h"

#include <QString>
#include <initializer_list>

namespace vornel::profiles {

inline const QString kRequired = QStringLiteral("Valoare obligatorie !");
inline const QString kNotANumber = QStringLiteral("Valoare numerica incorecta !");
inline const QString kDuplicateKey = QStringLiteral("Exista deja o inregistrare cu aceasta cheie !");
inline const QString kDuplicateDescription =
    QStringLiteral("Exista deja o inregistrare cu aceasta descriere !");

// The list part of a profile: caption, rights code, table, grid format, widths and listing query
// (its pieces joined with nothing between them).
CatalogProfile catalogue(CatalogKind kind, const char* caption, const char* rights, const char* table,
                         const char* format, std::vector<int> widths,
                         std::initializer_list<const char*> query,
                         CatalogEditor editor = CatalogEditor::GridDetail);

// A search frame with its labels (empty: the design's) and the pieces of its query.
SearchProfile search(const char* label0, const char* label1, const char* base, const char* condition1,
                     const char* condition0, const char* tail);

// Text values between quotes, as typed or trimmed.
inline QString q(const QString& value) {
    return StatementBuilder::text(value);
}
inline QString qt(const QString& value) {
    return StatementBuilder::trimmed(value);
}
inline QString flag(bool value, const char* whenTrue, const char* whenFalse) {
    return QString::fromLatin1(value ? whenTrue : whenFalse);
}

// Deletes by the first or the second column's text ("DELETE FROM [T] WHERE [C]='v'"); the spaced
// form writes "= '" after the column.
std::optional<QString> deleteByFirst(const ListRow& key);
std::optional<QString> deleteByFirstSpaced(const ListRow& key);
std::optional<QString> deleteBySecond(const ListRow& key);
// The procedure "Sterge" with its "what", taking the code as integer or as text.
DeleteProfile deleteByProcedure(int what, bool integerKey);

// The duplicate lookup of the first column's text, with a condition after it.
std::optional<QString> uniqueByFirst(const KeyInput& key);
std::optional<QString> uniqueByFirstAnd(const KeyInput& key, const QString& condition);
std::optional<QString> uniqueBySecond(const KeyInput& key);
std::optional<QString> uniqueByNumber(const KeyInput& key);

// The usual statements of a two-column catalogue keyed by its first column.
BuiltStatement updateFirstTwo(const EditorInput& in);
BuiltStatement insertFirstTwo(const EditorInput& in);
// The statements of a catalogue keyed by its first column whose fields fill its first columns in
// the order given, each text trimmed.
BuiltStatement updateInOrder(const EditorInput& in, std::initializer_list<Field> fields);
BuiltStatement insertInOrder(const EditorInput& in, std::initializer_list<Field> fields);
// The statements of a catalogue whose rows stand under a group: the group in the first column, the
// key (Cheie) in the second, the description in the third; the group is the field Rezerva.
BuiltStatement updateUnderGroup(const EditorInput& in);
BuiltStatement insertUnderGroup(const EditorInput& in);

// The checks of the large record editor's program fields: both are shown when wrong.
void programChecks(std::vector<FieldCheck>& checks);

// The record editor's key and description: both shown with the list's column names and sizes.
std::vector<EditorField> keyAndDescription();
// The key required and unique, with the duplicate message given.
std::vector<FieldCheck> requiredUniqueKey(const QString& duplicate);

// A lookup in the chart of accounts; the wide one gives the account's title more room.
Lookup accounts(const char* title, bool wide = false);

// The captions and limits of fields.
inline Caption named(int column) {
    return {.text = {}, .column = column};
}
inline Caption captioned(const char* text) {
    return {.text = QString::fromLatin1(text), .column = -1};
}
inline Limit fixed(int length) {
    return {.fixed = length, .column = -1};
}
inline Limit sized(int column) {
    return {.fixed = 0, .column = column};
}
// An account whole: up to the length of the chart's account column.
inline Limit accountLength() {
    return {.fixed = 0, .column = -1, .account = true};
}

} // namespace vornel::profiles
