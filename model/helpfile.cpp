#include "model/helpfile.h"

#include "model/fileio.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace {

// The guide is a few dozen kilobytes; anything this large is not our help file.
constexpr std::size_t kLargestHelpFile = 4 * 1024 * 1024;

std::string escapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

bool containsAttribute(const std::string& html, const char* attribute, const std::string& value) {
    for (const char quote : {'"', '\''}) {
        const std::string needle = attribute + std::string("=") + quote + value + quote;
        if (html.find(needle) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

std::string helpFilePath(const std::string& programDir) {
    const std::string folder =
        programDir.empty() || programDir.back() == '/' ? programDir : programDir + '/';
    const std::string beside = folder + kHelpFileName;
    const std::string installed =
        std::filesystem::path(folder + kInstalledHelpFolder + kHelpFileName)
            .lexically_normal()
            .string();
    std::error_code ignored;
    if (!std::filesystem::exists(beside, ignored) && std::filesystem::exists(installed, ignored))
        return installed;
    return beside;
}

std::string helpAnchor(HelpCommand command, int data) {
    switch (command) {
    case HelpCommand::Context:
        return data > 0 ? std::to_string(data) : kContentsAnchor;
    case HelpCommand::HelpOnHelp:
        return kUsingHelpAnchor;
    case HelpCommand::Contents:
        break;
    }
    return kContentsAnchor;
}

bool helpHasTopic(const std::string& html, const std::string& anchor) {
    if (anchor.empty())
        return false;
    return containsAttribute(html, "name", anchor) || containsAttribute(html, "id", anchor);
}

HelpFileText readHelpFile(const std::string& path) {
    HelpFileText result;
    std::vector<uint8_t> bytes;
    try {
        bytes = readFileHead(path, kLargestHelpFile);
    } catch (const FileError& error) {
        result.problem = error.what();
        return result;
    }
    if (bytes.empty()) {
        result.problem = "The help file \"" + path + "\" is empty.";
        return result;
    }
    if (bytes.size() > kLargestHelpFile) {
        result.problem = "The help file \"" + path + "\" is too large to be the TAVIK guide.";
        return result;
    }
    result.ok = true;
    result.html.assign(bytes.begin(), bytes.end());
    return result;
}

std::string helpProblemPage(const std::string& problem) {
    return "<html><head><title>TAVIK Help</title></head><body>"
           "<h2>The help file could not be opened</h2>"
           "<p>" +
           escapeHtml(problem) +
           "</p>"
           "<p>TAVIK looks for its guide, the file <b>TAVIK.HLP</b>, in the folder the program "
           "itself is in, and then in <b>../share/tavik/</b> from there, where it is installed. "
           "Copy the file there (it comes with TAVIK) and ask for help again; "
           "the program goes on working without it.</p>"
           "</body></html>";
}
