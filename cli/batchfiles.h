// The patient files a batch reads and the names of the PDFs it writes for them.
#pragma once

#include "model/ear.h"

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

struct BatchInput {
    std::string relativePath; // from the batch's folder: "north/SMITH.TAV"
    std::string outputStem;   // from the output folder: "north/SMITH"
};

// A folder of the batch that could not be read whole: its path from the batch's
// folder ("." for the folder itself) and the system's reason.
struct FolderFailure {
    std::string relativePath;
    std::string reason;
};

struct BatchFinding {
    std::vector<BatchInput> inputs;
    std::vector<FolderFailure> failures; // sorted by path
};

// One entry of a folder as the search sees it.
enum class EntryKind { Folder, LinkToFolder, Other };
struct FolderEntry {
    std::string name;
    EntryKind kind = EntryKind::Other;
};

// Lists one folder. Sets ec when the folder could not be read, or not to its end;
// the entries read until then are returned.
using FolderLister =
    std::function<std::vector<FolderEntry>(const std::filesystem::path&, std::error_code& ec)>;

// The system's listing of a folder; a link is told apart by where it leads.
std::vector<FolderEntry> listFolder(const std::filesystem::path& folder, std::error_code& ec);

// Every entry under the folder, at any depth, whose name ends in ".TAV" in any case
// and which is no folder (a folder of such a name is searched like any other), sorted
// by path so that the output comes in the same order on every run. Links to files
// are taken; links to folders are not followed, so a link that leads back up cannot
// make the search go round. A folder that cannot be read is named in the failures and
// the search goes on with the others. Without a lister the system's folders are read.
BatchFinding findBatchInputs(const std::string& folder, const FolderLister& list = {});

// The output stems of the given relative paths, in their order: the file's name
// without its extension, in the same sub-folder. Where two files of one folder have
// names that differ only in case before the extension (SMITH.TAV, smith.tav), both
// keep their whole name (SMITH.TAV). A name taken already, with case not told apart
// (ASCII and Latin-1 letters, in the sub-folders as well: an output folder may not
// tell them apart), gets "~2", "~3", ..., so that no two outputs share a name.
std::vector<std::string> outputStems(const std::vector<std::string>& relativePaths);

// The name with its ASCII and Latin-1 letters in lower case, whether they are in
// UTF-8 or in single Latin-1 bytes.
std::string foldedName(std::string_view name);

// "north/SMITH-right.pdf".
std::string pdfPathFor(const std::string& outputStem, Ear ear);
