#pragma once

#include "FakeDialogs.h"
#include "app/Frame.h"
#include "windows/frmBoxBasic.h"
#include "windows/frmInicio.h"
#include "windows/frmSystem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace tallimo {

// A fresh frame on a drive root of its own, with both layouts' folders and a
// price list on each desktop that tells them apart.
class StartupTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeDialogs dialogs;
    std::unique_ptr<Frame> frame;
    bool ended = false;

    QString spanishPrograms() const { return dir.path() + "/Archivos de programa"; }
    QString englishPrograms() const { return dir.path() + "/Program Files"; }
    QString spanishDesktop() const
    {
        return dir.path() + "/Documents and Settings/cajera/Escritorio";
    }
    QString englishDesktop() const { return dir.path() + "/Users/cajera/Desktop"; }

    void SetUp() override
    {
        for (const QString& folder : {spanishPrograms(), englishPrograms(), spanishDesktop(),
                                      englishDesktop()})
            ASSERT_TRUE(QDir().mkpath(folder));
        writeFile(spanishDesktop() + "/Lista.txt", "Pan $2\r\n");
        writeFile(englishDesktop() + "/Lista.txt", "Bread $3\r\n");
        newFrame();
    }

    void TearDown() override
    {
        frame.reset();
        // Windows that closed themselves go before the drive root does.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A program start: SystemChoice 0, no window loaded.
    void newFrame()
    {
        frame.reset();
        const Environment env{[] { return QDate(2026, 12, 5); },
                              QLocale(QLocale::Spanish, QLocale::Mexico),
                              [] { return QStringLiteral("cajera"); }};
        frame = std::make_unique<Frame>(DriveRoot(dir.path()), dialogs, env);
        ended = false;
        frame->onEnd = [this] { ended = true; };
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // The animation played tick by tick up to the hand-over, as the timers would.
    static void playToHandOver(frmInicio& splash)
    {
        for (int tick = 0; tick < 100 && splash.Timer2->isActive(); ++tick) {
            splash.Timer1_Timer();
            splash.Timer2_Timer();
        }
        ASSERT_TRUE(splash.Timer3->isActive());
        splash.Timer3_Timer();
    }

    // Shows a window and waits until it has the keyboard.
    static void showActive(QWidget& window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    bool saleWindowShown() const
    {
        return frame->isBoxBasicLoaded() && frame->boxBasic().isVisible();
    }
    bool choiceWindowShown() const
    {
        return frame->isSystemLoaded() && frame->system().isVisible();
    }
};

} // namespace tallimo
