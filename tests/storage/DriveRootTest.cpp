#include "storage/DriveRoot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using tallimo::DriveRoot;

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// Sets variables for one test and puts the old values back.
class EnvGuard {
public:
    void set(const char* name, const QString& value)
    {
        if (mOld.count(name) == 0)
            mOld[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        qputenv(name, value.toLocal8Bit());
    }
    ~EnvGuard()
    {
        for (const auto& [name, old] : mOld)
            old ? qputenv(name.c_str(), *old) : qunsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<QByteArray>> mOld;
};

} // namespace

TEST(DriveRootTest, MapsTypedPaths)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    touch(root + "/Users/ana/Desktop/Probex2.txt");
    touch(root + "/Users/ana/Desktop/LISTA.TXT");
    touch(root + "/Users/ana/Desktop/lista.txt");
    touch(root + "/Users/ana/Desktop/Lista.txt");
    touch(root + "/Program Files/tlmsystem.TXT");
    touch(root + "/Program Files/TLMSystem.txt");

    // "{root}" stands for the temporary root; an empty result means nullopt.
    const struct {
        const char* typed;
        const char* expected;
    } rows[] = {
        {R"(C:\Users\ana\Desktop\probex2.txt)", "{root}/Users/ana/Desktop/Probex2.txt"},
        {R"(c:\USERS\Ana\desktop\Probex2.txt)", "{root}/Users/ana/Desktop/Probex2.txt"},
        {"C:/Users/ana/Desktop/PROBEX2.TXT", "{root}/Users/ana/Desktop/Probex2.txt"},
        // Spelled as it exists wins; otherwise the first match by name.
        {R"(C:\Users\ana\Desktop\lista.txt)", "{root}/Users/ana/Desktop/lista.txt"},
        {R"(C:\Users\ana\Desktop\lista.TXT)", "{root}/Users/ana/Desktop/LISTA.TXT"},
        {R"(C:\program files\TLMSYSTEM.TXT)", "{root}/Program Files/TLMSystem.txt"},
        // Missing: that component and everything after keep their spelling.
        {R"(C:\Users\ana\Desktop\Ventas de 05-12-2026.txt)",
         "{root}/Users/ana/Desktop/Ventas de 05-12-2026.txt"},
        {R"(C:\users\Nadie\DESKTOP\lista.txt)", "{root}/Users/Nadie/DESKTOP/lista.txt"},
        {R"(C:\Users\\ana\.\Desktop\)", "{root}/Users/ana/Desktop"},
        {R"(C:\Users\..\users)", "{root}/Users/../Users"},
        {R"(C:\)", "{root}"},
        {"{root}/users/ANA/Desktop\\probex2.txt", "{root}/Users/ana/Desktop/Probex2.txt"},
        {"/", "/"},
        {"C:", ""},
        {R"(Users\ana)", ""},
        {R"(D:\Users\ana)", ""},
        {R"(\\servidor\precios)", ""},
        {"", ""},
    };
    const DriveRoot drive(root + "/");
    for (const auto& row : rows) {
        const QString typed = QString::fromUtf8(row.typed).replace("{root}", root);
        SCOPED_TRACE(typed.toStdString());
        const std::optional<QString> mapped = drive.map(typed);
        if (*row.expected == '\0') {
            EXPECT_FALSE(mapped.has_value());
        } else {
            ASSERT_TRUE(mapped.has_value());
            EXPECT_EQ(*mapped, QString::fromUtf8(row.expected).replace("{root}", root));
        }
    }
}

TEST(DriveRootTest, SurvivesHostileInput)
{
    QTemporaryDir dir;
    const DriveRoot drive(dir.path());
    const QString rows[] = {
        "C:\\" + QString("a\\").repeated(200000),
        "C:\\" + QString("..\\").repeated(200000) + "x",
        "C:\\" + QString(".\\").repeated(200000),
        "C:\\" + QString(300000, 'x'),
        QString("C:\\Users\\") + QChar(0) + "\\Desktop",
        QString("C:\\") + QChar(0xD800) + QChar(0xFFFF) + "\\" + QChar(0xDC00),
        "/" + QString("\\").repeated(100000),
    };
    for (const QString& typed : rows) {
        SCOPED_TRACE(typed.left(40).toStdString());
        const std::optional<QString> mapped = drive.map(typed);
        if (typed.contains(QChar(0)))
            EXPECT_FALSE(mapped.has_value());
        else
            EXPECT_TRUE(mapped.has_value());
    }
}

