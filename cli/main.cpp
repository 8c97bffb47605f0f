#include "cli/commands.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
#ifdef TAVIK_CLI_GRAPHICS
    graphCommand = runGraph;
    reportCommand = runReport;
#endif
    try {
        return runCli(Args(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "tavik-cli: " << e.what() << '\n';
        return kExitFailure;
    }
}
