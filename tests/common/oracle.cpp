#include "common/oracle.h"

#include <iconv.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

namespace ze::test {
namespace fs = std::filesystem;

bool NkfAvailable() {
    static const bool available = std::system("command -v nkf >/dev/null 2>&1") == 0;
    return available;
}

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::vector<std::string> NkfEach(const std::string& option,
                                 const std::vector<std::string>& inputs) {
    // nkf --overwrite creates and renames a file per input; on a disk-backed /tmp that
    // costs far more than on tmpfs.
    std::string pattern =
        (fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string()) +
        "/ze-nkf-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    const fs::path dir(pattern);
    std::vector<fs::path> files;
    files.reserve(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        files.push_back(dir / std::to_string(i));
        std::ofstream(files.back(), std::ios::binary) << inputs[i];
    }
    // --overwrite converts each named file in place, guessing its coding afresh.
    constexpr std::size_t kFilesPerRun = 2000;
    for (std::size_t first = 0; first < files.size(); first += kFilesPerRun) {
        std::string command = "nkf " + option + " --overwrite";
        for (std::size_t i = first; i < files.size() && i < first + kFilesPerRun; ++i) {
            command += " " + files[i].string();
        }
        if (std::system(command.c_str()) != 0) {
            throw std::runtime_error("nkf failed");
        }
    }
    std::vector<std::string> outputs;
    outputs.reserve(files.size());
    for (const auto& file : files) {
        outputs.push_back(ReadFile(file));
    }
    fs::remove_all(dir);
    return outputs;
}

std::optional<std::string> Iconv(const char* from, const char* to, std::string_view input) {
    // Opening a descriptor loads conversion modules; tests call this thousands of times.
    struct Descriptors {
        std::map<std::pair<std::string, std::string>, iconv_t> open;
        ~Descriptors() {
            for (auto& [names, cd] : open) {
                iconv_close(cd);
            }
        }
    };
    static Descriptors descriptors;
    iconv_t& cd = descriptors.open[{from, to}];
    if (cd == nullptr) {
        cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            cd = nullptr;
            throw std::runtime_error("iconv_open failed");
        }
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
                    iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    if (!ok) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::vector<std::string> CorpusLines() {
    std::ifstream in(std::string(ZE_TEST_DATA_DIR) + "/ja-corpus.txt", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace ze::test