TEST(DriveRootTest, PreparesBothLayouts)
{
    const QStringList desktops = {"Escritorio real", "", "no existe"};
    for (const QString& desktopName : desktops) {
        SCOPED_TRACE(desktopName.toStdString());
        QTemporaryDir dir;
        const QString root = dir.path() + "/C";
        QString desktop;
        if (!desktopName.isEmpty()) {
            desktop = dir.path() + "/" + desktopName;
            if (desktopName != "no existe")
                QDir().mkpath(desktop);
        }
        const bool linked = QFileInfo(desktop).isDir() && !desktop.isEmpty();
        for (int call = 0; call < 2; ++call) {
            ASSERT_TRUE(tallimo::prepareDriveRoot(root, "José Núñez", desktop));
            EXPECT_TRUE(QFileInfo(root + "/Archivos de programa").isDir());
            EXPECT_TRUE(QFileInfo(root + "/Program Files").isDir());
            for (const char* tail : {"/Documents and Settings/José Núñez/Escritorio",
                                     "/Users/José Núñez/Desktop"}) {
                const QFileInfo info(root + QString::fromUtf8(tail));
                EXPECT_TRUE(info.isDir());
                EXPECT_EQ(info.isSymLink(), linked);
                if (linked) {
                    EXPECT_EQ(info.symLinkTarget(), QFileInfo(desktop).absoluteFilePath());
                }
            }
        }
    }
}

TEST(DriveRootTest, KeepsExistingDesktopFolder)
{
    QTemporaryDir dir;
    const QString root = dir.path() + "/C";
    touch(root + "/Users/ana/Desktop/Lista.txt");
    QDir().mkpath(dir.path() + "/desk");
    ASSERT_TRUE(tallimo::prepareDriveRoot(root, "ana", dir.path() + "/desk"));
    EXPECT_FALSE(QFileInfo(root + "/Users/ana/Desktop").isSymLink());
    EXPECT_TRUE(QFileInfo::exists(root + "/Users/ana/Desktop/Lista.txt"));
    EXPECT_TRUE(QFileInfo(root + "/Documents and Settings/ana/Escritorio").isSymLink());
    EXPECT_FALSE(tallimo::prepareDriveRoot(root, "..", {}));
}

TEST(DriveRootTest, FromEnvironment)
{
    // Qt answers $HOME when the user's folder settings put the desktop there;
    // the home folder must never become the desktop folders.
    const struct {
        bool desktopFolder;
        bool desktopIsHome;
        bool linked;
    } rows[] = {{true, false, true}, {false, false, false}, {true, true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.desktopFolder);
        SCOPED_TRACE(row.desktopIsHome);
        QTemporaryDir dir;
        const QString home = dir.path() + "/home";
        QDir().mkpath(row.desktopFolder ? home + "/Desktop" : home);
        if (row.desktopIsHome) {
            QDir().mkpath(dir.path() + "/config");
            QFile dirs(dir.path() + "/config/user-dirs.dirs");
            ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
            dirs.write("XDG_DESKTOP_DIR=\"$HOME\"\n");
        }
        EnvGuard env;
        env.set("HOME", home);
        env.set("XDG_CONFIG_HOME", dir.path() + "/config");
        env.set("XDG_DATA_HOME", dir.path() + "/data");
        env.set("TALLIMO_ROOT", "");

        const DriveRoot drive = DriveRoot::fromEnvironment("ana");
        const QString root = dir.path() + "/data/tallimo/C";
        EXPECT_EQ(drive.directory(), root);
        EXPECT_TRUE(QFileInfo(root + "/Program Files").isDir());
        const QFileInfo desktop(root + "/Users/ana/Desktop");
        EXPECT_TRUE(desktop.isDir());
        EXPECT_EQ(desktop.isSymLink(), row.linked);
        if (row.linked) {
            EXPECT_EQ(desktop.symLinkTarget(), home + "/Desktop");
        }

        // A root that is given is used as it is, with nothing created.
        env.set("TALLIMO_ROOT", dir.path() + "/elegida");
        EXPECT_EQ(DriveRoot::fromEnvironment("ana").directory(), dir.path() + "/elegida");
        EXPECT_FALSE(QFileInfo::exists(dir.path() + "/elegida"));
    }
}
