#pragma once

// The editor's command ids. Menus, the toolbar and the status-bar help are
// keyed by them. The values are fixed: the standard commands keep the
// numbers of the desktop's common command set, the editor's own commands
// are numbered from 32774.
namespace ze::app {

enum class CommandId : int {
    kFileNew = 57600,
    kFileOpen = 57601,
    kFileClose = 57602,
    kFilePrintSetup = 57606,
    kFilePrint = 57607,
    kFilePrintPreview = 57609,
    kRecentFile = 57616,
    kEditCopy = 57634,
    kEditCut = 57635,
    kEditPaste = 57637,
    kEditUndo = 57643,
    kEditRedo = 57644,
    kWindowNew = 57648,
    kWindowArrange = 57649,
    kWindowCascade = 57650,
    kWindowTile = 57651,
    kAppAbout = 57664,
    kAppExit = 57665,
    kNextPane = 57680,
    kPreviousPane = 57681,
    kViewToolBar = 59392,
    kViewStatusBar = 59393,

    kViewResourcePanel = 32774,
    kRedraw = 32776,
    kCreateSkeleton = 32779,
    kSaveResource = 32794,
    kSaveProject = 32795,
    kDiscardAll = 32797,
    kViewLogPane = 32857,
    kSendDialog = 32861,
    kClearLog = 32863,
    kSaveProjectAs = 32870,
    // The active dialog window's preview: its sizing and its zoom.
    kViewFitWindow = 32880,
    kViewDeviceSize = 32881,
    kZoomIn = 32882,
    kZoomOut = 32883,
    kZoomReset = 32884,
    // The active window's paint mode, the key that switches it, and the window
    // that shows the current dialog at several device sizes.
    kViewStructure = 32885,
    kViewDeviceLook = 32886,
    kSwitchLook = 32887,
    kViewDeviceList = 32888,
    // The "履歴" bar: the steps of the picked dialog's history.
    kViewHistory = 32889,
};

}  // namespace ze::app
