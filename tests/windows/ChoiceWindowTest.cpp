#include "WindowFixture.h"

#include <QToolButton>

namespace tallimo {

class ChoiceWindow : public WindowTest {
  protected:
    void SetUp() override { WindowTest::SetUp(), twoLayouts(), frame->system().show(); }
};

// The keyboard alone can choose: the focus starts on the right-hand button. The choice replaces
// the file in the chosen layout's folder, and the sale window reads that layout's price list.
TEST_F(ChoiceWindow, EachButtonWritesItsIndexInItsLayoutsFolder) {
    for (const char* keys : {"\r", "\n", "\t "}) {
        SCOPED_TRACE(keys);
        const bool english = keys[0] != '\t';
        write(choiceFile(english), "12345\r\nan older, longer file\r\n");
        newFrame();
        showActive(frame->system());
        type(keys);
        EXPECT_EQ(fileBytes(choiceFile(english)),
                  test::golden(english ? "choice_1.txt" : "choice_0.txt"));
        EXPECT_EQ(frame->shared().SystemChoice, english ? 1 : 0);
        EXPECT_FALSE(frame->isSystemLoaded());
        ASSERT_TRUE(saleWindowShown());
        EXPECT_EQ(frame->boxBasic().List2->item(0), english ? "Bread $3" : "Pan $2");
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
}

// A missing folder is told and the window stays for another try.
TEST_F(ChoiceWindow, AMissingFolderIsToldAndTheWindowStaysForAnotherTry) {
    ASSERT_TRUE(QDir(root() + "/Program Files").removeRecursively());
    clickAt(frame->system().cmdSystem[1]);
    EXPECT_EQ(dialogs.shown,
              QStringList{"Exclamation: Sistema operativo incompatible, intente de nuevo."});
    EXPECT_EQ(frame->shared().SystemChoice, 1); // kept, as chosen
    EXPECT_TRUE(choiceWindowShown() && !frame->isBoxBasicLoaded());
    clickAt(frame->system().cmdSystem[0]);
    EXPECT_EQ(fileBytes(choiceFile(false)), " 0 \r\n");
    EXPECT_TRUE(saleWindowShown());
    EXPECT_EQ(dialogs.shown.size(), 1);
}

} // namespace tallimo
