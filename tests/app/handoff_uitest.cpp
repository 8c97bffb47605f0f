// A second start of the real program hands its file to the copy that runs: here the
// test's own window, listening as the program does. Without a file the second start
// still says that the program is running.
#include "app/fileintake.h"
#include "platform/instancechannel.h"
#include "platform/singleinstance.h"
#include "testsupport/programfixture.h"

#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kProcessLimitMilliseconds = 60000;

// A socket file as a killed copy leaves it: bound, then closed without removal.
void plantStaleSocket(const QString& name) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, name.toLocal8Bit().constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    struct stat info {};
    ASSERT_EQ(::stat(address.sun_path, &info), 0);
    ASSERT_TRUE(S_ISSOCK(info.st_mode));
}

// Points this process and the programs it starts at a runtime folder of its own.
class PrivateRuntime {
  public:
    PrivateRuntime() {
        ::chmod(folder.path().c_str(), 0700);
        if (const char* previous = std::getenv("XDG_RUNTIME_DIR"))
            saved_ = previous;
        ::setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1);
    }
    ~PrivateRuntime() {
        if (saved_)
            ::setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }
    TempDir folder;

  private:
    std::optional<std::string> saved_;
};

// Starts the real program as a second start, its message boxes answered and
// reported on standard error.
void startSecond(QProcess& process, const QString& workDir, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_PLUGIN_PATH", TAVIK_TEST_PLUGIN_PATH);
    env.insert("QT_QPA_GENERIC_PLUGINS", "tavikdialogcloser");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    process.start(TAVIK_PROGRAM_PATH, arguments);
    ASSERT_TRUE(process.waitForStarted(10000));
}

class HandOffTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        ASSERT_TRUE(guard.acquire());
        plantStaleSocket(instanceChannelName());
        ASSERT_TRUE(listener.listen()) << "a stale socket does not block the start";
        fmWinMain->fileIntake().listenTo(listener);
        listener.deliverRequests();
    }
    void TearDown() override {
        if (second.state() != QProcess::NotRunning) {
            second.kill();
            second.waitForFinished(10000);
        }
        ProgramFixture::TearDown();
    }

    // Runs a second start to its end, this window answering it meanwhile.
    void runSecond(const QStringList& arguments) {
        startSecond(second, QString::fromStdString(startDir.path().string()), arguments);
        ASSERT_TRUE(QTest::qWaitFor([this] { return second.state() == QProcess::NotRunning; },
                                    kProcessLimitMilliseconds));
        ASSERT_EQ(second.exitStatus(), QProcess::NormalExit);
    }

    PrivateRuntime runtime;
    SingleInstanceGuard guard;
    InstanceListener listener;
    QProcess second;
};

TEST_F(HandOffTest, ASecondStartWithAFileHandsItOverAndEndsWithZero) {
    auto* lastName = find<QLineEdit>("EditLastName");
    QTest::keyClicks(lastName, "Smith");
    script.setNextFileName(QString::fromStdString(startDir.file("SMITH.TAV")));
    trigger("SaveAs1");
    trigger("New1");
    QTest::keyClicks(lastName, "Unsaved");
    settle();
    script.setNextAnswer(DialogAnswer::No);

    runSecond({QStringLiteral("SMITH.TAV")}); // relative, as typed in a shell
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([] { return title() == "TAVIK 1.0a - SMITH.TAV"; },
                                kProcessLimitMilliseconds));
    EXPECT_EQ(lastName->text(), "Smith");
    EXPECT_EQ(script.shownOf(ScriptedDialogService::Kind::Confirm).size(), 1u)
        << "the unsaved changes were asked about";
}

TEST_F(HandOffTest, ASecondStartWithoutAFileRaisesTheWindowAndEndsWithOne) {
    QSignalSpy raised(&listener, &InstanceListener::raiseRequested);
    runSecond({});
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(
        second.readAllStandardError().contains("MESSAGE Error|The program is already running."));
    EXPECT_EQ(raised.count(), 1);
    EXPECT_EQ(title(), "TAVIK 1.0a");
}

// The copy holding the lock takes the connection but never answers (here: the test
// holds the lock and a socket it does not serve). The second start gives up in time.
TEST(HandOffGiveUpTest, ALockHolderThatDoesNotAnswerIsReportedAndNeverWaitedForForever) {
    PrivateRuntime runtime;
    SingleInstanceGuard guard;
    ASSERT_TRUE(guard.acquire());
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(instanceChannelName()));
    TempDir work;
    const std::string file = work.file("SMITH.TAV");
    writeBytes(file, std::vector<uint8_t>(1372, 0));

    QProcess second;
    startSecond(second, QString::fromStdString(work.path().string()),
                {QString::fromStdString(file)});
    ASSERT_TRUE(second.waitForFinished(kProcessLimitMilliseconds)) << "it does not hang";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 1);
    const QByteArray said = second.readAllStandardError();
    EXPECT_TRUE(said.contains("MESSAGE Error|The program is already running.  It did not answer"))
        << said.toStdString();
}

// The copy holding the lock listens only once its application exists; a second
// start made meanwhile keeps trying and hands its file over. A request read before
// the window takes requests is kept for it, not lost.
TEST(HandOffLateListenerTest, ASecondStartWaitsForACopyThatIsStillStarting) {
    for (const bool staleSocket : {false, true}) {
        SCOPED_TRACE(staleSocket ? "a killed copy's socket is left" : "no socket yet");
        PrivateRuntime runtime;
        SingleInstanceGuard guard;
        ASSERT_TRUE(guard.acquire());
        if (staleSocket)
            plantStaleSocket(instanceChannelName());
        TempDir work;
        const std::string file = work.file("MILLER.TAV");
        writeBytes(file, std::vector<uint8_t>(1372, 0));

        InstanceListener listener;
        QSignalSpy opened(&listener, &InstanceListener::openRequested);
        bool listening = false;
        QTimer::singleShot(1500, [&] { listening = listener.listen(); });
        QProcess second;
        startSecond(second, QString::fromStdString(work.path().string()),
                    {QString::fromStdString(file)});
        ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; },
                                    kProcessLimitMilliseconds));
        EXPECT_TRUE(listening);
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
        EXPECT_EQ(opened.count(), 0) << "kept until the window takes requests";
        listener.deliverRequests();
        ASSERT_EQ(opened.count(), 1);
        EXPECT_EQ(opened.at(0).at(0).toString(), QString::fromStdString(file));
    }
}

TEST(InstanceChannelTest, RequestsTravelIntactAndStrangeLinesAreRefused) {
    const QString odd = QStringLiteral("/home/clin ic/M\u00fcller\n%20&.TAV");
    const auto open = decodeRequest(encodeRequest({InstanceRequest::Kind::Open, odd}).trimmed());
    ASSERT_TRUE(open);
    EXPECT_EQ(open->kind, InstanceRequest::Kind::Open);
    EXPECT_EQ(open->path, odd);
    EXPECT_EQ(encodeRequest({InstanceRequest::Kind::Raise, {}}), "raise\n");
    for (const char* line :
         {"", "open ", "open relative.TAV", "close /a.TAV", "raise now", "OPEN /a.TAV", "open %00"})
        EXPECT_FALSE(decodeRequest(line)) << line;
}

} // namespace
