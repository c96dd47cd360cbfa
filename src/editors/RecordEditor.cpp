#include "editors/RecordEditor.h"

#include "catalogs/Chooser.h"
#include "controls/ChartOfAccounts.h"
#include "controls/NumericBox.h"
#include "controls/ReadingLock.h"
#include "controls/Saving.h"
#include "controls/TextLimit.h"
#include "data/ChangeSet.h"
#include "data/DbError.h"
#include "data/DbFault.h"
#include "data/Recordset.h"
#include "data/SqlText.h"
#include "data/TextCut.h"
#include "entry/ComponentContext.h"
#include <QPushButton>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <algorithm>

namespace vornel {

namespace {

const QString kNotANumber = QStringLiteral("Valoare numerica incorecta !");

} // namespace

RecordEditor::RecordEditor(const QString& name) : FormWindow(name) {}

RecordEditor::~RecordEditor() = default;

QWidget* RecordEditor::control(Field field) const {
    const auto found = m_controls.find(field);
    return found == m_controls.end() ? nullptr : found->second;
}

QLabel* RecordEditor::designLabel(Field field) const {
    const auto found = m_labels.find(field);
    return found == m_labels.end() ? nullptr : found->second;
}

void RecordEditor::begin(const CatalogProfile& profile, EditMode mode, std::shared_ptr<Recordset> list) {
    m_profile = &profile;
    m_mode = mode;
    m_list = std::move(list);
    ReadingLock::set(this, m_cmdAction.at(0), false);
    m_saved.clear();
    // A lookup that must be picked holds typed text as soon as the field changes.
    for (const FieldLookup& lookup : profile.form.lookups)
        if (lookup.untilPicked && m_watched.insert(lookup.field).second)
            if (QLineEdit* edit = lineEdit(lookup.field))
                connect(edit, &QLineEdit::textChanged, this,
                        [this, field = lookup.field] { m_typed.insert(field); });
}

void RecordEditor::clearFields() {
    for (Field field : fields()) {
        QWidget* widget = control(field);
        if (auto* combo = qobject_cast<QComboBox*>(widget)) combo->clear();
        if (QLineEdit* edit = lineEdit(field)) {
            edit->clear();
            edit->setReadOnly(false);
            edit->setMaxLength(32767);
        }
        if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setChecked(false);
    }
    // A label that shows a loaded value (a warehouse's code) shows nothing until loaded again.
    for (const EditorField& f : m_profile->form.fields)
        if (auto* label = qobject_cast<QLabel*>(control(f.field)); label && f.load >= 0) label->clear();
    m_typed.clear();
}

QLineEdit* RecordEditor::lineEdit(Field field) const {
    QWidget* widget = control(field);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
    return nullptr;
}

QString RecordEditor::text(Field field) const {
    QWidget* widget = control(field);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    return {};
}

Field RecordEditor::fieldOf(const QObject* widget) const {
    for (Field field : fields())
        if (control(field) == widget) return field;
    return Field::None;
}

Field RecordEditor::focusField(Field byDesign) const {
    const Field chosen = m_mode == EditMode::Modify ? m_profile->form.focusModify : m_profile->form.focusAdd;
    return chosen == Field::None ? byDesign : chosen;
}

bool RecordEditor::onRow() const {
    return m_list && m_list->isOpen() && !m_list->bof() && !m_list->eof();
}

QString RecordEditor::columnName(int column) const {
    if (!m_list || !m_list->isOpen() || column >= m_list->fieldCount()) return {};
    return m_list->column(column).name;
}

int RecordEditor::columnSize(int column) const {
    if (!m_list || !m_list->isOpen() || column >= m_list->fieldCount()) return 0;
    return m_list->column(column).definedSize;
}

void RecordEditor::applyProfile() {
    const EditorProfile& form = m_profile->form;
    const bool modify = m_mode == EditMode::Modify;
    setWindowTitle(caption() + " - " + (modify ? "Modificare" : "Adaugare"));
    clearFields();

    // Only the profile's fields show; each with the label beside it.
    for (Field field : fields()) {
        control(field)->setVisible(false);
        if (QLabel* label = designLabel(field)) label->setVisible(false);
    }
    for (const EditorField& f : form.fields) {
        const bool shown = f.shown && (!f.onlyInModify || modify);
        QWidget* widget = control(f.field);
        widget->setVisible(shown);
        if (QLabel* label = designLabel(f.label == Field::Self ? f.field : f.label)) {
            label->setVisible(shown);
            if (!f.caption.text.isEmpty())
                label->setText(f.caption.text);
            else if (f.caption.column >= 0)
                label->setText(columnName(f.caption.column));
        }
        if (!f.text.isEmpty()) {
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(f.text);
            if (auto* heading = qobject_cast<QLabel*>(widget)) heading->setText(f.text);
        }
        const int limit = f.limit.fixed > 0     ? f.limit.fixed
                          : f.limit.column >= 0 ? columnSize(f.limit.column)
                          : f.limit.account ? Chart::accountLength(*ComponentContext::current().connection)
                                            : 0;
        if (QLineEdit* edit = lineEdit(f.field); edit && limit > 0) TextLimit::attach(edit, limit);
    }
    if (auto* combo = qobject_cast<QComboBox*>(control(Field::Combo)); combo && !form.comboItems.isEmpty()) {
        combo->addItems(form.comboItems);
        combo->setCurrentIndex(0);
    }
    if (auto* discount = qobject_cast<NumericBox*>(control(Field::Discount));
        discount && !discount->isHidden())
        discount->setValoare(0);
    for (const FieldLookup& lookup : form.lookups)
        if (lookup.untilPicked) m_typed.insert(lookup.field);

    if (modify) {
        for (const EditorField& f : form.fields)
            loadField(f);
        // What was loaded counts as picked.
        for (const FieldLookup& lookup : form.lookups)
            m_typed.erase(lookup.field);
    }
    const Field key = form.keyField == Field::None ? designKey() : form.keyField;
    m_oldKey = text(key);
    m_ownKey = m_oldKey;
    for (const FieldCheck& check : form.checks)
        if (check.rule == CheckRule::Unique) {
            m_ownKey = text(check.field);
            break;
        }
    ReadingLock::set(this, m_cmdAction.at(0), m_reading);

    // The record the save writes back to, as the list showed it.
    m_loadedRow.clear();
    m_loadedKey = {};
    m_loaded.reset();
    if (m_list && m_list->isOpen())
        for (int i = 0; i < m_list->fieldCount(); ++i)
            m_loadedRow << (onRow() ? m_list->text(i) : QString());
    if (modify && onRow()) {
        m_loadedKey = CatalogRow::keyOf(*m_profile, *m_list);
        m_loaded = CatalogRow::asShown(m_loadedKey, *m_list);
    }
}

void RecordEditor::loadField(const EditorField& f) {
    QWidget* widget = control(f.field);
    if (f.lockedInModify)
        if (QLineEdit* edit = lineEdit(f.field)) edit->setReadOnly(true);
    if (f.load < 0) return;
    const bool there = onRow() && f.load < m_list->fieldCount();
    const QString cell = there ? m_list->text(f.load) : QString();
    switch (f.loadAs) {
    case LoadAs::Text:
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            combo->setCurrentText(cell);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(cell);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setText(cutText(cell, edit->maxLength()));
        break;
    case LoadAs::Whole:
        // A stored value longer than the field's limit widens it, so an unchanged save never cuts it.
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (cell.size() > edit->maxLength()) edit->setMaxLength(cell.size());
            edit->setText(cell);
        }
        break;
    case LoadAs::Number:
        // A number left empty in the database shows as 0.
        if (auto* box = qobject_cast<NumericBox*>(widget))
            box->setValoare(there && !m_list->isNull(f.load) ? m_list->value(f.load).toDouble() : 0);
        break;
    case LoadAs::Checked:
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            const QVariant value = there ? m_list->value(f.load) : QVariant();
            box->setChecked(value.isValid() && value.toDouble() != 0);
        }
        break;
    case LoadAs::CheckedWhen:
        if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setChecked(cell == f.loadText);
        break;
    case LoadAs::CheckedUnless:
        if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setChecked(cell != f.loadText);
        break;
    }
}

