#pragma once

#include <string_view>

// The names of the properties the code looks up or compares by name. The
// schema (schema.cpp) defines each property with its name as text; these are
// the same names, so a misspelt lookup fails to compile instead of finding
// nothing.
namespace ze::prop {

inline constexpr std::string_view kAlign = "Align";
inline constexpr std::string_view kBGColor = "BGColor";
inline constexpr std::string_view kCenterPosBase = "CenterPosBase";
inline constexpr std::string_view kCenterPosCursor = "CenterPosCursor";
inline constexpr std::string_view kCenterPosTop = "CenterPosTop";
inline constexpr std::string_view kColumnHeight = "ColumnHeight";
inline constexpr std::string_view kColumns = "Columns";
inline constexpr std::string_view kCommand = "Command";
inline constexpr std::string_view kDeviceHeight = "DeviceHeight";
inline constexpr std::string_view kDeviceWidth = "DeviceWidth";
inline constexpr std::string_view kDisable = "Disable";
inline constexpr std::string_view kEvent = "Event";
inline constexpr std::string_view kFile = "File";
inline constexpr std::string_view kFileActive = "FileActive";
inline constexpr std::string_view kFileBase = "FileBase";
inline constexpr std::string_view kFileCursor = "FileCursor";
inline constexpr std::string_view kFileOff = "FileOff";
inline constexpr std::string_view kFileOn = "FileOn";
inline constexpr std::string_view kFilePath = "FilePath";
inline constexpr std::string_view kFileSource = "FileSource";
inline constexpr std::string_view kFileThumb = "FileThumb";
inline constexpr std::string_view kFileTop = "FileTop";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kHide = "Hide";
inline constexpr std::string_view kLayout = "Layout";
inline constexpr std::string_view kMakeCommand = "MakeCommand";
inline constexpr std::string_view kMargin = "Margin";
inline constexpr std::string_view kMax = "Max";
inline constexpr std::string_view kMin = "Min";
inline constexpr std::string_view kName = "Name";
inline constexpr std::string_view kObjectName = "ObjectName";
inline constexpr std::string_view kPadding = "Padding";
inline constexpr std::string_view kPosX = "PosX";
inline constexpr std::string_view kPosY = "PosY";
inline constexpr std::string_view kSendCommand = "SendCommand";
inline constexpr std::string_view kTAlign = "TAlign";
inline constexpr std::string_view kTColor = "TColor";
inline constexpr std::string_view kTSize = "TSize";
inline constexpr std::string_view kTargetLayoutHeight = "TargetLayoutHeight";
inline constexpr std::string_view kTargetLayoutWidth = "TargetLayoutWidth";
inline constexpr std::string_view kTemplateType = "TemplateType";
inline constexpr std::string_view kText = "Text";
inline constexpr std::string_view kTextOff = "TextOff";
inline constexpr std::string_view kTextOn = "TextOn";
inline constexpr std::string_view kTime = "Time";
inline constexpr std::string_view kType = "Type";
inline constexpr std::string_view kValue = "Value";
inline constexpr std::string_view kVertical = "Vertical";
inline constexpr std::string_view kWeight = "Weight";
inline constexpr std::string_view kWidth = "Width";

}  // namespace ze::prop
