#pragma once

#include <QList>
#include <QString>
#include <QWidget>

namespace tallimo {

// Bars of the amount charged per day, drawn with QPainter.
class SalesChart : public QWidget {
    Q_OBJECT
  public:
    struct Bar {
        QString label; // under the bar
        double value = 0;
        QString text; // over the bar
    };

    explicit SalesChart(QWidget* parent = nullptr);
    void setBars(QList<Bar> bars);
    const QList<Bar>& bars() const { return mBars; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QList<Bar> mBars;
};

} // namespace tallimo
