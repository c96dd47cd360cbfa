// The layout of the record editor per caption: which rows show, their labels and limits, the
// values loaded in modify mode, the locks, the tab order and the first focus.
#include "editors/GridDetail.h"

#include "controls/NumericBox.h"
#include "data/Recordset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace vornel {

namespace {

QLabel* designLabel(const std::vector<std::pair<QLabel*, QWidget*>>& rows, QWidget* field) {
    for (const auto& [label, widget] : rows)
        if (widget == field) return label;
    return nullptr;
}

void lockCombo(QComboBox* combo) {
    if (combo->lineEdit()) combo->lineEdit()->setReadOnly(true);
}

} // namespace

QString GridDetail::columnName(int column) const {
    if (!m_list || !m_list->isOpen() || column >= m_list->fieldCount()) return {};
    return m_list->column(column).name;
}

int GridDetail::columnSize(int column) const {
    if (!m_list || !m_list->isOpen() || column >= m_list->fieldCount()) return 0;
    return m_list->column(column).definedSize;
}

QString GridDetail::cell(int column) const {
    if (!m_list || !m_list->isOpen() || m_list->bof() || m_list->eof() || column >= m_list->fieldCount())
        return {};
    return m_list->text(column);
}

void GridDetail::label(QLabel* lbl, QLineEdit* field, const QString& text, int maxLength) {
    lbl->setText(text);
    if (field && maxLength > 0) field->setMaxLength(maxLength);
}

void GridDetail::showFields(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) {
        w->setVisible(true);
        if (QLabel* l = designLabel(m_designRows, w)) l->setVisible(true);
    }
}

void GridDetail::hideFields(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) {
        w->setVisible(false);
        if (QLabel* l = designLabel(m_designRows, w)) l->setVisible(false);
    }
}

void GridDetail::placeRows(const std::vector<Row>& first) {
    std::vector<Row> rows = first;
    auto placed = [&rows](QWidget* w) {
        return std::any_of(rows.begin(), rows.end(),
                           [w](const Row& r) { return r.first == w || r.second == w; });
    };
    for (const Row& design : m_designRows) {
        if (placed(design.second)) continue;
        rows.push_back({design.first && !placed(design.first) ? design.first : nullptr, design.second});
    }
    for (const Row& design : m_designRows) {
        if (design.first) m_grid->removeWidget(design.first);
        m_grid->removeWidget(design.second);
    }
    int index = 0;
    for (const Row& row : rows) {
        if (row.first) m_grid->addWidget(row.first, index, 0);
        m_grid->addWidget(row.second, index, 1);
        ++index;
    }
}

