// Writes the manual page of tavik-cli, made from the same texts as its --help:
//   tavik_manpage VERSION OUT.1
// Run by the build.
#include "cli/help.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavik_manpage VERSION OUT.1\n");
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << manPageText(argv[1]);
    out.close();
    if (!out) {
        std::fprintf(stderr, "tavik_manpage: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
