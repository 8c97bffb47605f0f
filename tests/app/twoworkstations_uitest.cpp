// Two workstations on one patient file, as real programs: each start of TAVIK has a
// runtime folder of its own, as the programs of two computers have.
#include "model/filelock.h"
#include "model/patientfile.h"
#include "testsupport/testfiles.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <array>
#include <sys/stat.h>

namespace {

class TwoWorkstationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FittingRecord record{};
        resetFitting(record, "01/02/2003");
        writePatientFile(patient, record);
    }

    void TearDown() override {
        for (QProcess& p : programs) {
            if (p.state() != QProcess::NotRunning) {
                p.kill();
                p.waitForFinished(10000);
            }
        }
    }

    // Starts program `n` on the patient file in runtime folder `n`; its message boxes
    // are answered with the answer named, or cancelled.
    void start(int n, const QString& answer = QString()) {
        ::chmod(runtimes[n].path().c_str(), 0700);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtimes[n].path().string()));
        env.insert("QT_PLUGIN_PATH", TAVIK_TEST_PLUGIN_PATH);
        env.insert("QT_QPA_GENERIC_PLUGINS", "tavikdialogcloser");
        env.insert("TAVIK_TEST_ANSWER", answer);
        programs[n].setProcessEnvironment(env);
        programs[n].setWorkingDirectory(QString::fromStdString(work.path().string()));
        programs[n].start(TAVIK_PROGRAM_PATH, {QString::fromStdString(patient)});
        ASSERT_TRUE(programs[n].waitForStarted(10000));
    }

    std::int64_t markedBy() const {
        const std::optional<std::string> text = readLockText(patient);
        const std::optional<LockOwner> owner = text ? parseLock(*text) : std::nullopt;
        return owner ? owner->processId : 0;
    }

    bool waitUntilMarkedBy(const QProcess& program) const {
        for (int i = 0; i < 300 && markedBy() != program.processId(); ++i)
            QThread::msleep(100);
        return markedBy() == program.processId();
    }

    // What program `n` reported of its message boxes so far, once one came.
    QByteArray messagesOf(int n) {
        for (int i = 0; i < 300 && !errors[n].contains("MESSAGE"); ++i) {
            programs[n].waitForReadyRead(100);
            errors[n] += programs[n].readAllStandardError();
        }
        return errors[n];
    }

    TempDir work;
    std::array<TempDir, 3> runtimes;
    std::array<QProcess, 3> programs;
    std::array<QByteArray, 3> errors;
    const std::string patient = work.file("SMITH.TAV");
};

TEST_F(TwoWorkstationsTest, SecondSeesWhoHasTheFileAndTakesItOnlyWhenToldOrItsHolderDied) {
    start(0);
    ASSERT_TRUE(waitUntilMarkedBy(programs[0]));

    // The second is told who has the file; cancelled, it leaves the first's mark.
    start(1);
    const QByteArray told = messagesOf(1);
    EXPECT_TRUE(told.contains("MESSAGE File in use|SMITH.TAV is open in another TAVIK on this "
                              "computer (user "))
        << told.toStdString();
    EXPECT_TRUE(
        told.contains(", process " + QByteArray::number(programs[0].processId()) + ") since "));
    EXPECT_EQ(markedBy(), programs[0].processId());
    programs[1].kill();
    programs[1].waitForFinished(10000);

    // Opened anyway, the file is marked by the second.
    start(1, "Open anyway");
    EXPECT_TRUE(waitUntilMarkedBy(programs[1]));
    EXPECT_EQ(programs[0].state(), QProcess::Running);

    // The second is killed; a third start on this computer takes its mark over
    // without a question.
    const qint64 killed = programs[1].processId();
    programs[1].kill();
    programs[1].waitForFinished(10000);
    EXPECT_EQ(markedBy(), killed) << "a killed program leaves its mark";
    start(2);
    EXPECT_TRUE(waitUntilMarkedBy(programs[2]));
    programs[2].waitForReadyRead(500);
    EXPECT_FALSE(programs[2].readAllStandardError().contains("MESSAGE"));
}

} // namespace
