#include "cli/help.h"
#include "cli/batchhelp.h"
#include "cli/helpformat.h"
#include "cli/listhelp.h"

#include <map>
#include <vector>

namespace {

constexpr const char* kProgramSummary =
    "read TAVIK patient and hearing-aid database files without the window";

constexpr const char* kProgramDescription =
    "tavik-cli reads the patient files (*.TAV) and the hearing-aid database files "
    "(TAVIK.TDB) of TAVIK without its window. It prints what TAVIK would show as JSON, or "
    "draws the curve page's graphs and the printed reports into files, for clinics "
    "without a printer and for batch use.\n"
    "Texts stored as Latin-1 are printed as UTF-8; floats are printed as the shortest "
    "decimal that reads back as the same 32-bit float, and a value that is no number as "
    "null. Problems go to standard error, naming the file and the reason.";

constexpr const char* kExitStatus =
    "0 when the command did its work; 1 for wrong arguments, a file that cannot be read or "
    "written, and output that cannot be written (a full disk, a closed standard output); "
    "2 for a patient file of a size TAVIK does not read (neither 1372 nor 3118 bytes). "
    "batch exits with 1 when any file failed (a PDF kept without --force, and an ear with "
    "no curve to print, is no failure) "
    "and with 130 when it was stopped.";

constexpr OptionHelp kEarOptional{
    "--ear right|left", "The ear whose curve page is shown: right (the default) or left."};
constexpr OptionHelp kEarRequired{"--ear right|left", "The ear: right or left. Required."};
constexpr OptionHelp kDatabase{
    "--db TAVIK.TDB",
    "The hearing-aid database file the aids come from, read as TAVIK reads its TAVIK.TDB: a "
    "file shorter than 1364 bytes fills only the start of the database. A file that cannot "
    "be read is an error. Without --db, the TAVIK.TDB of the current folder, which TAVIK "
    "reads when started there; when there is none, or it cannot be read, the database TAVIK "
    "starts with then (HA-1 to HA-6 without curves). Standard error names the database used, "
    "or says that none was found and why."};
constexpr OptionHelp kHelp{"--help", "Shows this text."};

constexpr OptionHelp kShowOptions[] = {kHelp};
constexpr OptionHelp kShowVersionOptions[] = {
    {"--version N",
     "Prints version N of the file's history instead of the file, in the same form (its kind "
     "is \"Current\"); the versions are numbered from 1 for the oldest, as tavik-cli history "
     "lists them. The file itself need not be there any more."},
    kHelp};
constexpr OptionHelp kHistoryOptions[] = {
    {"--json", "Prints the versions as JSON: version, savedAt, user, host, programVersion, "
               "testDate and changes of each, newest first, and the problems."},
    {"--restore N",
     "Writes version N out as a patient file instead of listing; needs -o. A file at OUT is "
     "replaced atomically, and what it held is kept in OUT's own history first."},
    {"-o OUT.TAV", "The patient file --restore writes."},
    kDatabase,
    kHelp};
constexpr OptionHelp kCurvesOptions[] = {kEarOptional, kDatabase, kHelp};
constexpr OptionHelp kPredictOptions[] = {kEarRequired, kHelp};
constexpr OptionHelp kGraphOptions[] = {
    kEarRequired,
    kDatabase,
    {"--scale N",
     "Draws at N times the page's pixels, a whole number from 1 (the default) to 8. The "
     "picture is drawn at that detail, not enlarged."},
    {"-o OUT.png", "The image file to write. Required."},
    kHelp,
};
constexpr OptionHelp kReportOptions[] = {
    kEarRequired,
    {"--curves fitted,user,aid",
     "The reports to write, separated by commas, each kind at most once: fitted (the chosen "
     "fitted curves), user (the clinician's own curves), aid (the hearing aids' curves). "
     "They come in the order fitted, user, aid, whatever the order given. All three unless "
     "told."},
    {"--copies N",
     "How many copies of each report, a whole number from 1 (the default) to 99; the copies "
     "of one kind follow one another."},
    {"--page a4|letter", "The paper: A4 (the default) or US Letter."},
    kDatabase,
    {"--overview",
     "Writes one \"Overview\" page of both ears instead: the patient named as the printed "
     "report names them (name, patient ID, birth date, test date, clinician, monaural or "
     "binaural fitting, and how each ear's levels were obtained), then each ear's loudness "
     "map above its gain chart, as tavik-cli chart draws them. Takes FILE, --page, --db and "
     "-o; no --ear."},
    {"-o OUT.pdf", "The PDF file to write. Required."},
    kHelp,
};
constexpr OptionHelp kChartOptions[] = {
    kEarRequired,
    {"--kind loudmap|gain",
     "The chart: loudmap, the ear's loudness levels across the six frequencies (threshold, "
     "UCL and the soft, comfortable and loud bands between them, in the unit the loudness "
     "page shows), or gain, a plot each for soft, average and loud speech with the target gain "
     "beside the gain of the fitted curve, the user curve and the aid at that speech input. "
     "Required."},
    kDatabase,
    {"--scale N",
     "Draws at N times 640 x 400 pixels, a whole number from 1 (the default) to 8. The "
     "picture is drawn at that detail, not enlarged."},
    {"-o OUT.png", "The image file to write. Required."},
    kHelp,
};

constexpr OptionHelp kBatchOptions[] = {
    {"-o OUTDIR",
     "The folder the PDFs go to, made when it is not there; its sub-folders mirror those "
     "of DIR. Required."},
    {"--ears right,left",
     "The ears to write, separated by commas, each at most once; a PDF for each, the right "
     "ear first. Both unless told."},
    {"--curves fitted,user,aid",
     "The reports in each PDF, one page each, in the order fitted, user, aid, as for "
     "report. All three unless told."},
    {"--page a4|letter", "The paper: A4 (the default) or US Letter."},
    kDatabase,
    {"--jobs N", "How many patient files are drawn at once, each by a process of its own: a whole "
                 "number from 1 to 256. Unless told, as many as the computer has cores."},
    {"--summary FILE.csv",
     "Also writes a table with one row per patient and ear, in the order of the files, the "
     "right ear first: file (from DIR), pdf (from OUTDIR, empty when none was written), last "
     "name, first name, patient ID, birth date, test date, clinician, ear, aid style, level "
     "source, fitting, the left and right graph frequency in Hz, the curve shape and aid chosen "
     "at each, the RMS errors of the fitted, user and aid curve at each (empty for no curve, "
     "Error where none could be computed), the soft, average and loud targets at each (empty "
     "for none), the error, and last the aids by frequency: empty when the ear holds one aid "
     "(as TAVIK stores it), else each aid with its frequencies (\"HA-2 at 250 Hz and 500 Hz; "
     "HA-3 at 1 KHz, 2 KHz, 3 KHz and 4 KHz\"), for a file that holds several. A file that "
     "gives no patient has one row with its name and the error, and so has a folder that "
     "could not be read. CSV after RFC 4180 (CRLF line ends, "
     "quoted where needed) in UTF-8. Its folder must be there; a summary that is there already "
     "is replaced only with --force, and never one named .TAV (in any case) or leading to a "
     "patient file, even with --force: the batch refuses before it draws."},
    {"--force", "Replaces PDFs and a summary that are there already (a patient file never)."},
    kHelp,
};

constexpr CliCommand kCommands[] = {
    {"show", runShow, "FILE [--version N]", "print a patient file (*.TAV) as JSON",
     "Prints the patient file FILE as JSON: its kind, \"Current\" for a file of 1372 bytes "
     "or \"Older\" for one of 3118 bytes, which is shown converted as TAVIK loads it, and "
     "every field of the record.",
     kShowVersionOptions},
    {"show-db", runShowDb, "FILE", "print a hearing-aid database file as JSON",
     "Prints the hearing-aid database file FILE as JSON: the long and short names of the six "
     "hearing aids and their curve parameters at the six frequencies. A file shorter than "
     "1364 bytes fills only the start of an empty database, as TAVIK reads it.\n"
     "A missing file gives the database TAVIK starts with when it has none. A file that is "
     "there but cannot be read (a folder, a pipe, a device, a file without read permission, "
     "a link that leads nowhere or in a circle) is an error that names it.",
     kShowOptions},
    {"curves", runCurves, "FILE [--ear right|left] [--db TAVIK.TDB]",
     "print what the curve page holds for an ear as JSON",
     "Prints as JSON what the curve page holds for one ear of the patient file FILE once it "
     "is shown and both graphs are painted: the targets (graphFrequency, graphLevels, "
     "bandLevels, targetLevels), the five fit points of each graph, the texts of the six "
     "controls above the grid, the grid column by column (column 0 holds the row labels), "
     "and the six curves read from the grid with their RMS errors.",
     kCurvesOptions},
    {"predict", runPredict, "FILE --ear right|left",
     "print an ear's loudness levels after prediction",
     "Prints {\"ear\": ..., \"loudness\": [6][8]}: the ear's loudness levels in dB SPL, six "
     "frequencies of eight categories from THR to UCL, after \"Predict intermediate levels\" "
     "with the ear's level source. With measured levels (level source 0) nothing changes. "
     "A frequency whose UCL lies below its threshold (level source 2) is not predicted; "
     "standard error names it.",
     kPredictOptions},
    {"graph", runGraphIfBuilt, "FILE --ear right|left [--db TAVIK.TDB] [--scale N] -o OUT.png",
     "draw an ear's graphs as the curve page shows them into a PNG image",
     "Draws the two graphs of the ear as the curve page shows them once it is loaded (bands, "
     "speech levels, targets, the three curves of each graph and the frequency captions) "
     "into a PNG image of 595 x 294 pixels times N. The ear is loaded as for curves. "
     "OUT.png is replaced only once the image is written whole. No display is needed; a "
     "build of TAVIK without its user interface says that it cannot draw.",
     kGraphOptions},
    {"report", runReportIfBuilt,
     "FILE --ear right|left [--curves fitted,user,aid] [--copies N] [--page a4|letter] "
     "[--db TAVIK.TDB] -o OUT.pdf",
     "write the printed reports of an ear as PDF pages",
     "Writes the printed reports of the ear as PDF pages, drawn by the same code as the "
     "printed page: one page for every report the curve page's print command would send to "
     "a printer, in the same order. The ear is loaded as for curves. The pages are laid out "
     "for a 600 dpi printer with a quarter-inch unprintable border. OUT.pdf is replaced only "
     "once it is written whole; a folder that cannot be written is named in the error.\n"
     "A pair asked for whose curves are all incomplete (an aid with no data at either graph "
     "frequency, a user curve never typed) is not printed: like the print selection, which "
     "does not offer it, report names it on standard error (\"FILE\": Right Ear: No curve to "
     "print in HA-3\\HA-3.). When no pair asked for has a curve, nothing is written (an old "
     "OUT.pdf stays), standard error says \"no PDF written\" and the exit status is 1. Levels "
     "not what the threshold predicts, which the window asks about before printing, are named "
     "on standard error in the words of the curve page's note, and the reports are printed.\n"
     "tavik-cli report --overview FILE [--page a4|letter] [--db TAVIK.TDB] -o OUT.pdf writes "
     "the one-page overview of both ears instead, naming each ear's out-of-date levels in the "
     "same way; its loudness maps draw the previous visit from the file's history as thin "
     "grey lines.",
     kReportOptions},
    {"chart", runChartIfBuilt,
     "FILE --ear right|left --kind loudmap|gain [--db TAVIK.TDB] [--scale N] -o OUT.png",
     "draw an ear's loudness map or gain chart into a PNG image",
     "Draws one of the ear's overview charts across all six frequencies into a PNG image of "
     "640 x 400 pixels times N. Levels the record holds as predicted are drawn hollow or "
     "dashed, measured ones solid; a level lower than a category before it at the same "
     "frequency is ringed and marked \"!\". Missing levels, targets or curves leave gaps. "
     "The curves at each frequency are fitted as the curve page fits them with that "
     "frequency in its graphs. The loudness map draws the previous visit (the newest version "
     "in the file's history with another test date) as thin grey threshold and UCL lines. "
     "OUT.png is replaced only once the image is written whole.",
     kChartOptions},
    {"batch", runBatchIfBuilt, kBatchSynopsis, kBatchSummary, kBatchDescription, kBatchOptions},
    {"list", runList, kListSynopsis, kListSummary, kListDescription, kListOptions},
    {"history", runHistory, "FILE [--json] [--db TAVIK.TDB] | FILE --restore N -o OUT.TAV",
     "list the kept versions of a patient file, or write one out",
     "Lists the versions of the patient file FILE that its history keeps, newest first, one "
     "line each: the version's number (1 is the oldest), the time of the save in UTC, user@host, "
     "the test date, and what changed against the version before it. The history is the folder "
     "FILE.history beside the file; TAVIK keeps a version there at every save, and first the "
     "file a save replaces when the history does not hold it yet (user and host \"unknown\", "
     "the file's time).\n"
     "A version file that cannot be read is named on the error output and the others are "
     "listed; nothing is removed. With --restore N -o OUT.TAV, version N is written out as a "
     "patient file.",
     kHistoryOptions},
};

// Each command has a name of its own and its manual, so that asking for its manual can
// find nothing for no command. (That each has a function that runs it is checked by a
// test: a sanitizer build cannot compare a function's address at compile time.)
constexpr bool everyCommandComplete() {
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        const CliCommand& command = kCommands[i];
        if (std::string_view(command.name).empty() || std::string_view(command.summary).empty() ||
            command.options.empty())
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (std::string_view(kCommands[j].name) == command.name)
                return false;
        }
    }
    return true;
}
static_assert(everyCommandComplete());

} // namespace

