// The buttons of the output document window: add, modify, delete, accept, cancel and exit, and the
// call of "Start" that carries every change of a series.
#include "documents/ConfDocOut.h"

#include "controls/FlexGrid.h"
#include "controls/Saving.h"
#include "data/ChangeSet.h"
#include "data/Command.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/DbFault.h"
#include "data/Recordset.h"
#include "documents/frmConturi.h"
#include "entry/ComponentContext.h"
#include "history/IstoricModificari.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace vornel {

namespace {

const QString kCaption = QStringLiteral("Documente Fiscale Iesire Gestiune");
const QString kInProgress = QStringLiteral("Exista documente in curs sau documente cu aceiasi serie !");

} // namespace

void ConfDocOut::showError(const QString& text) {
    ComponentContext::current().Afiseaza(text, MessageIcon::Error, MessageButtons::Ok, kCaption);
}

void ConfDocOut::onAction(int index) {
    switch (index) {
    case 0:
        startAdd();
        return;
    case 1:
        startModify();
        return;
    case 2:
        deleteSeries();
        return;
    case 3:
        exitWindow();
        return;
    default:
        return;
    }
}

void ConfDocOut::exitWindow() {
    hide();
    ComponentContext::current().InchideTot();
}

void ConfDocOut::startAdd() {
    if (!VerificaAcces(QStringLiteral("A"), m_rightsCode)) return;
    m_savedRow = m_grid->Row();
    m_mode = QStringLiteral("A");
    GolesteCampuri();
    ModEditare(true);
    m_fraGrid->setEnabled(false);
    m_txtDescriere->setFocus(Qt::OtherFocusReason);
}

void ConfDocOut::startModify() {
    if (m_fraGrid->isHidden() || !VerificaAcces(QStringLiteral("M"), m_rightsCode)) return;
    m_savedRow = m_grid->Row();
    m_mode = QStringLiteral("M");
    ModEditare(true);
    m_fraGrid->setEnabled(false);
    m_txtDescriere->setFocus(Qt::OtherFocusReason);
}

