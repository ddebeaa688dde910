// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the CRC-32 of a large cached file against the speed of reading
// it: plain read() of the file, the byte-at-a-time table loop, zlib's crc32,
// CCrc32::Update (ISA-L) over a buffer in memory, and CCrc32::FileCrc32 on
// the cached file. Every method must give the same CRC.
//
//   nr_crc_bench [--dir FOLDER] [--size BYTES[K|M|G]] [--buffer BYTES[K|M|G]] [--runs R]

#include "engine/Crc32.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct COptions {
    std::string dir;
    uint64_t size = uint64_t{1} << 30;
    uint64_t buffer = uint64_t{256} << 20;
    int runs = 5;
};

bool ParseSize(const char* text, uint64_t& value) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long number = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text) {
        return false;
    }
    uint64_t factor = 1;
    if (*end == 'K' || *end == 'k') {
        factor = uint64_t{1} << 10;
        ++end;
    } else if (*end == 'M' || *end == 'm') {
        factor = uint64_t{1} << 20;
        ++end;
    } else if (*end == 'G' || *end == 'g') {
        factor = uint64_t{1} << 30;
        ++end;
    }
    value = number * factor;
    return *end == '\0' && value > 0;
}

bool ParseOptions(int argc, char** argv, COptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (next == nullptr) {
            return false;
        }
        if (arg == "--dir") {
            options.dir = next;
        } else if (arg == "--size") {
            if (!ParseSize(next, options.size)) {
                return false;
            }
        } else if (arg == "--buffer") {
            if (!ParseSize(next, options.buffer)) {
                return false;
            }
        } else if (arg == "--runs") {
            options.runs = std::atoi(next);
            if (options.runs < 1) {
                return false;
            }
        } else {
            return false;
        }
        ++i;
    }
    if (options.buffer < CCrc32::kBlockSize) {
        return false;
    }
    if (options.dir.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        options.dir = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    }
    return true;
}

// Bytes that no compressor or CRC shortcut could take for a pattern.
void FillPseudoRandom(std::vector<uint8_t>& bytes, uint64_t& state) {
    for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        std::memcpy(bytes.data() + i, &state, 8);
    }
}

// Writes the test file; its CRC (by zlib) comes back in crc.
bool WriteTestFile(const std::string& path, uint64_t size, uint32_t& crc) {
    std::ofstream out(path, std::ios::binary);
    std::vector<uint8_t> chunk(std::size_t{1} << 20);
    uint64_t state = 0x9E3779B97F4A7C15ull;
    uLong value = 0;
    for (uint64_t left = size; left > 0;) {
        FillPseudoRandom(chunk, state);
        const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(left, chunk.size()));
        out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(n));
        value = crc32_z(value, chunk.data(), n);
        left -= n;
    }
    out.close();
    crc = static_cast<uint32_t>(value);
    return static_cast<bool>(out);
}

// The baseline: read() of the whole file in blocks of the size FileCrc32
// reads, touching nothing.
uint64_t PlainRead(const std::string& path, std::size_t blockSize) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    std::vector<uint8_t> block(blockSize);
    uint64_t total = 0;
    for (;;) {
        const ssize_t n = read(fd, block.data(), block.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        total += static_cast<uint64_t>(n);
    }
    close(fd);
    return total;
}

struct CResult {
    std::string name;
    uint64_t bytes = 0;
    std::vector<double> seconds;
    bool correct = true;
};

template <typename Work>
CResult Measure(const std::string& name, uint64_t bytes, int runs, Work work) {
    CResult result{name, bytes, {}, true};
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        const bool ok = work();
        result.seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        result.correct = result.correct && ok;
    }
    std::sort(result.seconds.begin(), result.seconds.end());
    return result;
}

double GigabytesPerSecond(uint64_t bytes, double seconds) {
    return seconds > 0 ? static_cast<double>(bytes) / seconds / 1e9 : 0.0;
}

