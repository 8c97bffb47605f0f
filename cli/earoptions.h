// What the commands that show one ear of a patient file share: their arguments (FILE,
// --ear, --db and further options with a value), the database they read, and the
// ear loaded the way the curve page loads it.
#pragma once

#include "cli/commands.h"
#include "curves/curveload.h"
#include "model/aiddatabase.h"
#include "model/fittingrecord.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct EarOptions {
    std::string file;
    std::optional<Ear> ear;
    std::optional<std::string> database;
    std::map<std::string, std::string> values; // the further options given, by name
};

struct EarOptionRules {
    const char* usage;                     // printed after every complaint
    bool databaseAllowed = false;          // whether --db is taken
    std::vector<std::string> valueOptions; // further options that take a value ("-o")
};

// FILE and the options, in any order, each option once. Returns false after telling
// err what is wrong.
bool parseEarOptions(const Args& args, const EarOptionRules& rules, EarOptions& options,
                     std::ostream& err);

// "right" or "left".
const char* earName(Ear ear);

struct LoadedEar {
    FittingRecord record{};
    AidDatabase database{};
    EarCurves page;
};

// The database as the program holds it after reading its file: the file's bytes over
// a zeroed database, however short the file is. The file is the one given (--db), or
// else TAVIK.TDB in the current folder, which the program reads when started there.
// One line on err names the file read, or says that none was found, or why it could
// not be read, and that the default aids HA-1 to HA-6 without curves stand in. Every
// command that takes --db reads its database here. False after telling err why a file
// given with --db cannot be read.
bool readDatabaseForCli(const std::optional<std::string>& path, AidDatabase& database,
                        std::ostream& err);

// Reads the patient file and the database (--db, read as the program reads its
// database file, or the defaults) and loads the ear (right unless told) as the curve
// page does when it is shown. On failure the reason goes to err and the exit code is
// returned; 0 when the ear was loaded.
int loadEarForCli(const EarOptions& options, LoadedEar& loaded, std::ostream& err);
