#pragma once
// The base of the record editor and the large record editor. It opens on a catalogue's profile
// and the list's recordset, lays its fields out from the profile, runs the profile's key rules,
// chooser lookups and checks, saves with the profile's statement through the change pipeline (the
// record as loaded must still be stored as it was), and on closing tells the list through a signal
// which record it saved. The two editors differ only in their controls and their design.

#include "controls/FormWindow.h"
#include "controls/KeyFilter.h"
#include "profiles/CatalogProfile.h"
#include "profiles/CatalogRow.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vornel {

class DbError;
class Recordset;

class RecordEditor : public FormWindow {
    Q_OBJECT
public:
    ~RecordEditor() override;

    const CatalogProfile& profile() const { return *m_profile; }
    const QString& caption() const { return m_profile->caption; }
    EditMode mode() const { return m_mode; }
    // The key field's text right after loading: the record a modify writes back to.
    const QString& oldKey() const { return m_oldKey; }
    QPushButton* cmdAction(int index) const { return m_cmdAction.at(static_cast<std::size_t>(index)); }
    // The next opening shows the record for reading only: fields locked, no save, no chooser.
    void setReading(bool reading) { m_reading = reading; }
    bool reading() const { return m_reading; }

    // Lookups of the checks: an account of the chart, a group of the catalogue, a cost centre, and
    // another record with this key (the record's own key, letter case and blanks aside, is none).
    bool ExistaCont(const QString& cont) const;
    bool ExistaGrupa(const QString& grupa) const;
    bool ExistaCentruCost(const QString& cod) const;
    bool ExistaCheie(const QString& cheie) const;

signals:
    // The editor closed (after a save or without one): the list refreshes itself and selects the
    // record saved (its cells; none when nothing was saved).
    void closed(EditMode mode, const CatalogRow::Cells& saved);
    // The record was changed or deleted by another user since it was loaded: the list reads itself
    // again while the editor stays open.
    void recordChanged();

protected:
    explicit RecordEditor(const QString& name);

    std::map<Field, QWidget*> m_controls;
    std::map<Field, QLabel*> m_labels;

    // Keeps what the editor works on; the subclass then loads its window.
    void begin(const CatalogProfile& profile, EditMode mode, std::shared_ptr<Recordset> list);

    // The subclass's controls: every field of its design, a field's control (nullptr for a field
    // it does not have) and the label beside it by design, from the maps the subclass fills.
    virtual const std::vector<Field>& fields() const = 0;
    QWidget* control(Field field) const;
    QLabel* designLabel(Field field) const;
    // The field whose loaded text is the old key, unless the profile names another.
    virtual Field designKey() const = 0;
    // The editor's own message for a statement the database refused for a cause of the record
    // (a duplicate key, related records); empty when it has none for this one.
    virtual QString saveFailure(const DbError& error) const = 0;

    // Shows, captions, limits and (in modify mode) loads and locks the profile's fields; every other
    // field is hidden. Sets the title and the old key.
    void applyProfile();
    // The key rules: the design's rule per field, or the profile's where it has one.
    void attachKeyRules(const std::vector<std::pair<Field, KeyFilter::Rule>>& design);
    // Enter in a field: opens the chooser of the field's lookup and writes the code picked; false
    // when the field has no lookup (now).
    bool lookUp(Field field);
    // "Salveaza" (0) checks and saves, then closes; "Renunta" (1) closes.
    void onAction(int index);
    void onUnload() override;

    // The field that takes the focus: the profile's, or the one given.
    Field focusField(Field byDesign) const;
    QLineEdit* lineEdit(Field field) const;
    QString text(Field field) const;
    Field fieldOf(const QObject* widget) const;

    std::vector<QPushButton*> m_cmdAction; // 0 Salveaza, 1 Renunta

private:
    bool runChecks();
    bool applies(const FieldCheck& check) const;
    bool passes(const FieldCheck& check) const;
    // Runs the profile's statement with its audit row; false (after a message) when a bare value is
    // not a number or the database refused: the editor then stays open with what was typed.
    bool save();
    // The message of a save the database refused (in the checks' lookups or in the statement).
    void saveFailed(const DbError& error, bool byStatement);
    // The key of the record as the save leaves it: typed key fields, or the loaded key.
    RowKey typedKey(const QString& statement) const;
    // Back to the design state: fields empty and unlocked, no combo items, nothing picked.
    void clearFields();
    EditorInput input() const;
    void loadField(const EditorField& field);
    QString columnName(int column) const;
    int columnSize(int column) const;
    bool onRow() const;
    bool hasRow(const QString& sql) const;
    void message(const QString& text) const;

    const CatalogProfile* m_profile = nullptr;
    EditMode m_mode = EditMode::Add;
    std::shared_ptr<Recordset> m_list;
    QString m_oldKey;
    QString m_ownKey; // the loaded text of the field that must be unique: the record's own
    bool m_reading = false;
    QStringList m_loadedRow;             // the list's current record when the editor opened
    RowKey m_loadedKey;                  // the record a modify writes back to
    std::optional<RowSnapshot> m_loaded; // that record as the list showed it
    CatalogRow::Cells m_saved;           // the saved record's cells, for the list to select
    std::set<Field> m_typed;             // fields of lookups that must be picked, holding typed text
    std::set<Field> m_watched;           // lookups whose typing is followed
};

} // namespace vornel
