// Who and where this program runs: the system user and the computer's name, as the
// file lock and the save history record them.
#pragma once

#include <string>

// The system user's login name; "" when the system cannot say.
std::string systemUserName();
// The computer's host name; "" when the system cannot say.
std::string systemHostName();