void RecordEditor::attachKeyRules(const std::vector<std::pair<Field, KeyFilter::Rule>>& design) {
    for (const auto& [field, rule] : design) {
        KeyFilter::Rule chosen = rule;
        for (const auto& [ruled, keyRule] : m_profile->form.keys)
            if (ruled == field)
                chosen = keyRule == KeyRule::Digits ? KeyFilter::digitsOnly()
                                                    : KeyFilter::both(KeyFilter::digitsOnly(), rule);
        KeyFilter::attach(control(field), chosen);
    }
}

bool RecordEditor::lookUp(Field field) {
    const FieldLookup* found = nullptr;
    for (const FieldLookup& lookup : m_profile->form.lookups)
        if (lookup.field == field && (!lookup.untilPicked || m_typed.count(field))) found = &lookup;
    QLineEdit* edit = lineEdit(field);
    if (!found || !edit || m_reading) return false;
    QPointer<RecordEditor> self(this);
    const std::optional<QString> code = Chooser::pick(found->lookup, edit->text());
    if (!self) return true;
    if (code && !unloaded()) {
        edit->setText(*code);
        m_typed.erase(field); // chosen, not typed
    }
    if (found->focusBack) edit->setFocus(Qt::OtherFocusReason);
    return true;
}

void RecordEditor::message(const QString& text) const {
    ComponentContext::current().Afiseaza(text, MessageIcon::Error, MessageButtons::Ok, windowTitle(), 0, 0);
}

