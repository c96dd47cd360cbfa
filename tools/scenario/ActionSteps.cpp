// Action steps: what a person does with the mouse and the keyboard.

#include "Controls.h"
#include "EditableGridSteps.h"
#include "Lexer.h"
#include "ScenarioState.h"

#include "controls/FlexGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>

namespace vornel::scenario {

namespace {

// A person can only act on a control that is shown, enabled and not behind a modal window.
QString checkUsable(QWidget* control, const ControlRef& ref, bool needEnabled) {
    if (!control->isVisible()) return QStringLiteral("expected %1 shown; found it hidden").arg(ref.text);
    if (needEnabled && !control->isEnabled())
        return QStringLiteral("expected %1 enabled; found it disabled").arg(ref.text);
    const QString modal = blockingModal(control);
    if (!modal.isEmpty())
        return QStringLiteral("expected %1 to take input; found the modal window %2 in front")
            .arg(ref.text, modal);
    return {};
}

QWidget* usableControl(const ControlRef& ref, bool needEnabled, QString& problem) {
    QWidget* control = findControl(ref, problem);
    if (control) problem = checkUsable(control, ref, needEnabled);
    return problem.isEmpty() ? control : nullptr;
}

struct KeyStroke {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
};

KeyStroke keyFor(const QString& name) {
    if (name == u"Enter") return {Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier};
    if (name == u"Esc") return {Qt::Key_Escape, QString(QChar(27)), Qt::NoModifier};
    if (name == u"Tab") return {Qt::Key_Tab, QStringLiteral("\t"), Qt::NoModifier};
    if (name == u"ShiftTab") return {Qt::Key_Backtab, QString(), Qt::ShiftModifier};
    if (name == u"Backspace") return {Qt::Key_Backspace, QString(QChar(8)), Qt::NoModifier};
    if (name == u"Up") return {Qt::Key_Up, QString(), Qt::NoModifier};
    if (name == u"Down") return {Qt::Key_Down, QString(), Qt::NoModifier};
    if (name == u"Left") return {Qt::Key_Left, QString(), Qt::NoModifier};
    if (name == u"Right") return {Qt::Key_Right, QString(), Qt::NoModifier};
    if (name == u"Home") return {Qt::Key_Home, QString(), Qt::NoModifier};
    if (name == u"CtrlF") return {Qt::Key_F, QString(), Qt::ControlModifier};
    if (name == u"CtrlE") return {Qt::Key_E, QString(), Qt::ControlModifier};
    if (name == u"CtrlH") return {Qt::Key_H, QString(QChar(8)), Qt::ControlModifier};
    return {Qt::Key_End, QString(), Qt::NoModifier};
}

QString click(const ControlRef& ref) {
    QString problem;
    auto* button = findControlOf<QAbstractButton>(ref, QStringLiteral("a button"), problem);
    if (!button) return problem;
    problem = checkUsable(button, ref, false);
    if (!problem.isEmpty()) return problem;
    button->click(); // a disabled button ignores it, as it ignores the mouse
    return {};
}

QString type(const ControlRef& ref, const QString& text) {
    QString problem;
    QPointer<QWidget> control = usableControl(ref, true, problem);
    if (!control) return problem;
    focusControl(control);
    for (const QChar ch : text) {
        if (!control)
            return QStringLiteral("expected %1 to take every character; found it closed while typing")
                .arg(ref.text);
        // Letters beyond ASCII (the Romanian ones among them) have no key of their own: they come as text.
        const Qt::Key key = ch.unicode() > 0 && ch.unicode() < 0x80
                                ? QTest::asciiToKey(static_cast<char>(ch.unicode()))
                                : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, control.data(), key, QString(ch), Qt::NoModifier);
    }
    return {};
}

QString paste(const ControlRef& ref, const QString& text) {
    QString problem;
    QWidget* control = usableControl(ref, true, problem);
    if (!control) return problem;
    QLineEdit* edit = qobject_cast<QLineEdit*>(control);
    if (auto* combo = qobject_cast<QComboBox*>(control)) edit = combo->lineEdit();
    if (!edit)
        return QStringLiteral("expected %1 to be a text box; found a %2")
            .arg(ref.text, QString::fromLatin1(control->metaObject()->className()));
    if (edit->isReadOnly()) return QStringLiteral("expected %1 editable; found it locked").arg(ref.text);
    focusControl(control);
    // Insert replaces the selection and reports the change as an edit, as a paste does.
    edit->selectAll();
    edit->insert(text);
    return {};
}

QString key(const ControlRef& ref, const QString& name) {
    QString problem;
    QWidget* control = usableControl(ref, true, problem);
    if (!control) return problem;
    focusControl(control);
    const KeyStroke stroke = keyFor(name);
    QTest::sendKeyEvent(QTest::Click, control, stroke.key, stroke.text, stroke.modifiers);
    return {};
}

QString select(const ControlRef& ref, const Token& item) {
    QString problem;
    QWidget* control = usableControl(ref, true, problem);
    if (!control) return problem;
    const bool byIndex = !item.quoted && item.text.startsWith(u'#');
    bool isNumber = false;
    const int wanted = byIndex ? item.text.mid(1).toInt(&isNumber) : -1;
    if (byIndex && !isNumber) return QStringLiteral("expected an index #N; found %1").arg(item.text);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const int index =
            byIndex ? wanted : combo->findText(item.text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0 || index >= combo->count())
            return QStringLiteral("expected %1 among the entries of %2; found %3")
                .arg(byIndex ? item.text : quoted(item.text), ref.text,
                     QString::number(combo->count()) + " entries");
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        emit combo->textActivated(combo->itemText(index));
        return {};
    }
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        int index = wanted;
        if (!byIndex) {
            const auto found = list->findItems(item.text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            index = found.isEmpty() ? -1 : list->row(found.first());
        }
        if (index < 0 || index >= list->count())
            return QStringLiteral("expected %1 among the entries of %2; found %3")
                .arg(byIndex ? item.text : quoted(item.text), ref.text,
                     QString::number(list->count()) + " entries");
        list->setCurrentRow(index);
        return {};
    }
    return QStringLiteral("expected %1 to be a combo box or list box; found a %2")
        .arg(ref.text, QString::fromLatin1(control->metaObject()->className()));
}

