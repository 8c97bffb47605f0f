// The desktop's font configuration is read the first time a program lays out text,
// which on a start costs several milliseconds of parsing. Reading it on a thread of
// its own while the program connects to the display puts that work on another core.
#pragma once

#include <thread>

// Starts reading the font configuration aside. Join the thread before the first text
// is drawn; were it still running then, the text would read the configuration itself.
std::jthread readFontConfigurationAside();