bool RecordEditor::hasRow(const QString& sql) const {
    Recordset rs;
    rs.open(sql, ComponentContext::current().connection, CursorLocation::Client, CursorType::Static,
            LockType::ReadOnly);
    const bool any = !(rs.bof() && rs.eof());
    rs.close();
    return any;
}

bool RecordEditor::ExistaCont(const QString& cont) const {
    return hasRow(accountQuery(cont));
}

bool RecordEditor::ExistaGrupa(const QString& grupa) const {
    return hasRow(m_profile->form.groupQuery + StatementBuilder::trimmed(grupa) + QStringLiteral("'"));
}

bool RecordEditor::ExistaCentruCost(const QString& cod) const {
    return hasRow(costCentreQuery(cod));
}

bool RecordEditor::ExistaCheie(const QString& cheie) const {
    if (m_mode == EditMode::Modify && cheie.trimmed().compare(m_ownKey.trimmed(), Qt::CaseInsensitive) == 0)
        return false;
    if (!m_profile->form.uniqueQuery) return false;
    KeyInput key{m_profile->table, {}, cheie};
    for (int i = 0; m_list && m_list->isOpen() && i < m_list->fieldCount(); ++i)
        key.columns << m_list->column(i).name;
    const std::optional<QString> sql = m_profile->form.uniqueQuery(key);
    return sql && hasRow(*sql);
}

bool RecordEditor::applies(const FieldCheck& check) const {
    QWidget* widget = control(check.field);
    switch (check.when) {
    case When::Always:
        return true;
    case When::Shown:
        return !widget->isHidden();
    case When::Editable: {
        const QLineEdit* edit = lineEdit(check.field);
        return !widget->isHidden() && !(edit && edit->isReadOnly());
    }
    case When::UnlessTicked: {
        const auto* box = qobject_cast<QCheckBox*>(control(Field::Transferabil));
        return !(box && box->isChecked());
    }
    }
    return true;
}