std::span<const CliCommand> cliCommands() {
    return kCommands;
}

const CliCommand* findCliCommand(std::string_view name) {
    for (const CliCommand& command : kCommands) {
        if (name == command.name)
            return &command;
    }
    return nullptr;
}

const char* commandUsage(std::string_view name) {
    static const std::map<std::string, std::string, std::less<>> usages = [] {
        std::map<std::string, std::string, std::less<>> all;
        for (const CliCommand& command : kCommands) {
            std::string text;
            appendSynopsis(text, "usage: tavik-cli ", command.name, command.synopsis);
            text.pop_back();
            all.emplace(command.name, text);
        }
        return all;
    }();
    const auto found = usages.find(name);
    return found == usages.end() ? "usage: tavik-cli COMMAND [ARGUMENTS]" : found->second.c_str();
}

std::string programHelpText() {
    std::string out = "tavik-cli: ";
    out += kProgramSummary;
    out += ".\n\nusage: tavik-cli COMMAND [ARGUMENTS]\n"
           "       tavik-cli COMMAND --help   (the manual of one command)\n\n";
    appendParagraphs(out, kProgramDescription, 0);
    out += "\ncommands:\n";
    for (const CliCommand& command : kCommands) {
        appendSynopsis(out, "  ", command.name, command.synopsis);
        appendWrapped(out, command.summary, 6);
    }
    out += "  --help, -h\n";
    appendWrapped(out, "show this text", 6);
    out += "  --version\n";
    appendWrapped(out, "show the version of TAVIK this tavik-cli belongs to", 6);
    out += "\nexit status:\n";
    appendWrapped(out, kExitStatus, 2);
    return out;
}

