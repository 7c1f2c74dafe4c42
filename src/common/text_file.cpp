#include "common/text_file.h"

#include "common/text_convert.h"

namespace ze {

bool CTextFile::Open(const std::string& path, Mode mode) {
    file_.reset(std::fopen(path.c_str(), mode == Mode::kRead ? "rb" : "wb"));
    return file_ != nullptr;
}

void CTextFile::Close() { file_.reset(); }

bool CTextFile::ReadLine(std::string& line) {
    line.clear();
    if (!file_) {
        return false;
    }
    std::string raw;
    int byte = 0;
    bool readAny = false;
    while ((byte = std::getc(file_.get())) != EOF) {
        readAny = true;
        if (byte == '\n') {
            break;
        }
        raw.push_back(static_cast<char>(byte));
    }
    if (!readAny) {
        return false;
    }
    line = ConvertUtf8ToSjis(raw);
    return true;
}

bool CTextFile::WriteString(std::string_view sjis) {
    if (!file_) {
        return false;
    }
    const std::string utf8 = ConvertSjisToUtf8(sjis);
    return std::fwrite(utf8.data(), 1, utf8.size(), file_.get()) == utf8.size();
}

}  // namespace ze
