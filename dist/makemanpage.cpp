// Writes the manual page of tavik-cli, made from the same texts as its --help:
//   tavik_manpage OUT.1
// Run by the build.
#include "cli/help.h"
#include "model/version.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavik_manpage OUT.1\n");
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << manPageText(kProgramVersion);
    out.close();
    if (!out) {
        std::fprintf(stderr, "tavik_manpage: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
