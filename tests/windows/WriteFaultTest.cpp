#include "WindowFixture.h"

#include <csignal>
#include <sys/resource.h>

namespace tallimo {
namespace {

// A full disk for this process: files may not grow past `bytes` until it goes.
class FullDisk {
  public:
    explicit FullDisk(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &mSaved);
        mOldHandler = std::signal(SIGXFSZ, SIG_IGN); // a write fails instead of killing us
        rlimit limit = mSaved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &mSaved);
        std::signal(SIGXFSZ, mOldHandler);
    }

  private:
    rlimit mSaved{};
    void (*mOldHandler)(int) = nullptr;
};

using WriteFault = WindowTest;

TEST_F(WriteFault, AFullDiskLosesNoLineAndIsToldOnce) {
    open("Pan $2\r\n");
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    const QByteArray before = readFile(salesFile());
    ASSERT_EQ(before, QByteArray("1 x Pan de $2.00 = $2.00\r\n\r\n"));
    {
        FullDisk full(before.size() + 10);
        for (int i = 0; i < 3; ++i)
            key(Qt::Key_Return);
        EXPECT_EQ(w->List1->count(), 4);
        EXPECT_EQ(readFile(salesFile()), before); // the last complete save stands
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_TRUE(
            dialogs.shown[0].text.contains(QString::fromUtf8("No queda espacio en el disco.")))
            << dialogs.shown[0].text.toStdString();
    }
    type("t");
    type("20");
    key(Qt::Key_Return); // the payment saves again: everything lands
    const QByteArray all = QByteArray("1 x Pan de $2.00 = $2.00\r\n").repeated(4);
    EXPECT_EQ(readFile(salesFile()), all + "\r\n");
    EXPECT_EQ(dialogs.shown.size(), 1);

    // A later failure is told again: the run of failures ended with that save.
    {
        FullDisk full(10);
        key(Qt::Key_Space);
    }
    EXPECT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(w->List1->count(), 5);
    EXPECT_TRUE(w->close()); // ends with its total line, yet saved again: the last save failed
    EXPECT_EQ(readFile(salesFile()),
              all + "-------------------------------------------------->Total $8.00\r\n\r\n");
}

} // namespace
} // namespace tallimo
