#include "WindowFixture.h"

#include <QKeyEvent>

namespace tallimo {
using TypingSpeed = WindowTest;

// With the scanner's filter on, a person's quick keys act as typed: a quantity and Enter rings
// up a line; a letter that moves the focus takes the keys typed right after it along.
TEST_F(TypingSpeed, QuickKeysOfAPersonActAsTyped) {
    open("Pan dulce $4.5\r\nRefresco $12.5\r\n");
    w->List2->setSelectedIndex(0);
    ulong at = 1000;
    for (const char c : std::string("2\rbref")) { // 12 ms apart, to whatever has the focus
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, c == '\r' ? Qt::Key_Return : toupper(c), {}, QString(QChar(c)));
            event.setTimestamp(at += 6);
            QCoreApplication::sendEvent(focused(), &event);
        }
    }
    QTest::qWait(80); // beyond the pause a scanner leaves
    EXPECT_EQ(w->List1->items(), QStringList{"2 x Pan dulce de $4.50 = $9.00"});
    EXPECT_EQ(focused(), w->txtDato4);
    EXPECT_EQ(w->txtDato4->text(), "ref");
    EXPECT_EQ(w->List2->selectedIndex(), 1);
}

} // namespace tallimo
