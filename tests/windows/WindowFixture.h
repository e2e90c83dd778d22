#pragma once

#include "app/Frame.h"
#include "storage/Paths.h"
#include "storage/StorageTestSupport.h"
#include "widgets/Dialogs.h"
#include "windows/frmBoxBasic.h"
#include "windows/frmInicio.h"
#include "windows/frmSystem.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace tallimo {

using test::fileBytes;

// Answers the boxes from queues the test fills (Yes, or Ok, when empty); records each box shown as
// "Icon: text", with " (Sí/No)" after the icon when it asks.
class FakeDialogs : public Dialogs {
  public:
    QStringList shown;
    QList<Answer> answers;
    QStringList inputAnswers;

    Answer message(QWidget*, const QString& text, Buttons buttons, Icon icon,
                   const QString&) override {
        const char* icons[] = {"Question", "Exclamation", "Information", "Critical"};
        shown.append(icons[int(icon)] + QString(buttons == Buttons::YesNo ? " (Sí/No)" : "") +
                     ": " + text);
        return buttons == Buttons::Ok ? Answer::Ok
               : answers.isEmpty()    ? Answer::Yes
                                      : answers.takeFirst();
    }
    QString input(QWidget*, const QString&, const QString&, const QString&) override {
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    void about(QWidget*, const QString&, const QString&, const QIcon&) override {}
};

// A frame on a drive root of its own, on 5 December 2026, for user "cajera".
class WindowTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    FakeDialogs dialogs;
    std::unique_ptr<Frame> frame;
    frmBoxBasic* w = nullptr;
    bool ended = false;
    QLocale locale{QLocale::Spanish, QLocale::Mexico}; // the machine's, read at each start

    QString desktop() const { return dir.path() + "/Documents and Settings/cajera/Escritorio"; }
    QString choiceFile(bool english) const {
        return dir.path() + (english ? "/Program Files" : "/Archivos de programa") +
               "/TLMSystem.txt";
    }
    QString salesFile() const {
        const QString date = locale.dateFormat(QLocale::ShortFormat);
        return desktop() + "/Ventas de " + paths::fileNameDate(QDate(2026, 12, 5), date) + ".txt";
    }

    void SetUp() override { QDir().mkpath(desktop()), newFrame(); }
    void TearDown() override {
        frame.reset();
        // Windows that closed themselves go before the drive root does.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A program start: SystemChoice 0, no window loaded.
    void newFrame() {
        frame.reset();
        const Environment env{[] { return QDate(2026, 12, 5); }, locale, [] { return "cajera"; }};
        frame = std::make_unique<Frame>(DriveRoot(dir.path()), dialogs, env);
        ended = false;
        frame->onEnd = [this] { ended = true; };
    }
    static void write(const QString& path, const QByteArray& bytes) {
        ASSERT_TRUE(test::writeBytes(path, bytes)) << path.toStdString();
    }
    // Both layouts' folders, with a price list on each desktop that tells them apart.
    void twoLayouts() {
        QDir().mkpath(dir.path() + "/Archivos de programa");
        QDir().mkpath(dir.path() + "/Program Files");
        write(desktop() + "/Lista.txt", "Pan $2\r\n");
        write(dir.path() + "/Users/cajera/Desktop/Lista.txt", "Bread $3\r\n");
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
};

} // namespace tallimo
