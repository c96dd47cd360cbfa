#include "documents/ConfDocOut.h"

#include "controls/FlexGrid.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "documents/frmConturi.h"
#include "entry/ComponentContext.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vornel {

namespace {

// Width in twips of the number columns: the width of the first-number field.
constexpr int kNumberColumn = 1200;
constexpr int kColumnWidths[] = {2950, 350, 1000, kNumberColumn, kNumberColumn, kNumberColumn, 0, 0, 0,
                                 0,    0,   0,    1300};

} // namespace

ConfDocOut::ConfDocOut() : FormWindow(QStringLiteral("ConfDocOut")) {
    buildUi();
}

ConfDocOut::~ConfDocOut() {
    // The grid's model must not outlive the recordset it reads.
    if (m_grid) m_grid->bind(nullptr);
}

void ConfDocOut::Incarca() {
    load([&] {
        if (!isVisible()) m_rightsCode = ComponentContext::current().rightsCode;
        m_mode = QStringLiteral("V");
        m_cmbTipFactura->clear();
        m_cmbTipFactura->addItems(Series::invoiceKinds());
        m_cmbTipFactura->setCurrentIndex(0);
        m_cmbTipHartie->clear();
        m_cmbTipHartie->addItems(Series::paperSizes());
        m_cmbTipHartie->setCurrentIndex(0);
        m_lblOrientare->setText(QStringLiteral("Portrait"));
        try {
            fillCombos();
            IncarcaSerii();
        } catch (const DbError& e) {
            // Without its lists the window has nothing to show.
            showError(e.description());
            unload();
            return;
        }
        PozitioneazaSeria(1);
        AfiseazaSeria();
        m_fraDate->setEnabled(false);
        show();
        centre();
        raise();
        activateWindow();
    });
}

void ConfDocOut::fillCombos() {
    auto& ctx = ComponentContext::current();
    m_cmbCasierie->clear();
    m_cmbCasierie->addItem(QString());
    Recordset desks;
    desks.open(Series::cashDeskQuery(), ctx.connection);
    for (; !desks.eof(); desks.moveNext())
        m_cmbCasierie->addItem(desks.text(0));
    m_cmbCasierie->setCurrentIndex(0);
}

void ConfDocOut::IncarcaSerii() {
    m_grid->bind(nullptr);
    auto series = std::make_unique<Recordset>();
    series->open(Series::listQuery(), ComponentContext::current().connection, CursorLocation::Client,
                 CursorType::Static, LockType::ReadOnly);
    m_series = std::move(series);
    if (m_series->recordCount() == 0) {
        m_fraGrid->hide();
        m_grid->hide();
        m_fraMessage->show();
    } else {
        m_fraMessage->hide();
        bindGrid();
        m_series->moveFirst();
    }
    formatGrid();
}

void ConfDocOut::bindGrid() {
    m_grid->bind(nullptr);
    m_grid->bind(m_series.get());
    formatGrid();
}

void ConfDocOut::formatGrid() {
    m_grid->setFormatString(Series::gridFormat());
    int column = 0;
    for (const int width : kColumnWidths)
        m_grid->setColWidth(column++, width);
}

void ConfDocOut::AfiseazaSeria() {
    Recordset& rs = *m_series;
    if (rs.eof() && rs.bof()) return;
    if (rs.eof())
        rs.moveLast();
    else if (rs.bof())
        rs.moveFirst();

    m_txtDescriere->setText(rs.text(rs.indexOf(QStringLiteral("Descriere"))));
    const bool aviz = rs.text(rs.indexOf(QStringLiteral("Tip"))) == QLatin1String("A");
    m_optAviz->setChecked(aviz);
    m_optFacturi->setChecked(!aviz);
    m_txtSerie->setText(rs.text(rs.indexOf(QStringLiteral("Serie"))));
    m_txtPD->setText(rs.text(rs.indexOf(QStringLiteral("FirstDoc"))));
    m_txtUD->setText(rs.text(rs.indexOf(QStringLiteral("LastDoc"))));
    m_currentId = rs.value(rs.indexOf(QStringLiteral("IdSerie"))).toDouble();
    m_txtNrLinFac->setText(rs.text(rs.indexOf(QStringLiteral("nrlinfactura"))));
    setComboText(m_cmbTipFactura, rs.text(rs.indexOf(QStringLiteral("TipFactura"))).trimmed());
    setComboText(m_cmbTipHartie, rs.text(rs.indexOf(QStringLiteral("TipHartie"))));
    m_txtNumarCopii->setText(rs.text(rs.indexOf(QStringLiteral("NumarCopii"))));
    const QString desk = rs.text(rs.indexOf(QStringLiteral("Casierie")));
    if (desk.isEmpty())
        m_cmbCasierie->setCurrentIndex(0);
    else
        setComboText(m_cmbCasierie, desk);
}

