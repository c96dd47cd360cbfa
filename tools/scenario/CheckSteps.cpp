// Checks: what a person sees on the screen and what the database holds.

#include "Controls.h"
#include "EditableGridSteps.h"
#include "ExportedFiles.h"
#include "Lexer.h"
#include "ScenarioState.h"

#include "controls/EditableGrid.h"
#include "controls/FlexGrid.h"
#include "controls/NumericBox.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <cmath>

namespace vornel::scenario {

namespace {

QString mismatch(const QString& what, const QString& expected, const QString& found) {
    return QStringLiteral("expected %1 %2; found %3").arg(what, expected, found);
}

// A database value as a person would write it in a scenario.
QString valueText(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 1e15)
            return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

QString expectMessage(const Step& step, ScenarioState& state) {
    const QString& text = step.args.at(0).text;
    QString expectedText = QStringLiteral("message ") + quoted(text);
    std::optional<int> icon, buttons;
    std::optional<QString> title;
    for (std::size_t i = 1; i + 1 < step.args.size(); i += 2) {
        const QString& key = step.args[i].text;
        const QString& value = step.args[i + 1].text;
        if (key == u"icon")
            icon = value.toInt();
        else if (key == u"buttons")
            buttons = value.toInt();
        else
            title = value;
        expectedText += u' ' + key + u' ' + (key == u"title" ? quoted(value) : value);
    }
    MessageLog& log = *state.log;
    if (!log.hasUnchecked()) return QStringLiteral("expected %1; found no message").arg(expectedText);
    const RecordedMessage& m = log.oldestUnchecked();
    const bool same = m.text == text && (!icon || *icon == m.icon) && (!buttons || *buttons == m.buttons) &&
                      (!title || *title == m.title);
    if (!same) return QStringLiteral("expected %1; found %2").arg(expectedText, MessageLog::describe(m));
    log.checkOldest();
    return {};
}

QString expectExecuted(const QString& statement, const ScenarioState& state) {
    if (state.executed.contains(statement)) return {};
    if (state.executed.isEmpty())
        return mismatch(QStringLiteral("executed"), quoted(statement),
                        QStringLiteral("no statement executed"));
    // Show the statement that agrees longest with the expected one: the difference is then easy to spot.
    const QString* closest = &state.executed.front();
    qsizetype best = -1;
    for (const QString& s : state.executed) {
        qsizetype n = 0;
        while (n < s.size() && n < statement.size() && s[n] == statement[n])
            ++n;
        if (n > best) best = n, closest = &s;
    }
    return mismatch(
        QStringLiteral("executed"), quoted(statement),
        QStringLiteral("%1 (closest of %2 statements)").arg(quoted(*closest)).arg(state.executed.size()));
}

QString expectSql(const QString& sql, const QString& expected, ScenarioState& state) {
    const QueryResult result = state.quietly([&] { return state.db().query(sql); });
    QString found;
    if (result.rows.rowCount() > 0 && result.rows.columnCount() > 0)
        found = result.rows.isNull(0, 0) ? QStringLiteral("NULL") : valueText(result.rows.value(0, 0));
    if (found == expected) return {};
    return mismatch(QStringLiteral("sql ") + quoted(sql) + QStringLiteral(" to give"), quoted(expected),
                    quoted(found));
}

QString expectFile(const QString& name, const QString& expected, ScenarioState& state) {
    QString problem;
    const std::optional<QString> found = readExported(state.filePath(name), problem);
    if (!found)
        return mismatch(QStringLiteral("file ") + quoted(name), problem, QStringLiteral("something else"));
    return *found == expected ? QString()
                              : mismatch(QStringLiteral("file ") + quoted(name) + QStringLiteral(" to hold"),
                                         quoted(expected), quoted(*found));
}

QString expectWindow(const QString& verb, const QString& name, const Step& step) {
    QWidget* window = findWindow(name);
    const bool open = window && window->isVisible();
    if (verb == u"expect open")
        return open ? QString()
                    : mismatch(QStringLiteral("window"), name + QStringLiteral(" open"),
                               window ? QStringLiteral("it loaded and hidden")
                                      : QStringLiteral("it not loaded"));
    if (verb == u"expect closed")
        return open ? mismatch(QStringLiteral("window"), name + QStringLiteral(" closed"),
                               QStringLiteral("it open"))
                    : QString();
    if (!window)
        return mismatch(QStringLiteral("window"), name + QStringLiteral(" loaded"),
                        QStringLiteral("it not loaded"));
    if (verb == u"expect title") {
        const QString& title = step.args.at(1).text;
        return window->windowTitle() == title ? QString()
                                              : mismatch(QStringLiteral("title of ") + name, quoted(title),
                                                         quoted(window->windowTitle()));
    }
    const bool wantEnabled = verb == u"expect enabled";
    if (window->isEnabled() == wantEnabled) return {};
    return mismatch(QStringLiteral("window ") + name,
                    wantEnabled ? QStringLiteral("enabled") : QStringLiteral("disabled"),
                    wantEnabled ? QStringLiteral("disabled") : QStringLiteral("enabled"));
}

std::optional<bool> isLocked(QWidget* control) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->isReadOnly();
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->lineEdit() ? std::optional<bool>(combo->lineEdit()->isReadOnly())
                                 : std::optional<bool>(true);
    if (auto* text = qobject_cast<QTextEdit*>(control)) return text->isReadOnly();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) return plain->isReadOnly();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(control)) return spin->isReadOnly();
    return std::nullopt;
}

