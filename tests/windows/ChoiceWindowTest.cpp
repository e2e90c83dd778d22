#include "StartupFixture.h"

#include <QToolButton>

namespace tallimo {
namespace {

using ChoiceWindow = StartupTest;

TEST_F(ChoiceWindow, EachNoteNamesItsButtonsFolderInQuotes)
{
    frmSystem& w = frame->system();
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    const struct {
        QToolButton* button;
        Label* note;
        const char* caption;
        const char* text;
    } rows[] = {
        {w.cmdSystem[0], w.Label2, "En español", "Para \"C:\\Archivos de programa\""},
        {w.cmdSystem[1], w.Label3, "U otra versión", "Para \"C:\\Program Files\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.button->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(row.note->text(), row.text);
        EXPECT_EQ(row.note->x(), row.button->x()); // beneath it
        EXPECT_EQ(row.button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    }
    EXPECT_LT(w.cmdSystem[0]->x(), w.cmdSystem[1]->x());
}

TEST_F(ChoiceWindow, EachButtonWritesItsIndexInItsLayoutsFolder)
{
    const struct {
        int index;
        QString file;
        const char* bytes;
        const char* firstProduct;
    } rows[] = {
        {0, spanishPrograms() + "/TLMSystem.txt", " 0 \r\n", "Pan $2"},
        {1, englishPrograms() + "/TLMSystem.txt", " 1 \r\n", "Bread $3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        writeFile(row.file, "12345\r\nan older, longer file\r\n"); // replaced, not appended to
        newFrame();
        frmSystem& w = frame->system();
        w.show();
        QTest::mouseClick(w.cmdSystem[row.index], Qt::LeftButton);

        EXPECT_EQ(readFile(row.file), QByteArray(row.bytes));
        EXPECT_EQ(frame->SystemChoice, row.index);
        EXPECT_FALSE(frame->isSystemLoaded());
        ASSERT_TRUE(saleWindowShown());
        EXPECT_EQ(frame->boxBasic().List2->item(0), row.firstProduct);
        EXPECT_TRUE(dialogs.shown.isEmpty());
        EXPECT_FALSE(ended);
    }
}

TEST_F(ChoiceWindow, AMissingFolderIsToldAndTheWindowStaysForAnotherTry)
{
    ASSERT_TRUE(QDir(englishPrograms()).removeRecursively());
    frmSystem& w = frame->system();
    w.show();
    QTest::mouseClick(w.cmdSystem[1], Qt::LeftButton);

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, "Sistema operativo incompatible, intente de nuevo.");
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(dialogs.shown[0].buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(dialogs.shown[0].title, "Tallimo");
    EXPECT_EQ(frame->SystemChoice, 1); // kept, as chosen
    EXPECT_TRUE(choiceWindowShown());
    EXPECT_FALSE(frame->isBoxBasicLoaded());

    QTest::mouseClick(w.cmdSystem[0], Qt::LeftButton);
    EXPECT_EQ(readFile(spanishPrograms() + "/TLMSystem.txt"), QByteArray(" 0 \r\n"));
    EXPECT_EQ(frame->SystemChoice, 0);
    EXPECT_TRUE(saleWindowShown());
    EXPECT_FALSE(frame->isSystemLoaded());
    EXPECT_EQ(dialogs.shown.size(), 1);
}

TEST_F(ChoiceWindow, TheKeyboardAloneCanChoose)
{
    const struct {
        int tabs;
        Qt::Key key;
        int chosen;
    } rows[] = {
        {0, Qt::Key_Return, 1}, // the focus starts on the right-hand button
        {0, Qt::Key_Enter, 1},
        {1, Qt::Key_Space, 0},
        {1, Qt::Key_Return, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.tabs << " tabs, key " << row.key);
        newFrame();
        frmSystem& w = frame->system();
        showActive(w);
        ASSERT_EQ(QApplication::focusWidget(), w.cmdSystem[1]);
        for (int i = 0; i < row.tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), row.key);
        EXPECT_EQ(frame->SystemChoice, row.chosen);
        EXPECT_TRUE(saleWindowShown());
        EXPECT_FALSE(frame->isSystemLoaded());
    }
}

} // namespace
} // namespace tallimo
