#include "widgets/Form.h"

#include <QCloseEvent>

namespace tallimo {

Form::Form(Shared& shared) : QWidget(nullptr), mShared(shared) {
    setAttribute(Qt::WA_DeleteOnClose);
}

void Form::closeEvent(QCloseEvent* event) {
    if (!mShared.ending && !mUnloaded && !unload()) {
        event->ignore();
        return;
    }
    mUnloaded = true;
    event->accept();
    emit unloaded();
}

} // namespace tallimo
