#include "cli/batch.h"

#include "cli/earoptions.h"
#include "cli/earprint.h"
#include "cli/help.h"
#include "cli/optionvalues.h"
#include "model/fileio.h"
#include "model/safetext.h"

#include <csignal>
#include <filesystem>
#include <map>
#include <ostream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr int kMostJobs = 256;
const char* const kBatchUsage = commandUsage("batch");
const char* const kValueOptions[] = {"-o",   "--ears", "--curves", "--page",
                                     "--db", "--jobs", "--summary"};

bool takesValue(const std::string& arg) {
    for (const char* option : kValueOptions) {
        if (arg == option)
            return true;
    }
    return false;
}

bool complain(std::ostream& err, const std::string& what) {
    err << "tavik-cli: " << what << '\n' << kBatchUsage << '\n';
    return false;
}

// "right" and "left" separated by commas, each once; flags right, left.
std::optional<std::array<bool, 2>> parseEars(std::string_view text) {
    std::array<bool, 2> ears{false, false};
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const std::size_t ear = item == "right" ? 0 : item == "left" ? 1 : 2;
        if (ear > 1 || ears[ear])
            return std::nullopt;
        ears[ear] = true;
        if (comma == std::string_view::npos)
            return ears;
        text.remove_prefix(comma + 1);
    }
}

// Splits the arguments into DIR, --force and the options with a value.
bool splitBatchArgs(const Args& args, std::map<std::string, std::string>& values,
                    BatchOptions& options, std::ostream& err) {
    bool haveFolder = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (takesValue(arg)) {
            if (i + 1 >= args.size())
                return complain(err, arg + " needs a value");
            if (!values.emplace(arg, args[++i]).second)
                return complain(err, arg + " given twice");
        } else if (arg == "--force") {
            options.force = true;
        } else if (arg.starts_with("-") && arg != "-") {
            return complain(err, "unknown option " + quotedPath(arg));
        } else if (haveFolder) {
            return complain(err, "more than one DIR");
        } else {
            options.folder = arg;
            haveFolder = true;
        }
    }
    if (!haveFolder)
        return complain(err, "no folder DIR given");
    if (!values.contains("-o"))
        return complain(err, "batch needs -o OUTDIR");
    return true;
}

bool applyValue(const std::string& name, const std::string& value, BatchOptions& options,
                std::ostream& err) {
    if (name == "-o") {
        options.outFolder = value;
    } else if (name == "--ears") {
        const auto ears = parseEars(value);
        if (!ears)
            return complain(err, "--ears takes right and left, separated by commas, each once");
        options.ears = *ears;
    } else if (name == "--curves") {
        const auto kinds = parseCurveKinds(value);
        if (!kinds)
            return complain(err, "--curves takes fitted, user and aid, separated by commas, "
                                 "each once");
        options.kinds = *kinds;
    } else if (name == "--page") {
        if (value != "a4" && value != "letter")
            return complain(err, "--page takes a4 or letter");
        options.paper = value == "a4" ? PaperSize::A4 : PaperSize::Letter;
    } else if (name == "--jobs") {
        const auto jobs = parseWholeNumber(value, 1, kMostJobs);
        if (!jobs)
            return complain(err,
                            "--jobs takes a whole number from 1 to " + std::to_string(kMostJobs));
        options.jobs = *jobs;
    } else if (name == "--db") {
        options.database = value;
    } else {
        options.summary = value;
    }
    return true;
}

