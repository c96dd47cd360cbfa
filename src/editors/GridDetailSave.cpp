// The save of the record editor: one INSERT or UPDATE built from the fields and executed.
#include "editors/GridDetail.h"

#include "controls/NumericBox.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "editors/RecordStatements.h"
#include "entry/ComponentContext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace vornel {

bool GridDetail::SalveazaInregistrarea() {
    // A document posted on the products' expense accounts keeps no account of its own.
    if ((m_caption == u"Alte Documente Intrare" || m_caption == u"Alte Documente Iesire") &&
        m_chkTransferabil->isChecked())
        m_txtCont->clear();

    RecordInput in;
    in.caption = m_caption;
    in.mode = m_mode;
    in.table = m_table;
    if (m_list && m_list->isOpen()) {
        const bool onRow = !m_list->bof() && !m_list->eof();
        for (int i = 0; i < m_list->fieldCount(); ++i) {
            in.columns << m_list->column(i).name;
            in.row << (onRow ? m_list->text(i) : QString());
        }
    }
    in.oldKey = m_oldKey;
    in.cheie = m_txtCheie->text();
    in.descriere = m_txtDescriere->text();
    in.rezerva = m_txtRezerva->text();
    in.rezerva1 = m_txtRezerva1->text();
    in.cont = m_txtCont->text();
    in.cod = m_txtCod->text();
    in.combo = m_cmbRezerva->currentText();
    in.ticked = m_chkTransferabil->isChecked();
    in.discount = m_txtDiscount->Valoare();

    const SaveStatement statement = saveStatement(in);
    if (!statement.ok()) {
        message(QStringLiteral("Valoare numerica incorecta !"));
        switch (static_cast<RecordField>(statement.badField)) {
        case RecordField::Cod:
            m_txtCod->setFocus(Qt::OtherFocusReason);
            break;
        case RecordField::Rezerva:
            m_txtRezerva->setFocus(Qt::OtherFocusReason);
            break;
        case RecordField::Cheie:
        case RecordField::OldKey:
            (m_txtCod->isHidden() ? m_txtCheie : m_txtCod)->setFocus(Qt::OtherFocusReason);
            break;
        default:
            break;
        }
        return false;
    }

    auto& ctx = ComponentContext::current();
    try {
        ctx.connection->execute(statement.sql);
    } catch (const DbError& error) {
        // Err.Number is shown as a signed 32-bit value, as the suite prints it.
        const QString text =
            m_mode == u"M"
                ? QStringLiteral("Modificare imposibila!! Exista legaturi conexe. ")
                : error.description() + " -- " + QString::number(static_cast<qint32>(error.number()));
        ctx.Afiseaza(text, MessageIcon::Error, MessageButtons::Ok, QStringLiteral("Eroare"), 0, 0);
    }
    return true;
}

} // namespace vornel
