#pragma once

// The editor's command ids. Menus, the toolbar and the status-bar help are
// keyed by them. The values are fixed: the standard commands keep the
// numbers of the desktop's common command set, the editor's own commands
// are numbered from 32774.
namespace ze::app::command {

inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kRecentFile = 57616;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kWindowNew = 57648;
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;
inline constexpr int kViewToolBar = 59392;
inline constexpr int kViewStatusBar = 59393;

inline constexpr int kViewResourcePanel = 32774;
inline constexpr int kRedraw = 32776;
inline constexpr int kCreateSkeleton = 32779;
inline constexpr int kSaveResource = 32794;
inline constexpr int kSaveProject = 32795;
inline constexpr int kDiscardAll = 32797;
inline constexpr int kAlignLeft = 32800;
inline constexpr int kAlignRight = 32806;
inline constexpr int kAlignTop = 32807;
inline constexpr int kAlignBottom = 32808;
inline constexpr int kAlignWidth = 32809;
inline constexpr int kAlignHeight = 32810;
inline constexpr int kNewResource = 32851;
inline constexpr int kViewLogPane = 32857;
inline constexpr int kSendDialog = 32861;
inline constexpr int kClearLog = 32863;
inline constexpr int kSaveProjectAs = 32870;
// The active dialog window's preview: its sizing and its zoom.
inline constexpr int kViewFitWindow = 32880;
inline constexpr int kViewDeviceSize = 32881;
inline constexpr int kZoomIn = 32882;
inline constexpr int kZoomOut = 32883;
inline constexpr int kZoomReset = 32884;
// The active window's paint mode, the key that switches it, and the window
// that shows the current dialog at several device sizes.
inline constexpr int kViewStructure = 32885;
inline constexpr int kViewDeviceLook = 32886;
inline constexpr int kSwitchLook = 32887;
inline constexpr int kViewDeviceList = 32888;

}  // namespace ze::app::command
