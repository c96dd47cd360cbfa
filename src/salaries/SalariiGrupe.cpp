// Work groups: the group list, adding, renaming and deleting a group. A new group starts with a
// copy of the default group's parameters for every month.
#include "salaries/Salarii.h"

#include "controls/Saving.h"
#include "data/ChangeSet.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/SqlText.h"
#include "entry/ComponentContext.h"
#include "salaries/SalaryStatements.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace vornel {

namespace {

const QString kSaveFailed = QStringLiteral("A aparut o eroare la salvare !!");

RowKey groupRow(const QString& name) {
    return {QStringLiteral("sal_grupe"), {{QStringLiteral("GRUPE"), name}}};
}

// The parameters of the groups named, every month.
RowSelection groupParameters(const std::vector<QVariant>& names) {
    QStringList marks;
    for (std::size_t i = 0; i < names.size(); ++i)
        marks << QStringLiteral("?");
    return {QStringLiteral("sal_para"),
            {QStringLiteral("T"), QStringLiteral("GRUPA")},
            QStringLiteral("GRUPA IN (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
            names};
}

} // namespace

void Salarii::IncarcaGrupe() {
    Recordset rs;
    rs.open(groupListQuery(), ComponentContext::current().connection, CursorLocation::Client,
            CursorType::Static, LockType::ReadOnly);
    {
        const QSignalBlocker quiet(m_cmbGrupa);
        m_cmbGrupa->clear();
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            m_cmbGrupa->addItem(rs.text(0));
        m_cmbGrupa->setCurrentIndex(m_cmbGrupa->count() > 0 ? 0 : -1);
    }
    rs.close();
    IncarcaParametri();
}

void Salarii::selectGroup(const QString& name) {
    {
        const QSignalBlocker quiet(m_cmbGrupa);
        const int index = m_cmbGrupa->findText(name.trimmed(), Qt::MatchFixedString);
        m_cmbGrupa->setCurrentIndex(index >= 0 ? index : (m_cmbGrupa->count() > 0 ? 0 : -1));
    }
    IncarcaParametri();
}

void Salarii::onGroupButton(int index) {
    try {
        switch (index) {
        case 0:
            // The group saved next is shown afterwards: the month shown is settled first.
            if (settleChanges()) openGroupFrame(QString(), QStringLiteral("0"));
            break;
        case 1:
            if (settleChanges()) openGroupFrame(m_cmbGrupa->currentText(), QStringLiteral("1"));
            break;
        case 2:
            deleteGroup();
            break;
        case 3:
            saveGroup();
            break;
        default:
            closeGroupFrame();
            break;
        }
    } catch (const DbError& e) {
        reportSaveError(e);
    }
}

void Salarii::openGroupFrame(const QString& text, const QString& tag) {
    m_frmG->setHidden(false);
    m_txtG->setText(text);
    m_txtG->setProperty("Tag", tag);
    m_txtG->setFocus(Qt::OtherFocusReason);
    m_txtG->selectAll();
    for (QWidget* w : m_frm)
        w->setEnabled(false);
    for (QGroupBox* p : m_f)
        p->setEnabled(false);
    for (QPushButton* b : m_cmdAction)
        b->setEnabled(false);
}

void Salarii::closeGroupFrame() {
    m_txtG->clear();
    m_txtG->setProperty("Tag", QString());
    for (QWidget* w : m_frm)
        w->setEnabled(true);
    // All five pages come back, even those of a closed month, as the group frame leaves them.
    for (QGroupBox* p : m_f)
        p->setEnabled(true);
    for (QPushButton* b : m_cmdAction)
        b->setEnabled(true);
    m_frmG->setHidden(true);
    m_cmbGrupa->setFocus(Qt::OtherFocusReason);
}

void Salarii::deleteGroup() {
    auto& ctx = ComponentContext::current();
    const QString name = m_cmbGrupa->currentText();
    if (name == kDefaultGroup) {
        message(QStringLiteral("Aceasta grupa nu se poate sterge !!"));
        return;
    }
    // A group that employees still belong to stays, so that none of them is left without one.
    const qint64 employees = ctx.connection->scalar(groupEmployeesQuery(name)).toLongLong();
    if (employees > 0) {
        message(QStringLiteral("Grupa de munca este folosita de %1 angajati !").arg(employees));
        return;
    }
    const int answer =
        ctx.Afiseaza(QStringLiteral("Doriti stergerea  grupei ") + name + QStringLiteral("  ?"),
                     MessageIcon::Question, MessageButtons::YesNo, windowTitle());
    if (answer != MessageResult::Yes) return;
    // The group goes with its parameters, or not at all; a group another user deleted meanwhile is
    // said so.
    ChangeSet(*ctx.connection, auditContext(windowTitle()))
        .add(RowChange::deleting(groupRow(name), groupDelete(name)))
        .add(RowChange::overRows(groupParameters({name}), groupParametersDelete(name)))
        .apply();
    IncarcaGrupe();
}

void Salarii::saveGroup() {
    auto& ctx = ComponentContext::current();
    const QString tag = m_txtG->property("Tag").toString();
    const QString name = m_txtG->text();
    if (name.trimmed().isEmpty()) {
        message(QStringLiteral("Valoare obligatorie !"));
        m_txtG->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (tag == u"0") {
        // The group and its copy of the default parameters, or nothing.
        bool added = false; // the group itself was written before the fault
        RowChange copy = RowChange::overRows(groupParameters({name}), groupParametersCopy(name));
        copy.write = [&added, sql = copy.statement](Connection& c) {
            added = true;
            return c.execute(sql);
        };
        try {
            ChangeSet(*ctx.connection, auditContext(windowTitle()))
                .add(RowChange::adding(groupRow(name), groupInsert(name)))
                .add(std::move(copy))
                .apply();
        } catch (const DbError& e) {
            // A name that is taken is said so; a fault that has a name is named.
            reportSaveError(e, !added && e.isIntegrityViolation()
                                   ? QStringLiteral("Aceasta grupa exista deja!!")
                                   : kSaveFailed);
            if (!added) m_txtG->setFocus(Qt::OtherFocusReason);
            return;
        }
    } else if (tag == u"1") {
        const QString oldName = m_cmbGrupa->currentText();
        if (oldName == kDefaultGroup) {
            message(QStringLiteral("Aceasta grupa  nu se poate modifica !!"));
            return;
        }
        RowChange rename = RowChange::modifying(groupRow(oldName), groupRename(name, oldName));
        rename.keyAfter = groupRow(name);
        const RowSelection employees{QStringLiteral("sal_sal"),
                                     {QStringLiteral("Marca")},
                                     QStringLiteral("GrupaMunca IN (?, ?)"),
                                     {oldName, name}};
        try {
            ChangeSet(*ctx.connection, auditContext(windowTitle()))
                .add(std::move(rename))
                .add(RowChange::overRows(employees, employeesGroupRename(name, oldName)))
                // The parameters follow the name, so that the renamed group keeps them.
                .add(RowChange::overRows(groupParameters({oldName, name}),
                                         QStringLiteral("UPDATE sal_para SET GRUPA = '") + Sql::text(name) +
                                             QStringLiteral("' WHERE GRUPA = '") + Sql::text(oldName) +
                                             QStringLiteral("'")))
                .apply();
        } catch (const DbError& e) {
            reportSaveError(e, kSaveFailed);
            m_txtG->setFocus(Qt::OtherFocusReason);
            return;
        }
    } else {
        return;
    }
    IncarcaGrupe();
    selectGroup(name);
    closeGroupFrame();
}

} // namespace vornel
