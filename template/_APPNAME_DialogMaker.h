// _APPNAME_DialogMaker.h: creates the dialogs of _APPNAME_ by name.
#pragma once

#include "DeviceFramework.h"

// Each dialog class registers how it is created (a Registration object in its
// source file). A dialog of the project without a class of its own (template
// type NONE, or a POPUP whose class is not written yet) is built from its
// resource file alone.
class _APPNAME_DialogMaker : public dev::DialogMaker {
public:
    using Creator = dev::Dialog* (*)();

    struct Registration {
        Registration(const char* name, Creator creator);
    };

    // Null for an unknown name.
    dev::Dialog* Create(const char* name) override;

    // The name of the project's first dialog; null when it has none.
    static const char* FirstDialog();
};