void ConfDocOut::GolesteCampuri() {
    m_txtDescriere->clear();
    m_txtSerie->clear();
    m_txtPD->clear();
    m_txtUD->clear();
    m_cmbTipFactura->setCurrentIndex(0);
    m_cmbTipHartie->setCurrentIndex(0);
    m_lblOrientare->setText(QStringLiteral("Portrait"));
    m_txtNumarCopii->setText(QStringLiteral("1"));
    m_optFacturi->setChecked(true);
    m_optAviz->setChecked(false);
    m_cmbCasierie->setCurrentIndex(0);
}

void ConfDocOut::ModEditare(bool edit) {
    for (QLineEdit* field : {m_txtDescriere, m_txtSerie, m_txtPD, m_txtUD})
        field->setReadOnly(!edit);
    m_fraDate->setEnabled(edit);
    for (int i = 0; i < 3; ++i)
        m_cmdAction[static_cast<std::size_t>(i)]->setEnabled(!edit);
    m_cmdOK->setVisible(edit);
    m_cmdCancel->setVisible(edit);
}

void ConfDocOut::PozitioneazaSeria(int row, bool marker) {
    Recordset& rs = *m_series;
    if (marker) {
        m_grid->setCol(0);
        const QString wanted = m_txtDescriere->text().trimmed();
        const int count = rs.recordCount();
        int found = count + 1; // none equal: the recordset ends past its last row
        for (int i = 1; i <= count; ++i) {
            m_grid->setRow(i);
            if (m_grid->TextMatrix(i, m_grid->Col()).trimmed() == wanted) {
                found = i;
                break;
            }
        }
        row = found;
    } else if (row >= 1 && row < m_grid->Rows()) {
        // The selection follows the recordset, so the grid shows the series in the fields.
        m_grid->setRow(row);
    }
    if (rs.recordCount() > 0) {
        rs.moveFirst();
        rs.move(row - 1);
    }
    m_grid->setColSel(5);
}

bool ConfDocOut::ExistaDescriere(const QString& descriere) {
    const QVariant count =
        ComponentContext::current().connection->scalar(Series::descriptionCountQuery(descriere));
    return count.isValid() && count.toLongLong() > 0;
}

void ConfDocOut::gridNavigate(int row) {
    if (!m_series || m_series->recordCount() == 0) return;
    PozitioneazaSeria(row);
    AfiseazaSeria();
    ModEditare(false);
    if (row == m_grid->Rows() - 1)
        m_cmdAction[0]->setFocus(Qt::OtherFocusReason);
    else if (row == 1 && m_cmbTipHartie->isEnabled())
        m_cmbTipHartie->setFocus(Qt::OtherFocusReason);
}

void ConfDocOut::setComboText(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        combo->setCurrentIndex(index);
    } else if (combo->isEditable()) {
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
    } else {
        combo->setCurrentIndex(text.isEmpty() ? 0 : -1);
    }
}

int ConfDocOut::comboIndex(const QComboBox* combo) const {
    const int index = combo->currentIndex();
    return index >= 0 && combo->itemText(index) == combo->currentText() ? index : -1;
}

bool ConfDocOut::queryUnload(bool byCode) {
    // The user's close box closes the whole component; an unload by code is part of that already.
    if (!byCode) ComponentContext::current().InchideTot();
    return true;
}

void ConfDocOut::onUnload() {
    m_closed = true;
    if (auto* selector = ComponentContext::current().loaded<frmConturi>()) selector->unload();
}

} // namespace vornel
