// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Console.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace platform {

// Standard output is written from one thread only: the calls skip the lock.
bool WriteStandardOutput(std::string_view text) {
    if (text.find('\r') == std::string_view::npos) {
        return fwrite_unlocked(text.data(), 1, text.size(), stdout) == text.size();
    }
    std::string converted;
    converted.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        converted.push_back(text[i]);
    }
    return fwrite_unlocked(converted.data(), 1, converted.size(), stdout) == converted.size();
}

bool WriteStandardOutputLine(std::string_view text) {
    return WriteStandardOutput(text) && putc_unlocked('\n', stdout) != EOF;
}

bool FlushStandardOutput() {
    return std::fflush(stdout) == 0;
}

bool FlushStandardOutputAtLineEnd() {
    static const bool terminal = IsOutputTerminal();
    if (terminal) {
        return FlushStandardOutput();
    }
    // The coarse clock is read for every line, so it must be cheap; its few
    // milliseconds of grain do not matter against 100.
    const auto now = [] {
        timespec time{};
        (void)clock_gettime(CLOCK_MONOTONIC_COARSE, &time);
        return int64_t{time.tv_sec} * 1000 + time.tv_nsec / 1000000;
    };
    static int64_t lastFlush = now();
    const int64_t current = now();
    if (current - lastFlush < 100) {
        return std::ferror(stdout) == 0;
    }
    lastFlush = current;
    return FlushStandardOutput();
}

void UseLargeOutputBuffer() {
    constexpr std::size_t kBufferSize = 256 * 1024;
    static bool done = false;
    if (!done && !IsOutputTerminal()) {
        // Never freed: standard output uses it until the process ends.
        static char* const buffer = new char[kBufferSize];
        std::fflush(stdout);
        (void)std::setvbuf(stdout, buffer, _IOFBF, kBufferSize);
    }
    done = true;
}

bool IsOutputTerminal() {
    return isatty(STDOUT_FILENO) == 1;
}

bool IsInputTerminal() {
    return isatty(STDIN_FILENO) == 1;
}

void SetTerminalTitle(std::string_view title) {
    if (!IsOutputTerminal()) {
        return;
    }
    std::string sequence = "\033]0;";
    sequence += title;
    sequence += "\007";
    std::fwrite(sequence.data(), 1, sequence.size(), stdout);
}

void WaitForKeyPress() {
    FlushStandardOutput();
    if (!IsInputTerminal()) {
        return;
    }
    struct termios saved;
    if (tcgetattr(STDIN_FILENO, &saved) != 0) {
        return;
    }
    struct termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    tcflush(STDIN_FILENO, TCIFLUSH);
    char key;
    while (read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {
        // interrupted by a signal: keep waiting; any other failure (a hung-up
        // terminal, a background process) ends the wait
    }
    tcflush(STDIN_FILENO, TCIFLUSH);
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

} // namespace platform