std::string commandHelpText(const CliCommand& command) {
    std::string out;
    appendSynopsis(out, "usage: tavik-cli ", command.name, command.synopsis);
    out += '\n';
    appendParagraphs(out, command.description, 0);
    out += "\noptions:\n";
    for (const OptionHelp& option : command.options) {
        out += "  " + std::string(option.name) + '\n';
        appendWrapped(out, option.text, 6);
    }
    out += "\nexit status:\n";
    appendWrapped(out, kExitStatus, 2);
    return out;
}

std::string manPageText(std::string_view version) {
    std::string out = ".TH TAVIK\\-CLI 1 \"\" \"TAVIK " + roff(version) + "\" \"User Commands\"\n";
    out += ".SH NAME\ntavik\\-cli \\- " + roff(kProgramSummary) + '\n';
    out += ".SH SYNOPSIS\n";
    for (const CliCommand& command : kCommands) {
        // Lines break only between the groups of the synopsis.
        out += ".B tavik\\-cli " + roff(command.name) + '\n';
        for (std::string group : synopsisGroups(command.synopsis)) {
            group = roff(group);
            for (std::size_t space = group.find(' '); space != std::string::npos;
                 space = group.find(' ', space + 2))
                group.replace(space, 1, "\\ ");
            out += group + '\n';
        }
        out += ".br\n";
    }
    out += ".B tavik\\-cli\n.RI [ COMMAND ] \" \\-\\-help\"\n.br\n.B tavik\\-cli \\-\\-version\n";
    out += ".SH DESCRIPTION\n";
    appendRoffParagraphs(out, kProgramDescription);
    out += ".SH COMMANDS\n";
    for (const CliCommand& command : kCommands) {
        out += ".SS \"" + roff(command.name) + ' ' + roff(command.synopsis) + "\"\n";
        appendRoffParagraphs(out, command.description);
        for (const OptionHelp& option : command.options) {
            if (std::string_view(option.name) == kHelp.name)
                continue;
            out += ".TP\n" + roffOptionName(option.name) + roff(option.text) + '\n';
        }
    }
    out += ".SH OPTIONS\n.TP\n.BR \\-\\-help \", \" \\-h\n"
           "Lists the commands; after a command, shows that command's manual.\n"
           ".TP\n.B \\-\\-version\nShows the version of TAVIK this tavik\\-cli belongs to.\n";
    out += ".SH \"EXIT STATUS\"\n" + roff(kExitStatus) + '\n';
    out += ".SH FILES\n.TP\n.I *.TAV\nPatient files.\n.TP\n.I TAVIK.TDB\n"
           "The hearing\\-aid database, which TAVIK keeps in the folder it was started from.\n";
    return out;
}
