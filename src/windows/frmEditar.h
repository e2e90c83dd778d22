#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace tallimo {

class Frame;

// The list editor: shows one of the sale window's lists as text, one item a
// line, and puts the text back into that list when it closes, however it
// closes. The sale window is disabled while it is loaded.
class frmEditar : public QWidget {
    Q_OBJECT
  public:
    explicit frmEditar(Frame& frame);

    QPlainTextEdit* txtEditar = nullptr;

    // Window events.
    void Form_Load();
    void Form_Unload();

    // The edit buffer's form of what the editor holds: every line ended by CR LF.
    QString editedText() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls(); // the designer values

    Frame& mFrame;
    bool mUnloaded = false;
};

} // namespace tallimo