void GridDetail::setTabs(const std::vector<QWidget*>& first) {
    std::vector<QWidget*> order = first;
    for (QWidget* w : m_designTabs)
        if (std::find(order.begin(), order.end(), w) == order.end()) order.push_back(w);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void GridDetail::AranjeazaCampuri() {
    const QString& c = m_caption;
    const bool modify = m_mode == u"M";
    setWindowTitle(c + " - " + (m_mode == u"A" ? "Adaugare" : "Modificare"));
    QWidget* focus = m_txtCheie;

    if (c == u"Norme Productie" || c == u"Locatii" || c == u"Grupe Amortizari") {
        hideFields({m_txtCod, m_txtRezerva1});
        if (c == u"Grupe Amortizari")
            showFields({m_txtRezerva});
        else
            hideFields({m_txtRezerva});
        showFields({m_txtCheie, m_txtDescriere});
        label(m_lblCheie, m_txtCheie, columnName(0), 50);
        label(m_lblDescriere, m_txtDescriere, columnName(1), 50);
        if (c == u"Grupe Amortizari") label(m_lblRezerva, nullptr, QStringLiteral("Ani Amortizare"), 0);
        if (modify) {
            m_txtCheie->setText(cell(0));
            m_txtDescriere->setText(cell(1));
            if (c == u"Grupe Amortizari") m_txtRezerva->setText(cell(2));
        }
    } else if (c == u"Banci") {
        showFields({m_txtCod, m_txtCheie, m_txtDescriere, m_txtRezerva, m_txtRezerva1, m_txtCont});
        label(m_lblCod, m_txtCod, columnName(0), 5);
        label(m_lblCheie, m_txtCheie, columnName(1), columnSize(1));
        label(m_lblDescriere, m_txtDescriere, columnName(2), columnSize(2));
        label(m_lblRezerva, m_txtRezerva, columnName(3), columnSize(3));
        label(m_lblRezerva1, m_txtRezerva1, columnName(4), columnSize(4));
        label(m_lblCont, m_txtCont, columnName(5), columnSize(5));
        placeRows({{m_lblCod, m_txtCod},
                   {m_lblCheie, m_txtCheie},
                   {m_lblDescriere, m_txtDescriere},
                   {m_lblRezerva, m_txtRezerva},
                   {m_lblRezerva1, m_txtRezerva1},
                   {m_lblCont, m_txtCont}});
        setTabs({m_txtCod, m_txtCheie, m_txtDescriere, m_txtRezerva, m_txtRezerva1, m_txtCont});
        if (modify) {
            m_txtCod->setText(cell(0));
            m_txtCod->setReadOnly(true);
            m_txtCheie->setText(cell(1));
            m_txtDescriere->setText(cell(2));
            m_txtRezerva->setText(cell(3));
            m_txtRezerva1->setText(cell(4));
            m_txtCont->setText(cell(5));
        } else {
            focus = m_txtCod;
        }
    } else if (c == u"Documente de Transfer") {
        hideFields({m_txtDescriere, m_txtRezerva, m_txtRezerva1, m_chkTransferabil});
        showFields({m_txtCheie, m_cmbRezerva});
        m_lblDescriere->setVisible(true);
        label(m_lblCheie, m_txtCheie, columnName(0), columnSize(0));
        label(m_lblDescriere, m_cmbRezerva->lineEdit(), columnName(1), columnSize(1));
        m_cmbRezerva->addItems({QStringLiteral("Bon Consum"), QStringLiteral("Aviz")});
        m_cmbRezerva->setCurrentIndex(0);
        placeRows({{m_lblCheie, m_txtCheie}, {m_lblDescriere, m_cmbRezerva}});
        setTabs({m_txtCheie, m_cmbRezerva});
        if (modify) {
            lockCombo(m_cmbRezerva);
            m_txtCheie->setText(cell(0));
            m_cmbRezerva->setCurrentText(cell(1));
            m_txtCheie->setReadOnly(true);
            focus = m_cmbRezerva;
        }
    } else if (c == u"Grupe Centre" || c == u"Subgrupe Centre") {
        const bool sub = c == u"Subgrupe Centre";
        hideFields({m_txtRezerva1});
        if (sub) {
            hideFields({m_chkTransferabil});
            showFields({m_txtRezerva});
            label(m_lblRezerva, m_txtRezerva, QStringLiteral("Grupa Centru :"), 50);
            m_chkTransferabil->setText(QStringLiteral("Manopera "));
            m_groupLookup = true;
        } else {
            hideFields({m_txtRezerva});
            showFields({m_chkTransferabil});
            m_chkTransferabil->setText(QStringLiteral("    Categoria I"));
        }
        showFields({m_txtCheie, m_txtDescriere});
        label(m_lblCheie, m_txtCheie, QStringLiteral("Cod Centru"), 50);
        label(m_lblDescriere, m_txtDescriere, QStringLiteral("Denumire Centru"), 50);
        if (modify) {
            m_txtCheie->setText(cell(0));
            m_txtDescriere->setText(cell(1));
            if (sub) {
                m_txtRezerva->setText(cell(3));
                m_groupLookup = false;
                m_chkTransferabil->setChecked(cell(4).toDouble() != 0);
            } else {
                m_chkTransferabil->setChecked(cell(2) == u"I");
            }
        }
    } else if (c == u"Grupe de produse") {
        hideFields({m_txtRezerva, m_txtRezerva1});
        showFields({m_txtCheie, m_txtDescriere, m_txtDiscount});
        m_lblRezerva->setVisible(true);
        label(m_lblCheie, m_txtCheie, columnName(0), columnSize(0));
        label(m_lblDescriere, m_txtDescriere, columnName(1), columnSize(1));
        label(m_lblRezerva, nullptr, QStringLiteral("Discount"), 0);
        placeRows(
            {{m_lblCheie, m_txtCheie}, {m_lblDescriere, m_txtDescriere}, {m_lblRezerva, m_txtDiscount}});
        m_txtDiscount->setValoare(0);
        if (modify) {
            m_txtCheie->setText(cell(0));
            m_txtDescriere->setText(cell(1));
            // A discount left empty in the database shows as 0.
            m_txtDiscount->setValoare(m_list && !m_list->isNull(2) ? m_list->value(2).toDouble() : 0);
        }
    } else if (c == u"Categorii de clienti" || c == u"Categorii de furnizori" || c == u"Rate TVA" ||
               c == u"Producatori") {
        const bool vat = c == u"Rate TVA";
        const bool producers = c == u"Producatori";
        if (producers || vat)
            hideFields({m_txtCod});
        else
            hideFields({m_txtRezerva1});
        showFields({m_txtCheie, m_txtDescriere, m_txtRezerva});
        if (vat || producers) showFields({m_txtRezerva1});
        if (vat) {
            label(m_lblCheie, m_txtCheie, columnName(0), 3);
            label(m_lblDescriere, m_txtDescriere, columnName(1), 50);
            label(m_lblRezerva, m_txtRezerva, columnName(2), 50);
            label(m_lblRezerva1, m_txtRezerva1, columnName(3), 50);
        } else if (producers) {
            label(m_lblCheie, m_txtCheie, QStringLiteral("Cod Producator:"), columnSize(0));
            label(m_lblDescriere, m_txtDescriere, QStringLiteral("Denumire:"), columnSize(1));
            label(m_lblRezerva, m_txtRezerva, QStringLiteral("Telefon:"), columnSize(2));
            label(m_lblRezerva1, m_txtRezerva1, QStringLiteral("Adresa:"), columnSize(3));
        } else {
            label(m_lblCheie, m_txtCheie, columnName(0), columnSize(0));
            label(m_lblDescriere, m_txtDescriere, columnName(1), columnSize(1));
            label(m_lblRezerva, m_txtRezerva, columnName(2), 4);
        }
        if (modify) {
            m_txtCheie->setText(cell(0));
            m_txtDescriere->setText(cell(1));
            m_txtRezerva->setText(cell(2));
            if (vat || producers) m_txtRezerva1->setText(cell(3));
        }
    } else if (c == u"Clasa Cont" || c == u"Unitati de vinzare" || c == u"Tipuri de clienti" ||
               c == u"Tipuri de furnizori" || c == u"Coduri vamale") {
        hideFields({m_txtRezerva, m_txtRezerva1});
        if (c != u"Clasa Cont") hideFields({m_txtCod});
        showFields({m_txtCheie, m_txtDescriere});
        label(m_lblCheie, m_txtCheie, c == u"Clasa Cont" ? QStringLiteral("Clasa Cont") : columnName(0),
              columnSize(0));
        label(m_lblDescriere, m_txtDescriere, columnName(1), columnSize(1));
        if (modify) {
            m_txtCheie->setText(cell(0));
            m_txtDescriere->setText(cell(1));
        }
    } else if (c == u"Subgrupe de produse" || c == u"Subclasa Cont") {
        const bool subclass = c == u"Subclasa Cont";
        hideFields({m_txtCod, m_txtRezerva1});
        showFields({m_txtRezerva, m_txtCheie, m_txtDescriere});
        label(m_lblRezerva, m_txtRezerva, subclass ? QStringLiteral("Clasa Cont") : columnName(0),
              columnSize(0));
        label(m_lblCheie, m_txtCheie, subclass ? QStringLiteral("Subclasa Cont") : columnName(1),
              columnSize(1));
        label(m_lblDescriere, m_txtDescriere, columnName(2), columnSize(2));
        placeRows({{m_lblRezerva, m_txtRezerva}, {m_lblCheie, m_txtCheie}, {m_lblDescriere, m_txtDescriere}});
        if (modify) {
            m_txtCheie->setText(cell(1));
            m_txtDescriere->setText(cell(2));
            m_txtRezerva->setText(cell(0));
        }
    } else if (c == u"Incasari" || c == u"Plati") {
        hideFields({m_txtCod, m_txtRezerva1, m_chkTransferabil});
        showFields({m_txtCheie, m_txtDescriere, m_txtRezerva});
        label(m_lblCheie, m_txtCheie, QStringLiteral("Descriere Operatie"), 50);
        label(m_lblDescriere, m_txtDescriere, QStringLiteral("Cont"), 50);
        label(m_lblRezerva, m_txtRezerva, QStringLiteral("Cont TVA"), 50);
        if (modify) {
            m_txtCheie->setText(cell(1));
            m_txtDescriere->setText(cell(2));
            m_txtRezerva->setText(cell(3));
        }
    } else if (c == u"Alte Documente Intrare" || c == u"Alte Documente Iesire") {
        const bool output = c == u"Alte Documente Iesire";
        hideFields({m_txtDescriere, m_txtRezerva, m_txtRezerva1});
        if (output) {
            showFields({m_chkTransferabil});
            m_chkTransferabil->setText(QStringLiteral("Cu conturire de cheltuiala ale produselor"));
        } else {
            hideFields({m_chkTransferabil});
        }
        showFields({m_txtCheie, m_txtCont, m_cmbRezerva});
        m_lblCont->setVisible(false);
        m_lblDescriere->setVisible(true);
        m_lblRezerva->setVisible(true);
        label(m_lblCheie, m_txtCheie, columnName(0), columnSize(0));
        label(m_lblDescriere, m_txtCont, columnName(1), columnSize(1));
        label(m_lblRezerva, m_cmbRezerva->lineEdit(), columnName(2), columnSize(2));
        m_cmbRezerva->addItems({QStringLiteral("Aviz"), QStringLiteral("Bon Consum")});
        m_cmbRezerva->setCurrentIndex(0);
        placeRows({{m_lblCheie, m_txtCheie},
                   {m_lblDescriere, m_txtCont},
                   {m_lblRezerva, m_cmbRezerva},
                   {m_lblTransferabil, m_chkTransferabil}});
        setTabs({m_txtCheie, m_txtCont, m_cmbRezerva, m_chkTransferabil});
        if (modify) {
            lockCombo(m_cmbRezerva);
            m_txtCheie->setText(cell(0));
            m_txtCont->setText(cell(1));
            m_cmbRezerva->setCurrentText(cell(2));
            m_txtCod->setText(cell(4));
            if (output) m_chkTransferabil->setChecked(cell(5) != u"Nu");
        }
    } else if (c == u"Documente Corectie Terti") {
        hideFields({m_txtDescriere, m_txtRezerva, m_txtRezerva1, m_chkTransferabil});
        showFields({m_txtCheie});
        label(m_lblCheie, m_txtCheie, columnName(0), columnSize(0));
        if (modify) m_txtCheie->setText(cell(0));
    }

    const bool keyInCod = c == u"Alte Documente Iesire" || c == u"Banci" || c == u"Alte Documente Intrare";
    m_oldKey = keyInCod ? m_txtCod->text() : m_txtCheie->text();

    activateWindow();
    focus->setFocus(Qt::OtherFocusReason);
}

} // namespace vornel
