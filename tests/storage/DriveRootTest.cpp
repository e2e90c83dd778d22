#include "storage/DriveRoot.h"
#include "storage/Paths.h"
#include "storage/PriceList.h"

#include "support/GTestHelpers.h"

#include <QTemporaryDir>

#include <tuple>

using namespace tallimo;
using namespace tallimo::paths;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

namespace {

// Sets one variable for the scope and puts the old value back.
struct ScopedEnv {
    ScopedEnv(const char* name, const QString& value) : name(name) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() { wasSet ? qputenv(name, old) : qunsetenv(name); }
    const char* name;
    bool wasSet = qEnvironmentVariableIsSet(name);
    QByteArray old = qgetenv(name);
};

} // namespace

// "{root}" stands for the temporary root.
TEST(DriveRootTest, MapsTypedPathsWithoutRegardToCase) {
    TALLIMO_LINUX_ONLY("the drive root and its lookup of names without regard to case");
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char* name : {"Probex2.txt", "LISTA.TXT", "lista.txt", "Lista.txt"})
        ASSERT_TRUE(writeBytes(root + "/Users/ana/Desktop/" + name, {}));

    const std::pair<QString, QString> rows[] = {
        {R"(c:\USERS\Ana\desktop\Probex2.txt)", "{root}/Users/ana/Desktop/Probex2.txt"},
        {R"(C:/users//ANA/.\Desktop\\\PROBEX2.TXT)", "{root}/Users/ana/Desktop/Probex2.txt"},
        // Spelled as it exists wins; otherwise the first match by name.
        {R"(C:\Users\ana\Desktop\lista.txt)", "{root}/Users/ana/Desktop/lista.txt"},
        {R"(C:\Users\ana\Desktop\lista.TXT)", "{root}/Users/ana/Desktop/LISTA.TXT"},
        // Missing: that component and everything after keep their spelling.
        {R"(C:\users\Nadie\DESKTOP\lista.txt)", "{root}/Users/Nadie/DESKTOP/lista.txt"},
        {R"(C:\Users\..\users\\)", "{root}/Users/../Users"},
        {R"(C:\)", "{root}"},
        {"{root}/users/ANA/Desktop\\probex2.txt", "{root}/Users/ana/Desktop/Probex2.txt"},
    };
    const DriveRoot drive(root + "/");
    for (const auto& [typed, expected] : rows)
        EXPECT_EQ(drive.map(QString(typed).replace("{root}", root)),
                  QString(expected).replace("{root}", root))
            << printable(typed);
    for (const QString& typed :
         {QString("C:"), QString(R"(D:\Users\ana)"), QString(R"(\\servidor\precios)"), QString(),
          "C:\\Users\\" + QString(QChar(0)) + "\\Desktop"})
        EXPECT_EQ(drive.map(typed), std::nullopt) << printable(typed);
}

