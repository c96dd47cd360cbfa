#include "controls/NumericBox.h"

#include "controls/NumberText.h"

#include <QLocale>

namespace vornel {

NumericBox::NumericBox(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, [this] { emit valueChanged(Valoare()); });
}

double NumericBox::Valoare() const {
    return NumberText::read(text()).value_or(0.0);
}

bool NumericBox::holdsNumber() const {
    return text().trimmed().isEmpty() || NumberText::read(text()).has_value();
}

void NumericBox::setValoare(double value) {
    // Shortest exact form, never an exponent: the text reads back as the same value.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    setText(locale.toString(value, 'f', QLocale::FloatingPointShortest));
}

} // namespace vornel
