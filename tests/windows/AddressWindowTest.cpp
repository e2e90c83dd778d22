#include "WindowFixture.h"

#include "windows/frmAddress.h"

namespace tallimo {

// The sale window with the price list "Pan $2", and the address window opened from it by Escape.
class AddressWindow : public WindowTest {
  protected:
    frmAddress* a = nullptr;

    // Then types `address` over the proposed one, when given; "<root>" is the drive root.
    void openAddress(const char* address = nullptr) {
        open("Pan $2\r\n");
        dialogs.shown.clear();
        type("\x1b");
        ASSERT_TRUE(frame->isAddressLoaded());
        a = &frame->address();
        showActive(*a);
        ASSERT_EQ(focused(), a->txtAddress);
        if (address)
            type("\x7f" + QString(address).replace("<root>", root()));
    }
    // Told once; a list loaded (lines joined by "|") closes the window, none keeps it for a retry.
    void expectOutcome(const char* loaded) {
        EXPECT_EQ(dialogs.shown,
                  QStringList{loaded ? "Information: La dirección es válida, pero recuerde que el "
                                       "acceso a esta dirección es solamente temporal."
                                     : "Critical: La dirección no es válida, intente nuevamente."});
        EXPECT_EQ(w->List2->items().join("|"), loaded ? loaded : "Pan $2");
        EXPECT_EQ(frame->isAddressLoaded(), !loaded);
        EXPECT_EQ(w->isEnabled(), !!loaded);
    }
};

// Names are matched without regard to case; Enter and "Cambiar" both load.
TEST_F(AddressWindow, AddressForms) {
    // The address; a file under the drive root (a folder when it ends with "/"); whether
    // "Cambiar" is clicked; what is loaded (nullptr: not a valid address).
    const std::tuple<const char*, const char*, bool, const char*> rows[] = {
        {"C:\\Users\\cajera\\Desktop", "Users/cajera/Desktop/probex2.txt", true, "Uno $1||Dos $2"},
        {"c:\\USERS\\Cajera\\desktop\\", "Users/cajera/Desktop/PROBEX2.TXT", false,
         "Uno $1||Dos $2"},
        {"<root>/Otra carpeta/", "Otra carpeta/Probex2.TXT", false, "Uno $1||Dos $2"},
        {"C:\\Vacía", "Vacía/probex2.txt", false, ""}, // an empty file
        {"D:\\Users\\cajera\\Desktop", "Users/cajera/Desktop/probex2.txt", true, nullptr},
        {"C:\\Users\\cajera", "Users/cajera/Desktop/probex2.txt", false, nullptr},
        {"C:\\Carpeta", "Carpeta/probex2.txt/", true, nullptr},
    };
    for (const auto& [address, name, click, loaded] : rows) {
        SCOPED_TRACE(address);
        const QString file = root() + "/" + QString::fromUtf8(name);
        file.endsWith('/') ? void(QDir().mkpath(file))
                           : write(file, loaded && !*loaded ? "" : "Uno $1\r\n\r\nDos $2");
        openAddress(address);
        click ? clickAt(a->lblChange) : type("\r");
        expectOutcome(loaded);
    }
}

// The newer desktop is proposed selected whole; a failure keeps what was typed for another try.
TEST_F(AddressWindow, AFailureKeepsTheAddressForAnotherTry) {
    write(desktop() + "/probex2.txt", "Tres $3\r\n");
    openAddress();
    EXPECT_EQ(a->txtAddress->selectedText(), "C:\\Users\\cajera\\Desktop");
    type("\x7f"
         "C:\\Documents and Settings\\cajera\\Escritori\r");
    expectOutcome(nullptr);
    dialogs.shown.clear();
    type("o\r"); // the cashier corrects it in place; Enter typed nothing
    expectOutcome("Tres $3");
}

// Closing it loads nothing; ending the program runs no unload handler: a sale left open gets no
// total line.
TEST_F(AddressWindow, TheCloseBoxLoadsNothingAndGivesTheSaleWindowBack) {
    openAddress();
    EXPECT_FALSE(w->close()); // the sale window cannot close under it
    a->close();
    EXPECT_FALSE(frame->isAddressLoaded());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_FALSE(ended);
    openAddress();
    w->ActFactura();
    frame->endProgram();
    EXPECT_FALSE(frame->anyWindowLoaded()); // the sale window not loaded again to be enabled
    EXPECT_TRUE(ended);
    EXPECT_EQ(fileBytes(salesFile()), "1 x Producto de $0.00 = $0.00\r\n\r\n");
}

} // namespace tallimo
