#pragma once

#include "widgets/Shared.h"

#include <QWidget>

namespace tallimo {

// A window of the program. Closing it runs its unload handler, unless the
// program is ending, and then reports it unloaded: it is destroyed, and whoever
// owns it builds it afresh on its next use.
class Form : public QWidget {
    Q_OBJECT
  public:
    explicit Form(Shared& shared);

  signals:
    void unloaded();
    // The program is to end at once, without unload handlers.
    void endRequested();

  protected:
    // The window's unload handler; false keeps it open.
    virtual bool unload() { return true; }
    void closeEvent(QCloseEvent* event) override;

    Shared& mShared;

  private:
    bool mUnloaded = false;
};

} // namespace tallimo
