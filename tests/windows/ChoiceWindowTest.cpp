#include "WindowFixture.h"

#include <QToolButton>

namespace tallimo {
namespace {

class ChoiceWindow : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        twoLayouts();
    }
};

// The keyboard alone can choose: the focus starts on the right-hand button.
TEST_F(ChoiceWindow, EachButtonWritesItsIndexInItsLayoutsFolder) {
    const struct {
        int tabs;
        Qt::Key key;
        int chosen;
        const char* bytes;
        const char* firstProduct;
    } rows[] = {
        {0, Qt::Key_Return, 1, " 1 \r\n", "Bread $3"},
        {0, Qt::Key_Enter, 1, " 1 \r\n", "Bread $3"},
        {1, Qt::Key_Space, 0, " 0 \r\n", "Pan $2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.tabs << " tabs, key " << row.key);
        const QString file = choiceFile(row.chosen == 1);
        writeFile(file, "12345\r\nan older, longer file\r\n"); // replaced, not appended to
        newFrame();
        showActive(frame->system());
        for (int i = 0; i < row.tabs; ++i)
            key(Qt::Key_Tab);
        key(row.key);
        EXPECT_EQ(readFile(file), QByteArray(row.bytes));
        EXPECT_EQ(frame->shared().SystemChoice, row.chosen);
        EXPECT_FALSE(frame->isSystemLoaded());
        ASSERT_TRUE(saleWindowShown());
        EXPECT_EQ(frame->boxBasic().List2->item(0), row.firstProduct);
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
}

TEST_F(ChoiceWindow, AMissingFolderIsToldAndTheWindowStaysForAnotherTry) {
    ASSERT_TRUE(QDir(QFileInfo(choiceFile(true)).path()).removeRecursively());
    frmSystem& w = frame->system();
    w.show();
    QTest::mouseClick(w.cmdSystem[1], Qt::LeftButton);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, "Sistema operativo incompatible, intente de nuevo.");
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(frame->shared().SystemChoice, 1); // kept, as chosen
    EXPECT_TRUE(choiceWindowShown());
    EXPECT_FALSE(frame->isBoxBasicLoaded());

    QTest::mouseClick(w.cmdSystem[0], Qt::LeftButton);
    EXPECT_EQ(readFile(choiceFile(false)), QByteArray(" 0 \r\n"));
    EXPECT_TRUE(saleWindowShown());
    EXPECT_FALSE(frame->isSystemLoaded());
    EXPECT_EQ(dialogs.shown.size(), 1);
}

} // namespace
} // namespace tallimo
