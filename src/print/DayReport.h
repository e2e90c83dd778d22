#pragma once

#include "print/Roll.h"
#include "summary/SalesSummary.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QStringList>

namespace tallimo {

// The days a summary shows, one after the other from `from`, with their counts.
struct ReportDays {
    QDate from;
    QList<summary::DaySummary> days;
};

// "05/12/2026", or "01/12/2026 al 05/12/2026" for several days.
QString reportLabel(const ReportDays& report);

// The day's report on the roll, none of its lines longer than look.columns:
// the header, the days and when it was printed, the sales, the products as
// the summary orders them, each cash count of those days, the footer.
QStringList LayoutDayReport(const ReportDays& report, const QDateTime& printed,
                            const TicketLook& look);

} // namespace tallimo