// Where a fixed folder is not there as written, it is found where the machine
// keeps it; the desktop's files follow a moved desktop. Nothing else changes.
TEST(DriveRootTest, FixedFoldersFoundWhereTheMachineKeepsThem) {
    QTemporaryDir dir;
    for (const char* folder :
         {"en/Program Files", "en/Users/P/Desktop", "en/Users/P/One", "es/Archivos de programa",
          "es/Documents and Settings/ana/Escritorio", "es/Users/ana/Desktop"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(folder));
    // Drive, desktop under the profile "Users/P", typed path after "C:\", where it leads.
    const char* rows[][4] = {
        {"en", "Desktop", R"(Archivos de programa\T)", "pf/T"},
        {"en", "Desktop", R"(Documents and Settings\ana\Escritorio\L)", "en/Users/P/Desktop/L"},
        {"en", "Desktop", R"(Users\ana\Desktop\L)", "en/Users/P/Desktop/L"},
        {"en", "Desktop", R"(Documents and Settings\ana\Mis documentos)",
         "en/Users/P/Mis documentos"},
        {"en", "Desktop", R"(Users\luis\Desktop\L)", "en/Users/luis/Desktop/L"},
        {"en", "One", R"(Users\ana\Desktop\L)", "en/Users/P/One/L"},
        {"es", "Desktop", R"(Archivos de programa\T)", "es/Archivos de programa/T"},
        {"es", "Desktop", R"(Users\ana\Desktop\L)", "es/Users/ana/Desktop/L"},
        {"es", "One", R"(Documents and Settings\ana\Escritorio\L)", "es/Users/P/One/L"}};
    for (const auto& [drive, desktop, typed, expected] : rows) {
        const QString profile = dir.filePath(drive + u"/Users/P"_s);
        const KnownFolders known{"ANA", dir.filePath("pf"), profile, profile + "/" + desktop};
        EXPECT_EQ(DriveRoot(dir.filePath(drive), known).map(u"C:\\"_s + typed),
                  dir.filePath(expected))
            << drive << " " << desktop << " " << typed;
    }
}

// Typed folders that lead to no list (a fullwidth "ｃ" and a file among them):
// no crash, no hang, and nothing is read.
TEST(DriveRootTest, AddressesThatLeadNowhere) {
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath("Precios/probex2.txt"), "Pan $10\r\n"));
    const QString typed[] = {R"(C:\Precios\probex2.txt)",
                             u"ｃ:\\Precios"_s,
                             "C:\\" + QString("a\\").repeated(200000),
                             "C:\\" + QString("..\\").repeated(200000) + "x",
                             QString::fromUtf16(u"C:\\\xD800\xFFFF\\\xDC00"),
                             "/dev/zero\\"};
    for (const QString& address : typed) {
        const std::optional<QString> mapped =
            DriveRoot(dir.path()).map(paths::addressFilePath(address));
        EXPECT_FALSE(mapped && readPriceList(*mapped)) << printable(address.left(80));
    }
}

// Both layouts' desktop folders link to the user's desktop when there is one
// other than the home folder (Qt answers $HOME when the user's folder settings
// put the desktop there), else are folders of their own; twice is harmless.
TEST(DriveRootTest, PreparedFromTheEnvironment) {
    TALLIMO_LINUX_ONLY("the drive root's folders and links are Linux's stand-in for C:");
    const std::tuple<const char*, bool, bool, bool> rows[] = {
        {"desktop", true, false, true},
        {"no desktop", false, false, false},
        {"desktop is home", true, true, false}};
    for (const auto& [name, desktopFolder, desktopIsHome, linked] : rows) {
        SCOPED_TRACE(name);
        QTemporaryDir dir;
        const QString home = dir.path() + "/home";
        QDir().mkpath(home + (desktopFolder ? "/Desktop" : ""));
        if (desktopIsHome)
            writeBytes(dir.path() + "/config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME\"\n");
        const ScopedEnv env[] = {{"HOME", home},
                                 {"XDG_CONFIG_HOME", dir.path() + "/config"},
                                 {"XDG_DATA_HOME", dir.path() + "/data"},
                                 {"TALLIMO_ROOT", ""}};
        const QString root = dir.path() + "/data/tallimo/C";
        for (int call = 0; call < 2; ++call) {
            EXPECT_EQ(DriveRoot::fromEnvironment("José Núñez").directory(), root);
            EXPECT_TRUE(QFileInfo(root + "/Archivos de programa").isDir());
            EXPECT_TRUE(QFileInfo(root + "/Program Files").isDir());
            for (const char* tail :
                 {"/Documents and Settings/José Núñez/Escritorio", "/Users/José Núñez/Desktop"}) {
                const QFileInfo desktop(root + QString::fromUtf8(tail));
                EXPECT_TRUE(desktop.isDir()) << tail;
                EXPECT_EQ(desktop.symLinkTarget(), linked ? home + "/Desktop" : QString()) << tail;
            }
        }
    }
}

