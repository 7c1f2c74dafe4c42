#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The outside references the conversions are checked against: the nkf program and
// glibc's iconv.
namespace ze::test {

bool NkfAvailable();

// Runs `nkf <option>` over each input as a file of its own, so every input is guessed
// and converted alone, in a handful of processes however many inputs there are.
std::vector<std::string> NkfEach(const std::string& option, const std::vector<std::string>& inputs);

// glibc iconv; nullopt when the input does not convert completely.
std::optional<std::string> Iconv(const char* from, const char* to, std::string_view input);

// The lines of tests/data/ja-corpus.txt (UTF-8).
std::vector<std::string> CorpusLines();

}  // namespace ze::test
