// Sets the time zone to UTC while alive and gives back the one before, so that tests
// of local times read the same on every machine.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class UtcZone {
  public:
    UtcZone() {
        if (const char* zone = std::getenv("TZ"))
            saved_ = zone;
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    ~UtcZone() {
        if (saved_)
            ::setenv("TZ", saved_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    UtcZone(const UtcZone&) = delete;
    UtcZone& operator=(const UtcZone&) = delete;

  private:
    std::optional<std::string> saved_;
};
