#pragma once
// The suite's numeric text box: a text field whose value is a double-precision number.

#include <QLineEdit>

namespace vornel {

class NumericBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericBox(QWidget* parent = nullptr);

    double Valoare() const;
    void setValoare(double value);

signals:
    void valueChanged(double value);
};

} // namespace vornel
