#pragma once

#include "storage/LineList.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStringList>
#include <functional>

namespace tallimo {

// 15 twips make one device-independent pixel.
inline int twips(double value) {
    return qRound(value / 15.0);
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

// A font by the face name and point size the window was designed with.
QFont designFont(const QString& face, double points, bool underline = false);
// Places a window in the middle of the primary screen's free area.
void centreOnScreen(QWidget* window);
// A window or frame filled with one colour.
void fillBackground(QWidget* widget, const QColor& color);
// Cuts every handler of a window off its controls: a window's destructor runs
// before its controls go, and no handler may run on a half-destroyed window.
void detachHandlers(QObject* window);

// A single-line text box whose typing limit stops what the user types or pastes,
// never what the program puts in: a normalised price may be longer than the limit.
class TextBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit TextBox(QWidget* parent = nullptr);
    void setTypingLimit(int limit);
    int typingLimit() const { return mLimit; }
    // Selection start 0 over length characters.
    void selectFromStart(int length);

  private:
    int mLimit = 0;
};

// A list box over its lines' model with uniform item sizes, so a long price list
// loads and scrolls without a pause. Setting the selected index raises `clicked`,
// as a click does; the index equal to the item count reads as the empty text.
class ListBox : public QListView {
    Q_OBJECT
  public:
    explicit ListBox(QWidget* parent = nullptr);

    LineList& lines() { return *mLines; }
    const LineList& lines() const { return *mLines; }
    void addItem(const QString& text);
    void setItems(const QStringList& items);
    void clear() { setItems({}); }
    int count() const { return mLines->count(); }
    QString item(int index) const { return mLines->line(index); }
    const QStringList& items() const { return mLines->lines(); }
    int selectedIndex() const { return mSelected; }
    void setSelectedIndex(int index);
    QString selectedText() const { return item(mSelected); }
    int findString(const QString& prefix) const { return mLines->findPrefix(prefix); }

  signals:
    void listClicked();       // the selection moved to a line
    void listDoubleClicked(); // anywhere on the list, an empty one included

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    LineList* mLines; // a child, so it outlives the view that shows it
    int mSelected = -1;
    bool mQuiet = false;
};

// A label that can act as a button: pressed and released on any mouse button,
// clicked only when released over it.
class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(QWidget* parent = nullptr);
    void setBackColor(const QColor& color);
    void setForeColor(const QColor& color);
    // Back style: opaque shows the back colour, transparent the container.
    void setOpaque(bool opaque);
    bool isOpaque() const { return mOpaque; }
    void setBorder(bool single);
    bool hasBorder() const { return mBorder; }
    QColor backColor() const { return mBack; }
    QColor foreColor() const { return mFore; }
    // Marks the label as a button for screen readers: role button, a press
    // action that clicks it, and the given name.
    void setButton(const QString& accessibleName);
    bool isButton() const { return mButton; }

  signals:
    void mouseDown();
    void mouseUp();
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void applyPalette();
    QColor mBack = Qt::white;
    QColor mFore = Qt::black;
    bool mOpaque = true;
    bool mBorder = false;
    bool mButton = false;
};

// Labels draw their caption from the top, as designer labels do: only the
// horizontal part of an alignment is theirs.
inline Qt::Alignment topAligned(Qt::Alignment alignment) {
    return (alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop;
}

// A plain-text label that takes no focus: opaque on `back` when that is a valid
// colour, else showing its container.
Label* makeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& caption,
                 const QFont& font, const QColor& back, Qt::Alignment alignment,
                 const QColor& fore = Qt::black, const QString& tip = QString());
// A plain-text label on its container's surface; `back` shows only once it is made opaque.
Label* makeTransparentLabel(QWidget* parent, const char* name, const QRect& geometry,
                            const QString& caption, const QFont& font, const QColor& fore,
                            const QColor& back, Qt::Alignment alignment);

// A rectangle drawn on its container's surface, with a fill pattern.
class Shape : public QWidget {
  public:
    Shape(QWidget* parent, Qt::BrushStyle fill, const QColor& fillColor, const QColor& border);
    void setFillColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Qt::BrushStyle mFill;
    QColor mFillColor;
    QColor mBorder;
};

// A line between two points of its container, in twips.
class Line : public QWidget {
  public:
    Line(QWidget* parent, int x1, int y1, int x2, int y2, const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor mColor;
    QLine mLine;
};

} // namespace tallimo
