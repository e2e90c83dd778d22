#include "WindowFixture.h"

#include <csignal>
#include <sys/resource.h>

namespace tallimo {

using WriteFault = WindowTest;

// A failed save keeps the last complete file and every line on screen, is told once per run of
// failures, and the next save writes everything; closing while it fails asks first.
TEST_F(WriteFault, AFullDiskLosesNoLineAndIsToldOnce) {
    open("Pan $2\r\n");
    sell("");
    const QByteArray pan = "1 x Pan de $2.00 = $2.00\r\n";
    // A full disk for this process (only non-fatal checks until it goes): files may not grow.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN); // a write fails instead of killing us
    const rlimit full{rlim_t(pan.size() + 12), saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    type("\r\r\r");
    EXPECT_EQ(w->List1->count(), 4);
    EXPECT_EQ(fileBytes(salesFile()), pan + "\r\n"); // the last complete save stands
    setrlimit(RLIMIT_FSIZE, &saved), std::signal(SIGXFSZ, oldHandler);
    type("t20\r"); // the payment saves again: everything lands
    EXPECT_EQ(fileBytes(salesFile()), pan.repeated(4) + "\r\n");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].contains("No queda espacio en el disco."));

    const QString hidden = desktop() + ".moved";
    ASSERT_TRUE(QDir().rename(desktop(), hidden)); // the desktop folder disappears mid-day
    type(" ");
    dialogs.answers << Dialogs::Answer::No;
    EXPECT_FALSE(w->close());
    ASSERT_EQ(dialogs.shown.size(), 3); // a later failure is told again, then the question
    EXPECT_TRUE(
        dialogs.shown[1].startsWith("Critical: No se pudieron guardar las ventas del día en:"
                                    "\nC:\\Documents and Settings\\cajera\\Escritorio\\"));
    EXPECT_TRUE(dialogs.shown[2].startsWith("Critical (Sí/No): "));
    EXPECT_EQ(w->List1->count(), 5);
    ASSERT_TRUE(QDir().rename(hidden, desktop()));
    EXPECT_TRUE(w->close()); // ends with its total line, yet saved again: the last save failed
    EXPECT_EQ(fileBytes(salesFile()),
              pan.repeated(4) + QByteArray(50, '-') + ">Total $8.00\r\n\r\n");
}

} // namespace tallimo
