// The layout of the large record editor per caption: labels, shown and hidden fields, limits, and
// the values of the list's current row in modify mode.
#include "editors/GridDetailMare.h"

#include "data/Recordset.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace vornel {

namespace {

void setShown(std::initializer_list<QWidget*> widgets, bool shown) {
    for (QWidget* w : widgets)
        w->setVisible(shown);
}

// The label's caption and, when the list knows it, the field's maximum length.
void labelField(QLabel* label, QLineEdit* field, const QString& text, int maxLength = 0) {
    label->setText(text);
    if (maxLength > 0) field->setMaxLength(maxLength);
}

// Puts a stored value into the field whole: a value longer than the field's limit widens the
// limit rather than being cut, so saving an unchanged record never shortens it.
void put(QLineEdit* field, const QString& value) {
    if (value.size() > field->maxLength()) field->setMaxLength(value.size());
    field->setText(value);
}

} // namespace

QString GridDetailMare::columnName(int column) const {
    if (!m_list || !m_list->isOpen() || column >= m_list->fieldCount()) return {};
    return m_list->column(column).name;
}

int GridDetailMare::columnSize(int column) const {
    if (!m_list || !m_list->isOpen() || column >= m_list->fieldCount()) return 0;
    return m_list->column(column).definedSize;
}

QString GridDetailMare::cell(int column) const {
    if (!m_list || !m_list->isOpen() || m_list->bof() || m_list->eof() || column >= m_list->fieldCount())
        return {};
    return m_list->text(column);
}

bool GridDetailMare::cellSet(int column) const {
    if (!m_list || !m_list->isOpen() || m_list->bof() || m_list->eof() || column >= m_list->fieldCount())
        return false;
    const QVariant value = m_list->value(column);
    return value.isValid() && value.toDouble() != 0;
}

void GridDetailMare::PregatesteMacheta() {
    const QString& c = m_caption;
    setWindowTitle(c + " - " + (m_mode == u"A" ? "Adaugare" : "Modificare"));

    if (c == u"Depozite" || c == u"Casierii") {
        const bool cash = c == u"Casierii";
        m_lblCodDepozit->setVisible(!cash && m_mode != u"A");
        setShown({m_lblCodCasierie, m_txtCodCasierie}, cash);
        setShown({m_lblContAnalitic, m_txtContAnalitic}, cash);
        setShown({m_chkTransferabil}, !cash);
        setShown({m_lblCale, m_txtCale, m_lblNumeProgram, m_txtNumeProgram, m_Label2[2]}, cash);
        if (cash) {
            labelField(m_lblCodCasierie, m_txtCodCasierie, columnName(0), 5);
            labelField(m_lblContAnalitic, m_txtContAnalitic, QStringLiteral("Cont"), 4);
            m_lblCale->setText(QStringLiteral("Cale catre program"));
            m_lblNumeProgram->setText(QStringLiteral("Nume program"));
        } else {
            m_chkTransferabil->setText(QStringLiteral("Depozit  custodie"));
        }
        labelField(m_lblDenumireDepozit, m_txtDenumireDepozit, columnName(1), columnSize(1));
        labelField(m_lblDescriereDepozit, m_txtDescriereDepozit, columnName(2), columnSize(2));
        labelField(m_lblAdresaDepozit, m_txtAdresaDepozit, columnName(3), columnSize(3));
        labelField(m_lblNumeGestionar, m_txtNumeGestionar, columnName(4), columnSize(4));
        labelField(m_lblTelefonVetra, m_txtTelefonVetra, columnName(7), columnSize(7));
        labelField(m_lblTelefonMobil, m_txtTelefonMobil, columnName(6), columnSize(6));
        m_Label2[0]->setText(QStringLiteral("Particularitati Depozit"));
        m_Label2[1]->setText(QStringLiteral("Particularitati Gestionar"));
    } else if (c == u"Centre de productie") {
        labelField(m_lblCodCasierie, m_txtCodCasierie, QStringLiteral("Cod:"));
        labelField(m_lblDenumireDepozit, m_txtDenumireDepozit, QStringLiteral("Denumire:"));
        labelField(m_lblDescriereDepozit, m_txtDescriereDepozit,
                   QStringLiteral("Timp disponibil lunar(min.)"));
        labelField(m_lblAdresaDepozit, m_txtAdresaDepozit, QStringLiteral("Timp disponibil zilnic(min.)"));
        labelField(m_lblContAnalitic, m_txtContAnalitic, QStringLiteral("Centru de Cost:"));
        setShown({m_lblNumeGestionar, m_txtNumeGestionar, m_lblTelefonVetra, m_txtTelefonVetra,
                  m_lblTelefonMobil, m_txtTelefonMobil, m_Label2[1]},
                 false);
        m_chkTransferabil->setText(QStringLiteral("Manopera "));
        m_chkTransferabil->setVisible(true);
        m_Label2[0]->setText(QStringLiteral("Caracteristici"));
    } else if (c == u"Angajati") {
        labelField(m_lblCodCasierie, m_txtCodCasierie, QStringLiteral("Nume:"));
        labelField(m_lblDenumireDepozit, m_txtDenumireDepozit, QStringLiteral("Prenume:"));
        labelField(m_lblDescriereDepozit, m_txtDescriereDepozit, QStringLiteral("Seria:"));
        labelField(m_lblAdresaDepozit, m_txtAdresaDepozit, QStringLiteral("Numarul:"));
        labelField(m_lblContAnalitic, m_txtContAnalitic, QStringLiteral("Eliberat:"));
        labelField(m_lblNumeGestionar, m_txtNumeGestionar, QStringLiteral("Tip Masina:"));
        labelField(m_lblTelefonVetra, m_txtTelefonVetra, QStringLiteral("Numar Masina:"));
        setShown({m_lblTelefonMobil, m_txtTelefonMobil}, false);
        m_Label2[0]->setText(QStringLiteral("Buletine Identitate"));
        m_Label2[1]->setText(QStringLiteral("Alte Informatii"));
    }

    if (m_mode == u"M") loadRow();
}

