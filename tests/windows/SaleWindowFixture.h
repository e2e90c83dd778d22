#pragma once

#include "FakeDialogs.h"
#include "app/Frame.h"
#include "storage/Paths.h"
#include "windows/frmBoxBasic.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace tallimo {

// A sale window on a drive root of its own, on 5 December 2026, for user "cajera".
class SaleWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeDialogs dialogs;
    std::unique_ptr<Frame> frame;
    frmBoxBasic* w = nullptr;
    bool ended = false;

    QString desktop() const { return dir.path() + "/Documents and Settings/cajera/Escritorio"; }
    QString salesFile() const
    {
        const QLocale mx(QLocale::Spanish, QLocale::Mexico);
        return desktop() + "/Ventas de " +
               paths::fileNameDate(QDate(2026, 12, 5), mx.dateFormat(QLocale::ShortFormat)) + ".txt";
    }

    void SetUp() override { QDir().mkpath(desktop()); }
    void TearDown() override { frame.reset(); }

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

    void writePriceList(const QByteArray& bytes) { writeFile(desktop() + "/Lista.txt", bytes); }

    // Loads and shows the sale window, focused.
    void open()
    {
        const Environment env{[] { return QDate(2026, 12, 5); },
                              QLocale(QLocale::Spanish, QLocale::Mexico),
                              [] { return QStringLiteral("cajera"); }};
        frame = std::make_unique<Frame>(DriveRoot(dir.path()), dialogs, env);
        frame->onEnd = [this] { ended = true; };
        w = &frame->boxBasic();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }

    QWidget* focused() const { return QApplication::focusWidget(); }

    // A keystroke as the cashier types it: to whatever has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(focused(), k, mods);
    }
    void type(const QString& text)
    {
        for (QChar c : text) {
            const QString s(c);
            const int k = c.toUpper().unicode();
            QTest::sendKeyEvent(QTest::KeyAction::Click, focused(), Qt::Key(k), s, Qt::NoModifier);
        }
    }
};

} // namespace tallimo
