// _APPNAME_DialogMaker.cpp: creates the dialogs of _APPNAME_ by name.
#include "_APPNAME_DialogMaker.h"

#include <cstring>
#include <map>
#include <string>

namespace {

struct DialogEntry {
    const char* name;
    const char* templateType;
};

// Every dialog of the project, in project order.
const DialogEntry kDialogs[] = {
    {"_DIALOGNAME_", "_TEMPLATETYPE_"},%MULTILINE%DIALOG%
    {nullptr, nullptr},
};

std::map<std::string, _APPNAME_DialogMaker::Creator>& Creators() {
    static std::map<std::string, _APPNAME_DialogMaker::Creator> creators;
    return creators;
}

}  // namespace

_APPNAME_DialogMaker::Registration::Registration(const char* name, Creator creator) {
    Creators()[name] = creator;
}

const char* _APPNAME_DialogMaker::FirstDialog() {
    return kDialogs[0].name;
}

dev::Dialog* _APPNAME_DialogMaker::Create(const char* name) {
    for (const DialogEntry* entry = kDialogs; entry->name != nullptr; ++entry) {
        if (std::strcmp(entry->name, name) != 0) {
            continue;
        }
        const auto creator = Creators().find(name);
        if (creator != Creators().end()) {
            return creator->second();
        }
        dev::Dialog* dialog = new dev::Dialog(entry->name);
        dialog->LoadResource((std::string("resources/") + entry->name + ".json").c_str());
        return dialog;
    }
    return nullptr;
}
