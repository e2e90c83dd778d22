#include "print/PrintQueue.h"
#include "print/Roll.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace tallimo::printqueue {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kTopMm = 3;
constexpr double kBottomMm = 5; // the footer clears the tear bar

} // namespace

bool render(QPrinter& printer, const Job& job) {
    const double dpi = printer.resolution();
    // A fixed-pitch font sized so that `columns` characters fill the printable width.
    // Courier New on Windows; its metric twin where it is missing (Wine, Linux), not
    // a bitmap Courier, whose glyphs a PostScript driver cannot embed.
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(10);
    const double wide = QFontMetricsF(font, &printer).horizontalAdvance(QString(job.columns, u'M'));
    const double targetPx = printableMm(job.paperMm) / kMmPerInch * dpi;
    font.setPointSizeF(10 * targetPx / wide * 0.99);
    const QFontMetricsF metrics(font, &printer);

    // Never shorter than wide: a page lying on its side is turned by some drivers.
    const double heightMm =
        std::max(kTopMm + job.lines.size() * metrics.lineSpacing() / dpi * kMmPerInch + kBottomMm,
                 job.paperMm + 1.0);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QSizeF(job.paperMm, heightMm), QPageSize::Millimeter,
                                  QStringLiteral("Ticket"), QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    printer.setDocName(job.title);
    printer.setCreator(QStringLiteral("Tallimo"));

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double left = (job.paperMm - printableMm(job.paperMm)) / 2 / kMmPerInch * dpi;
    double baseline = kTopMm / kMmPerInch * dpi + metrics.ascent();
    for (const QString& line : job.lines) {
        painter.drawText(QPointF(left, baseline), line);
        baseline += metrics.lineSpacing();
    }
    return painter.end();
}

} // namespace tallimo::printqueue
