#pragma once

#include <string_view>

// The help texts the property list shows under a property. Private to the
// schema builders.
namespace ze::schema_text {

enum class Help {
    kNone,  // the property has no help text

    // Objects.
    kObjectName,
    kObjectAlias,
    kObjectType,
    kSize,
    kWeight,
    kPosX,
    kPosY,
    kPadding,
    kMargin,
    kHide,
    kDisable,
    kColour,
    kScaleType,
    kClickable,
    kCommandPick,
    kAttr,
    kText,
    kTextOff,
    kTextOn,
    kTSize,
    kAlignment,
    kStretch,
    kWrap,
    kSpan,
    kFile,
    kFileOff,
    kFileOn,
    kFileBaseProgress,
    kFileBaseSlidebar,
    kFileBaseMeter,
    kFileActiveProgress,
    kFileActiveSlidebar,
    kFileThumb,
    kFileCursor,
    kFileTop,
    kCenterPosBase,
    kCenterPosCursor,
    kCenterPosTop,
    kRevers,
    kPattern,
    kFileSource,
    kFilePath,
    kEnablePinch,
    kEnableCache,
    kThumbnail,
    kPictureOffsetX,
    kPictureOffsetY,
    kPictureScaleX,
    kPictureScaleY,
    kGraphOffsetX,
    kGraphOffsetY,
    kGraphScaleX,
    kGraphScaleY,
    kDateScale,
    kAutoScroll,
    kScaleLock,
    kGridData,
    kListData,
    kColumnHeight,
    kPosition,
    kMin,
    kMax,
    kValue,
    kInitialValue,
    kBarVertical,
    kNotifyList,

    // Groups.
    kGroupName,
    kRadioAlias,
    kGroupType,
    kGroupVertical,

    // Dialogs.
    kTemplateType,
    kTargetLayoutWidth,
    kTargetLayoutHeight,
    kPopupTitle,
    kPopupMessage,
    kPopupButton1,
    kPopupButton2,
    kPopupButton3,

    // Commands.
    kEvent,
    kCommand,
    kMakeCommand,
    kTargetName,
    kTargetAlias,
    kCommandFile,
    kTime,
    kDeleteType,
    kSendCommand,
    kFetchedFile,
    kNotifiedObject,
    kUpdateText,
    kUpdateAttr,
    kUpdateData,
    kUpdateValue,
    kUpdatePictureOffsetX,
    kUpdatePictureOffsetY,
    kUpdatePictureScaleX,
    kUpdatePictureScaleY,
    kUpdateOffsetX,
    kUpdateOffsetY,
    kUpdateScaleX,
    kUpdateScaleY,

    kCount
};

// The text in Shift_JIS, living as long as the program; null for kNone.
const char* HelpText(Help help);

// The UTF-8 source of a help text; empty for kNone.
std::string_view HelpTextUtf8(Help help);

}  // namespace ze::schema_text
