// The printed reports of one loaded ear as the pages of one PDF, drawn by the code
// that prints them. Shared by tavik-cli report and tavik-cli batch, so that a
// clinic's batch gives the very pages a single report gives. Built into the
// tavik-cli executable only, which links Qt's drawing.
#pragma once

#include "cli/earoptions.h"
#include "report/reporttext.h"

#include <QByteArray>
#include <QPageSize>

#include <array>
#include <string>

struct ReportSelection {
    std::array<bool, kReportChoiceCount> ticked{true, true, true};
    int copies = 1;
    QPageSize::PageSizeId page = QPageSize::A4;
};

// The reports the print command would print for the ticked kinds: each kind in the
// order fitted, user, aid, as many times as copies, with the aids' long names on the
// hearing-aid pages. fileName is what the header's "Filename:" shows. Empty when the
// PDF could not be made; a device that refuses raises PrintError.
QByteArray renderReports(const LoadedEar& loaded, const std::string& fileName, Ear ear,
                         const ReportSelection& selection, const std::string& printDate);
