#pragma once

// The benchmark project: about 20 MB (200 dialogs, 40,000 groups and
// objects) built with the model itself from a fixed seed, with Japanese
// texts from the test corpus. Several benchmarks measure on it.

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/text_convert.h"
#include "model/dialog_data.h"
#include "model/element_store.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/schema.h"
#include "model/ze_class.h"

namespace bench {

inline constexpr int kDialogs = 200;
// Groups and objects of one dialog, its root group included.
inline constexpr int kElementsPerDialog = 200;

// The model holds Shift_JIS; the corpus is UTF-8.
struct Corpus {
    std::vector<std::string> words;  // labels, list entries
    std::vector<std::string> lines;  // prose for the longer texts
};

inline bool LoadCorpus(Corpus& corpus) {
    std::ifstream in(ZE_TEST_DATA_DIR "/ja-corpus.txt", std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        // Values are written without escapes, so quotes, backslashes and
        // control bytes (tabs occur) cannot stand in one.
        const bool plain = std::none_of(line.begin(), line.end(), [](char c) {
            return c == '\'' || c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
        });
        if (line.empty() || !plain) {
            continue;
        }
        std::string sjis = ze::ConvertUtf8ToSjis(line);
        (line.size() <= 30 ? corpus.words : corpus.lines).push_back(std::move(sjis));
    }
    return !corpus.words.empty() && !corpus.lines.empty();
}

// Builds the project through the model API: each element gets the items of
// its schema first, then typical values in some of them. Every random choice
// comes from one fixed seed, so every run builds the same project.
class ProjectBuilder {
public:
    // dialogs dialogs of elementsPerDialog groups and objects each (the root
    // group counted).
    explicit ProjectBuilder(const Corpus& corpus, int dialogs = kDialogs,
                            int elementsPerDialog = kElementsPerDialog)
        : corpus_(corpus),
          random_(20261208),
          dialogs_(dialogs),
          elementsPerDialog_(elementsPerDialog) {}

    void Build(ze::CZeResourceData& project) {
        project.SetItem("Name", "BenchProject");
        project.SetItem("DeviceWidth", "1280");
        project.SetItem("DeviceHeight", "800");
        for (int i = 0; i < dialogs_; ++i) {
            Dialog(*project.GetDialogs().CreateDialog("Dialog" + std::to_string(i)));
        }
    }

