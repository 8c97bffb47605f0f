// tavik-cli's command line, of any arguments (the input's NUL bytes separate them;
// the first byte picks the command whose rules apply). An accepted command line says
// nothing on the error output and reads the same when written out again in a plain
// order; a refused one always says why and shows the command's usage. The option
// values read back: a whole number from its decimal text, the report kinds from their
// names. No argument reaches a file: only the parsers run here.
#include "cli/earoptions.h"
#include "cli/help.h"
#include "cli/optionvalues.h"
#include "fuzz/fuzzsupport.h"

#include <sstream>
#include <string>

namespace {

struct CommandRules {
    const char* name;
    bool databaseAllowed;
    std::vector<std::string> valueOptions;
};

const CommandRules kRules[] = {
    {"curves", true, {}},
    {"predict", false, {}},
    {"graph", true, {"--scale", "-o"}},
    {"report", true, {"--curves", "--copies", "--page", "-o"}},
};

bool sameOptions(const EarOptions& a, const EarOptions& b) {
    return a.file == b.file && a.ear == b.ear && a.database == b.database && a.values == b.values;
}

Args writtenOut(const EarOptions& options) {
    Args args;
    if (options.ear) {
        args.push_back("--ear");
        args.push_back(earName(*options.ear));
    }
    if (options.database) {
        args.push_back("--db");
        args.push_back(*options.database);
    }
    for (const auto& [name, value] : options.values) {
        args.push_back(name);
        args.push_back(value);
    }
    args.push_back(options.file);
    return args;
}

void checkValues(const EarOptions& options) {
    for (const auto& [name, value] : options.values) {
        if (const auto number = parseWholeNumber(value, 1, 99)) {
            FUZZ_CHECK(*number >= 1 && *number <= 99);
            FUZZ_CHECK(parseWholeNumber(std::to_string(*number), 1, 99) == number);
        }
        if (const auto kinds = parseCurveKinds(value)) {
            std::string names;
            for (std::size_t k = 0; k < kinds->size(); ++k) {
                if ((*kinds)[k])
                    names += (names.empty() ? "" : ",") + std::string(kCurveKindNames[k]);
            }
            FUZZ_CHECK(!names.empty());
            FUZZ_CHECK(parseCurveKinds(names) == kinds);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const CommandRules& command = kRules[data[0] % std::size(kRules)];
    const Args args = fuzz::split(fuzz::asText(data + 1, size - 1), '\0');
    const EarOptionRules rules{commandUsage(command.name), command.databaseAllowed,
                               command.valueOptions};

    EarOptions options;
    std::ostringstream err;
    if (!parseEarOptions(args, rules, options, err)) {
        const std::string said = err.str();
        FUZZ_CHECK(said.starts_with("tavik-cli: "));
        FUZZ_CHECK(said.ends_with(std::string(rules.usage) + "\n"));
        return 0;
    }
    FUZZ_CHECK(err.str().empty());
    FUZZ_CHECK(options.file == "-" || !options.file.starts_with("-"));
    checkValues(options);

    EarOptions again;
    std::ostringstream errAgain;
    FUZZ_CHECK(parseEarOptions(writtenOut(options), rules, again, errAgain));
    FUZZ_CHECK(sameOptions(options, again));
    return 0;
}
