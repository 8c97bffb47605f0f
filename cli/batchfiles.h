// The patient files a batch reads and the names of the PDFs it writes for them.
#pragma once

#include "model/ear.h"

#include <string>
#include <vector>

struct BatchInput {
    std::string relativePath; // from the batch's folder: "north/SMITH.TAV"
    std::string outputStem;   // from the output folder: "north/SMITH"
};

// Every entry under the folder, at any depth, whose name ends in ".TAV" in any case
// and which is no folder (a folder of such a name is searched like any other), sorted
// by path so that the output comes in the same order on every run. Links to files
// are taken; links to folders are not followed, so a link that leads back up cannot
// make the search go round. Folders that may not be read are passed over.
std::vector<BatchInput> findBatchInputs(const std::string& folder);

// The output stems of the given relative paths, in their order: the file's name
// without its extension, in the same sub-folder. Where two files of one folder have
// names that differ only in case before the extension (SMITH.TAV, smith.tav), both
// keep their whole name (SMITH.TAV), and a name taken already gets "~2", "~3", ...,
// so that no two outputs share a name.
std::vector<std::string> outputStems(const std::vector<std::string>& relativePaths);

// "north/SMITH-right.pdf".
std::string pdfPathFor(const std::string& outputStem, Ear ear);