    int Groups() const { return groups_; }
    int Objects() const { return objects_; }
    int Commands() const { return commands_; }
    int HeaderColumns() const { return headerColumns_; }

private:
    int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }
    bool Chance(int percent) { return Pick(100) < percent; }
    template <std::size_t N>
    const char* OneOf(const std::array<const char*, N>& texts) {
        return texts[static_cast<std::size_t>(Pick(static_cast<int>(N)))];
    }
    const std::string& Word() {
        return corpus_
            .words[static_cast<std::size_t>(Pick(static_cast<int>(corpus_.words.size())))];
    }
    const std::string& Line() {
        return corpus_
            .lines[static_cast<std::size_t>(Pick(static_cast<int>(corpus_.lines.size())))];
    }
    std::string Number(int below) { return std::to_string(Pick(below)); }
    std::string Boolean() { return Chance(50) ? "true" : "false"; }
    std::string Colour() {
        static constexpr std::array<const char*, 8> kNamed = {
            "BLACK", "WHITE", "DKGRAY", "GRAY", "LTGRAY", "RED", "BLUE", "TRANSPARENT"};
        if (Chance(40)) {
            return OneOf(kNamed);
        }
        char text[8];
        std::snprintf(text, sizeof text, "#%06X", Pick(0x1000000));
        return text;
    }
    std::string Size() {
        static constexpr std::array<const char*, 2> kSizes = {"PARENT", "CONTENT"};
        return Chance(75) ? std::string(OneOf(kSizes)) : std::to_string(16 * (1 + Pick(40)));
    }
    std::string Offsets() {
        static constexpr std::array<const char*, 4> kOffsets = {"0,0,0,0", "4,4,4,4", "10,10,10,10",
                                                                "8,0,8,0"};
        return OneOf(kOffsets);
    }
    // images/screen12/fileoff_096.png for the item FileOff.
    std::string Image(std::string_view item) {
        std::string path = "images/screen" + Number(dialogs_) + "/";
        for (const char c : item) {
            path += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
        char number[8];
        std::snprintf(number, sizeof number, "_%03d", Pick(1000));
        return path + number + ".png";
    }
    std::string Target() { return "TXT" + Number(serial_ + 1); }

    void Dialog(ze::CZeDialogData& dialog) {
        static constexpr std::array<const char*, 3> kTemplates = {"None", "Shared", "Unique"};
        const bool popup = Chance(10);
        dialog.SetItem("TemplateType", popup ? "POPUP" : OneOf(kTemplates));
        dialog.SetItem("TargetLayoutWidth", Chance(50) ? "720" : "1280");
        dialog.SetItem("TargetLayoutHeight", Chance(50) ? "1280" : "800");
        if (popup || Chance(30)) {
            dialog.SetItem("PopupTitle", Word());
        }
        if (popup) {
            dialog.SetItem("PopupMessage", Line());
            dialog.SetItem("PopupButton1", Word());
            dialog.SetItem("PopupButton2", Word());
        }

        ze::ElementStore& store = dialog.GetElementStore();
        for (int i = 1 + Pick(4); i > 0; --i) {
            dialog.AddCommand(Command(store, "OnOpen"));
        }
        if (Chance(30)) {
            dialog.AddCommand(Command(store, "OnTimer"));
        }
        if (Chance(30)) {
            dialog.AddCommand(Command(store, "OnClose"));
        }

        ze::CObjectDataList* root = NewGroup(store, nullptr, ze::GroupLayout::kLinear);
        dialog.SetRootGroup(root);
        int remaining = elementsPerDialog_ - 1;
        while (remaining > 0) {
            const ze::GroupLayout layout = PickLayout();
            ze::CObjectDataList* section = NewGroup(store, root, layout);
            --remaining;
            Fill(store, *section, layout, 2, remaining);
        }
    }

    ze::GroupLayout PickLayout() {
        const int roll = Pick(100);
        if (roll < 40)
            return ze::GroupLayout::kLinear;
        if (roll < 52)
            return ze::GroupLayout::kFrame;
        if (roll < 66)
            return ze::GroupLayout::kRelative;
        if (roll < 74)
            return ze::GroupLayout::kScroll;
        if (roll < 78)
            return ze::GroupLayout::kHScroll;
        if (roll < 84)
            return ze::GroupLayout::kRadio;
        if (roll < 90)
            return ze::GroupLayout::kPage;
        return ze::GroupLayout::kTable;
    }

    ze::ObjectType PickType(ze::GroupLayout parentLayout) {
        if (parentLayout == ze::GroupLayout::kRadio && Chance(80)) {
            return ze::ObjectType::kRadioButton;
        }
        static constexpr std::array<std::pair<ze::ObjectType, int>, 16> kWeights = {{
            {ze::ObjectType::kText, 24},
            {ze::ObjectType::kButton, 18},
            {ze::ObjectType::kEdit, 8},
            {ze::ObjectType::kPicture, 10},
            {ze::ObjectType::kCheckbox, 5},
            {ze::ObjectType::kToggle, 4},
            {ze::ObjectType::kRadioButton, 2},
            {ze::ObjectType::kGrid, 5},
            {ze::ObjectType::kPulldown, 4},
            {ze::ObjectType::kProgress, 3},
            {ze::ObjectType::kSlidebar, 3},
            {ze::ObjectType::kMeter, 2},
            {ze::ObjectType::kGraph, 2},
            {ze::ObjectType::kVList, 4},
            {ze::ObjectType::kHList, 2},
            {ze::ObjectType::kCanvas, 4},
        }};
        int roll = Pick(100);
        for (const auto& [type, weight] : kWeights) {
            if (roll < weight) {
                return type;
            }
            roll -= weight;
        }
        return ze::ObjectType::kText;
    }

    // Fills group with children until it has three to eight or the dialog's
    // budget is spent; a TABLE holds rows, other groups now and then a group.
    void Fill(ze::ElementStore& store, ze::CObjectDataList& group, ze::GroupLayout layout,
              int depth, int& remaining) {
        const int children = 3 + Pick(6);
        for (int i = 0; i < children && remaining > 0; ++i) {
            ze::GroupLayout childLayout = ze::GroupLayout::kUnset;
            if (layout == ze::GroupLayout::kTable) {
                childLayout = ze::GroupLayout::kTableRow;
            } else if (depth < 5 && remaining > 4 && Chance(12)) {
                childLayout = PickLayout();
            }
            --remaining;
            if (childLayout != ze::GroupLayout::kUnset) {
                ze::CObjectDataList* child = NewGroup(store, &group, childLayout);
                Fill(store, *child, childLayout, depth + 1, remaining);
            } else {
                NewObject(store, group, layout);
            }
        }
    }

    ze::CObjectDataList* NewGroup(ze::ElementStore& store, ze::CObjectDataList* parent,
                                  ze::GroupLayout layout) {
        static constexpr std::array<const char*, 6> kAlignments = {
            "LEFT", "CENTER", "LEFT|TOP", "CENTER|MIDDLE", "RIGHT|BOTTOM", "LEFT|MIDDLE"};
        auto* group = store.Create<ze::CObjectDataList>(parent);
        ze::AddGroupItems(group->Items(), layout);
        group->SetItem("Name", "Group" + std::to_string(++serial_));
        if (layout == ze::GroupLayout::kRadio) {
            group->SetItem("Alias", "radio" + std::to_string(serial_));
        }
        group->SetItem("Width", parent == nullptr ? "PARENT" : Size());
        group->SetItem("Height", parent == nullptr ? "PARENT" : Size());
        if (Chance(30)) {
            group->SetItem("Weight", Chance(50) ? "1" : "0.500000");
        }
        if (Chance(50)) {
            group->SetItem("Padding", Offsets());
        }
        if (Chance(25)) {
            group->SetItem("Margin", Offsets());
        }
        if (Chance(40)) {
            group->SetItem("BGColor", Colour());
        }
        if (Chance(30)) {
            group->SetItem("Align", OneOf(kAlignments));
        }
        group->SetItem("Vertical", Boolean());
        if (Chance(10)) {
            group->AddChild(Command(store, "OnClick"));
        }
        if (parent != nullptr) {
            parent->AddObject(group);
        }
        ++groups_;
        return group;
    }

    void NewObject(ze::ElementStore& store, ze::CObjectDataList& parent,
                   ze::GroupLayout parentLayout) {
        const ze::ObjectType type = PickType(parentLayout);
        auto* object = store.Create<ze::CObjectData>(&parent);
        ze::AddObjectItems(object->Items(), type, parentLayout);
        parent.AddObject(object);
        ++objects_;

        int columns = 0;
        if (type == ze::ObjectType::kGrid) {
            static constexpr std::array<const char*, 3> kAlignments = {"LEFT", "CENTER", "RIGHT"};
            columns = 2 + Pick(4);
            for (int i = 0; i < columns; ++i) {
                ze::ZeClass* column = ze::CreateHeaderColumn(store);
                column->SetItem("TSize", Chance(50) ? "14" : "16px");
                column->SetItem("TColor", Colour());
                column->SetItem("TAlign", OneOf(kAlignments));
                if (Chance(30)) {
                    column->SetItem("Margin", Offsets());
                }
                column->SetItem("BGColor", Colour());
                column->SetItem("Clickable", Boolean());
                object->AddHeader(column);
                ++headerColumns_;
            }
        }

        ze::CItemList& items = object->Items();
        for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
            ze::CItemData& item = items.GetItemData(i);
            std::string value = ObjectValue(item.GetName(), type, columns);
            if (!value.empty()) {
                item.SetValue(std::move(value));
            }
        }

        const bool clickable = object->GetItem("Clickable") == "true";
        if (type == ze::ObjectType::kSlidebar) {
            object->AddChild(Command(store, "OnSlide"));
            if (Chance(50)) {
                object->AddChild(Command(store, "OnRelease"));
            }
        } else if (clickable || Chance(10)) {
            for (int i = 1 + Pick(5); i > 0; --i) {
                object->AddChild(Command(store, "OnClick"));
            }
        }
        if (Chance(20)) {
            object->AddChild(Command(store, "OnTouch"));
        }
    }