QString itemsOf(QWidget* control, bool& ok) {
    QStringList items;
    ok = true;
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
    } else {
        ok = false;
    }
    return items.join(u'|');
}

bool hasFocus(QWidget* control) {
    if (QApplication::focusWidget() == control) return true;
    // Offscreen, a window need not be the active one: then its own focus widget counts.
    QWidget* window = control->window();
    return !window->isActiveWindow() && window->focusWidget() == control;
}

QString flag(const ControlRef& ref, bool expected, bool actual, const QString& yes, const QString& no) {
    return expected == actual ? QString() : mismatch(ref.text, expected ? yes : no, actual ? yes : no);
}

QString expectControl(const Step& step) {
    const QString& verb = step.verb;
    const ControlRef ref = *parseControl(step.args.at(0).text);
    const auto arg = [&](std::size_t i) { return step.args.at(i).text; };
    QString problem;
    QWidget* control = findControl(ref, problem);
    if (!control) return problem;
    QWidget* window = control->window();

    if (verb == u"expect visible" || verb == u"expect hidden")
        return flag(ref, verb == u"expect visible", !control->isHidden(), QStringLiteral("visible"),
                    QStringLiteral("hidden"));
    if (verb == u"expect enabled" || verb == u"expect disabled")
        return flag(ref, verb == u"expect enabled", control->isEnabledTo(window), QStringLiteral("enabled"),
                    QStringLiteral("disabled"));
    if (verb == u"expect focus") {
        if (hasFocus(control)) return {};
        QWidget* focused = QApplication::focusWidget();
        if (!focused || !window->isActiveWindow()) focused = window->focusWidget();
        return mismatch(
            QStringLiteral("focus on"), ref.text,
            focused ? QStringLiteral("%1.%2").arg(focused->window()->objectName(), focused->objectName())
                    : QStringLiteral("no focus"));
    }
    if (verb == u"expect locked" || verb == u"expect unlocked") {
        const auto locked = isLocked(control);
        if (!locked)
            return mismatch(ref.text, QStringLiteral("a text control"),
                            QString::fromLatin1(control->metaObject()->className()));
        return flag(ref, verb == u"expect locked", *locked, QStringLiteral("locked"),
                    QStringLiteral("unlocked"));
    }
    if (verb == u"expect text") {
        const auto text = controlText(control);
        if (!text)
            return mismatch(ref.text, QStringLiteral("a control with text"),
                            QString::fromLatin1(control->metaObject()->className()));
        return *text == arg(1)
                   ? QString()
                   : mismatch(QStringLiteral("text of ") + ref.text, quoted(arg(1)), quoted(*text));
    }
    if (verb == u"expect checked" || verb == u"expect unchecked") {
        auto* button = qobject_cast<QAbstractButton*>(control);
        if (!button)
            return mismatch(ref.text, QStringLiteral("a check box or option button"),
                            QString::fromLatin1(control->metaObject()->className()));
        return flag(ref, verb == u"expect checked", button->isChecked(), QStringLiteral("checked"),
                    QStringLiteral("unchecked"));
    }
    if (verb == u"expect value") {
        auto* box = qobject_cast<NumericBox*>(control);
        if (!box)
            return mismatch(ref.text, QStringLiteral("a numeric box"),
                            QString::fromLatin1(control->metaObject()->className()));
        const double expected = arg(1).toDouble();
        const double actual = box->Valoare();
        if (std::fabs(actual - expected) <= 1e-9 * std::max(1.0, std::fabs(expected))) return {};
        return mismatch(QStringLiteral("value of ") + ref.text, arg(1),
                        QString::number(actual, 'g', QLocale::FloatingPointShortest));
    }
    if (verb == u"expect maxlength") {
        auto* edit = qobject_cast<QLineEdit*>(control);
        if (!edit)
            return mismatch(ref.text, QStringLiteral("a text box"),
                            QString::fromLatin1(control->metaObject()->className()));
        const int length = edit->maxLength() == 32767 ? 0 : edit->maxLength();
        return length == arg(1).toInt()
                   ? QString()
                   : mismatch(QStringLiteral("maxlength of ") + ref.text, arg(1), QString::number(length));
    }
    if (verb == u"expect items") {
        bool ok = false;
        const QString items = itemsOf(control, ok);
        if (!ok)
            return mismatch(ref.text, QStringLiteral("a combo box or list box"),
                            QString::fromLatin1(control->metaObject()->className()));
        return items == arg(1)
                   ? QString()
                   : mismatch(QStringLiteral("items of ") + ref.text, quoted(arg(1)), quoted(items));
    }

    if (auto* editable = qobject_cast<EditableGrid*>(control)) return checkEditableGrid(step, ref, *editable);
    auto* grid = qobject_cast<FlexGrid*>(control);
    if (!grid)
        return mismatch(ref.text, QStringLiteral("a grid"),
                        QString::fromLatin1(control->metaObject()->className()));
    if (verb == u"expect rows") {
        const int rows = grid->Rows() - 1;
        return rows == arg(1).toInt()
                   ? QString()
                   : mismatch(QStringLiteral("data rows in ") + ref.text, arg(1), QString::number(rows));
    }
    const int row = verb == u"expect cell" ? arg(1).toInt() : 0;
    const int col = arg(verb == u"expect cell" ? 2 : 1).toInt();
    if (row < 0 || row >= grid->Rows() || col < 0 || col >= grid->Cols())
        return mismatch(ref.text, QStringLiteral("a cell at row %1 column %2").arg(row).arg(col),
                        QStringLiteral("%1 rows and %2 columns").arg(grid->Rows()).arg(grid->Cols()));
    if (verb == u"expect cell") {
        const QString text = grid->TextMatrix(row, col);
        return text == arg(3) ? QString()
                              : mismatch(QStringLiteral("cell %1,%2 of %3").arg(row).arg(col).arg(ref.text),
                                         quoted(arg(3)), quoted(text));
    }
    const int width = grid->ColWidth(col);
    return width == arg(2).toInt()
               ? QString()
               : mismatch(QStringLiteral("width of column %1 of %2").arg(col).arg(ref.text), arg(2),
                          QString::number(width));
}

} // namespace

