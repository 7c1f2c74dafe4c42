// Loading and writing whole projects with the resource model. A project of
// about 20 MB (200 dialogs, 40,000 groups and objects) is built with the model
// itself from a fixed seed and written once to get its text; then
// CZeResourceData::LoadText and WriteProject are timed on it and the peak
// memory of one load is taken, each figure printed beside its target.

#include <malloc.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench_project.h"
#include "common/text_convert.h"
#include "model/dialog_data.h"
#include "model/element_store.h"
#include "model/json_parser.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/schema.h"
#include "model/ze_class.h"

using bench::Corpus;
using bench::kDialogs;
using bench::LoadCorpus;
using bench::ProjectBuilder;

namespace {

constexpr int kRounds = 7;
constexpr double kMegabyte = 1024.0 * 1024.0;

// Speeds are measured against JsonParser::Parse on the same text in the same
// run, so the targets hold on any machine.
constexpr double kLoadTarget = 0.8;        // LoadText speed / parse speed
constexpr double kWriteTarget = 1.0;       // WriteProject speed / parse speed
constexpr double kPeakMemoryTarget = 4.0;  // times the size of the text
constexpr double kKeptMemoryTarget = 3.0;  // times the size of the text

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The CPU time of the whole process (every thread) so far, in seconds: a
// load's reading thread counts with it, so the figure tells the work a load
// does apart from whether the machine had a second core free for it.
double ProcessCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A "Vm...:" line of /proc/self/status, in kB; -1 when it cannot be read.
long StatusKilobytes(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return -1;
    }
    long kilobytes = -1;
    char line[256];
    const std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, field, length) == 0) {
            kilobytes = std::strtol(line + length, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return kilobytes;
}

struct LoadMemory {
    long before = -1;  // resident size before the load
    long peak = -1;    // peak resident size during it
    long kept = -1;    // resident size after it, the parser's memory given back
};

// Loads the text in a forked child, so nothing the parent allocated before
// hides in the figures: the child's peak resident size (VmHWM) during the
// load, and its resident size after it, each to be taken minus its resident
// size just before it. The text is resident in the child from the start and
// is not part of those differences.
bool MeasureLoadMemory(std::string_view text, LoadMemory& memory) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        LoadMemory figures;
        figures.before = StatusKilobytes("VmRSS:");
        auto* project = new ze::CZeResourceData();
        if (project->LoadText(text)) {
            figures.peak = StatusKilobytes("VmHWM:");
            ::malloc_trim(0);
            figures.kept = StatusKilobytes("VmRSS:");
        }
        // The project is left to the exit; freeing it measures nothing.
        const bool written =
            ::write(pipeEnds[1], &figures, sizeof figures) == static_cast<ssize_t>(sizeof figures);
        ::_exit(written ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    const bool read =
        ::read(pipeEnds[0], &memory, sizeof memory) == static_cast<ssize_t>(sizeof memory);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0 && memory.before >= 0 &&
           memory.peak >= 0 && memory.kept >= 0;
}

const char* Verdict(bool met) {
    return met ? "ok" : "MISSED";
}

}  // namespace

