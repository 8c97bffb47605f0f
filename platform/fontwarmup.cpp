#include "platform/fontwarmup.h"

#include <fontconfig/fontconfig.h>

std::jthread readFontConfigurationAside() {
    // The library keeps the configuration it reads for every later caller, Qt's font
    // database among them; a second reader at the same time would only read it again.
    return std::jthread([] { FcInit(); });
}
