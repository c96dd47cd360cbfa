#include "editors/RecordEditor.h"

#include "catalogs/Chooser.h"
#include "controls/ChartOfAccounts.h"
#include "controls/NumericBox.h"
#include "controls/ReadingLock.h"
#include "data/DbError.h"
#include "data/Recordset.h"
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

void RecordEditor::begin(const CatalogProfile& profile, EditMode mode, std::shared_ptr<Recordset> list) {
    m_profile = &profile;
    m_mode = mode;
    m_list = std::move(list);
    ReadingLock::set(this, m_cmdAction.at(0), false);
    // A lookup that must be picked holds typed text as soon as the field changes.
    for (const FieldLookup& lookup : profile.form.lookups)
        if (lookup.untilPicked)
            if (QLineEdit* edit = lineEdit(lookup.field))
                connect(edit, &QLineEdit::textChanged, this,
                        [this, field = lookup.field] { m_typed.insert(field); });
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
        if (QLineEdit* edit = lineEdit(f.field); edit && limit > 0) edit->setMaxLength(limit);
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
            edit->setText(cell);
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
    if (m_list && m_list->isOpen()) {
        const bool row = onRow();
        for (int i = 0; i < m_list->fieldCount(); ++i) {
            in.columns << m_list->column(i).name;
            in.row << (row ? m_list->text(i) : QString());
        }
    }
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
    auto& ctx = ComponentContext::current();
    try {
        ctx.connection->execute(statement.sql);
    } catch (const DbError& error) {
        ctx.Afiseaza(saveFailure(error), MessageIcon::Error, MessageButtons::Ok, QStringLiteral("Eroare"), 0,
                     0);
    }
    return true;
}

void RecordEditor::onAction(int index) {
    if (index == 1) {
        unload();
        return;
    }
    if (m_reading || !runChecks()) return;
    if (save()) unload();
}

void RecordEditor::onUnload() {
    emit closed(m_mode);
}

} // namespace vornel
