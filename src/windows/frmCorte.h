#pragma once

#include "summary/CashCount.h"

#include <QDialog>
#include <QTime>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;

namespace tallimo {

class Dialogs;

// What today's count is made of: the day's closed sales, the counts already
// recorded, the file that keeps them, and the machine's mark and clock.
struct CountSource {
    QList<Cents> saleTotals;
    QList<summary::CashCount> earlier;
    std::optional<QString> countsFile; // nullopt: the desktop cannot be reached
    QString decimalPoint;
    std::function<QTime()> clock;
    Dialogs* dialogs = nullptr;
    // Earlier counts the file holds that do not read: the sales they covered
    // cannot be told, so they may be counted again.
    int unreadable = 0;
};

// "Corte de caja": the cash in the drawer against what the register charged
// since the previous count. Enter records it after the earlier ones; Escape
// leaves without recording.
class frmCorte : public QDialog {
    Q_OBJECT
  public:
    explicit frmCorte(CountSource source, QWidget* parent = nullptr);

    QLabel* lblPeriodo = nullptr;
    QLabel* lblCobrado = nullptr;
    QLineEdit* txtFondo = nullptr;
    QLineEdit* txtTarjeta = nullptr;
    QLineEdit* txtRetiros = nullptr;
    QLineEdit* txtContado = nullptr;
    QLabel* lblEsperado = nullptr;
    QLabel* lblDiferencia = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildControls();
    void showResults();
    void record();
    // The count as typed; else the first field that is not an amount.
    std::optional<summary::CashCount> typedCount(QLineEdit** wrong) const;
    QString money(Cents value) const;

    CountSource mSource;
    summary::CountPeriod mPeriod;
};

} // namespace tallimo
