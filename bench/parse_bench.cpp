// Parse throughput of the resource text parser against RapidJSON's DOM parse
// of the same project written with double quotes, and the memory of the parsed
// tree against the size of the text: on a 20 MB project-shaped text, and on a
// 100 KB one (the size most projects have), parsed many times over.

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <rapidjson/document.h>

#include "model/json_parser.h"

namespace {

constexpr std::size_t kLargeBytes = 20u << 20;
constexpr std::size_t kSmallBytes = 100u << 10;
// Parses of the small text timed together, so that each timing is long
// enough for the clock.
constexpr int kSmallParses = 100;
constexpr int kRepetitions = 9;

std::vector<std::string> LoadCorpus() {
    std::vector<std::string> lines;
    std::ifstream in(ZE_TEST_DATA_DIR "/ja-corpus.txt");
    for (std::string line; std::getline(in, line);) {
        // Quotes, backslashes and control bytes (tabs occur) cannot stand in
        // a string of the format unescaped.
        const bool plain = std::none_of(line.begin(), line.end(), [](char c) {
            return c == '\'' || c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
        });
        if (!line.empty() && plain) {
            lines.push_back(line);
        }
    }
    if (lines.empty()) {
        lines.push_back("\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88");
    }
    return lines;
}

// Writes the same project shape as the editor's project writer: one member a
// line, a tab per depth. The quote character is the only difference between
// the two texts.
class ProjectWriter {
public:
    ProjectWriter(char quote, const std::vector<std::string>& corpus, std::size_t targetBytes)
        : quote_(quote), corpus_(corpus), targetBytes_(targetBytes), random_(20240601) {}

    std::string Write() {
        text_.reserve(targetBytes_ + (1u << 20));
        text_ += "{\n";
        Member(1, "Name", Quoted("Project"));
        Member(1, "DeviceWidth", "1024");
        Member(1, "DeviceHeight", "800");
        Key(1, "Commands");
        text_ += "[\n";
        for (int dialog = 0; text_.size() < targetBytes_; ++dialog) {
            if (dialog > 0) {
                text_ += ",\n";
            }
            Dialog(2, dialog);
        }
        text_ += "\n\t]\n}\n";
        return std::move(text_);
    }

private:
    void Indent(int depth) { text_.append(static_cast<std::size_t>(depth), '\t'); }
    std::string Quoted(std::string_view s) {
        return std::string(1, quote_) + std::string(s) + std::string(1, quote_);
    }
    void Key(int depth, std::string_view key) {
        Indent(depth);
        text_ += Quoted(key);
        text_ += ':';
    }
    void Member(int depth, std::string_view key, std::string_view value, bool last = false) {
        Key(depth, key);
        text_ += value;
        text_ += last ? "\n" : ",\n";
    }
    int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }
    std::string Japanese() {
        return Quoted(corpus_[static_cast<std::size_t>(Pick(static_cast<int>(corpus_.size())))]);
    }

    void Dialog(int depth, int index) {
        Indent(depth);
        text_ += "{\n";
        Member(depth + 1, "Command", Quoted("DIALOG"));
        Member(depth + 1, "Name", Quoted("Dialog" + std::to_string(index)));
        Member(depth + 1, "TemplateType", Quoted("None"));
        Member(depth + 1, "TargetLayoutWidth", "320");
        Member(depth + 1, "TargetLayoutHeight", "480");
        Member(depth + 1, "PopupTitle", Japanese());
        Key(depth + 1, "OnOpen");
        Commands(depth + 1, "OnOpen");
        text_ += ",\n";
        Key(depth + 1, "Object");
        Group(depth + 1, 1, 4 + Pick(3));
        text_ += '\n';
        Indent(depth);
        text_ += '}';
    }

