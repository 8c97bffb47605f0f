#include "cli/batchprogress.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace {

constexpr int kBarWidth = 24;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

std::string clockText(double seconds) {
    const long whole = static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

} // namespace

std::string progressLine(int done, int total, double seconds) {
    const int filled = total > 0 ? std::clamp(done * kBarWidth / total, 0, kBarWidth) : kBarWidth;
    std::string line(kBarWidth + 2, '-');
    line.front() = '[';
    line.back() = ']';
    std::fill_n(line.begin() + 1, filled, '#');
    char counts[64];
    std::snprintf(counts, sizeof counts, " %d/%d", done, total);
    line += counts;
    const double rate = seconds > 0 ? done / seconds : 0;
    if (rate <= 0)
        return line;
    char rateText[32];
    std::snprintf(rateText, sizeof rateText, "  %.1f ears/s  ", rate);
    return line + rateText + clockText((total - done) / rate) + " left";
}

BatchProgress::BatchProgress(std::ostream& err, bool show, int totalEars)
    : err_(err), show_(show), total_(totalEars), start_(std::chrono::steady_clock::now()),
      lastDraw_(start_) {
    if (show_)
        draw();
}

BatchProgress::~BatchProgress() {
    if (!show_)
        return;
    draw();
    err_ << '\n' << std::flush;
}

void BatchProgress::add(int ears) {
    done_ += ears;
    if (show_ && std::chrono::steady_clock::now() - lastDraw_ >= kRedrawEvery)
        draw();
}

void BatchProgress::message(const std::string& line) {
    clear();
    err_ << line << '\n';
    if (show_)
        draw();
}

void BatchProgress::draw() {
    lastDraw_ = std::chrono::steady_clock::now();
    const std::chrono::duration<double> elapsed = lastDraw_ - start_;
    const std::string line = progressLine(done_, total_, elapsed.count());
    err_ << '\r' << line;
    if (line.size() < drawnWidth_)
        err_ << std::string(drawnWidth_ - line.size(), ' ');
    drawnWidth_ = std::max(drawnWidth_, line.size());
    err_ << std::flush;
}

void BatchProgress::clear() {
    if (!show_ || drawnWidth_ == 0)
        return;
    err_ << '\r' << std::string(drawnWidth_, ' ') << '\r';
    drawnWidth_ = 0;
}
