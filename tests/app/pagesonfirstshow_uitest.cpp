// The start makes only the patient page; every other page is made the first time the
// clinician opens it, and nothing a clinician or a file can see depends on when.
#include "controls/pageform.h"
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QToolButton>

#include <filesystem>

namespace {

using Kind = ScriptedDialogService::Kind;

constexpr int k250 = 0, k1000 = 2, k4000 = 5;
constexpr int kThr = 0, kVs = 1, kUcl = 7;

class PagesOnFirstShowTest : public ProgramFixture {
  protected:
    // A patient whose ears differ everywhere a page could mix them up.
    std::string patientFile(int binaural, uint8_t showInHL) {
        FittingRecord record{};
        resetFitting(record, "03/11/2026");
        writeText(record.lastName, "Okafor");
        writeText(record.firstName, "Ada");
        record.rightAidStyle = 2;
        record.leftAidStyle = 0;
        record.binauralFitting = binaural;
        record.rightLevelSource = 1;
        record.showInHL = showInHL;
        record.rightLoudness[k1000][kVs] = 55;
        record.leftLoudness[k1000][kVs] = 40;
        record.rightLoudness[k250][kThr] = 47;
        record.leftLoudness[k4000][kUcl] = 112;
        record.aidSettings[0][k1000].curveChoice = 4;
        record.aidSettings[0][k1000].curve.gainAt50 = 17.5f;
        record.aidSettings[1][k4000].aidChoice = 3;
        std::filesystem::create_directories(files.path() / "patients");
        const std::string path = (files.path() / "patients" / "OKAFOR.TAV").string();
        writePatientFile(path, record);
        return path;
    }

    void load(const std::string& path) {
        script.setNextFileName(QString::fromStdString(path));
        click("LoadFileSpeedButton");
    }

    static const Page& pageNamed(const QString& menuName) {
        for (const Page& page : fmWinMain->pages()) {
            if (page.entry->menuName == menuName)
                return page;
        }
        ADD_FAILURE() << menuName.toStdString();
        return fmWinMain->pages().front();
    }

    TempDir files;
};

// The start lists every page with its menu item and button but makes only the patient
// page. Each other page, opened from its menu item for the first time, is made in the
// page area, shown alone with its button down, and answers F1 with its own topic.
TEST_F(PagesOnFirstShowTest, EachPageIsMadeWhereAndAsTheClinicianOpensIt) {
    ASSERT_EQ(fmWinMain->pages().size(), 6u);
    EXPECT_TRUE(fmWinMain->pages().front().isShown());
    for (std::size_t i = 1; i < fmWinMain->pages().size(); ++i) {
        const Page& page = fmWinMain->pages()[i];
        EXPECT_EQ(page.form, nullptr) << page.entry->menuName.toStdString();
        EXPECT_TRUE(page.action && page.button);
    }
    EXPECT_EQ(fmWinMain->findChild<PageForm*>("fmPage2"), nullptr);

    const struct {
        const char* menuName;
        const char* formName;
        int helpContext;
    } cases[] = {
        {"Overview1", "fmOverview", 1051},        {"IOCurves1", "fmCurveEdit", 1031},
        {"LOUDMAPData1", "fmPage2", 1011},        {"Configuration1", "fmPage5", 0},
        {"HearingAidDatabase1", "fmPage3", 1021},
    };
    QWidget* area = fmWinMain->findChild<QWidget*>("WindowPanel");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menuName);
        trigger(c.menuName);
        const Page& page = pageNamed(QString::fromLatin1(c.menuName));
        ASSERT_NE(page.form, nullptr);
        EXPECT_EQ(page.form->objectName(), c.formName);
        EXPECT_EQ(page.form->parentWidget(), area);
        EXPECT_TRUE(page.isShown());
        EXPECT_TRUE(page.button->isChecked());
        EXPECT_EQ(page.form->helpContext(), c.helpContext);
        int shown = 0;
        for (const Page& other : fmWinMain->pages())
            shown += other.isShown() ? 1 : 0;
        EXPECT_EQ(shown, 1);
    }
    PageForm* database = pageNamed(QStringLiteral("HearingAidDatabase1")).form;
    trigger("PatientInformation1");
    trigger("HearingAidDatabase1");
    EXPECT_EQ(pageNamed(QStringLiteral("HearingAidDatabase1")).form, database) << "made once";
}

// Save with the other pages never opened writes the file back as it was read: a page
// that was never made holds nothing to store, and takes nothing away.
TEST_F(PagesOnFirstShowTest, SaveWithPagesNeverOpenedKeepsEveryByte) {
    const struct {
        int binaural;
        uint8_t showInHL;
    } cases[] = {{1, 0}, {0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.binaural);
        const std::string path = patientFile(c.binaural, c.showInHL);
        const std::vector<uint8_t> before = readBytes(path);
        load(path);
        ASSERT_EQ(title(), "TAVIK 1.0a - OKAFOR.TAV");
        click("SaveFileSpeedButton");
        EXPECT_TRUE(script.shownOf(Kind::Save).empty());
        EXPECT_EQ(readBytes(path), before);
        EXPECT_EQ(fmPage2, nullptr);
        EXPECT_EQ(fmCurveEdit, nullptr);
    }
}

// The loudness page shows the file loaded last, whether it was first opened before
// that Load or after it.
TEST_F(PagesOnFirstShowTest, APageShowsTheLoadedFileWhenEverItWasMade) {
    for (const bool openedBefore : {true, false}) {
        SCOPED_TRACE(openedBefore);
        restartProgram();
        if (openedBefore) {
            click("SpeedButton3");
            click("ClientInfoButton");
        }
        load(patientFile(1, 1));
        click("SpeedButton3");
        EXPECT_EQ(find<DataGrid>("RightEarLOUDMAPDataGrid")->cellText(kVs, k1000), "55");
        EXPECT_EQ(find<DataGrid>("LeftEarLOUDMAPDataGrid")->cellText(kVs, k1000), "40");
        EXPECT_EQ(find<DataGrid>("RightEarLOUDMAPDataGrid")->cellText(kThr, k250), "32")
            << "47 dB SPL at 250 Hz is 32 dB HL";
        EXPECT_EQ(find<DataGrid>("LeftEarLOUDMAPDataGrid")->cellText(kUcl, k4000), "112");
    }
}

} // namespace
