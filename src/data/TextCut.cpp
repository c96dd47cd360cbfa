#include "data/TextCut.h"

#include <QTextBoundaryFinder>

namespace vornel {

QString cutText(const QString& value, qsizetype length) {
    if (length < 0 || value.size() <= length) return value;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, value);
    characters.setPosition(length);
    const qsizetype end = characters.isAtBoundary() ? length : characters.toPreviousBoundary();
    return value.left(end < 0 ? 0 : end);
}

} // namespace vornel
