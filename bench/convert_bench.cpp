// Throughput of the resource-text conversions against glibc's iconv(3) converting the
// same buffers in the same process, round by round, so the ratios hold whatever the
// machine's load. Two inputs of about 20 MB each: Japanese text built from the test
// corpus, and ASCII-heavy project text (the sample project repeated), as the editor
// reads and writes it.
#include <iconv.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp932.h"
#include "common/text_convert.h"

namespace {

constexpr std::size_t kTargetBytes = 20u << 20;
constexpr int kRounds = 7;
constexpr double kCorpusTarget = 1.5;
constexpr double kAsciiTarget = 3.0;

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Repeat(const std::string& piece) {
    std::string out;
    out.reserve(kTargetBytes + piece.size());
    while (out.size() < kTargetBytes) {
        out += piece;
    }
    return out;
}

// iconv(3) at its best: into one buffer allocated and touched before the timing, so
// that the yardstick pays for no allocation while ours do. A byte it cannot convert is
// skipped so that it never stops early.
class Iconv {
public:
    Iconv(const char* from, const char* to) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::string_view operator()(const std::string& input) {
        if (out_.size() < input.size() * 3 + 16) {
            out_.assign(input.size() * 3 + 16, '\0');
        }
        std::string& out = out_;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* to = out.data();
        std::size_t outLeft = out.size();
        while (inLeft > 0) {
            if (iconv(cd_, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1)) {
                break;
            }
            if (errno != EILSEQ && errno != EINVAL) {
                break;
            }
            ++in;
            --inLeft;
        }
        return {out.data(), out.size() - outLeft};
    }

private:
    iconv_t cd_;
    std::string out_;
};

volatile std::size_t g_sink = 0;

struct Figures {
    double ours = 0;  // MB/s
    double yardstick = 0;
};

// Best of kRounds for ours and for iconv, the two timed one after the other in each
// round.
template <typename F>
Figures Measure(const std::string& input, F convert, Iconv& yardstick) {
    double bestOurs = 1e9;
    double bestTheirs = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        const std::string a = convert(input);
        const std::chrono::duration<double> ours = std::chrono::steady_clock::now() - start;
        start = std::chrono::steady_clock::now();
        const std::string_view b = yardstick(input);
        const std::chrono::duration<double> theirs = std::chrono::steady_clock::now() - start;
        // Kept so that neither conversion can be optimised away.
        g_sink = g_sink + a.size() + b.size();
        bestOurs = ours.count() < bestOurs ? ours.count() : bestOurs;
        bestTheirs = theirs.count() < bestTheirs ? theirs.count() : bestTheirs;
    }
    const double mb = static_cast<double>(input.size()) / 1e6;
    return {mb / bestOurs, mb / bestTheirs};
}

struct Row {
    const char* name;
    std::string (*convert)(std::string_view);
    bool sjisIn;
    bool targeted;  // one of the directions the targets speak of
};

std::string ToSjis(std::string_view s) {
    return ze::ConvertToSjis(s);
}

}  // namespace

int main() {
    const std::string corpus = ReadFile(ZE_TEST_DATA_DIR "/ja-corpus.txt");
    const std::string project = ReadFile(ZE_SAMPLE_PROJECT);
    if (corpus.empty() || project.empty()) {
        std::fprintf(stderr, "cannot read the corpus or the sample project\n");
        return 1;
    }
    Iconv sjisToUtf8("CP932", "UTF-8");
    Iconv utf8ToSjis("UTF-8", "CP932");
    Iconv sjisToSjis("CP932", "CP932");
    if (!sjisToUtf8.ok() || !utf8ToSjis.ok() || !sjisToSjis.ok()) {
        std::fprintf(stderr, "iconv has no CP932\n");
        return 1;
    }

    const Row rows[] = {
        {"ConvertSjisToUtf8", ze::ConvertSjisToUtf8, true, true},
        {"Cp932ToUtf8", ze::Cp932ToUtf8, true, true},
        {"ConvertUtf8ToSjis", ze::ConvertUtf8ToSjis, false, true},
        {"Utf8ToCp932", ze::Utf8ToCp932, false, true},
        {"ConvertToSjis (UTF-8 in)", ToSjis, false, true},
        {"ConvertToSjis (SJIS in)", ToSjis, true, false},
    };
    struct Input {
        const char* name;
        std::string utf8;
        std::string sjis;
        double target;
    };
    std::vector<Input> inputs;
    inputs.push_back({"Japanese corpus", Repeat(corpus), {}, kCorpusTarget});
    inputs.push_back({"ASCII-heavy project text", Repeat(project), {}, kAsciiTarget});
    for (auto& in : inputs) {
        in.sjis = ze::Utf8ToCp932(in.utf8);
    }

    std::printf(
        "MB/s of input, best of %d; iconv(3) is glibc's CP932 converter on the same "
        "buffers\n",
        kRounds);
    int missed = 0;
    for (const auto& in : inputs) {
        std::printf("\n%s (%zu bytes UTF-8, %zu bytes Shift_JIS)\n", in.name, in.utf8.size(),
                    in.sjis.size());
        std::printf("  %-26s %9s %9s %7s %7s\n", "", "ours", "iconv", "ratio", "target");
        for (const auto& row : rows) {
            Iconv& yardstick = !row.sjisIn ? utf8ToSjis : row.targeted ? sjisToUtf8 : sjisToSjis;
            const Figures f = Measure(row.sjisIn ? in.sjis : in.utf8, row.convert, yardstick);
            const double ratio = f.ours / f.yardstick;
            char target[16] = "-";
            if (row.targeted) {
                std::snprintf(target, sizeof target, ">= %.1f", in.target);
                missed += ratio < in.target ? 1 : 0;
            }
            std::printf("  %-26s %9.1f %9.1f %6.2fx %7s%s\n", row.name, f.ours, f.yardstick, ratio,
                        target, row.targeted && ratio < in.target ? "  MISSED" : "");
        }
    }
    std::printf("\n%d of the targeted figures below target\n", missed);
    return 0;
}
