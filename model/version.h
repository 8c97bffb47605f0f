// The program's version, as the title bar and the manual page show it.
#pragma once

inline constexpr const char* kProgramVersion = "1.0a";