    void Commands(int depth, std::string_view event) {
        text_ += "[\n";
        const int count = 1 + Pick(2);
        for (int i = 0; i < count; ++i) {
            Indent(depth + 1);
            text_ += "{\n";
            Member(depth + 2, "Command", Quoted(Pick(2) ? "OPEN" : "SOUND"));
            Member(depth + 2, "Event", Quoted(event));
            Member(depth + 2, "Name", Quoted("Dialog" + std::to_string(Pick(100))));
            Member(depth + 2, "Time", std::to_string(Pick(5000)), true);
            Indent(depth + 1);
            text_ += i + 1 < count ? "},\n" : "}\n";
        }
        Indent(depth);
        text_ += ']';
    }

    // A group's own line is already indented by its parent.
    void Group(int depth, int level, int deepest) {
        static const char* const kLayouts[] = {"LINEAR", "FRAME", "RELATIVE", "SCROLL", "TABLE"};
        text_ += "{\n";
        Member(depth + 1, "Layout", Quoted(kLayouts[Pick(5)]));
        Member(depth + 1, "Name", Quoted("Group" + std::to_string(serial_++)));
        Member(depth + 1, "Width", Quoted("PARENT"));
        Member(depth + 1, "Height", Quoted("CONTENT"));
        Member(depth + 1, "Weight", "1");
        Member(depth + 1, "Vertical", Pick(2) ? "true" : "false");
        Member(depth + 1, "Padding", Quoted("4px"));
        Key(depth + 1, "Objects");
        text_ += "[\n";
        const int children = 2 + Pick(4);
        for (int i = 0; i < children; ++i) {
            Indent(depth + 2);
            if (level < deepest && i == 0) {
                Group(depth + 2, level + 1, deepest);
            } else {
                Object(depth + 2);
            }
            text_ += i + 1 < children ? ",\n" : "\n";
        }
        Indent(depth + 1);
        text_ += "]\n";
        Indent(depth);
        text_ += '}';
    }

    void Object(int depth) {
        static const char* const kTypes[] = {"TEXT", "BUTTON", "EDIT", "PICTURE", "GRID"};
        const char* type = kTypes[Pick(5)];
        text_ += "{\n";
        Member(depth + 1, "Type", Quoted(type));
        Member(depth + 1, "Name", Quoted("Object" + std::to_string(serial_++)));
        Member(depth + 1, "Text", Japanese());
        Member(depth + 1, "TSize", Quoted("12pt"));
        Member(depth + 1, "TColor", Quoted("#202020"));
        Member(depth + 1, "TAlign", Quoted("LEFT|MIDDLE"));
        Member(depth + 1, "Width", Quoted("PARENT"));
        Member(depth + 1, "Height", Quoted("CONTENT"));
        Member(depth + 1, "Weight", "0.500000");
        Member(depth + 1, "PosX", std::to_string(Pick(320)));
        Member(depth + 1, "Clickable", Pick(2) ? "true" : "false");
        Member(depth + 1, "File", Quoted("images/button_" + std::to_string(Pick(40)) + ".png"));
        if (type[0] == 'G') {
            Key(depth + 1, "Header");
            text_ += "[{";
            text_ += Quoted("TSize") + ":" + Quoted("10pt") + "," + Quoted("Clickable") + ":true";
            text_ += "},{";
            text_ += Quoted("TAlign") + ":" + Quoted("CENTER") + "," + Quoted("BGColor") + ":" +
                     Quoted("#FFFFFF");
            text_ += "}],\n";
        }
        Key(depth + 1, "OnClick");
        Commands(depth + 1, "OnClick");
        text_ += '\n';
        Indent(depth);
        text_ += '}';
    }

    char quote_;
    const std::vector<std::string>& corpus_;
    std::size_t targetBytes_;
    std::mt19937 random_;
    std::string text_;
    int serial_ = 0;
};

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

struct Figures {
    double oursRate = 0.0;    // MB/s
    double theirsRate = 0.0;  // MB/s
    std::size_t oursMemory = 0;
    std::size_t theirsMemory = 0;
};

