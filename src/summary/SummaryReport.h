#pragma once

#include "summary/SalesSummary.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace tallimo::summary {

// The mark the reports write amounts with: the one the sales files were written
// with (the register uses the machine's own), "." when they hold no amount.
QString reportMark(const QList<DaySummary>& days);

// An amount of the summary as the reports and the window show it: "$25.00".
QString money(Cents value, const QString& mark);

// A quantity as a person writes it: "3", "0.5" (with mark), "?" when unknown.
QString formatQuantity(const ProductSale& product, const QString& mark);

// One block per day; after several days, one more for all of them. UTF-8, LF.
QByteArray textReport(const QList<DaySummary>& days);

// Header "Día;Producto;Cantidad;Importe", then one row per product per day,
// CR LF, quoted as RFC 4180 asks. Written for the spreadsheet of the machine
// that wrote the files: with its decimal mark, and with ";" between fields when
// that mark is "," ("," otherwise). UTF-8 with a byte order mark, so a
// spreadsheet does not read it as its 8-bit code page. A text that a
// spreadsheet would take for a formula (=, +, -, @) gets a leading "'".
QByteArray csvReport(const QList<DaySummary>& days);

} // namespace tallimo::summary
