#pragma once

#include "app/Frame.h"
#include "storage/Paths.h"
#include "widgets/Dialogs.h"
#include "windows/frmBoxBasic.h"
#include "windows/frmInicio.h"
#include "windows/frmSystem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace tallimo {

// Answers the boxes from queues the test fills (Yes, or Ok, when empty); records what was shown.
class FakeDialogs : public Dialogs {
  public:
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
    };
    QList<Shown> shown;
    QList<Answer> answers;
    QStringList inputAnswers;
    int aboutCount = 0;
    bool aboutHadIcon = false;

    Answer message(QWidget*, const QString& text, Buttons buttons, Icon icon,
                   const QString&) override {
        shown.append({text, buttons, icon});
        return buttons == Buttons::Ok ? Answer::Ok
               : answers.isEmpty()    ? Answer::Yes
                                      : answers.takeFirst();
    }
    QString input(QWidget*, const QString&, const QString&, const QString&) override {
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    void about(QWidget*, const QString&, const QString&, const QIcon& icon) override {
        ++aboutCount;
        aboutHadIcon = !icon.isNull();
    }
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
        return desktop() + "/Ventas de " +
               paths::fileNameDate(QDate(2026, 12, 5), locale.dateFormat(QLocale::ShortFormat)) +
               ".txt";
    }

    void SetUp() override {
        QDir().mkpath(desktop());
        newFrame();
    }
    void TearDown() override {
        frame.reset();
        // Windows that closed themselves go before the drive root does.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Both layouts' folders, with a price list on each desktop that tells them apart.
    void twoLayouts() {
        for (const QString& folder : {choiceFile(false) + "/..", choiceFile(true) + "/..",
                                      dir.path() + "/Users/cajera/Desktop"})
            QDir().mkpath(QDir::cleanPath(folder));
        writePriceList("Pan $2\r\n");
        writeFile(dir.path() + "/Users/cajera/Desktop/Lista.txt", "Bread $3\r\n");
    }

    // A program start: SystemChoice 0, no window loaded.
    void newFrame() {
        frame.reset();
        const Environment env{[] { return QDate(2026, 12, 5); }, locale,
                              [] { return QStringLiteral("cajera"); }};
        frame = std::make_unique<Frame>(DriveRoot(dir.path()), dialogs, env);
        ended = false;
        frame->onEnd = [this] { ended = true; };
    }

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void writePriceList(const QByteArray& bytes) { writeFile(desktop() + "/Lista.txt", bytes); }

    static void showActive(QWidget& window) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Loads the sale window on a fresh start and gives it the keyboard; nullptr: no price list.
    void open(const char* priceList = "") {
        if (priceList)
            writePriceList(priceList);
        newFrame();
        w = &frame->boxBasic();
        showActive(*w);
    }

    // The animation played tick by tick up to the hand-over, as the timers would.
    static void playToHandOver(frmInicio& splash) {
        for (int tick = 0; tick < 100 && splash.Timer2->isActive(); ++tick) {
            splash.Timer1_Timer();
            splash.Timer2_Timer();
        }
        ASSERT_TRUE(splash.Timer3->isActive());
        splash.Timer3_Timer();
    }
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
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(focused(), k, mods);
    }
    void type(const QString& text) {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::KeyAction::Click, focused(), Qt::Key(c.toUpper().unicode()),
                                QString(c), Qt::NoModifier);
    }
};

} // namespace tallimo
