#include "print/RollLayout.h"

#include "sale/Amount.h"

#include <utility>

namespace tallimo {

QStringList wrapWords(QString text, int columns) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    QStringList out;
    QString current;
    for (QString word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!current.isEmpty() && current.size() + 1 + word.size() > columns)
            out.append(std::exchange(current, QString()));
        while (word.size() > columns) {
            out.append(word.first(columns));
            word.remove(0, columns);
        }
        current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!current.isEmpty())
        out.append(current);
    return out;
}

void RollLayout::centred(const QString& text) {
    const QStringList pieces = wrapWords(text, mLook.columns);
    if (pieces.isEmpty())
        lines.append(QString());
    for (const QString& piece : pieces)
        lines.append(QString((mLook.columns - piece.size()) / 2, u' ') + piece);
}

void RollLayout::rule() {
    lines.append(QString(mLook.columns, u'-'));
}

void RollLayout::sides(const QString& left, const QString& right) {
    const int room = mLook.columns - int(left.size()) - int(right.size());
    if (room >= 1) {
        lines.append(left + QString(room, u' ') + right);
        return;
    }
    if (left.size() <= mLook.columns)
        lines.append(left); // keeps its indent
    else
        lines.append(wrapWords(left, mLook.columns));
    for (const QString& piece : wrapWords(right, mLook.columns))
        lines.append(piece.rightJustified(mLook.columns));
}

void RollLayout::footer() {
    if (!mLook.footer.isEmpty())
        rule();
    for (const QString& line : mLook.footer)
        centred(line);
}

QString RollLayout::money(Cents value) const {
    return WithSymbol(formatCents(value, mLook.decimalPoint), mLook.symbol);
}

} // namespace tallimo
