#include "storage/DriveRoot.h"

#include "StorageTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using tallimo::DriveRoot;

namespace {

void touch(const QString& path, const QByteArray& bytes = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(tallimo::test::writeBytes(path, bytes));
}

// Sets one variable for the scope and puts the old value back.
struct ScopedEnv {
    ScopedEnv(const char* name, const QString& value)
        : mName(name), mSet(qEnvironmentVariableIsSet(name)), mOld(qgetenv(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ~ScopedEnv() { mSet ? qputenv(mName, mOld) : qunsetenv(mName); }
    const char* mName;
    bool mSet;
    QByteArray mOld;
};

} // namespace

TEST(DriveRootTest, MapsTypedPaths) {
    TALLIMO_LINUX_ONLY("the drive root and its lookup of names without regard to case");
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char* name : {"Probex2.txt", "LISTA.TXT", "lista.txt", "Lista.txt"})
        touch(root + "/Users/ana/Desktop/" + name);

    // "{root}" stands for the temporary root.
    const std::pair<const char*, const char*> rows[] = {
        {R"(C:\Users\ana\Desktop\probex2.txt)", "{root}/Users/ana/Desktop/Probex2.txt"},
        {R"(c:\USERS\Ana\desktop\Probex2.txt)", "{root}/Users/ana/Desktop/Probex2.txt"},
        {"C:/Users/ana/Desktop/PROBEX2.TXT", "{root}/Users/ana/Desktop/Probex2.txt"},
        // Spelled as it exists wins; otherwise the first match by name.
        {R"(C:\Users\ana\Desktop\lista.txt)", "{root}/Users/ana/Desktop/lista.txt"},
        {R"(C:\Users\ana\Desktop\lista.TXT)", "{root}/Users/ana/Desktop/LISTA.TXT"},
        // Missing: that component and everything after keep their spelling.
        {R"(C:\Users\ana\Desktop\Ventas de 05-12-2026.txt)",
         "{root}/Users/ana/Desktop/Ventas de 05-12-2026.txt"},
        {R"(C:\users\Nadie\DESKTOP\lista.txt)", "{root}/Users/Nadie/DESKTOP/lista.txt"},
        {R"(C:\Users\\ana\.\Desktop\)", "{root}/Users/ana/Desktop"},
        {R"(C:\Users\..\users)", "{root}/Users/../Users"},
        {R"(C:\)", "{root}"},
        {"{root}/users/ANA/Desktop\\probex2.txt", "{root}/Users/ana/Desktop/Probex2.txt"},
    };
    const DriveRoot drive(root + "/");
    for (const auto& [typed, expected] : rows)
        EXPECT_EQ(drive.map(QString::fromUtf8(typed).replace("{root}", root)),
                  QString::fromUtf8(expected).replace("{root}", root))
            << typed;
    const QString rejected[] = {"C:", R"(D:\Users\ana)", R"(\\servidor\precios)", "",
                                QString("C:\\Users\\") + QChar(0) + "\\Desktop"};
    for (const QString& typed : rejected)
        EXPECT_FALSE(drive.map(typed).has_value()) << typed.toStdString();
}

// Long or malformed input is mapped quickly and without a crash.
TEST(DriveRootTest, SurvivesHostileInput) {
    QTemporaryDir dir;
    const DriveRoot drive(dir.path());
    for (const QString& typed :
         {"C:\\" + QString("a\\").repeated(200000), "C:\\" + QString("..\\").repeated(200000) + "x",
          "C:\\" + QString(300000, 'x'), QString::fromUtf16(u"C:\\\xD800\xFFFF\\\xDC00")})
        EXPECT_TRUE(drive.map(typed).has_value()) << typed.left(40).toStdString();
}

// Both desktop folders link to the real desktop when there is one; twice is harmless.
TEST(DriveRootTest, PreparesBothLayouts) {
    TALLIMO_LINUX_ONLY("the drive root's folders and links are Linux's stand-in for C:");
    for (const QString desktopName : {"Escritorio real", "", "no existe"}) {
        QTemporaryDir dir;
        const QString root = dir.path() + "/C";
        const QString desktop = desktopName.isEmpty() ? QString() : dir.path() + "/" + desktopName;
        const bool linked = desktopName == "Escritorio real";
        if (linked)
            QDir().mkpath(desktop);
        for (int call = 0; call < 2; ++call) {
            ASSERT_TRUE(tallimo::prepareDriveRoot(root, "José Núñez", desktop));
            EXPECT_TRUE(QFileInfo(root + "/Archivos de programa").isDir());
            EXPECT_TRUE(QFileInfo(root + "/Program Files").isDir());
            for (const char* tail :
                 {"/Documents and Settings/José Núñez/Escritorio", "/Users/José Núñez/Desktop"}) {
                const QFileInfo info(root + QString::fromUtf8(tail));
                EXPECT_TRUE(info.isDir()) << desktopName.toStdString() << tail;
                EXPECT_EQ(info.symLinkTarget(), linked ? desktop : QString()) << tail;
            }
        }
    }
}

TEST(DriveRootTest, KeepsExistingDesktopFolderAndRefusesUserNamesThatEscape) {
    TALLIMO_LINUX_ONLY("the drive root's folders are Linux's stand-in for C:");
    QTemporaryDir dir;
    const QString root = dir.path() + "/C";
    touch(root + "/Users/ana/Desktop/Lista.txt");
    QDir().mkpath(dir.path() + "/desk");
    ASSERT_TRUE(tallimo::prepareDriveRoot(root, "ana", dir.path() + "/desk"));
    EXPECT_TRUE(QFileInfo::exists(root + "/Users/ana/Desktop/Lista.txt"));
    EXPECT_FALSE(tallimo::prepareDriveRoot(root, "..", {}));
}

TEST(DriveRootTest, FromEnvironment) {
    TALLIMO_LINUX_ONLY("the drive root under $XDG_DATA_HOME");
    // Qt answers $HOME when the user's folder settings put the desktop there;
    // the home folder must never become the desktop folders.
    const struct {
        bool desktopFolder, desktopIsHome, linked;
    } rows[] = {{true, false, true}, {false, false, false}, {true, true, false}};
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const QString home = dir.path() + "/home";
        QDir().mkpath(home + (row.desktopFolder ? "/Desktop" : ""));
        if (row.desktopIsHome)
            touch(dir.path() + "/config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME\"\n");
        const ScopedEnv env[] = {{"HOME", home},
                                 {"XDG_CONFIG_HOME", dir.path() + "/config"},
                                 {"XDG_DATA_HOME", dir.path() + "/data"},
                                 {"TALLIMO_ROOT", ""}};
        const QString root = dir.path() + "/data/tallimo/C";
        EXPECT_EQ(DriveRoot::fromEnvironment("ana").directory(), root);
        const QFileInfo desktop(root + "/Users/ana/Desktop");
        SCOPED_TRACE(testing::Message() << row.desktopFolder << row.desktopIsHome);
        EXPECT_TRUE(desktop.isDir());
        EXPECT_EQ(desktop.symLinkTarget(), row.linked ? home + "/Desktop" : QString());

        // A root that is given is used as it is, with nothing created.
        const ScopedEnv given("TALLIMO_ROOT", dir.path() + "/elegida");
        EXPECT_EQ(DriveRoot::fromEnvironment("ana").directory(), dir.path() + "/elegida");
        EXPECT_FALSE(QFileInfo::exists(dir.path() + "/elegida"));
    }
}

#ifdef _WIN32
// The real drives: Windows finds a name in any case, and another drive is
// where it is; $TALLIMO_ROOT may still stand for "C:\".
TEST(DriveRootTest, OnWindowsUsesTheRealDrives) {
    QTemporaryDir dir;
    touch(dir.path() + "/Users/ana/Desktop/Probex2.txt");
    const DriveRoot drive(QDir::toNativeSeparators(dir.path()));
    EXPECT_TRUE(QFileInfo(drive.map(R"(C:\USERS\ana\desktop\PROBEX2.TXT)").value()).isFile());
    EXPECT_EQ(drive.map(R"(D:\Listas\probex2.txt)"), "D:/Listas/probex2.txt");
    EXPECT_FALSE(drive.map("/tmp/Lista.txt"));
    const ScopedEnv unset("TALLIMO_ROOT", "");
    EXPECT_EQ(DriveRoot::fromEnvironment("ana").map(R"(C:\Windows)"), "C:/Windows");
}
#endif