// The first column a person can see and click.
int firstShownColumn(const FlexGrid* grid) {
    for (int col = 0; col < grid->Cols(); ++col)
        if (!grid->isColumnHidden(col) && grid->columnWidth(col) > 0) return col;
    return 0;
}

FlexGrid* usableGrid(const ControlRef& ref, QString& problem) {
    auto* grid = findControlOf<FlexGrid>(ref, QStringLiteral("a grid"), problem);
    if (grid) problem = checkUsable(grid, ref, false); // a disabled grid ignores the mouse
    return problem.isEmpty() ? grid : nullptr;
}

QPoint cellCentre(FlexGrid* grid, int row) {
    const QModelIndex index = grid->model()->index(row - 1, firstShownColumn(grid));
    grid->scrollTo(index);
    return grid->visualRect(index).center();
}

QString clickRow(const ControlRef& ref, int row) {
    QString problem;
    FlexGrid* grid = usableGrid(ref, problem);
    if (!grid) return problem;
    if (row < 1 || row >= grid->Rows())
        return QStringLiteral("expected data row %1 in %2; found %3 data rows")
            .arg(row)
            .arg(ref.text)
            .arg(grid->Rows() - 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(grid, row));
    return {};
}

QString setColumn(const ControlRef& ref, int col) {
    QString problem;
    FlexGrid* grid = usableGrid(ref, problem);
    if (!grid) return problem;
    if (col < 0 || col >= grid->Cols())
        return QStringLiteral("expected column %1 in %2; found %3 columns")
            .arg(col)
            .arg(ref.text)
            .arg(grid->Cols());
    if (grid->isEnabled()) grid->setCol(col);
    return {};
}