void ConfDocOut::deleteSeries() {
    if (m_fraGrid->isHidden() || !VerificaAcces(QStringLiteral("S"), m_rightsCode)) return;
    auto& ctx = ComponentContext::current();
    const int answer = ctx.Afiseaza(QStringLiteral("Doriti sa stergeti seria de documente: ") +
                                        m_txtDescriere->text().trimmed() + QStringLiteral(" ?"),
                                    MessageIcon::Error, MessageButtons::YesNo, kCaption);
    if (answer == MessageResult::Yes) {
        try {
            if (ExecutaSeria(Series::kDelete) == Series::kRefused)
                showError(QStringLiteral("Nu se poate sterge seria selectata!") + QStringLiteral("\r\n") +
                          kInProgress);
            m_series->requery();
        } catch (const DbError& e) {
            showSaveError(e, kCaption);
            if (faultOf(e) == DbFault::RowChanged) reloadSeries(m_grid->Row());
            return;
        }
        if (m_series->recordCount() == 0) {
            m_grid->bind(nullptr);
            m_fraGrid->hide();
            m_fraGrid->setEnabled(false);
            m_grid->hide();
            m_fraMessage->show();
            startAdd();
            return;
        }
        m_fraMessage->hide();
        bindGrid();
        m_series->moveFirst();
        AfiseazaSeria();
        m_grid->setRow(1);
        m_grid->setTopRow(1);
    }
    m_grid->setCol(0);
    m_grid->setColSel(5);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void ConfDocOut::cancel() {
    if (m_mode == QLatin1String("V")) {
        exitWindow();
        return;
    }
    m_fraGrid->setEnabled(true);
    PozitioneazaSeria(m_savedRow);
    ModEditare(false);
    AfiseazaSeria();
    m_mode = QStringLiteral("V");
    m_grid->setCol(0);
    m_grid->setColSel(5);
    m_grid->setFocus(Qt::OtherFocusReason);
}

Series::Fields ConfDocOut::fields() const {
    Series::Fields f;
    f.mode = m_mode;
    f.descriere = m_txtDescriere->text();
    f.aviz = m_optAviz->isChecked();
    f.facturi = m_optFacturi->isChecked();
    f.serie = m_txtSerie->text();
    f.pd = m_txtPD->text();
    f.ud = m_txtUD->text();
    f.numarCopii = m_txtNumarCopii->text();
    f.nrLinFac = m_txtNrLinFac->text();
    f.tipFacturaIndex = comboIndex(m_cmbTipFactura);
    f.tipFactura = m_cmbTipFactura->currentText();
    f.tipHartie = m_cmbTipHartie->currentText();
    f.casierie = m_cmbCasierie->currentText();
    return f;
}

void ConfDocOut::focusField(Series::Field field) {
    QWidget* target = m_txtDescriere;
    switch (field) {
    case Series::Field::Descriere:
        target = m_txtDescriere;
        break;
    case Series::Field::Facturi:
        target = m_optFacturi;
        break;
    case Series::Field::Serie:
        target = m_txtSerie;
        break;
    case Series::Field::PD:
        target = m_txtPD;
        break;
    case Series::Field::UD:
        target = m_txtUD;
        break;
    case Series::Field::NumarCopii:
        target = m_txtNumarCopii;
        break;
    case Series::Field::NrLinFac:
        target = m_txtNrLinFac;
        break;
    }
    target->setFocus(Qt::OtherFocusReason);
}

void ConfDocOut::accept() {
    if (m_mode == QLatin1String("V")) return;
    const bool adding = m_mode == QLatin1String("A");
    std::optional<Series::Refusal> refusal;
    try {
        refusal = Series::check(fields(), [this](const QString& d) { return ExistaDescriere(d); });
    } catch (const DbError& e) {
        showError(e.description());
        return;
    }
    if (refusal) {
        showError(refusal->message);
        focusField(refusal->focus);
        return;
    }

    if (comboIndex(m_cmbTipFactura) == Series::kWithPackaging) {
        qint16 id = -1;
        if (!adding && m_series && !m_series->eof() && !m_series->bof())
            id = static_cast<qint16>(
                m_series->value(m_series->indexOf(QStringLiteral("IdSerie"))).toLongLong());
        QPointer<ConfDocOut> self(this);
        QPointer<frmConturi> selector(&ComponentContext::current().instance<frmConturi>());
        selector->Incarca(id);
        // The component may have been closed while the selector was open.
        if (!self || m_closed) return;
        // Closed without "Accepta" (or it could not load): the edit goes on, nothing is saved.
        if (!selector || !selector->accepted()) return;
    }

    const bool wasEmpty = m_series->recordCount() == 0;
    try {
        const qint16 result = ExecutaSeria(adding ? Series::kAdd : Series::kModify);
        // A refusal that names a field keeps the edit open on it, with everything typed.
        if (const auto named = Series::startRefusal(result)) {
            showError(named->message);
            focusField(named->focus);
            return;
        }
        if (adding) {
            if (result == Series::kRefused) showError(kInProgress);
        } else if (result == Series::kRefused) {
            showError(
                QStringLiteral("Nu se poat modifica campurile: tipul documentului, seria documentului si "
                               "numarul de inceput!") +
                QStringLiteral("\r\n") + kInProgress);
        }
    } catch (const DbError& e) {
        // Nothing was saved: the edit stays open with everything typed.
        showSaveError(e, kCaption);
        if (faultOf(e) == DbFault::RowChanged) reloadSeries(m_savedRow, false);
        return;
    }

    m_fraGrid->setEnabled(true);
    if (adding && wasEmpty) {
        m_fraMessage->hide();
        m_fraGrid->show();
        m_grid->show();
    }
    try {
        m_series->requery();
    } catch (const DbError& e) {
        showError(e.description());
    }
    bindGrid();
    m_grid->viewport()->update();
    PozitioneazaSeria(m_savedRow, adding);
    backToBrowsing();
}

void ConfDocOut::backToBrowsing() {
    ModEditare(false);
    AfiseazaSeria();
    m_mode = QStringLiteral("V");
    m_grid->setCol(0);
    m_grid->setColSel(5);
    m_grid->setFocus(Qt::OtherFocusReason);
}

RowKey ConfDocOut::seriesRow() const {
    return {QStringLiteral("SeriiDocumente"),
            {{QStringLiteral("IdSerie"), static_cast<qint64>(m_currentId)}}};
}

RowSnapshot ConfDocOut::shownSeries() const {
    const Recordset& rs = *m_series;
    RowSnapshot::Values values;
    for (const char* column : {"Descriere", "Tip", "Serie", "FirstDoc", "LastDoc", "CurrentDoc", "TipFactura",
                               "TipHartie", "NumarCopii", "NrLinFactura"}) {
        const QString name = QString::fromLatin1(column);
        values.emplace_back(name, rs.value(rs.indexOf(name)));
    }
    values.emplace_back(QStringLiteral("NrLinAmbalaje"),
                        rs.value(rs.indexOf(QStringLiteral("Nr. Linii Ambalaje"))));
    return RowSnapshot(std::move(values));
}

void ConfDocOut::reloadSeries(int row, bool show) {
    try {
        m_series->requery();
    } catch (const DbError&) {
        return; // the list stays as it was; the next save tells why
    }
    bindGrid();
    if (m_series->recordCount() == 0) return;
    PozitioneazaSeria(std::min(row, m_series->recordCount()));
    if (show) AfiseazaSeria();
}

void ConfDocOut::showHistory() {
    // A series being added has no history yet.
    if (!m_series || m_series->recordCount() == 0 || m_mode == QLatin1String("A")) return;
    const RowKey row = seriesRow();
    vornel::showHistory(windowTitle(), row.table, row.text());
}

qint16 ConfDocOut::ExecutaSeria(quint8 operation) {
    auto& ctx = ComponentContext::current();
    frmConturi* selector = ctx.loaded<frmConturi>();
    const Series::Fields f = fields();
    const bool shown = m_series && !m_series->eof() && !m_series->bof();
    QString previousSerie;
    if (operation == Series::kModify && shown)
        previousSerie = m_series->text(m_series->indexOf(QStringLiteral("Serie")));
    const QString lines = selector ? selector->txtNrLinAmbalaje()->text() : QString();

    Command command(ctx.connection);
    command.setCommandType(CommandType::StoredProcedure);
    command.setCommandText(QStringLiteral("Start"));
    command.setNamedParameters(true);
    for (Parameter& p : Series::startParameters(operation, f, m_currentId, lines, previousSerie))
        command.append(std::move(p));

    // The procedure, the packaging accounts and the audit rows of both are written together or not
    // at all. A modification or deletion is of the series as the window shows it.
    const RowSelection allSeries{
        QStringLiteral("SeriiDocumente"), {QStringLiteral("IdSerie")}, QStringLiteral("1 = 1"), {}};
    RowChange change =
        operation == Series::kAdd || !shown
            ? RowChange::overRows(allSeries, QStringLiteral("Start"))
            : RowChange::overRows(allSeries, QStringLiteral("Start"), seriesRow(), shownSeries());
    change.rows.push_back({QStringLiteral("ConturiAmbalaje"),
                           {QStringLiteral("IdSeriiD"), QStringLiteral("Cont")},
                           QStringLiteral("1 = 1"),
                           {}});
    qint16 result = 0;
    const auto currentId = static_cast<qint16>(m_currentId);
    change.write = [&](Connection& connection) {
        command.execute();
        result = static_cast<qint16>(command.parameter(QStringLiteral("@Return_Value")).value.toInt());
        // A refusal changes nothing; the stored series was checked before the call.
        if (Series::isRefusal(result)) return 1;
        if (operation == Series::kDelete) {
            connection.execute(Series::deletePackagingQuery(currentId));
            return 1;
        }
        qint16 id = currentId;
        if (operation == Series::kAdd) {
            id = -1;
            if (const auto sql = Series::addedIdQuery(f.serie, f.pd, f.ud)) {
                const QVariant found = connection.scalar(*sql);
                if (found.isValid() && !found.isNull()) id = static_cast<qint16>(found.toLongLong());
            }
        }
        // The accounts of a series are replaced as a whole.
        connection.execute(Series::deletePackagingQuery(id));
        if (f.tipFacturaIndex == Series::kWithPackaging && selector) {
            QListWidget* list = selector->txtConturi();
            for (int i = 0; i < list->count(); ++i)
                connection.execute(Series::insertPackagingQuery(id, list->item(i)->text()));
        }
        return 1;
    };
    ChangeSet(*ctx.connection, auditContext(windowTitle())).add(std::move(change)).apply();
    return result;
}

} // namespace vornel