// With a path argument the generated project is also saved there, for a look
// at it or for other tools.
int main(int argc, char** argv) {
    Corpus corpus;
    if (!LoadCorpus(corpus)) {
        std::fprintf(stderr, "cannot read the corpus %s\n", ZE_TEST_DATA_DIR "/ja-corpus.txt");
        return 1;
    }

    std::string text;
    {
        ze::CZeResourceData project;
        ProjectBuilder builder(corpus);
        builder.Build(project);
        ze::CJsonString out;
        project.WriteProject(out, "");
        text = out.TakeText();
        std::printf(
            "project: %zu bytes (%.1f MB, MB = 2^20 bytes), %zu dialogs, %d elements "
            "(%d groups, %d objects), %d commands, %d header columns\n",
            text.size(), static_cast<double>(text.size()) / kMegabyte,
            project.GetDialogs().GetCount(), builder.Groups() + builder.Objects(), builder.Groups(),
            builder.Objects(), builder.Commands(), builder.HeaderColumns());
    }
    if (argc > 1) {
        std::ofstream(argv[1], std::ios::binary) << text;
    }
    // Give the builder's memory back so the child of the memory run starts
    // small.
    ::malloc_trim(0);
    const double megabytes = static_cast<double>(text.size()) / kMegabyte;

    // Correctness first: the loaded project must write the text it came from.
    {
        ze::CZeResourceData project;
        if (!project.LoadText(text)) {
            std::printf("LoadText failed on the generated text\n");
            return 1;
        }
        ze::CJsonString out;
        project.WriteProject(out, "");
        const std::string& again = out.GetText();
        if (again != text) {
            const auto [mismatch, unused] =
                std::mismatch(text.begin(), text.end(), again.begin(), again.end());
            const std::size_t at = static_cast<std::size_t>(mismatch - text.begin());
            const std::size_t from = at > 80 ? at - 80 : 0;
            std::printf(
                "round trip: MISMATCH at byte %zu (generated %zu bytes, rewritten %zu)\n"
                "generated: %.160s\nrewritten: %.160s\n",
                at, text.size(), again.size(), text.c_str() + from,
                again.c_str() + std::min(from, again.size()));
            return 1;
        }
        std::printf("round trip: the loaded project writes the generated text byte for byte\n");
    }

    LoadMemory memory;
    ::malloc_trim(0);
    if (!MeasureLoadMemory(text, memory)) {
        std::printf("memory: the load in the child process failed\n");
        return 1;
    }

    // Parses and loads take turns, so that a stretch of time in which this
    // machine runs slower weighs on both alike.
    double parseSeconds = 1e30;
    double loadSeconds = 1e30;
    double loadCpuSeconds = 1e30;
    double writeSeconds = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        double seconds = 0.0;
        {
            auto parser = std::make_unique<ze::JsonParser>();
            const auto start = std::chrono::steady_clock::now();
            const bool ok = parser->Parse(text);
            seconds = Seconds(std::chrono::steady_clock::now() - start);
            if (!ok) {
                std::printf("parse: JsonParser::Parse failed\n");
                return 1;
            }
            parseSeconds = std::min(parseSeconds, seconds);
        }
        {
            auto project = std::make_unique<ze::CZeResourceData>();
            const double cpuStart = ProcessCpuSeconds();
            const auto start = std::chrono::steady_clock::now();
            const bool ok = project->LoadText(text);
            seconds = Seconds(std::chrono::steady_clock::now() - start);
            loadCpuSeconds = std::min(loadCpuSeconds, ProcessCpuSeconds() - cpuStart);
            if (!ok || project->GetDialogs().GetCount() != kDialogs) {
                std::printf("load: LoadText failed\n");
                return 1;
            }
            loadSeconds = std::min(loadSeconds, seconds);
        }
    }
    ze::CZeResourceData written;
    written.LoadText(text);
    for (int round = 0; round < kRounds; ++round) {
        double seconds = 0.0;
        {
            ze::CJsonString out;
            const auto start = std::chrono::steady_clock::now();
            const bool ok = written.WriteProject(out, "");
            seconds = Seconds(std::chrono::steady_clock::now() - start);
            if (!ok || out.GetText().size() != text.size()) {
                std::printf("write: WriteProject failed\n");
                return 1;
            }
            writeSeconds = std::min(writeSeconds, seconds);
        }
    }

    const double parseRate = megabytes / parseSeconds;
    const double loadRate = megabytes / loadSeconds;
    const double writeRate = megabytes / writeSeconds;
    const double textBytes = static_cast<double>(text.size());
    const double peakBytes = static_cast<double>(memory.peak - memory.before) * 1024.0;
    const double keptBytes = static_cast<double>(memory.kept - memory.before) * 1024.0;
    // A load from a file holds the text as well at its peak.
    const double peak = (peakBytes + textBytes) / textBytes;
    const double kept = keptBytes / textBytes;

    std::printf("parse:  %7.1f MB/s  best of %d JsonParser::Parse, the yardstick\n", parseRate,
                kRounds);
    std::printf(
        "load:   %7.1f MB/s  %.2f x parse  (target %.1f)  %s  best of %d LoadText into fresh "
        "projects\n",
        loadRate, loadRate / parseRate, kLoadTarget, Verdict(loadRate / parseRate >= kLoadTarget),
        kRounds);
    std::printf(
        "        %7.1f ms of CPU, %.2f x a parse's time  best of %d, both threads of the load "
        "(parse %.1f ms)\n",
        loadCpuSeconds * 1e3, loadCpuSeconds / parseSeconds, kRounds, parseSeconds * 1e3);
    std::printf(
        "write:  %7.1f MB/s  %.2f x parse  (target %.1f)  %s  best of %d WriteProject into a "
        "CJsonString\n",
        writeRate, writeRate / parseRate, kWriteTarget,
        Verdict(writeRate / parseRate >= kWriteTarget), kRounds);
    std::printf(
        "memory: %7.2f x file size at the peak  (target %.0f)  %s  peak RSS (VmHWM) of a forked "
        "child during LoadText minus its RSS before (%.1f MB), plus the text\n",
        peak, kPeakMemoryTarget, Verdict(peak <= kPeakMemoryTarget), peakBytes / kMegabyte);
    std::printf(
        "        %7.2f x file size kept  (target %.0f)  %s  its RSS after the load, freed memory "
        "given back, minus its RSS before (%.1f MB)\n",
        kept, kKeptMemoryTarget, Verdict(kept <= kKeptMemoryTarget), keptBytes / kMegabyte);
    return 0;
}
