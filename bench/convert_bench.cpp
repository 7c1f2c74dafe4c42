// Throughput of the resource-text conversions over about 20 MB of Japanese text built
// from the test corpus, all measured in one run so the figures compare.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "common/cp932.h"
#include "common/text_convert.h"

namespace {

constexpr std::size_t kTargetBytes = 20u << 20;
constexpr int kRounds = 5;

template <typename F>
void Measure(const char* name, const std::string& input, F convert) {
    std::size_t outBytes = 0;
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const std::string out = convert(input);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        outBytes = out.size();
        best = took.count() < best ? took.count() : best;
    }
    std::printf("%-28s %8.1f MB/s  (%zu bytes in, %zu bytes out, best of %d)\n", name,
                static_cast<double>(input.size()) / best / 1e6, input.size(), outBytes, kRounds);
}

}  // namespace

int main() {
    std::ifstream in(ZE_TEST_DATA_DIR "/ja-corpus.txt", std::ios::binary);
    const std::string corpus{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (corpus.empty()) {
        std::fprintf(stderr, "cannot read the corpus\n");
        return 1;
    }
    std::string utf8;
    while (utf8.size() < kTargetBytes) {
        utf8 += corpus;
    }
    const std::string sjis = ze::Utf8ToCp932(utf8);

    Measure("ConvertSjisToUtf8", sjis, ze::ConvertSjisToUtf8);
    Measure("ConvertToSjis (UTF-8 in)", utf8, ze::ConvertToSjis);
    Measure("ConvertToSjis (Shift_JIS in)", sjis, ze::ConvertToSjis);
    Measure("ConvertUtf8ToSjis", utf8, ze::ConvertUtf8ToSjis);
    Measure("Cp932ToUtf8", sjis, ze::Cp932ToUtf8);
    Measure("Utf8ToCp932", utf8, ze::Utf8ToCp932);
    return 0;
}
