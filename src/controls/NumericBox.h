#pragma once
// The suite's numeric text box: a text field whose value is a double-precision number.

#include <QLineEdit>

namespace vornel {

class NumericBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericBox(QWidget* parent = nullptr);

    // The value the text shows (NumberText); 0 when it is empty or shows no number.
    double Valoare() const;
    // The text is empty or shows a number.
    bool holdsNumber() const;
    void setValoare(double value);

signals:
    void valueChanged(double value);
};

} // namespace vornel
