#include "widgets/Controls.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QValidator>

namespace tallimo {

namespace {

// Holds what the user types, pastes or drops to the limit, keeping the characters
// that fit; text the program put there (no edit history since) is never cut, and
// an edit may always bring a longer such text back towards the limit.
class TypingLimit : public QValidator {
  public:
    TypingLimit(QLineEdit* box, int limit)
        : QValidator(box), mBox(box), mLimit(limit), mBefore(box->text()) {
        connect(box, &QLineEdit::textChanged, this,
                [this](const QString& text) { mBefore = text; });
    }
    State validate(QString& input, int& pos) const override {
        // Qt clears the edit history whenever the program sets the text.
        if (!mBox->isUndoAvailable())
            return Acceptable;
        const qsizetype excess = input.size() - std::max<qsizetype>(mLimit, mBefore.size());
        if (excess <= 0)
            return Acceptable;
        if (pos < excess)
            return Invalid;
        // The excess is the end of what was just inserted, right before the cursor.
        input.remove(pos - excess, excess);
        pos -= int(excess);
        return Acceptable;
    }

  private:
    QLineEdit* mBox;
    int mLimit;
    QString mBefore; // the text before the edit being checked
};

// A label button as a screen reader sees it: a button that can be pressed.
class LabelButtonAccessible : public QAccessibleWidget {
  public:
    explicit LabelButtonAccessible(Label* label) : QAccessibleWidget(label, QAccessible::Button) {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            emit static_cast<Label*>(widget())->clicked();
    }
};

QAccessibleInterface* labelButtonFactory(const QString& key, QObject* object) {
    auto* label = qobject_cast<Label*>(object);
    if (key == QLatin1String("tallimo::Label") && label && label->isButton())
        return new LabelButtonAccessible(label);
    return nullptr;
}

} // namespace

QFont designFont(const QString& face, double points, bool underline) {
    QFont font(face);
    font.setPointSizeF(points);
    font.setUnderline(underline);
    return font;
}

void centreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred(QPoint(), window->size());
        centred.moveCenter(screen->availableGeometry().center());
        window->move(centred.topLeft());
    }
}

void fillBackground(QWidget* widget, const QColor& color) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void detachHandlers(QObject* window) {
    for (QObject* control : window->findChildren<QObject*>())
        control->disconnect(window);
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
}

void TextBox::setTypingLimit(int limit) {
    mLimit = limit;
    setValidator(limit > 0 ? new TypingLimit(this, limit) : nullptr);
}

void TextBox::selectFromStart(int length) {
    if (length <= 0)
        setCursorPosition(0);
    else
        setSelection(0, length);
}

ListBox::ListBox(QWidget* parent) : QListView(parent), mLines(new LineList(this)) {
    setModel(mLines);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ListBox::addItem(const QString& text) {
    mQuiet = true;
    mLines->append(text);
    mQuiet = false;
}

void ListBox::setItems(const QStringList& items) {
    mQuiet = true;
    mLines->setLines(items);
    mSelected = -1;
    setCurrentIndex({});
    mQuiet = false;
}

void ListBox::setSelectedIndex(int index) {
    if (index < -1 || index >= count())
        index = -1;
    if (index == mSelected) {
        if (index >= 0)
            emit listClicked(); // setting it again still counts as a click
        return;
    }
    if (index < 0) {
        mQuiet = true;
        setCurrentIndex({});
        clearSelection();
        mQuiet = false;
        mSelected = -1;
        return;
    }
    setCurrentIndex(mLines->index(index));
}

void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QListView::currentChanged(current, previous);
    if (mQuiet)
        return;
    mSelected = current.isValid() ? current.row() : -1;
    if (current.isValid()) {
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
        scrollTo(current);
        emit listClicked();
    }
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}

Label::Label(QWidget* parent) : QLabel(parent) {
    applyPalette();
}

void Label::setBackColor(const QColor& color) {
    mBack = color;
    applyPalette();
}

void Label::setForeColor(const QColor& color) {
    mFore = color;
    applyPalette();
}

void Label::setOpaque(bool opaque) {
    mOpaque = opaque;
    applyPalette();
}

void Label::setButton(const QString& accessibleName) {
    static const bool installed = [] {
        QAccessible::installFactory(labelButtonFactory);
        return true;
    }();
    (void)installed;
    mButton = true;
    setAccessibleName(accessibleName);
    // Setting the caption already made Qt cache a plain-text interface: drop it.
    QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(this);
    if (cached && cached->role() != QAccessible::Button)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

void Label::setBorder(bool single) {
    mBorder = single;
    update();
}

void Label::applyPalette() {
    QPalette p = palette();
    p.setColor(QPalette::Window, mBack);
    p.setColor(QPalette::WindowText, mFore);
    setPalette(p);
    setAutoFillBackground(mOpaque);
    update();
}

void Label::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mouseDown();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    emit mouseUp();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void Label::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (mBorder) {
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

Label* makeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& caption,
                 const QFont& font, const QColor& back, Qt::Alignment alignment, const QColor& fore,
                 const QString& tip) {
    auto* label = new Label(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setText(caption);
    label->setFont(font);
    label->setOpaque(back.isValid());
    if (back.isValid())
        label->setBackColor(back);
    label->setForeColor(fore);
    label->setAlignment(topAligned(alignment));
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    if (!tip.isEmpty())
        label->setToolTip(tip);
    return label;
}

Label* makeTransparentLabel(QWidget* parent, const char* name, const QRect& geometry,
                            const QString& caption, const QFont& font, const QColor& fore,
                            const QColor& back, Qt::Alignment alignment) {
    Label* label = makeLabel(parent, name, geometry, caption, font, back, alignment, fore);
    label->setOpaque(false);
    return label;
}

Shape::Shape(QWidget* parent, Qt::BrushStyle fill, const QColor& fillColor, const QColor& border)
    : QWidget(parent), mFill(fill), mFillColor(fillColor), mBorder(border) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColor(const QColor& color) {
    mFillColor = color;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(mBorder);
    painter.setBrush(QBrush(mFillColor, mFill));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

Line::Line(QWidget* parent, int x1, int y1, int x2, int y2, const QColor& color)
    : QWidget(parent), mColor(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect box = QRect(QPoint(twips(std::min(x1, x2)), twips(std::min(y1, y2))),
                            QPoint(twips(std::max(x1, x2)), twips(std::max(y1, y2))));
    setGeometry(box.adjusted(0, 0, 1, 1));
    mLine = QLine(twips(x1) - box.left(), twips(y1) - box.top(), twips(x2) - box.left(),
                  twips(y2) - box.top());
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(mColor);
    painter.drawLine(mLine);
}

} // namespace tallimo