// A file error's message (or why a file is no patient file) without the path it
// names, which the batch puts first:
// "Cannot open file 'x/A.TAV': Permission denied" becomes "Cannot open file:
// Permission denied".
std::string reasonWithoutPath(const std::string& message, const std::string& path) {
    std::string named = " ";
    named += quotedPath(path);
    named += ':';
    const std::size_t at = message.find(named);
    if (at == std::string::npos)
        return message;
    std::string reason = message.substr(0, at);
    reason += ':';
    reason.append(message, at + named.size());
    return reason;
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

std::string joinPath(const std::string& folder, const std::string& relative) {
    return (fs::path(folder) / relative).string();
}

void addFailure(FileResult& result, const std::string& path, const std::string& reason) {
    result.failed = true;
    result.messages.push_back("tavik-cli: " + quotedPath(path) + ": " + reason);
}

// Writes one ear's PDF unless one is there and may not be replaced. The reason when
// none was written (""when it was); kept tells a PDF left as it was from a failure.
std::string writeEarPdf(const BatchJob& job, const BatchOptions& options, const LoadedEar& loaded,
                        Ear ear, const std::string& patientPath, const std::string& pdfPath,
                        bool& kept) {
    std::error_code ec;
    kept = !job.options.force && fs::exists(fs::symlink_status(pdfPath, ec));
    if (kept)
        return "kept: the PDF is there already (--force replaces it)";
    fs::create_directories(fs::path(pdfPath).parent_path(), ec);
    if (ec)
        return "cannot make the folder: " + ec.message();
    std::string bytes;
    try {
        bytes = job.render(loaded, fileNameOf(patientPath), ear, options);
    } catch (const std::exception& e) {
        return e.what();
    }
    if (bytes.empty())
        return "the reports could not be made into a PDF";
    try {
        // The batch cleaned the output folders once before the first PDF.
        writeFileAtomically(pdfPath,
                            std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                            {.removeInterruptedSaves = false});
    } catch (const FileError& e) {
        return reasonWithoutPath(e.what(), pdfPath);
    }
    return "";
}

void processEar(const BatchJob& job, const BatchInput& input, const LoadedEar& loaded, Ear ear,
                FileResult& result) {
    const std::string patientPath = joinPath(job.options.folder, input.relativePath);
    const std::string pdf = pdfPathFor(input.outputStem, ear);
    const std::string pdfPath = joinPath(job.options.outFolder, pdf);
    // An ear with nothing to print is said and summed up, and is no failure: a
    // monaural fitting's other ear has no curve.
    const EarPrintCheck check = checkEarPrint(loaded, ear, job.options.kinds, patientPath);
    result.messages.insert(result.messages.end(), check.lines.begin(), check.lines.end());
    if (check.nothingToPrint()) {
        result.rows.push_back(earSummaryRow({input.relativePath, "", kNoPdfWithoutCurves},
                                            loaded.record, job.database, ear, loaded.page));
        return;
    }
    BatchOptions options = job.options;
    options.kinds = check.printable;
    bool kept = false;
    const std::string error = writeEarPdf(job, options, loaded, ear, patientPath, pdfPath, kept);
    if (kept)
        result.messages.push_back("tavik-cli: " + quotedPath(pdfPath) + ": " + error);
    else if (!error.empty())
        addFailure(result, pdfPath, error);
    result.rows.push_back(earSummaryRow({input.relativePath, error.empty() ? pdf : "", error},
                                        loaded.record, job.database, ear, loaded.page));
}

} // namespace

bool parseBatchOptions(const Args& args, BatchOptions& options, std::ostream& err) {
    std::map<std::string, std::string> values;
    if (!splitBatchArgs(args, values, options, err))
        return false;
    for (const auto& [name, value] : values) {
        if (!applyValue(name, value, options, err))
            return false;
    }
    if (options.jobs == 0)
        options.jobs = static_cast<int>(
            std::clamp(std::thread::hardware_concurrency(), 1u, static_cast<unsigned>(kMostJobs)));
    return true;
}

FileResult processBatchFile(const BatchJob& job, std::size_t index) {
    const BatchInput& input = job.inputs.at(index);
    FileResult result;
    result.index = index;
    result.ears = static_cast<int>(job.options.ears[0]) + static_cast<int>(job.options.ears[1]);
    const std::string path = joinPath(job.options.folder, input.relativePath);
    LoadedEar loaded;
    std::ostringstream why;
    const int code = readPatientForCli(path, loaded.record, why);
    if (code != kExitOk) {
        const std::string reason = reasonWithoutPath(firstLine(why.str()), path);
        addFailure(result, path, reason);
        result.rows.push_back(failedFileRow(input.relativePath, reason));
        return result;
    }
    for (const Ear ear : kEars) {
        if (!job.options.ears[static_cast<std::size_t>(recordIndex(ear))])
            continue;
        loaded.page = loadEarCurves(loaded.record, job.database, ear);
        processEar(job, input, loaded, ear, result);
    }
    return result;
}
