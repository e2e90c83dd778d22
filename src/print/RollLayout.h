#pragma once

#include "print/Roll.h"
#include "sale/SalesLine.h"

#include <QString>
#include <QStringList>

namespace tallimo {

// Words go whole onto lines of at most `columns` characters; a longer word is cut.
QStringList wrapWords(QString text, int columns);

// Lines of a roll being laid out, none longer than its columns: what tickets
// and the day's report are made of.
class RollLayout {
  public:
    explicit RollLayout(const TicketLook& look) : mLook(look) {}
    QStringList lines;

    // A blank text keeps its place as a blank line.
    void centred(const QString& text);
    void rule();
    // `left` at the left margin and `right` at the right one, on one line when both fit.
    void sides(const QString& left, const QString& right);
    // The shop's closing lines, after a rule.
    void footer();
    QString money(Cents value) const;
    const TicketLook& look() const { return mLook; }

  private:
    const TicketLook& mLook;
};

} // namespace tallimo
