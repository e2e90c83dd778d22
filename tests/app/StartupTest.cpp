#include "app/SingleInstance.h"
#include "windows/WindowFixture.h"

#include <QPointer>
#include <sys/wait.h>
#include <unistd.h>

namespace tallimo {

class Startup : public WindowTest {
  protected:
    void SetUp() override { WindowTest::SetUp(), twoLayouts(); }
    // The animation played tick by tick up to the hand-over, as the timers would.
    static void playToHandOver(frmInicio& splash) {
        for (int tick = 0; tick < 100 && splash.Timer2->isActive(); ++tick)
            splash.Timer1_Timer(), splash.Timer2_Timer();
        ASSERT_TRUE(splash.Timer3->isActive());
        splash.Timer3_Timer();
    }
};

// The first start always reads the Spanish layout's file; a failed read opens the choice window
// and says nothing. The splash hands over once and is unloaded.
TEST_F(Startup, TheFirstStartReadsTheChoiceFileOfTheSpanishLayout) {
    // The Spanish and the English layout's file (nullptr: none), the choice read, and the first
    // product of the sale window, or "choice window".
    const std::tuple<const char*, const char*, int, const char*> rows[] = {
        {" 1 \r\n", nullptr, 1, "Bread $3"},      {"2\r\n", nullptr, 2, "Bread $3"},
        {" 0 \r\n", " 1 \r\n", 0, "Pan $2"},      {"abc\r\n", nullptr, 0, "choice window"},
        {nullptr, " 1 \r\n", 0, "choice window"}, {" 1 \r\n", " 0 \r\n", 1, "Bread $3"}};
    for (const auto& [spanishFile, englishFile, choice, shown] : rows) {
        SCOPED_TRACE((QString::fromLatin1(spanishFile) + " / " + englishFile).toStdString());
        for (bool english : {false, true}) {
            QFile::remove(choiceFile(english));
            if (const char* bytes = english ? englishFile : spanishFile)
                write(choiceFile(english), bytes);
        }
        newFrame();
        QPointer<frmInicio> splash = &frame->inicio();
        splash->show();
        playToHandOver(*splash);
        EXPECT_EQ(frame->shared().SystemChoice, choice);
        EXPECT_EQ(saleWindowShown()     ? frame->boxBasic().List2->item(0)
                  : choiceWindowShown() ? "choice window"
                                        : "none",
                  shown);
        EXPECT_TRUE(dialogs.shown.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull());
    }
}

// The restart label brings back fresh windows, and the splash reads the file of the layout in use;
// the sale left open is closed by the sale window's own unload.
TEST_F(Startup, ARestartReadsTheChoiceFileOfTheLayoutInUse) {
    write(choiceFile(false), " 1 \r\n");
    write(choiceFile(true), "7\r\n");
    playToHandOver(frame->inicio());
    // A sale left open: no total yet.
    frame->boxBasic().txtDato2->setText("Queso"), frame->boxBasic().txtDato3->setText("5");
    frame->boxBasic().ActFactura();
    frame->boxBasic().lblReset_Click();
    EXPECT_FALSE(frame->isBoxBasicLoaded());
    EXPECT_EQ(frame->inicio().FadeLevel, 250);
    playToHandOver(frame->inicio());
    EXPECT_EQ(frame->shared().SystemChoice, 7);
    ASSERT_TRUE(saleWindowShown());
    EXPECT_EQ(frame->boxBasic().List1->items(),
              (QStringList{"1 x Queso de $5.00 = $5.00", QString(50, '-') + ">Total $5.00"}));

    QFile::remove(choiceFile(true)); // the Spanish file is not the one looked at now
    frame->boxBasic().lblReset_Click();
    playToHandOver(frame->inicio());
    EXPECT_TRUE(choiceWindowShown());
    EXPECT_FALSE(ended);
}

// A drive root "C" and the folder the locks go in.
struct SingleInstanceTest : ::testing::Test {
    QTemporaryDir locks, base;
    QString root = base.path() + "/C";
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(root)); }
    auto acquire(const QString& path) { return SingleInstance::acquire(path, locks.path()); }
};

// The same root, however written, is refused; another root is another register; a closed copy
// frees it.
TEST_F(SingleInstanceTest, ASecondCopyOnTheSameRootIsRefused) {
    auto first = acquire(root);
    ASSERT_TRUE(first);
    ASSERT_TRUE(QFile::link(root, base.path() + "/enlace"));
    for (const QString& same : {root, root + "/", base.path() + "/enlace"})
        EXPECT_FALSE(acquire(same)) << same.toStdString();
    QDir().mkpath(base.path() + "/D");
    EXPECT_TRUE(acquire(base.path() + "/D"));
    first.reset();
    EXPECT_TRUE(acquire(root));
}

TEST_F(SingleInstanceTest, ALockLeftByACrashedCopyDoesNotBlock) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto lock = acquire(root);
        _exit(lock.release() ? 0 : 1); // dies holding it, as a crash would
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(SingleInstance::lockPath(root, locks.path())));
    EXPECT_TRUE(acquire(root));
}

} // namespace tallimo