bool RecordEditor::passes(const FieldCheck& check) const {
    const QString value = text(check.field);
    switch (check.rule) {
    case CheckRule::Filled:
        return !value.isEmpty();
    case CheckRule::Required:
        return !value.trimmed().isEmpty();
    case CheckRule::MinLength:
        return !value.trimmed().isEmpty() && value.size() >= check.limit;
    case CheckRule::Number:
        if (const auto* box = qobject_cast<const NumericBox*>(control(check.field)))
            return box->holdsNumber();
        return Sql::isNumber(value.trimmed());
    case CheckRule::AtMost: {
        const auto* box = qobject_cast<const NumericBox*>(control(check.field));
        return (box ? box->Valoare() : Sql::leadingNumber(value.trimmed())) <= check.limit;
    }
    case CheckRule::Unique:
        return !ExistaCheie(value);
    case CheckRule::Account:
        return ExistaCont(value) && value.trimmed().startsWith(check.group);
    case CheckRule::InChart:
        return value.trimmed().isEmpty() || ExistaCont(value);
    case CheckRule::Group:
        return ExistaGrupa(value);
    case CheckRule::CostCentre:
        return ExistaCentruCost(value);
    case CheckRule::PrefixOf: {
        const QString start = text(check.other);
        return value.left(start.size()) == start;
    }
    case CheckRule::Picked:
        return m_typed.count(check.field) == 0;
    case CheckRule::Path:
        return value.isEmpty() || (value.contains(u'\\') && value.contains(u':'));
    case CheckRule::ProgramName:
        return value.isEmpty() || (!value.contains(u'\\') && !value.contains(u':'));
    }
    return true;
}

bool RecordEditor::runChecks() {
    bool right = true;
    for (const FieldCheck& check : m_profile->form.checks) {
        if (!applies(check) || passes(check)) continue;
        message(check.rule == CheckRule::InChart ? Chart::missingMessage(text(check.field)) : check.message);
        if (QWidget* focus = control(check.focus == Field::Self ? check.field : check.focus))
            focus->setFocus(Qt::OtherFocusReason);
        right = false;
        if (!check.goesOn) return false;
    }
    return right;
}

EditorInput RecordEditor::input() const {
    EditorInput in;
    in.mode = m_mode;
    in.table = m_profile->table;
    if (m_list && m_list->isOpen())
        for (int i = 0; i < m_list->fieldCount(); ++i)
            in.columns << m_list->column(i).name;
    in.row = m_loadedRow;
    in.oldKey = m_oldKey;
    for (Field field : fields())
        if (lineEdit(field)) in.texts[field] = text(field);
    if (const auto* box = qobject_cast<const QCheckBox*>(control(Field::Transferabil)))
        in.ticked = box->isChecked();
    if (const auto* box = qobject_cast<const NumericBox*>(control(Field::Discount)))
        in.discount = box->Valoare();
    return in;
}

