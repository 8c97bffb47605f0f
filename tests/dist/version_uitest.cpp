// The About screen and tavik-cli --version name the same version, the one the title
// bar shows ("TAVIK 1.0a"); the installed metainfo and manual page are held to
// tavik-cli's in the install test, the package's in the package test.
#include "app/aboutscreen.h"
#include "testsupport/clirun.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

TEST(Version, AboutScreenAndTavikCliNameTheSameVersion) {
    TempDir scratch;
    const CliResult version = runProgram(TAVIK_CLI_PATH, {"--version"}, scratch);
    EXPECT_EQ(version.code, 0) << version.err;
    EXPECT_EQ(version.out, "tavik-cli (TAVIK) 1.0a\n");

    TfmAboutScreen about(nullptr);
    const QLabel* name = about.findChild<QLabel*>(QStringLiteral("TitleLabel"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("TAVIK")) << "the screen's own text stays";
    EXPECT_EQ(name->toolTip(), QStringLiteral("TAVIK 1.0a"));
}

} // namespace