    // A typical value of an object item, or empty to leave the item unset.
    // Type is set by the schema, Columns by the header columns, and the event
    // items stay empty: the commands are written under those keys.
    std::string ObjectValue(std::string_view name, ze::ObjectType type, int columns) {
        static constexpr std::array<const char*, 5> kScaleTypes = {
            "SCALE_100PER", "SCALE_WIDTH", "SCALE_HEIGHT", "SCALE_AUTO", "SCALE_JUST"};
        static constexpr std::array<const char*, 6> kTextSizes = {"12",   "14",   "16",
                                                                  "18px", "20px", "24"};
        static constexpr std::array<const char*, 6> kAlignments = {
            "LEFT", "CENTER", "LEFT|MIDDLE", "CENTER|MIDDLE", "RIGHT|MIDDLE", "CENTER|TOP"};
        static constexpr std::array<const char*, 4> kSources = {"BUILTIN", "STATION", "STORAGE",
                                                                "URI"};
        static constexpr std::array<const char*, 3> kAttrs = {"ON", "OFF", "TOGGLE"};
        static constexpr std::array<const char*, 3> kPatterns = {"CIRCLE", "HORIZONTAL",
                                                                 "VERTICAL"};
        const auto is = [&name](std::string_view other) { return name == other; };

        if (is("Name")) {
            return std::string(ze::ObjectShortCode(type)) + std::to_string(++serial_);
        }
        if (is("Alias")) {
            return Chance(50) ? "alias" + std::to_string(serial_) : "";
        }
        if (is("Width") || is("Height")) {
            return Size();
        }
        if (is("Weight")) {
            return Chance(50) ? (Chance(50) ? "1" : "0.500000") : "";
        }
        if (is("PosX") || is("PosY")) {
            return Number(720);
        }
        if (is("Padding") || is("Margin")) {
            return Chance(60) ? Offsets() : "";
        }
        if (is("Hide") || is("Disable")) {
            return Chance(20) ? Boolean() : "";
        }
        if (is("BGColor")) {
            return Chance(70) ? Colour() : "";
        }
        if (is("TColor")) {
            return Colour();
        }
        if (is("ScaleType")) {
            return OneOf(kScaleTypes);
        }
        if (is("Clickable")) {
            const bool pressable =
                type == ze::ObjectType::kButton || type == ze::ObjectType::kCheckbox ||
                type == ze::ObjectType::kToggle || type == ze::ObjectType::kRadioButton;
            return pressable || Chance(20) ? "true" : (Chance(50) ? "false" : "");
        }
        if (is("Attr")) {
            return Chance(30) ? OneOf(kAttrs) : "";
        }
        if (is("Text") || is("TextOff") || is("TextOn")) {
            return Chance(type == ze::ObjectType::kText ? 90 : 40) ? Line() : Word();
        }
        if (is("Value")) {
            if (type == ze::ObjectType::kEdit || type == ze::ObjectType::kRadioButton) {
                return Chance(60) ? Word() : "";
            }
            return Number(100);
        }
        if (is("TSize")) {
            return OneOf(kTextSizes);
        }
        if (is("TAlign")) {
            return OneOf(kAlignments);
        }
        if (is("Stretch") || is("Wrap")) {
            return Chance(50) ? Boolean() : "";
        }
        if (is("Span")) {
            return Chance(30) ? "2" : "";
        }
        if (is("File") || is("FileOff") || is("FileOn") || is("FileBase") || is("FileActive") ||
            is("FileThumb") || is("FileCursor") || is("FileTop")) {
            return type == ze::ObjectType::kEdit && Chance(70) ? "" : Image(name);
        }
        if (is("FileSource")) {
            return Chance(50) ? OneOf(kSources) : "";
        }
        if (is("FilePath")) {
            return Chance(20) ? "res/dialog" + Number(dialogs_) : "";
        }
        if (is("EnablePinch") || is("EnableCache") || is("Thumbnail") || is("Revers") ||
            is("DateScale") || is("AutoScroll") || is("ScaleLock") || is("Vertical")) {
            return Chance(40) ? Boolean() : "";
        }
        if (is("OffsetX") || is("OffsetY")) {
            return Chance(30) ? Number(64) : "";
        }
        if (is("ScaleX") || is("ScaleY")) {
            return Chance(30) ? "1.5" : "";
        }
        if (is("CenterPosBase") || is("CenterPosCursor") || is("CenterPosTop")) {
            return Number(200) + "," + Number(200);
        }
        if (is("Pattern")) {
            return OneOf(kPatterns);
        }
        if (is("Data")) {
            return type == ze::ObjectType::kGrid ? GridData(columns) : ListData();
        }
        if (is("ColumnHeight")) {
            return Chance(50) ? "40" : "";
        }
        if (is("Columns")) {
            return columns > 0 ? std::to_string(columns) : "";
        }
        if (is("Position")) {
            return Chance(50) ? "0" : "";
        }
        if (is("Min")) {
            return "0";
        }
        if (is("Max")) {
            return "100";
        }
        if (is("NotifyList")) {
            return Chance(50) ? "Name,Value" : "";
        }
        return "";
    }

