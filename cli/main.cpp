#include "cli/commands.h"
#include "model/fileio.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <iostream>
#include <span>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// A standard stream the program was started without. Its number is taken by
// /dev/null, so that no file the program opens later takes its place and receives
// what was meant for the terminal.
bool reserveIfClosed(int fd, int flags) {
    if (::fcntl(fd, F_GETFD) != -1)
        return false;
    const int opened = ::open("/dev/null", flags | O_CLOEXEC);
    if (opened >= 0 && opened != fd) {
        ::dup2(opened, fd);
        ::close(opened);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    reserveIfClosed(STDIN_FILENO, O_RDONLY);
    const bool outputClosed = reserveIfClosed(STDOUT_FILENO, O_WRONLY);
    reserveIfClosed(STDERR_FILENO, O_WRONLY);
#ifdef TAVIK_CLI_GRAPHICS
    graphCommand = runGraph;
    reportCommand = runReport;
    chartCommand = runChart;
    batchCommand = runBatch;
#endif
    // What a command prints is kept until it is done and then written in one go, so
    // that a failed write is seen, reported and turned into a failed exit.
    std::ostringstream out;
    int code = kExitFailure;
    try {
        code = runCli(Args(argv + 1, argv + argc), out, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "tavik-cli: " << e.what() << '\n';
        return kExitFailure;
    }
    const std::string text = out.str();
    if (text.empty())
        return code;
    const auto bytes = std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    const int error = outputClosed ? EBADF : writeAll(STDOUT_FILENO, bytes) ? 0 : errno;
    if (error != 0) {
        std::cerr << "tavik-cli: cannot write the output: " << std::strerror(error) << '\n';
        return kExitFailure;
    }
    return code;
}
