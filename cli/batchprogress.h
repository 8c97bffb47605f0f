// The progress line of a batch on a terminal: a bar, patient-ears done of all,
// patient-ears per second and the time left, redrawn in place. Messages are printed
// above it. Without a terminal only the messages are printed.
#pragma once

#include <chrono>
#include <iosfwd>
#include <string>

class BatchProgress {
  public:
    BatchProgress(std::ostream& err, bool show, int totalEars);
    ~BatchProgress();
    BatchProgress(const BatchProgress&) = delete;
    BatchProgress& operator=(const BatchProgress&) = delete;

    // Counts patient-ears done; the line is redrawn at most ten times a second.
    void add(int ears);
    // A line for standard error, printed where the bar stood; the bar follows it.
    void message(const std::string& line);

  private:
    void draw();
    void clear();

    std::ostream& err_;
    bool show_;
    int total_;
    int done_ = 0;
    std::size_t drawnWidth_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_;
};

// The line for done of total patient-ears after the given seconds:
// "[#####---------------]   25/100  12.5 ears/s  0:06 left".
std::string progressLine(int done, int total, double seconds);
