#pragma once

#include "app/Frame.h"
#include "support/FakeDialogs.h"
#include "support/GTestHelpers.h"
#include "windows/frmBoxBasic.h"
#include "windows/frmInicio.h"
#include "windows/frmSystem.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace tallimo {

using test::fileBytes;

// A frame on a drive root of its own, on the shop's day, for its cashier.
class WindowTest : public ::testing::Test, protected test::ShopDrive {
  protected:
    test::FakeDialogs dialogs;
    std::unique_ptr<Frame> frame;
    frmBoxBasic* w = nullptr;
    bool ended = false;
    QLocale locale = test::shopLocale(); // the machine's, read at each start

    QString salesFile() const { return ShopDrive::salesFile(test::shopDay(), locale); }

    void SetUp() override { newFrame(); }
    void TearDown() override {
        frame.reset();
        // Windows that closed themselves go before the drive root does.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A program start: SystemChoice 0, no window loaded.
    void newFrame() {
        frame.reset();
        frame = std::make_unique<Frame>(DriveRoot(root()), dialogs, test::shopEnvironment(locale));
        ended = false;
        frame->onEnd = [this] { ended = true; };
    }
    static void write(const QString& path, const QByteArray& bytes) {
        ASSERT_TRUE(test::writeBytes(path, bytes)) << path.toStdString();
    }
    // Both layouts' folders, with a price list on each desktop that tells them apart.
    void twoLayouts() {
        QDir().mkpath(root() + "/Archivos de programa"), QDir().mkpath(root() + "/Program Files");
        ASSERT_TRUE(writePriceList({"Pan $2"}) && writePriceList({"Bread $3"}, true));
    }
    static void showActive(QWidget& window) {
        window.show(), window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Loads the sale window on a fresh start and gives it the keyboard; nullptr: no price list.
    void open(const char* priceList = "") {
        if (priceList)
            write(desktop() + "/Lista.txt", priceList);
        newFrame();
        w = &frame->boxBasic();
        showActive(*w);
    }
    // A line rung up from the price list: the next product, the quantity, Enter.
    void sell(const QString& quantity) { key(Qt::Key_Down), type(quantity + "\r"); }

    bool saleWindowShown() const {
        return frame->isBoxBasicLoaded() && frame->boxBasic().isVisible();
    }
    bool choiceWindowShown() const {
        return frame->isSystemLoaded() && frame->system().isVisible();
    }

    // A click where the cashier sees the control: it reaches whatever lies on top there.
    static void clickAt(QWidget* control, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* window = control->window();
        QTest::mouseClick(window->windowHandle(), button, {},
                          control->mapTo(window, control->rect().center()));
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    // Keystrokes as the cashier types them: to whatever has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(focused(), k, mods); }
    // "\r" Return, "\n" keypad Enter, "\b" Backspace, "\t" Tab, "\x1b" Escape, "\x7f" Delete; else
    // that character.
    void type(const QString& text) {
        for (const QChar c : text) {
            static const QHash<QChar, Qt::Key> named{
                {'\r', Qt::Key_Return}, {'\n', Qt::Key_Enter},    {'\b', Qt::Key_Backspace},
                {'\t', Qt::Key_Tab},    {'\x1b', Qt::Key_Escape}, {'\x7f', Qt::Key_Delete}};
            const Qt::Key k = named.value(c, Qt::Key(c.toUpper().unicode()));
            QTest::sendKeyEvent(QTest::KeyAction::Click, focused(), k,
                                c == '\x7f' ? "" : QString(c), {});
        }
    }
    // A keyboard-wedge scanner: a key every 8 ms, then Return, to the focused control.
    void scan(const QString& code) {
        static ulong clock = 1000000;
        clock += 10000; // long after any other key
        for (const QChar c : code + '\r') {
            const Qt::Key k = c == '\r' ? Qt::Key_Return : Qt::Key(c.toUpper().unicode());
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent e(type, k, {}, c);
                e.setTimestamp(clock += 4), QApplication::sendEvent(focused(), &e);
            }
        }
    }
};

} // namespace tallimo
