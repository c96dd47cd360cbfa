#pragma once
// What a catalogue's record editor shows and does: its fields with their captions, limits and
// loaded columns, the key rules, the lookups, the checks of the save button and the statements.
// The record editor (GridDetail) and the large record editor (GridDetailMare) both lay themselves
// out, check and save from it.

#include "data/StatementBuilder.h"
#include "profiles/Lookup.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace vornel {

enum class EditMode { Add, Modify };

// The controls of the editors, named after them: Cont to Combo are the record editor's
// (txtCont ... cmbRezerva), CodCasierie to Heading2 the large record editor's (txtCodCasierie,
// lblCodDepozit, ..., Label2(0..2)); both have chkTransferabil.
enum class Field {
    None,
    Self, // in a field's description: the field itself
    Cont,
    Cod,
    Cheie,
    Descriere,
    Discount,
    Rezerva,
    Rezerva1,
    Combo,
    Transferabil,
    CodCasierie,
    CodDepozit,
    DenumireDepozit,
    DescriereDepozit,
    AdresaDepozit,
    ContAnalitic,
    NumeGestionar,
    TelefonVetra,
    TelefonMobil,
    Cale,
    NumeProgram,
    Heading0,
    Heading1,
    Heading2,
};

// A caption: literal text, or the name of a column of the list; neither keeps the design's.
struct Caption {
    QString text{};
    int column = -1;
};

// A field's maximum length: a fixed one, the defined size of a column of the list, or (for a field
// that takes an account) the length of the chart's account column.
struct Limit {
    int fixed = 0;
    int column = -1;
    bool account = false;
};

// How a column of the list's current row is loaded into a field in modify mode.
enum class LoadAs {
    Text,          // the text as it is (the field's limit may cut it)
    Whole,         // the text, widening the field's limit when it is longer
    Number,        // a numeric box: the value, 0 for NULL
    Checked,       // a check box: ticked for a value other than 0
    CheckedWhen,   // a check box: ticked when the text is loadText
    CheckedUnless, // a check box: ticked unless the text is loadText
};

// One shown field: which control, the label beside it with its caption, the control's own text
// (a check box, a heading), its limit, and what modify mode loads into it.
struct EditorField {
    Field field{};
    Field label = Field::Self; // the control whose design label stands beside it
    Caption caption{};
    QString text{};
    Limit limit{};
    int load = -1;
    LoadAs loadAs = LoadAs::Text;
    QString loadText{};
    bool lockedInModify = false;
    bool shown = true;         // false: laid out and loaded, but hidden
    bool onlyInModify = false; // shown in modify mode only
};

// Typed characters a field takes besides its design rule.
enum class KeyRule {
    Digits,          // digits only
    DigitsAndDesign, // digits that the design rule also lets through
};

// Enter in a field opens the chooser with its start text; the picked code replaces the text.
struct FieldLookup {
    Field field{};
    Lookup lookup{};
    bool focusBack = false;   // the field takes the focus again afterwards
    bool untilPicked = false; // only while the text was typed, not picked (or loaded)
};

// The checks of the save button, in their order; the first that fails shows its message, puts the
// focus on its field and stops the save.
enum class CheckRule {
    Filled,      // not empty
    Required,    // not empty once trimmed
    MinLength,   // not empty once trimmed, and at least `limit` characters
    Number,      // a plain number once trimmed
    AtMost,      // a number not above `limit`
    Unique,      // no other record has this key (the loaded key aside)
    Account,     // an account of the chart (under `group` when there is one)
    InChart,     // empty, or an account of the chart; the message names the account
    Group,       // a group of the catalogue's groupQuery
    CostCentre,  // a cost centre
    PrefixOf,    // begins with the text of `other`
    Picked,      // picked in the chooser (or loaded), not typed
    Path,        // empty, or a folder with a drive (":" and "\")
    ProgramName, // empty, or a file name without folder
};

enum class When {
    Always,
    Shown,        // the field is shown
    Editable,     // the field is shown and not locked
    UnlessTicked, // the check box is not ticked
};

struct FieldCheck {
    Field field{};
    CheckRule rule{};
    QString message{};
    Field focus = Field::Self;
    When when = When::Always;
    double limit = 0;
    Field other = Field::None;
    QString group{};     // Account: the account must begin with it
    bool goesOn = false; // a failure is shown and the next checks still run
};

// Everything a statement of the editor is built from: the editor's state and its fields' texts.
struct EditorInput {
    EditMode mode = EditMode::Add;
    QString table{};
    QStringList columns{}; // names of the list's columns
    QStringList row{};     // the list's current row as text
    QString oldKey{};      // the key field's text right after loading
    std::map<Field, QString> texts{};
    bool ticked = false;
    double discount = 0;

    QString operator[](Field field) const;
    QString column(int n) const { return columns.value(n); }
    QString cell(int n) const { return row.value(n); }
};

// The duplicate lookup of a key: the list's table and columns and the value typed.
struct KeyInput {
    QString table{};
    QStringList columns{};
    QString value{};
};

// A statement whose bad bare value names the field that takes the focus.
using EditorStatement = std::function<BuiltStatement(const EditorInput&)>;

struct EditorProfile {
    std::vector<EditorField> fields{}; // the fields shown, in the order shown
    bool ownRowOrder = false;          // the rows stand in this order (else in the design order)
    bool ownTabOrder = false;          // the tab order follows it (else the design order)
    QStringList comboItems{};
    std::vector<std::pair<Field, KeyRule>> keys{};
    std::vector<FieldLookup> lookups{};
    std::vector<FieldCheck> checks{};
    Field focusAdd = Field::None; // the field that takes the focus (None: the editor's first)
    Field focusModify = Field::None;
    Field keyField = Field::None;          // whose loaded text is the old key (None: the editor's own)
    Field clearedWhenTicked = Field::None; // emptied before saving when the check box is ticked
    std::vector<Field> minutes{};          // stored as at least one minute
    // The queries of the checks: a duplicate key, and a group of the catalogue.
    std::function<std::optional<QString>(const KeyInput&)> uniqueQuery{};
    QString groupQuery{}; // followed by the trimmed group and a closing quote
    EditorStatement insert{};
    EditorStatement update{};
};

// "SELECT 'x' ..." existence queries shared by the catalogues; values are trimmed here.
QString accountQuery(const QString& account);
QString costCentreQuery(const QString& code);
// The text a minutes field of a production centre takes before saving: empty becomes 0, and a
// value of 0 is stored as 1.
QString minutesText(const QString& text);
// The cash-register folder as stored: trimmed, without one final backslash.
QString programFolder(const QString& path);

} // namespace vornel