bool RecordEditor::save() {
    const EditorProfile& form = m_profile->form;
    const auto* ticked = qobject_cast<const QCheckBox*>(control(Field::Transferabil));
    // A document posted on the products' expense accounts keeps no account of its own.
    if (form.clearedWhenTicked != Field::None && ticked && ticked->isChecked())
        lineEdit(form.clearedWhenTicked)->clear();
    // Empty or zero minutes are stored as one minute.
    for (Field field : form.minutes)
        lineEdit(field)->setText(minutesText(lineEdit(field)->text()));

    const BuiltStatement statement = m_mode == EditMode::Modify ? form.update(input()) : form.insert(input());
    if (!statement.ok()) {
        message(kNotANumber);
        if (QWidget* focus = control(static_cast<Field>(statement.badField)))
            focus->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const bool modify = m_mode == EditMode::Modify;
    const RowKey after = typedKey(statement.sql);
    RowChange change = modify ? RowChange::modifying(m_loadedKey, statement.sql, m_loaded)
                              : RowChange::adding(after, statement.sql);
    if (modify) change.keyAfter = after;
    try {
        ChangeSet(*ComponentContext::current().connection, auditContext(caption()))
            .add(std::move(change))
            .apply();
    } catch (const DbError& error) {
        saveFailed(error, true);
        return false;
    }
    // The list finds the record by its key, or by what was typed when the database numbered it.
    m_saved.clear();
    for (std::size_t i = 0; i < m_profile->keyColumns.size(); ++i)
        if (const QVariant& value = after.columns.at(i).second; value.isValid())
            m_saved[m_profile->keyColumns[i]] = value.toString();
    if (m_saved.isEmpty())
        for (const EditorField& f : form.fields)
            if (f.load >= 0 && lineEdit(f.field) && !control(f.field)->isHidden())
                m_saved[f.load] = text(f.field);
    return true;
}

void RecordEditor::saveFailed(const DbError& error, bool byStatement) {
    const DbFault fault = faultOf(error);
    // A statement refused for a duplicate key or related records keeps the editor's own text.
    if (const QString own = fault == DbFault::Other && byStatement ? saveFailure(error) : QString();
        !own.isEmpty()) {
        ComponentContext::current().Afiseaza(own, MessageIcon::Error, MessageButtons::Ok,
                                             QStringLiteral("Eroare"), 0, 0);
        const Field key = m_profile->form.keyField == Field::None ? designKey() : m_profile->form.keyField;
        if (QLineEdit* edit = lineEdit(key); edit && !edit->isReadOnly() && !edit->isHidden())
            edit->setFocus(Qt::OtherFocusReason);
        return;
    }
    showSaveError(error, windowTitle());
    if (fault == DbFault::RowChanged) {
        // Saving again writes over the other user's change knowingly.
        m_loaded = storedRow(m_loadedKey);
        emit recordChanged();
        activateWindow();
    }
}

RowKey RecordEditor::typedKey(const QString& statement) const {
    RowKey key{m_profile->table, {}};
    for (std::size_t i = 0; i < m_profile->keyColumns.size(); ++i) {
        const int column = m_profile->keyColumns[i];
        QVariant value = m_mode == EditMode::Modify && i < m_loadedKey.columns.size()
                             ? m_loadedKey.columns[i].second
                             : QVariant();
        for (const EditorField& f : m_profile->form.fields) {
            if (f.load != column || !lineEdit(f.field)) continue;
            const QString typed = text(f.field);
            const ColumnType type = m_list && m_list->isOpen() && column < m_list->fieldCount()
                                        ? m_list->column(column).type
                                        : ColumnType::Unknown;
            // An empty number is one the database gives; an empty text is what a modify writes.
            const bool numeric = type == ColumnType::Integer || type == ColumnType::Double;
            if (typed.trimmed().isEmpty() && (m_mode != EditMode::Modify || numeric)) continue;
            if (type == ColumnType::Integer && Sql::isNumber(typed.trimmed()))
                value = static_cast<qint64>(Sql::leadingNumber(typed));
            else if (type == ColumnType::Double && Sql::isNumber(typed.trimmed()))
                value = Sql::leadingNumber(typed);
            else // as the statement writes it: as typed, or trimmed
                value =
                    statement.contains(QLatin1Char('\'') + StatementBuilder::text(typed) + QLatin1Char('\''))
                        ? typed
                        : typed.trimmed();
        }
        key.columns.emplace_back(columnName(column), value);
    }
    for (const auto& fixed : m_profile->keyValues)
        key.columns.push_back(fixed);
    return key;
}

void RecordEditor::onAction(int index) {
    if (index == 1) {
        unload();
        return;
    }
    if (m_reading) return;
    try {
        if (!runChecks()) return;
    } catch (const DbError& error) {
        // The checks read the database: a fault there is a failed save too.
        saveFailed(error, false);
        return;
    }
    if (save()) unload();
}

void RecordEditor::onUnload() {
    emit closed(m_mode, m_saved);
}

} // namespace vornel
