// The program's version, as the title bar, the About screen, tavik-cli --version and
// the manual page show it: "1.0a". The build writes its value (version.cpp in the
// build folder) from the project's version in CMakeLists.txt, the one place it is set.
#pragma once

extern const char* const kProgramVersion;
