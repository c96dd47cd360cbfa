// Deletion of the selected record of the list window: use checks, confirmation, then either the
// stored procedure "Sterge" or the catalogue's DELETE statement, with the audit row and only while
// the record is stored as the list shows it, and the refresh of the list.
#include "catalogs/CatalogSql.h"
#include "catalogs/GridComun.h"
#include "controls/FlexGrid.h"
#include "controls/Saving.h"
#include "data/ChangeSet.h"
#include "data/Command.h"
#include "data/DbError.h"
#include "data/DbFault.h"
#include "data/Recordset.h"
#include "data/SqlText.h"
#include "entry/ComponentContext.h"

#include <QPushButton>
#include <algorithm>

namespace vornel {

namespace {

const QString kInUse = QStringLiteral(
    "Nu poate fi stearsa aceasta inregistrare deoarece exista inregistrari conexe care o utilizeaza ! ");

} // namespace

void GridComun::StergeInregistrare() {
    auto& ctx = ComponentContext::current();
    if (!m_list || m_list->recordCount() == 0) return;
    SincronizeazaRand();
    if (m_list->bof() || m_list->eof()) return;

    const DeleteProfile::Path path = m_profile->deletion.path;
    if (path == DeleteProfile::Path::Refused) {
        ctx.Afiseaza(QStringLiteral("Nu se pot sterge depozite ! Se accepta doar modificari! "),
                     MessageIcon::Error, MessageButtons::Ok, m_caption);
        m_grid->setFocus();
        SincronizeazaRand();
        return;
    }

    const QString name0 = m_list->column(0).name;
    const QString value0 = m_list->text(0);
    const bool hasSecond = m_list->fieldCount() > 1;
    const QString name1 = hasSecond ? m_list->column(1).name : QString();
    const QString value1 = hasSecond ? m_list->text(1) : QString();

    // The record as the list shows it: another user's change or delete since then refuses the delete.
    const RowKey key = CatalogRow::keyOf(*m_profile, *m_list);
    const std::optional<RowSnapshot> shown = CatalogRow::asShown(key, *m_list);
    if (path == DeleteProfile::Path::Procedure)
        deleteThroughProcedure(value0, CatalogSql::confirmationText(name0, value0, name1, value1), key,
                               shown);
    else
        deleteThroughStatement(name0, value0, name1, value1, key, shown);
}

void GridComun::deleteFailed(const DbError& error, const QString& title, bool statement) {
    auto& ctx = ComponentContext::current();
    const DbFault fault = faultOf(error);
    if (fault != DbFault::Other)
        showSaveError(error, m_caption);
    else
        ctx.Afiseaza(statement && error.isIntegrityViolation() ? kInUse : error.description(),
                     statement ? MessageIcon::Error : MessageIcon::Warning, MessageButtons::Ok, title);
    if (fault == DbFault::RowChanged) reloadInPlace();
    restoreAfterFailure();
}

void GridComun::deleteThroughProcedure(const QString& value0, const QString& confirmation, const RowKey& key,
                                       const std::optional<RowSnapshot>& shown) {
    auto& ctx = ComponentContext::current();
    if (ctx.Afiseaza(confirmation, MessageIcon::Error, MessageButtons::YesNo, m_caption) !=
        MessageResult::Yes)
        return;

    const bool integerKey = m_profile->deletion.integerKey;
    if (integerKey && !Sql::isInteger(value0)) {
        ctx.Afiseaza(QStringLiteral("Codul \"") + value0 +
                         QStringLiteral("\" nu este un numar intreg; nu s-a sters nimic."),
                     MessageIcon::Error, MessageButtons::Ok, m_caption);
        return;
    }

    QString numeSoc;
    try {
        const qint16 year =
            static_cast<qint16>(ctx.connection->scalar(QStringLiteral("Select An FROM An")).toInt());
        const QString company =
            ctx.connection
                ->scalar(QStringLiteral("SELECT Societate FROM AdmTivra.dbo.Societati WHERE ID=") +
                         QString::number(ctx.idSoc))
                .toString();
        numeSoc = company + QStringLiteral("_") + QString::number(year);
    } catch (const DbError& e) {
        // Nothing has been deleted yet.
        ctx.Afiseaza(e.description(), MessageIcon::Warning, MessageButtons::Ok,
                     QStringLiteral("Stergere Date"));
        return;
    }

    RowChange change = RowChange::deleting(key, QStringLiteral("Sterge"), shown);
    change.write = [&](Connection& connection) {
        Command cmd(ctx.connection);
        cmd.setCommandType(CommandType::StoredProcedure);
        cmd.setCommandText(QStringLiteral("Sterge"));
        cmd.setNamedParameters(true);
        cmd.append(QStringLiteral("NumeSoc"), DataType::VarWChar, ParameterDirection::Input, 50, numeSoc);
        cmd.append(QStringLiteral("what"), DataType::Integer, ParameterDirection::Input, 0,
                   m_profile->deletion.procedureWhat);
        cmd.append(QStringLiteral("varInt"), DataType::Integer, ParameterDirection::Input, 0,
                   integerKey ? value0.toInt() : 0);
        cmd.append(QStringLiteral("varString"), DataType::VarWChar, ParameterDirection::Input, 50,
                   integerKey ? QStringLiteral(" ") : value0);
        cmd.execute();
        // The procedure says nothing of the rows it deleted: the record is gone or it is not.
        return RowSnapshot::read(connection, key) ? 0 : 1;
    };
    try {
        ChangeSet(*ctx.connection, auditContext(m_caption)).add(std::move(change)).apply();
    } catch (const DbError& e) {
        deleteFailed(e, QStringLiteral("Stergere Date"), false);
        return;
    }
    refreshAfterDelete();
}

void GridComun::deleteThroughStatement(const QString& name0, const QString& value0, const QString& name1,
                                       const QString& value1, const RowKey& row,
                                       const std::optional<RowSnapshot>& shown) {
    auto& ctx = ComponentContext::current();
    const DeleteProfile& deletion = m_profile->deletion;
    const ListRow key{m_profile->table, name0, value0, name1, value1};
    try {
        const QString check = deletion.useCheck ? deletion.useCheck(key) : QString();
        if (!check.isEmpty() && ctx.connection->scalar(check).toLongLong() != 0) {
            refuseInUse();
            return;
        }
        if (!m_profile->protectedCode.isEmpty() &&
            m_grid->TextMatrix(m_grid->Row(), 0) == m_profile->protectedCode) {
            refuseInUse();
            return;
        }

        // Built before asking, so that a key that cannot be written is reported without a question.
        const std::optional<QString> statement = deletion.statement ? deletion.statement(key) : std::nullopt;
        if (!statement) {
            ctx.Afiseaza(QStringLiteral("Codul \"") + value0 +
                             QStringLiteral("\" nu este un numar; inregistrarea nu a fost stearsa."),
                         MessageIcon::Error, MessageButtons::Ok, m_caption);
            m_grid->setFocus();
            return;
        }

        setEnabled(false);
        if (ctx.Afiseaza(CatalogSql::confirmationText(name0, value0, name1, value1), MessageIcon::Error,
                         MessageButtons::YesNo, m_caption) != MessageResult::Yes) {
            restoreAfterFailure();
            return;
        }
        ChangeSet(*ctx.connection, auditContext(m_caption))
            .add(RowChange::deleting(row, *statement, shown))
            .apply();
    } catch (const DbError& e) {
        deleteFailed(e, m_caption, true);
        return;
    }
    refreshAfterDelete();
}

void GridComun::refuseInUse() {
    ComponentContext::current().Afiseaza(kInUse, MessageIcon::Error, MessageButtons::Ok, m_caption);
    m_grid->setFocus();
    SincronizeazaRand();
}

void GridComun::restoreAfterFailure() {
    setEnabled(true);
    selectWholeRow();
    m_grid->setFocus();
}

void GridComun::refreshAfterDelete() {
    auto& ctx = ComponentContext::current();
    const int previousRow = m_grid->Row();
    try {
        m_list->requery();
    } catch (const DbError& e) {
        ctx.Afiseaza(e.description(), MessageIcon::Error, MessageButtons::Ok, m_caption);
    }
    setEnabled(true);
    const int rows = m_list->recordCount();
    if (rows > 0) {
        m_grid->bind(nullptr);
        m_grid->bind(m_list.get());
        // The row under the deleted one takes its place; after the last row, the new last one.
        m_grid->setRow(std::clamp(previousRow, 1, rows));
        selectWholeRow();
        m_grid->setFocus();
        SincronizeazaRand();
    } else {
        m_grid->hide();
        m_cmdAction[1]->setEnabled(false);
        m_cmdAction[2]->setEnabled(false);
        m_cmdAction[0]->setFocus();
    }
    FormateazaGrila();
}

} // namespace vornel
