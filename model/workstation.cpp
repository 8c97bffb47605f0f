#include "model/workstation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

std::string systemUserName() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name && *entry->pw_name)
        return entry->pw_name;
    if (const char* name = std::getenv("USER"); name && *name)
        return name;
    return {};
}

std::string systemHostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return {};
    return name;
}
