#include "windows/SalesChart.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tallimo {

SalesChart::SalesChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chtDias"));
    setMinimumHeight(160);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SalesChart::setBars(QList<Bar> bars) {
    mBars = std::move(bars);
    update();
}

void SalesChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (mBars.isEmpty())
        return;
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    const QRect area = rect().adjusted(8, line + 6, -8, -(line + 6));
    if (area.width() < 1 || area.height() < 1) // narrower than its margins: no slot to divide
        return;
    double top = 0;
    for (const Bar& bar : mBars)
        top = std::max(top, bar.value);
    const double slot = double(area.width()) / mBars.size();
    const int baseline = area.bottom();
    // Labels only where they fit; every bar still shows.
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("00/00")) + 6;
    const int every = std::max(1, int(std::ceil(labelWidth / slot)));
    painter.setPen(Qt::darkGray);
    painter.drawLine(area.left(), baseline, area.right(), baseline);
    for (int i = 0; i < mBars.size(); ++i) {
        const Bar& bar = mBars[i];
        const int left = area.left() + int(i * slot);
        // A bar no wider than a thumb, so one day does not fill the window.
        const int width = std::clamp(int(slot * 0.7), 1, 64);
        const int height = top > 0 && bar.value > 0 ? int(area.height() * bar.value / top) : 0;
        const QRect column(left + int((slot - width) / 2), baseline - height, width, height);
        painter.fillRect(column, QColor(0, 128, 0));
        const int centre = left + int(slot / 2);
        const QRect under(centre - labelWidth / 2, baseline + 3, labelWidth, line);
        const QRect over(left - int(slot), column.top() - line - 2, int(slot * 3), line);
        painter.setPen(Qt::black);
        if (i % every == 0)
            painter.drawText(under, Qt::AlignHCenter | Qt::AlignTop, bar.label);
        if (metrics.horizontalAdvance(bar.text) < slot * 0.95 || mBars.size() == 1)
            painter.drawText(over, Qt::AlignHCenter | Qt::AlignBottom, bar.text);
    }
}

} // namespace tallimo
