#include "controls/TextLimit.h"

#include <QLineEdit>
#include <QValidator>

namespace vornel::TextLimit {

namespace {

// Runs after the field has cut what went past its length: drops the half of a pair left alone.
class WholeCharacters : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override {
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            const QChar c = input.at(i);
            const bool paired = c.isHighSurrogate() ? i + 1 < input.size() && input.at(i + 1).isLowSurrogate()
                                : c.isLowSurrogate() ? i > 0 && input.at(i - 1).isHighSurrogate()
                                                     : true;
            if (paired) continue;
            input.remove(i, 1);
            if (position > i) --position;
        }
        return Acceptable;
    }
};

} // namespace

void attach(QLineEdit* field, int length) {
    field->setMaxLength(length);
    if (!field->validator()) field->setValidator(new WholeCharacters(field));
}

} // namespace vornel::TextLimit