// Turns of ours and RapidJSON's alternate, so that a slower stretch of the
// machine weighs on both alike; each figure is the median of its turns.
bool Measure(const std::string& ours, const std::string& theirs, int parsesPerTurn,
             Figures& figures) {
    const double megabytes = static_cast<double>(ours.size()) * parsesPerTurn / (1024.0 * 1024.0);
    std::vector<double> oursSeconds;
    std::vector<double> theirsSeconds;
    for (int i = 0; i < kRepetitions; ++i) {
        {
            const std::size_t before = HeapInUse();
            std::vector<std::unique_ptr<ze::JsonParser>> parsers;
            for (int parse = 0; parse < parsesPerTurn; ++parse) {
                parsers.push_back(std::make_unique<ze::JsonParser>());
            }
            const auto start = std::chrono::steady_clock::now();
            bool ok = true;
            for (auto& parser : parsers) {
                ok = parser->Parse(ours) && ok;
            }
            oursSeconds.push_back(Seconds(std::chrono::steady_clock::now() - start));
            figures.oursMemory = (HeapInUse() - before) / static_cast<std::size_t>(parsesPerTurn);
            if (!ok) {
                std::printf("ze parse failed:\n%s", parsers.front()->GetErrorText().c_str());
                return false;
            }
        }
        {
            const std::size_t before = HeapInUse();
            std::vector<std::unique_ptr<rapidjson::Document>> documents;
            for (int parse = 0; parse < parsesPerTurn; ++parse) {
                documents.push_back(std::make_unique<rapidjson::Document>());
            }
            const auto start = std::chrono::steady_clock::now();
            for (auto& document : documents) {
                document->Parse(theirs.data(), theirs.size());
            }
            theirsSeconds.push_back(Seconds(std::chrono::steady_clock::now() - start));
            figures.theirsMemory = (HeapInUse() - before) / static_cast<std::size_t>(parsesPerTurn);
            if (documents.front()->HasParseError()) {
                std::printf("RapidJSON parse failed at %zu\n", documents.front()->GetErrorOffset());
                return false;
            }
        }
    }
    figures.oursRate = megabytes / Median(oursSeconds);
    figures.theirsRate = megabytes / Median(theirsSeconds);
    return true;
}

void Print(const char* title, const std::string& ours, const Figures& figures) {
    std::printf("%s: %zu bytes (%.2f MB), %d turns, median\n", title, ours.size(),
                static_cast<double>(ours.size()) / (1024.0 * 1024.0), kRepetitions);
    std::printf("  ze::JsonParser      %8.1f MB/s\n", figures.oursRate);
    std::printf("  RapidJSON Document  %8.1f MB/s\n", figures.theirsRate);
    std::printf("  ratio ze/RapidJSON  %8.2f\n", figures.oursRate / figures.theirsRate);
    std::printf("  tree memory: ze %.2f x text, RapidJSON %.2f x text\n",
                static_cast<double>(figures.oursMemory) / static_cast<double>(ours.size()),
                static_cast<double>(figures.theirsMemory) / static_cast<double>(ours.size()));
}

}  // namespace

int main() {
    const std::vector<std::string> corpus = LoadCorpus();
    const std::string ours = ProjectWriter('\'', corpus, kLargeBytes).Write();
    const std::string theirs = ProjectWriter('"', corpus, kLargeBytes).Write();
    const std::string smallOurs = ProjectWriter('\'', corpus, kSmallBytes).Write();
    const std::string smallTheirs = ProjectWriter('"', corpus, kSmallBytes).Write();

    Figures large;
    Figures small;
    if (!Measure(ours, theirs, 1, large) || !Measure(smallOurs, smallTheirs, kSmallParses, small)) {
        return 1;
    }
    Print("20 MB text", ours, large);
    Print("100 KB project", smallOurs, small);
    return 0;
}