void GridDetailMare::loadRow() {
    const QString& c = m_caption;
    if (c == u"Depozite") {
        m_lblCodDepozit->setText(cell(0));
        put(m_txtDenumireDepozit, cell(1));
        put(m_txtDescriereDepozit, cell(2));
        put(m_txtAdresaDepozit, cell(3));
        put(m_txtNumeGestionar, cell(4));
        put(m_txtTelefonVetra, cell(7));
        put(m_txtTelefonMobil, cell(6));
        m_chkTransferabil->setChecked(cellSet(8));
    } else if (c == u"Casierii") {
        put(m_txtDescriereDepozit, cell(2));
        put(m_txtAdresaDepozit, cell(3));
        put(m_txtNumeGestionar, cell(4));
        put(m_txtTelefonVetra, cell(7));
        put(m_txtTelefonMobil, cell(6));
        put(m_txtContAnalitic, cell(8));
        put(m_txtDenumireDepozit, cell(1));
        put(m_txtCodCasierie, cell(0));
        m_txtCodCasierie->setReadOnly(true);
        put(m_txtCale, cell(9));
        put(m_txtNumeProgram, cell(10));
    } else if (c == u"Centre de productie") {
        put(m_txtCodCasierie, cell(0));
        m_txtCodCasierie->setReadOnly(true);
        put(m_txtDenumireDepozit, cell(1));
        put(m_txtContAnalitic, cell(2));
        put(m_txtDescriereDepozit, cell(3));
        put(m_txtAdresaDepozit, cell(4));
        m_chkTransferabil->setChecked(cellSet(5));
    } else if (c == u"Angajati") {
        put(m_txtCodCasierie, cell(0));
        put(m_txtDenumireDepozit, cell(1));
        put(m_txtDescriereDepozit, cell(3));
        put(m_txtAdresaDepozit, cell(4));
        put(m_txtContAnalitic, cell(5));
        put(m_txtNumeGestionar, cell(6));
        put(m_txtTelefonVetra, cell(7));
    }
}

} // namespace vornel