QString runCheckStep(const Step& step, ScenarioState& state) {
    const QString& verb = step.verb;
    if (verb == u"expect message") return expectMessage(step, state);
    if (verb == u"expect no-message") {
        if (!state.log->hasUnchecked()) return {};
        return QStringLiteral("expected no message; found %1")
            .arg(MessageLog::describe(state.log->oldestUnchecked()));
    }
    if (verb == u"expect executed") return expectExecuted(step.args.at(0).text, state);
    if (verb == u"expect sql") return expectSql(step.args.at(0).text, step.args.at(1).text, state);
    if (verb == u"expect file") return expectFile(step.args.at(0).text, step.args.at(1).text, state);
    if (verb == u"expect unchanged") {
        if (state.snapshot.isEmpty()) return QStringLiteral("expected a snapshot taken before; found none");
        const QByteArray now = state.digest();
        return now == state.snapshot
                   ? QString()
                   : mismatch(QStringLiteral("every table"), QStringLiteral("as at the snapshot"),
                              now.isEmpty() ? QStringLiteral("a damaged database")
                                            : QStringLiteral("rows changed"));
    }
    if (verb == u"expect iesire") {
        const int wanted = step.args.at(0).text.toInt();
        return state.iesire == wanted
                   ? QString()
                   : mismatch(QStringLiteral("Iesire raised"), QStringLiteral("%1 time(s)").arg(wanted),
                              QStringLiteral("%1 time(s)").arg(state.iesire));
    }
    const QString& target = step.args.at(0).text;
    if (!target.contains(u'.')) return expectWindow(verb, target, step);
    return expectControl(step);
}

} // namespace vornel::scenario