// Clicks the column's header until the grid is sorted as asked: by the column ascending or
// descending, or (none) in the list's own order; three clicks go round the whole cycle.
QString sortGrid(const ControlRef& ref, int col, const QString& order) {
    QString problem;
    FlexGrid* grid = usableGrid(ref, problem);
    if (!grid) return problem;
    if (col < 0 || col >= grid->Cols() || grid->isColumnHidden(col))
        return QStringLiteral("expected column %1 of %2 shown; found %3")
            .arg(col)
            .arg(ref.text, col < grid->Cols() && col >= 0 ? QStringLiteral("it hidden")
                                                          : QStringLiteral("%1 columns").arg(grid->Cols()));
    using State = FlexGrid::SortState;
    const State wanted = order == u"asc"    ? State::Ascending
                         : order == u"desc" ? State::Descending
                                            : State::None;
    const auto reached = [&] {
        if (wanted != State::None) return grid->sortState(col) == wanted;
        for (int c = 0; c < grid->Cols(); ++c)
            if (grid->sortState(c) != State::None) return false;
        return true;
    };
    QHeaderView* header = grid->horizontalHeader();
    for (int click = 0; click < 3 && !reached() && grid->isEnabled(); ++click) {
        const QPoint where(header->sectionViewportPosition(col) + header->sectionSize(col) / 2,
                           header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, where);
    }
    if (reached()) return {};
    return QStringLiteral("expected %1 sorted %2 by column %3 after clicks on its header; found it %4")
        .arg(ref.text, order)
        .arg(col)
        .arg(grid->isEnabled() ? QStringLiteral("sorted otherwise") : QStringLiteral("disabled"));
}

// Answers the open file dialog with the file name, as typing it and pressing Save would.
QString saveFile(const QString& name, ScenarioState& state) {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog)
        return QStringLiteral("expected a file dialog open; found %1")
            .arg(QApplication::activeModalWidget() ? QApplication::activeModalWidget()->objectName()
                                                   : QStringLiteral("none"));
    dialog->selectFile(state.filePath(name));
    static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own accept, as the Save button runs it
    return {};
}

QString doubleClick(const ControlRef& ref) {
    QString problem;
    FlexGrid* grid = usableGrid(ref, problem);
    if (!grid) return problem;
    const int row = grid->Row();
    if (row < 1 || row >= grid->Rows())
        return QStringLiteral("expected a selected data row in %1; found row %2").arg(ref.text).arg(row);
    // A double click is a click followed by the second press that the system reports as double.
    QPointer<QWidget> viewport = grid->viewport();
    const QPoint where = cellCentre(grid, row);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, where);
    if (viewport) QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, where);
    if (viewport) QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, where);
    return {};
}

QString closeWindow(const QString& name) {
    QWidget* window = findWindow(name);
    if (!window || !window->isVisible())
        return QStringLiteral("expected window %1 open; found it closed").arg(name);
    const QString modal = blockingModal(window);
    if (!modal.isEmpty())
        return QStringLiteral("expected %1 to take input; found the modal window %2 in front")
            .arg(name, modal);
    window->close();
    return {};
}

} // namespace

QString runActionStep(const Step& step, ScenarioState& state) {
    const QString& verb = step.verb;
    if (verb == u"close") return closeWindow(step.args.at(0).text);
    if (verb == u"save") return saveFile(step.args.at(0).text, state);
    const ControlRef ref = *parseControl(step.args.at(0).text);
    const auto arg = [&](std::size_t i) { return step.args.at(i).text; };
    if (verb == u"click") return click(ref);
    if (verb == u"type") return type(ref, arg(1));
    if (verb == u"paste") return paste(ref, arg(1));
    if (verb == u"key") return key(ref, arg(1));
    if (verb == u"select") return select(ref, step.args.at(1));
    if (verb == u"row") return clickRow(ref, arg(1).toInt());
    if (verb == u"col") return setColumn(ref, arg(1).toInt());
    if (verb == u"sort") return sortGrid(ref, arg(1).toInt(), arg(2));
    if (verb == u"dblclick") return doubleClick(ref);
    if (verb == u"edit" || verb == u"append" || verb == u"remove") return runEditableGridAction(step, ref);
    return QStringLiteral("expected an action; found %1").arg(verb);
}

} // namespace vornel::scenario
