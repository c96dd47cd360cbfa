// Where the code chooser writes the picked code, by kind.
#include "catalogs/AlegeGrupaProd.h"
#include "catalogs/ChooserTarget.h"
#include "controls/NumericBox.h"
#include "data/SqlText.h"
#include "editors/GridDetail.h"
#include "entry/ComponentContext.h"

#include <QLineEdit>

namespace vornel {

namespace {

using Target = AlegeGrupaProd::Target;

struct KindTarget {
    const char* kind;
    const char* window;
    const char* field;
    bool indexed;
    bool numeric;
};

const KindTarget kTargets[] = {
    {"Alegeti contul pentru > Cont Cheltuieli <", "Salarii", "txtCh", true, false},
    {"Alegeti contul pentru > Cont cl 4 <", "Salarii", "txtC", true, false},
    {"Alegeti contul pentru > Cont cheltuieli angajati <", "Salarii", "txtAch", true, false},
    {"Alegeti contul pentru > Cont cl 4 angajati <", "Salarii", "txtCa", true, false},
    {"Alegeti contul pentru > Impozit salarii <", "Salarii", "txtCD", false, false},
    {"Centre de productie", "GridDetailMare", "txtContAnalitic", false, false},
    {"Conturi CASA", "GridDetailMare", "txtContAnalitic", false, false},
    {"Incasari/Plati", "GridDetail", "txtDescriere", false, false},
    {"Depozite", "GridDetail", "txtDescriere", false, true},
    {"Incasari/Plati-TVA", "GridDetail", "txtRezerva", false, false},
    {"Grupe produs", "GridDetail", "txtRezerva", false, false},
    {"Clasa Cont", "GridDetail", "txtRezerva", false, false},
    {"Conturi de stocuri", "GridDetail", "txtRezerva", false, false},
    {"TVA deductibil", "GridDetail", "txtRezerva", false, false},
    {"Conturi de clienti", "GridDetail", "txtRezerva", false, false},
    {"Conturi de furnizori", "GridDetail", "txtRezerva", false, false},
    {"Alegeti contul pentru > Documente Corectie Terti <", "GridDetail", "txtRezerva", false, false},
    {"Grupe Centre", "GridDetail", "txtRezerva", false, false},
    {"Conturi curente la banci", "GridDetail", "txtCont", false, false},
    {"Alegeti contul pentru > Alte Documente Iesire <", "GridDetail", "txtCont", false, false},
    {"Alegeti contul pentru > Alte Documente Intrare <", "GridDetail", "txtCont", false, false},
    {"Conturi de cheltuieli", "GridDetail", "txtRezerva1", false, false},
    {"TVA colectat", "GridDetail", "txtRezerva1", false, false},
    {"Conturi de venituri", "GridDetail", "txtCod", false, false},
    {"Conturi de stocuri - Tipuri produse", "TipuriProdus", "txtStoc", false, false},
    {"Conturi de cheltuieli - Tipuri produse", "TipuriProdus", "txtCh", false, false},
    {"Conturi de venituri - Tipuri produse", "TipuriProdus", "txtV", false, false},
};

// The record editor's fields through its own accessors; other windows by object name.
QLineEdit* fieldOf(QWidget* window, const QString& field) {
    if (auto* editor = qobject_cast<GridDetail*>(window)) {
        if (field == QLatin1String("txtDescriere")) return editor->txtDescriere();
        if (field == QLatin1String("txtRezerva")) return editor->txtRezerva();
        if (field == QLatin1String("txtRezerva1")) return editor->txtRezerva1();
        if (field == QLatin1String("txtCont")) return editor->txtCont();
        if (field == QLatin1String("txtCod")) return editor->txtCod();
        return nullptr;
    }
    return window->findChild<QLineEdit*>(field);
}

} // namespace

Target AlegeGrupaProd::targetOf(const QString& kind) {
    for (const KindTarget& t : kTargets)
        if (kind == QLatin1String(t.kind))
            return {QString::fromLatin1(t.window), QString::fromLatin1(t.field), t.indexed, t.numeric};
    return {};
}

void AlegeGrupaProd::writeCode(const QString& code) {
    auto& ctx = ComponentContext::current();
    const Target target = targetOf(m_kind);
    if (target.window.isEmpty()) return;
    QWidget* window = ctx.window(target.window);
    if (!window) return; // the caller is gone: nothing to write into

    QString field = target.field;
    if (target.indexed) field += QStringLiteral("_") + QString::number(window->property("Indexul").toInt());
    if (QLineEdit* edit = fieldOf(window, field)) {
        if (target.numeric) {
            const double value = Sql::leadingNumber(code);
            if (auto* box = qobject_cast<NumericBox*>(edit))
                box->setValoare(value);
            else
                edit->setText(Sql::numberText(value));
        } else {
            edit->setText(code);
        }
    }
    if (auto* editor = qobject_cast<GridDetail*>(window); editor && m_kind == QLatin1String("Grupe Centre"))
        editor->setGroupLookup(false); // the group code was chosen, not typed
    if (auto* receiver = dynamic_cast<ChooserTarget*>(window)) receiver->codePicked(m_kind, code);
}

} // namespace vornel
