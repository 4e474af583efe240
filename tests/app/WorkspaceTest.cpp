#include "Workspace.h"
#include "CTessalyApp.h"
#include "LanguageSetting.h"
#include "SingleInstance.h"
#include "TempProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(Workspace, CreatesMissingFoldersAndKeepsExistingOnes) {
    TempProgramFolder dir;
    dir.write("Reports/Ann/202401011200/info.ini", "[x]\n");
    CTessalyApp app(dir.path());
    Workspace::prepare(app);
    EXPECT_TRUE(QFileInfo(dir.file("Guests-Image")).isDir());
    EXPECT_EQ(dir.read("Reports/Ann/202401011200/info.ini"), "[x]\n");
    EXPECT_EQ(app.m_strImagePath, dir.path() + "Guests-Image");
    EXPECT_EQ(app.m_strSkinPath, dir.path() + "icons/");
}

TEST(Workspace, FolderThatCannotBeCreatedIsIgnored) {
    TempProgramFolder dir;
    dir.write("Guests-Image", "a file in the way");
    CTessalyApp app(dir.path());
    Workspace::prepare(app); // must not throw or crash
    EXPECT_TRUE(QFileInfo(dir.file("Reports")).isDir());
}

TEST(LanguageSetting, ReadsTheRememberedChoice) {
    struct Case {
        const char* content; // nullptr: no file
        int expected;
    };
    const Case cases[] = {
        {nullptr, 0},
        {"[setup]\nlanguage=1\n", 1},
        {"[setup]\nlanguage=2\n", 2},
        {"[setup]\nlanguage=3\n", -1},
        {"[setup]\nlanguage=-1\n", -1},
        {"[setup]\n", 0},
        {"\x01\x02garbage", 0},
    };
    for (const Case& c : cases) {
        TempProgramFolder dir;
        if (c.content)
            dir.write("Setup.ini", c.content);
        CTessalyApp app(dir.path());
        EXPECT_EQ(LanguageSetting::read(app), c.expected) << (c.content ? c.content : "none");
    }
}

TEST(LanguageSetting, WriteCreatesTheFileAndKeepsOtherEntries) {
    TempProgramFolder dir;
    CTessalyApp app(dir.path());
    ASSERT_TRUE(LanguageSetting::write(app, 2));
    EXPECT_EQ(LanguageSetting::read(app), 2);
    dir.write("Setup.ini", "[setup]\r\nlanguage=2\r\nother=x\r\n");
    ASSERT_TRUE(LanguageSetting::write(app, 0));
    EXPECT_EQ(dir.read("Setup.ini"), "[setup]\r\nlanguage=0\r\nother=x\r\n");
}

// The name is held per process: a second process is refused while the first
// lives, and the name is free again the moment the holder dies, however it dies.
TEST(SingleInstance, HeldByOneProcessAndReleasedWhenItDies) {
    const std::string name = "VelatrixTest-" + std::to_string(getpid());
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        SingleInstance instance(name);
        const char ok = instance.acquire() ? 'y' : 'n';
        (void)!write(ready[1], &ok, 1);
        pause();
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');
    {
        SingleInstance second(name);
        EXPECT_FALSE(second.acquire());
    }
    kill(holder, SIGKILL); // a crash: no clean-up code runs
    waitpid(holder, nullptr, 0);
    SingleInstance third(name);
    EXPECT_TRUE(third.acquire());
    close(ready[0]);
    close(ready[1]);
}

} // namespace
