#include "WindowFixture.h"

#include "windows/frmAddress.h"

#include <optional>

namespace tallimo {
namespace {

// The sale window with the price list "Pan $2", and the address window opened from it by Escape.
class AddressWindow : public WindowTest {
  protected:
    frmAddress* a = nullptr;

    void openAddress() {
        open("Pan $2\r\n");
        key(Qt::Key_Escape);
        ASSERT_TRUE(frame->isAddressLoaded());
        a = &frame->address();
        showActive(*a);
        ASSERT_EQ(focused(), a->txtAddress);
        EXPECT_FALSE(w->isEnabled());
    }
    void typeAddress(const QString& address) {
        a->txtAddress->selectAll();
        key(Qt::Key_Delete);
        type(address);
    }
    // The address window closed itself after the success message.
    void expectLoaded(const QStringList& items) {
        EXPECT_EQ(w->List2->items(), items);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].text,
                  QString::fromUtf8("La dirección es válida, pero recuerde que "
                                    "el acceso a esta dirección es solamente temporal."));
        EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Information);
        EXPECT_FALSE(frame->isAddressLoaded());
        EXPECT_TRUE(w->isEnabled());
    }
};

// Names are matched without regard to case; Enter and "Cambiar" both load.
TEST_F(AddressWindow, AddressForms) {
    const QStringList found = {"Uno $1", "", "Dos $2"};
    const struct {
        const char* address; // "<root>" is the drive root as a Linux path
        const char* file;    // under the drive root; a folder when it ends with "/"
        bool click;
        std::optional<QStringList> items; // none: not a valid address
    } rows[] = {
        {"C:\\Users\\cajera\\Desktop", "Users/cajera/Desktop/probex2.txt", true, found},
        {"C:\\Users\\cajera\\Desktop\\", "Users/cajera/Desktop/PROBEX2.TXT", false, found},
        {"c:\\USERS\\Cajera\\desktop\\", "Users/cajera/Desktop/Probex2.txt", true, found},
        {"<root>/Otra carpeta/", "Otra carpeta/Probex2.TXT", false, found},
        {"C:\\Vacía", "Vacía/probex2.txt", false, QStringList{}}, // empty file
        {"", "Users/cajera/Desktop/probex2.txt", false, std::nullopt},
        {"Users\\cajera\\Desktop", "Users/cajera/Desktop/probex2.txt", false, std::nullopt},
        {"D:\\Users\\cajera\\Desktop", "Users/cajera/Desktop/probex2.txt", true, std::nullopt},
        {"C:\\Users\\cajera", "Users/cajera/Desktop/probex2.txt", false, std::nullopt},
        {"C:\\Users\\cajera\\Desktop", "Users/cajera/Desktop/probex2.txt/", true, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.address);
        const QString file = dir.path() + "/" + QString::fromUtf8(row.file);
        QDir().mkpath(file.endsWith('/') ? file : QFileInfo(file).path());
        if (!file.endsWith('/'))
            writeFile(file, row.items && row.items->isEmpty() ? "" : "Uno $1\r\n\r\nDos $2");
        dialogs.shown.clear();
        openAddress();
        typeAddress(QString::fromUtf8(row.address).replace("<root>", dir.path()));
        if (row.click)
            QTest::mouseClick(a->lblChange, Qt::LeftButton);
        else
            key(Qt::Key_Return);
        if (row.items) {
            expectLoaded(*row.items);
        } else {
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.shown[0].text,
                      QString::fromUtf8("La dirección no es válida, intente nuevamente."));
            EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Critical);
            EXPECT_EQ(w->List2->items(), QStringList{"Pan $2"});
            EXPECT_TRUE(frame->isAddressLoaded());
            EXPECT_FALSE(w->isEnabled());
        }
        frame.reset();
        for (const QString& folder : QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (folder != "Documents and Settings")
                QDir(dir.path() + "/" + folder).removeRecursively();
    }
}

// The newer desktop is proposed selected whole; a failure keeps what was typed for another try.
TEST_F(AddressWindow, AFailureKeepsTheAddressForAnotherTry) {
    writeFile(desktop() + "/probex2.txt", "Tres $3\r\n");
    openAddress();
    EXPECT_EQ(a->txtAddress->selectedText(), "C:\\Users\\cajera\\Desktop");
    typeAddress("C:\\Documents and Settings\\cajera\\Escritori");
    key(Qt::Key_Return);
    EXPECT_EQ(a->txtAddress->text(), "C:\\Documents and Settings\\cajera\\Escritori");
    EXPECT_EQ(dialogs.shown.size(), 1);
    type("o"); // the cashier corrects it in place; Enter typed nothing
    dialogs.shown.clear();
    key(Qt::Key_Return);
    expectLoaded({"Tres $3"});
}

// Closing it loads nothing; ending the program runs no unload handler.
TEST_F(AddressWindow, TheCloseBoxLoadsNothingAndGivesTheSaleWindowBack) {
    openAddress();
    EXPECT_FALSE(w->close()); // the sale window cannot close under it
    a->close();
    EXPECT_FALSE(frame->isAddressLoaded());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(w->List2->items(), QStringList{"Pan $2"});
    EXPECT_TRUE(dialogs.shown.isEmpty());
    QTest::qWait(10);
    EXPECT_FALSE(ended);

    openAddress();
    frame->endProgram();
    EXPECT_FALSE(frame->isAddressLoaded());
    EXPECT_FALSE(frame->isBoxBasicLoaded()); // not loaded again to be enabled
    EXPECT_TRUE(ended);
}

} // namespace
} // namespace tallimo