void PrintTable(const std::vector<CResult>& results, int runs) {
    std::printf("\n%-34s %10s %10s %10s %10s  %s\n", "method", "MiB", "median", "best", "worst",
                "CRC");
    std::printf("%-34s %10s %10s %10s %10s\n", "", "", "GB/s", "GB/s", "GB/s");
    for (const CResult& r : results) {
        const std::vector<double>& s = r.seconds;
        std::printf("%-34s %10.0f %10.2f %10.2f %10.2f  %s\n", r.name.c_str(),
                    static_cast<double>(r.bytes) / (1 << 20),
                    GigabytesPerSecond(r.bytes, s[s.size() / 2]),
                    GigabytesPerSecond(r.bytes, s.front()), GigabytesPerSecond(r.bytes, s.back()),
                    r.correct ? "ok" : "WRONG");
    }
    std::printf("(%d runs each; GB = 10^9 bytes)\n", runs);
}

} // namespace

int main(int argc, char** argv) {
    COptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: nr_crc_bench [--dir FOLDER] [--size BYTES[K|M|G]] "
                             "[--buffer BYTES[K|M|G]] [--runs R]\n");
        return 2;
    }
    std::string pattern = options.dir + "/nr-crc-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::fprintf(stderr, "cannot create a folder in %s: %s\n", options.dir.c_str(),
                     std::strerror(errno));
        return 1;
    }
    const std::string folder = pattern;
    const std::string path = folder + "/data.bin";

    std::printf("writing %llu bytes to %s\n", static_cast<unsigned long long>(options.size),
                path.c_str());
    uint32_t fileCrc = 0;
    if (!WriteTestFile(path, options.size, fileCrc)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::filesystem::remove_all(folder);
        return 1;
    }
    // One reading puts the whole file in the page cache.
    if (PlainRead(path, CCrc32::kBlockSize) != options.size) {
        std::fprintf(stderr, "cannot read %s back\n", path.c_str());
        std::filesystem::remove_all(folder);
        return 1;
    }

    const CCrc32 crc;
    std::vector<uint8_t> buffer(static_cast<std::size_t>(options.buffer));
    uint64_t state = 0x2545F4914F6CDD1Dull;
    FillPseudoRandom(buffer, state);
    const uint32_t bufferCrc = static_cast<uint32_t>(crc32_z(0, buffer.data(), buffer.size()));
    const int runs = options.runs;
    const uint64_t fileSize = options.size;
    const uint64_t bufferSize = buffer.size();

    std::vector<CResult> results;
    results.push_back(Measure("read() of the file, 32 KiB blocks", fileSize, runs,
                              [&] { return PlainRead(path, CCrc32::kBlockSize) == fileSize; }));
    results.push_back(Measure("read() of the file, 1 MiB blocks", fileSize, runs,
                              [&] { return PlainRead(path, std::size_t{1} << 20) == fileSize; }));
    results.push_back(Measure("UpdateBytewise, memory", bufferSize, runs, [&] {
        return crc.UpdateBytewise(0, buffer.data(), buffer.size()) == bufferCrc;
    }));
    results.push_back(Measure("zlib crc32_z, memory", bufferSize, runs, [&] {
        return crc32_z(0, buffer.data(), buffer.size()) == bufferCrc;
    }));
    results.push_back(Measure("Update (ISA-L), memory", bufferSize, runs, [&] {
        return crc.Update(0, buffer.data(), buffer.size()) == bufferCrc;
    }));
    // The block FileCrc32 works on stays in the processor's cache between
    // the read and the CRC: this is the CRC's share of its time.
    const std::size_t hotBlocks = static_cast<std::size_t>(fileSize / CCrc32::kBlockSize);
    const uint32_t hotCrc = crc.Update(0, buffer.data(), CCrc32::kBlockSize);
    results.push_back(
        Measure("Update (ISA-L), one 32 KiB block", hotBlocks * CCrc32::kBlockSize, runs, [&] {
            bool ok = true;
            for (std::size_t i = 0; i < hotBlocks; ++i) {
                ok = crc.Update(0, buffer.data(), CCrc32::kBlockSize) == hotCrc && ok;
            }
            return ok;
        }));
    results.push_back(Measure("FileCrc32, cached file", fileSize, runs, [&] {
        uint32_t value = 0;
        return crc.FileCrc32(path, nullptr, nullptr, value) && value == fileCrc;
    }));
    PrintTable(results, runs);

    std::filesystem::remove_all(folder);
    for (const CResult& r : results) {
        if (!r.correct) {
            return 1;
        }
    }
    return 0;
}