TEST(DriveRootTest, KeepsAnExistingDesktopFolderAndRefusesUserNamesThatEscape) {
    TALLIMO_LINUX_ONLY("the drive root's folders are Linux's stand-in for C:");
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.path() + "/C/Users/ana/Desktop/Lista.txt", {}));
    QDir().mkpath(dir.path() + "/desk");
    ASSERT_TRUE(prepareDriveRoot(dir.path() + "/C", "ana", dir.path() + "/desk"));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/C/Users/ana/Desktop/Lista.txt"));
    EXPECT_FALSE(prepareDriveRoot(dir.path() + "/C", "..", {}));
}

// Only choice 0 picks the older Spanish layout; user names go in unchanged. A
// folder typed with a final "\" gets "Probex2.txt", without one "\probex2.txt".
// In a file name's date slashes become hyphens; all else follows the user's format.
TEST(PathsTest, LayoutAddressAndDateStrings) {
    // Choice, user, desktop folder and programs folder.
    const std::tuple<qint16, QString, QString, QString> rows[] = {
        {0, u"José Núñez"_s, uR"(C:\Documents and Settings\José Núñez\Escritorio)"_s,
         uR"(C:\Archivos de programa)"_s},
        {1, u"José Núñez"_s, uR"(C:\Users\José Núñez\Desktop)"_s, uR"(C:\Program Files)"_s},
        {-1, u" x "_s, uR"(C:\Users\ x \Desktop)"_s, uR"(C:\Program Files)"_s}};
    for (const auto& [choice, user, desktop, programs] : rows) {
        SCOPED_TRACE(choice);
        EXPECT_EQ(priceListPath(choice, user), desktop + uR"(\Lista.txt)"_s);
        EXPECT_EQ(salesFilePath(choice, user, u"05-12-2026"_s),
                  desktop + uR"(\Ventas de 05-12-2026.txt)"_s);
        EXPECT_EQ(choiceFilePath(choice), programs + uR"(\TLMSystem.txt)"_s);
        EXPECT_EQ(createFailureMessage(choice, user),
                  u"No se puede crear el archivo, la dirección: "_s + desktop + u" no existe."_s);
    }
    EXPECT_EQ(proposedAddress(u"José Núñez"_s), uR"(C:\Users\José Núñez\Desktop)"_s);
    EXPECT_EQ(addressFilePath(uR"(C:\Users\ana\)"_s), uR"(C:\Users\ana\Probex2.txt)"_s);
    EXPECT_EQ(addressFilePath(u"/home/ana"_s), uR"(/home/ana\probex2.txt)"_s);
    EXPECT_EQ(fileNameDate(QDate(2026, 1, 9), u"dd//MM/yyyy"_s), u"09--01-2026"_s);
    EXPECT_EQ(fileNameDate(QDate(2026, 1, 9), u"d.M.yy"_s), u"9.1.26"_s);
}

#ifdef _WIN32
// The real drives: Windows finds a name in any case, and another drive is
// where it is; $TALLIMO_ROOT may still stand for "C:\".
TEST(DriveRootTest, OnWindowsUsesTheRealDrives) {
    QTemporaryDir dir;
    writeBytes(dir.path() + "/Users/ana/Desktop/Probex2.txt", {});
    const DriveRoot drive(QDir::toNativeSeparators(dir.path()));
    EXPECT_TRUE(QFileInfo(drive.map(R"(C:\USERS\ana\desktop\PROBEX2.TXT)").value()).isFile());
    EXPECT_EQ(drive.map(R"(D:\Listas\probex2.txt)"), "D:/Listas/probex2.txt");
    EXPECT_FALSE(drive.map("/tmp/Lista.txt"));
    const ScopedEnv unset("TALLIMO_ROOT", "");
    EXPECT_EQ(DriveRoot::fromEnvironment("ana").map(R"(C:\Windows)"), "C:/Windows");
}
#endif
