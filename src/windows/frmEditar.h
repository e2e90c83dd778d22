#pragma once

#include "widgets/SideWindow.h"

class QPlainTextEdit;

namespace tallimo {

// The list editor: shows one of the sale window's lists as text, one item a
// line, and puts the text back into that list when it closes, however it
// closes. The sale window is disabled while it is loaded.
class frmEditar : public SideWindow {
    Q_OBJECT
  public:
    explicit frmEditar(Shared& shared);

    QPlainTextEdit* txtEditar = nullptr;

    // Window events.
    void Form_Load();
    void Form_Unload();

    // The edit buffer's form of what the editor holds: every line ended by CR LF.
    QString editedText() const;

  signals:
    // The lines the editor holds as it unloads, for the list it was opened on.
    void edited(const QStringList& lines);

  protected:
    bool unload() override {
        Form_Unload();
        return true;
    }

  private:
    void buildControls(); // the designer values
};

} // namespace tallimo
