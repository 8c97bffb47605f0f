// The name Save As proposes for a patient not yet saved.
#include "model/patientfilename.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct NameCase {
    const char* what;
    std::string lastName; // Latin-1, as the record holds it
    std::vector<std::string> taken;
    std::string proposed; // UTF-8
};

TEST(ProposedPatientFileName, TheLastNameInCapitalsClearOfTheFolderAndOfWhatNoFileNameHolds) {
    const std::vector<NameCase> cases{
        {"a plain name", "Smith", {}, "SMITH.TAV"},
        {"other files leave it free", "Smith", {"JONES.TAV", "SMITH.BAK", "SMITH"}, "SMITH.TAV"},
        {"a clash in another case", "Smith", {"smith.tav"}, "SMITH-2.TAV"},
        {"the first free number",
         "Smith",
         {"SMITH.TAV", "smith-2.TAV", "SMITH-4.TAV"},
         "SMITH-3.TAV"},
        {"a folder of that name counts", "Lee", {"LEE.TAV"}, "LEE-2.TAV"},
        {"slash, colon and dots part words", "Dr. Smith/Jones:Ltd", {}, "DR SMITH JONES LTD.TAV"},
        {"apostrophe, hyphen and underscore stay", "O'Brien-Ray_2", {}, "O'BRIEN-RAY_2.TAV"},
        {"edges and runs of spaces go", "  -van   der\tBerg- ", {}, "VAN DER BERG.TAV"},
        {"Latin-1 letters in capitals as UTF-8",
         "M\xFCller \xE9",
         {},
         "M\xC3\x9CLLER \xC3\x89.TAV"},
        {"sharp s and y-diaeresis have no capital",
         "Strau\xDF\xFF",
         {},
         "STRAU\xC3\x9F\xC3\xBF.TAV"},
        {"an accented clash in another case",
         "M\xFCller",
         {"m\xC3\xBCller.tav"},
         "M\xC3\x9CLLER-2.TAV"},
        {"a device name is numbered", "con", {}, "CON-2.TAV"},
        {"a numbered device name too", "Lpt9", {}, "LPT9-2.TAV"},
        {"COM0 is no device", "Com0", {}, "COM0.TAV"},
        {"CONE is no device", "Cone", {}, "CONE.TAV"},
        {"control characters and signs only", "\x01*?<>|\"\x7F\x85", {}, ""},
        {"an empty last name", "", {}, ""},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(proposedPatientFileName(c.lastName, c.taken), c.proposed) << c.what;
}

TEST(ProposedPatientFileName, NothingWhenEveryNumberUpTo999IsTaken) {
    std::vector<std::string> taken{"KIM.TAV"};
    for (int number = 2; number <= 998; ++number)
        taken.push_back("KIM-" + std::to_string(number) + ".TAV");
    EXPECT_EQ(proposedPatientFileName("Kim", taken), "KIM-999.TAV");
    taken.push_back("kim-999.tav");
    EXPECT_EQ(proposedPatientFileName("Kim", taken), "");
}

} // namespace
