#include "layout/look_values.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/cp932.h"
#include "layout/int32_math.h"

namespace ze {

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

struct NamedColour {
    std::string_view name;
    Rgb colour;
};

// The device's colour names, with the values its framework gives them.
constexpr std::array<NamedColour, 11> kNamedColours = {{
    {"BLACK", {0, 0, 0}},
    {"WHITE", {255, 255, 255}},
    {"DKGRAY", {0x44, 0x44, 0x44}},
    {"GRAY", {0x88, 0x88, 0x88}},
    {"LTGRAY", {0xCC, 0xCC, 0xCC}},
    {"RED", {255, 0, 0}},
    {"GREEN", {0, 255, 0}},
    {"BLUE", {0, 0, 255}},
    {"CYAN", {0, 255, 255}},
    {"MAGENTA", {255, 0, 255}},
    {"YELLOW", {255, 255, 0}},
}};

std::optional<std::uint8_t> HexByte(std::string_view two) {
    std::uint8_t value = 0;
    const auto [end, error] = std::from_chars(two.data(), two.data() + two.size(), value, 16);
    if (error != std::errc() || end != two.data() + two.size()) {
        return std::nullopt;
    }
    return value;
}

// The parts of text between commas.
std::vector<std::string_view> CommaParts(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return parts;
        }
        start = comma + 1;
    }
}

// A number the text starts with, after white space; "12.5", "-3", "1e2".
std::optional<double> LeadingNumber(std::string_view text) {
    text = AsCString(text);
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(start);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::int32_t NonNegative(std::int32_t pixels) {
    return std::max(pixels, 0);
}

void AppendPath(std::string& path, std::string_view part) {
    if (part.empty()) {
        return;
    }
    if (!path.empty() && !path.ends_with('/')) {
        path += '/';
    }
    path += part;
}

std::string ImagePath(std::string_view folder, std::string_view subFolder,
                      const std::string& subPath, const std::string& file) {
    std::string path(folder);
    AppendPath(path, subFolder);
    AppendPath(path, subPath);
    AppendPath(path, file);
    return path;
}

}  // namespace

bool IsKeyword(std::string_view text, std::string_view keyword) {
    text = AsCString(text);
    return text.size() == keyword.size() &&
           std::equal(text.begin(), text.end(), keyword.begin(),
                      [](char a, char b) { return AsciiUpper(a) == AsciiUpper(b); });
}

std::optional<Rgb> ParseLookColour(std::string_view text) {
    text = AsCString(text);
    if (text.size() == 7 && text[0] == '#') {
        const auto red = HexByte(text.substr(1, 2));
        const auto green = HexByte(text.substr(3, 2));
        const auto blue = HexByte(text.substr(5, 2));
        if (red && green && blue) {
            return Rgb{*red, *green, *blue};
        }
        return std::nullopt;
    }
    for (const NamedColour& named : kNamedColours) {
        if (IsKeyword(text, named.name)) {
            return named.colour;
        }
    }
    return std::nullopt;
}

Insets ParseInsets(std::string_view text, const UnitContext& units) {
    text = AsCString(text);
    if (text.empty()) {
        return Insets{};
    }
    const std::vector<std::string_view> parts = CommaParts(text);
    const auto part = [&](std::size_t index, bool across) {
        if (index >= parts.size()) {
            return 0;
        }
        return NonNegative(across ? WidthInPixels(parts[index], units)
                                  : HeightInPixels(parts[index], units));
    };
    return Insets{part(0, true), part(1, false), part(2, true), part(3, false)};
}

Box ShrinkBox(const Box& box, const Insets& insets) {
    const auto remaining = [](std::int32_t size, std::int32_t before, std::int32_t after) {
        const std::int64_t left = std::int64_t{size} - before - after;
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(left, 0, std::numeric_limits<std::int32_t>::max()));
    };
    return Box{int32_math::Add(box.x, insets.left), int32_math::Add(box.y, insets.top),
               remaining(box.width, insets.left, insets.right),
               remaining(box.height, insets.top, insets.bottom)};
}

bool IsTrueText(std::string_view text) {
    return IsKeyword(text, "true");
}

bool IsOnValue(std::string_view text) {
    return IsKeyword(text, "true") || IsKeyword(text, "1") || IsKeyword(text, "ON");
}

std::int32_t TextSizeInPixels(std::string_view text, const UnitContext& units) {
    return HeightOr(text, units, kDefaultTextSize);
}

std::int32_t HeightOr(std::string_view text, const UnitContext& units, std::int32_t fallback) {
    const std::int32_t pixels = HeightInPixels(text, units);
    return pixels > 0 ? pixels : fallback;
}

double ValueFraction(std::string_view value, std::string_view min, std::string_view max) {
    const std::optional<double> current = LeadingNumber(value);
    const double low = LeadingNumber(min).value_or(0);
    const double high = LeadingNumber(max).value_or(100);
    if (!current || !(high > low)) {
        return 0;
    }
    return std::clamp((*current - low) / (high - low), 0.0, 1.0);
}

std::optional<LookPoint> ParseLookPoint(std::string_view text) {
    const std::vector<std::string_view> parts = CommaParts(AsCString(text));
    if (parts.size() != 2) {
        return std::nullopt;
    }
    const std::optional<double> x = LeadingNumber(parts[0]);
    const std::optional<double> y = LeadingNumber(parts[1]);
    if (!x || !y) {
        return std::nullopt;
    }
    return LookPoint{*x, *y};
}

std::vector<std::string> ImageCandidates(std::string_view file, std::string_view fileSource,
                                         std::string_view filePath, const ImageFolders& folders) {
    std::vector<std::string> candidates;
    file = AsCString(file);
    if (file.empty() || IsKeyword(fileSource, "URI") || IsKeyword(fileSource, "STORAGE")) {
        return candidates;
    }
    // File names go to the operating system in UTF-8.
    const std::string name = Cp932ToUtf8(file);
    const std::string subPath = Cp932ToUtf8(AsCString(filePath));
    const bool station = IsKeyword(fileSource, "STATION");
    if (!station && !folders.builtIn.empty()) {
        candidates.push_back(ImagePath(folders.builtIn, {}, subPath, name));
    }
    if (!folders.project.empty()) {
        candidates.push_back(ImagePath(folders.project, "resources", subPath, name));
    }
    return candidates;
}

}  // namespace ze
