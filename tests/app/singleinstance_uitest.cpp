// Only one copy of the program runs per user: checked with real processes.
#include "platform/singleinstance.h"
#include "testsupport/testfiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace {

// Whether the process holds a flock on the file, as the kernel lists it. Looking
// does not take the lock, so it cannot disturb the program being watched.
bool holdsLock(qint64 pid, const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    const std::string inode = ":" + std::to_string(info.st_ino) + " ";
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, owner, device;
        fields >> number >> kind >> mode >> access >> owner >> device;
        if (kind == "FLOCK" && owner == std::to_string(pid) &&
            (device + " ").find(inode) != std::string::npos)
            return true;
    }
    return false;
}

class SingleInstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path().string()));
        ::chmod(runtime.path().c_str(), 0700);
        lockFile = runtime.file("TAVIKMutex");
    }

    void TearDown() override {
        for (QProcess* p : {&first, &second}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(10000);
            }
        }
    }

    void start(QProcess& process, bool closeMessages) {
        QProcessEnvironment env = environment;
        if (closeMessages) {
            env.insert("QT_PLUGIN_PATH", TAVIK_TEST_PLUGIN_PATH);
            env.insert("QT_QPA_GENERIC_PLUGINS", "tavikdialogcloser");
        }
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QString::fromStdString(work.path().string()));
        process.start(TAVIK_PROGRAM_PATH, {});
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    bool waitUntilLocked(const QProcess& process) {
        for (int i = 0; i < 300; ++i) {
            if (holdsLock(process.processId(), lockFile))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    TempDir runtime;
    TempDir work;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::string lockFile;
    QProcess first;
    QProcess second;
};

TEST_F(SingleInstanceTest, SecondCopyReportsTheRunningOneAndEndsWithCodeOne) {
    start(first, false);
    ASSERT_TRUE(waitUntilLocked(first));

    start(second, true);
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(
        second.readAllStandardError().contains("MESSAGE Error|The program is already running."));
    EXPECT_EQ(first.state(), QProcess::Running) << "the first copy is left alone";

    // However the first copy ends, the system releases its lock for the next start.
    first.kill();
    first.waitForFinished(10000);
    start(second, true);
    EXPECT_TRUE(waitUntilLocked(second));
}

TEST(SingleInstanceGuardTest, LockIsExclusiveAndReleasedWithItsHolder) {
    TempDir runtime;
    const char* previous = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = previous ? previous : "";
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    EXPECT_EQ(SingleInstanceGuard::lockFilePath(), runtime.file("TAVIKMutex"));
    {
        SingleInstanceGuard holder;
        ASSERT_TRUE(holder.acquire());
        SingleInstanceGuard other;
        EXPECT_FALSE(other.acquire());
    }
    SingleInstanceGuard after;
    EXPECT_TRUE(after.acquire());

    ::setenv("XDG_RUNTIME_DIR", runtime.file("missing").c_str(), 1);
    EXPECT_EQ(SingleInstanceGuard::lockFilePath(), "/tmp/TAVIKMutex-" + std::to_string(::getuid()));
    if (previous)
        ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}

} // namespace
