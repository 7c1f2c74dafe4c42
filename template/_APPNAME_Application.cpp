// _APPNAME_Application.cpp: the application class of _APPNAME_.
#include "_APPNAME_Application.h"

bool _APPNAME_Application::OnInit() {
    SetDialogMaker(&dialogMaker_);
    // The first dialog of the project is the one shown at start.
    const char* first = _APPNAME_DialogMaker::FirstDialog();
    return first == nullptr || OpenDialog(first);
}

void _APPNAME_Application::OnExit() {}

void _APPNAME_Application::OnDialogEvent(dev::Dialog& dialog, const dev::Event& event) {
    // Dispatch on dialog.GetName() and event.object / event.name here.
    (void)dialog;
    (void)event;
}