    // A resource-text array of Japanese entries, kept in Shift_JIS like every
    // value of the model.
    std::string ListData() {
        std::string data = "[";
        for (int i = 5 + Pick(11); i > 0; --i) {
            data += '\'';
            data += Word();
            data += i > 1 ? "'," : "'";
        }
        return data + "]";
    }

    std::string GridData(int columns) {
        std::string data = "[";
        for (int row = 4 + Pick(8); row > 0; --row) {
            data += '[';
            for (int column = 0; column < columns; ++column) {
                data += '\'';
                data += column == 0 ? Word() : Number(1000);
                data += column + 1 < columns ? "'," : "'";
            }
            data += row > 1 ? "]," : "]";
        }
        return data + "]";
    }

    ze::ZeClass* Command(ze::ElementStore& store, std::string_view event) {
        static constexpr std::array<std::pair<const char*, int>, 8> kWeights = {{
            {"OPEN", 20},
            {"UPDATE", 30},
            {"SOUND", 10},
            {"TIMER", 10},
            {"CLOSE", 10},
            {"CONDITION", 5},
            {"DELETE", 5},
            {"GETFILE", 10},
        }};
        std::string_view name = "OPEN";
        int roll = Pick(100);
        for (const auto& [command, weight] : kWeights) {
            if (roll < weight) {
                name = command;
                break;
            }
            roll -= weight;
        }
        ze::ZeClass* command = ze::CreateCommand(store, name, event);
        ++commands_;
        if (name == "OPEN") {
            command->SetItem("File", "Dialog" + Number(dialogs_));
            if (Chance(30)) {
                command->SetItem("FileSource", "STATION");
            }
        } else if (name == "SOUND") {
            command->SetItem("File", "sound/effect_" + Number(30) + ".wav");
            command->SetItem("FileSource", "BUILTIN");
        } else if (name == "TIMER") {
            command->SetItem("Time", std::to_string(100 * (1 + Pick(50))));
        } else if (name == "UPDATE") {
            command->SetItem("Name", Target());
            command->SetItem("Text", Chance(50) ? Line() : Word());
            if (Chance(30)) {
                command->SetItem("TSize", "16");
            }
            if (Chance(50)) {
                command->SetItem("TColor", Colour());
            }
            if (Chance(20)) {
                command->SetItem("BGColor", Colour());
            }
            if (Chance(20)) {
                command->SetItem("Hide", Boolean());
            }
            if (Chance(10)) {
                command->SetItem("Data", ListData());
            }
        } else if (name == "CONDITION") {
            command->SetItem("Name", Target());
            if (Chance(50)) {
                command->SetItem("Alias", "alias" + Number(serial_ + 1));
            }
        } else if (name == "DELETE") {
            command->SetItem("Name", Target());
            command->SetItem("Delete", Chance(50) ? "THIS" : "CHILD");
        } else if (name == "GETFILE") {
            command->SetItem("File", "data/list_" + Number(100) + ".json");
            command->SetItem("FileSource", "STATION");
            command->SetItem("ObjectName", "VLST" + Number(serial_ + 1));
        }
        return command;
    }

    const Corpus& corpus_;
    std::mt19937 random_;
    int dialogs_;
    int elementsPerDialog_;
    int serial_ = 0;
    int groups_ = 0;
    int objects_ = 0;
    int commands_ = 0;
    int headerColumns_ = 0;
};

}  // namespace bench
