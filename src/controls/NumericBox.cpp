#include "controls/NumericBox.h"

#include <QLocale>

namespace vornel {

NumericBox::NumericBox(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, [this] { emit valueChanged(Valoare()); });
}

double NumericBox::Valoare() const {
    QString typed = text().trimmed();
    if (typed.isEmpty()) return 0.0;
    const QLocale locale;
    typed.remove(QChar(u' '));
    // Both separators are accepted: the user's locale and the point of the numeric keypad.
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (decimal != QLatin1String(".") && typed.contains(u'.') && !typed.contains(decimal)) {
        typed.replace(u'.', decimal);
    } else if (decimal == QLatin1String(".") && typed.contains(u',') && !typed.contains(u'.')) {
        typed.replace(u',', u'.');
    }
    if (!group.isEmpty() && group != decimal && typed.contains(decimal)) typed.remove(group);
    bool ok = false;
    double value = locale.toDouble(typed, &ok);
    if (!ok) value = QLocale::c().toDouble(QString(typed).replace(decimal, QStringLiteral(".")), &ok);
    return ok ? value : 0.0;
}

void NumericBox::setValoare(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    setText(locale.toString(value, 'g', 15));
}

} // namespace vornel
