// Stand-in for the device framework's header: just enough of its classes for
// a generated skeleton to compile, link and show which dialog class each
// name creates.
#pragma once

#include <cstdio>
#include <string>
#include <typeinfo>

namespace dev {

struct Event {
    const char* object;
    const char* name;
};

class Dialog {
public:
    explicit Dialog(const char* name) : name_(name) {}
    virtual ~Dialog() = default;

    const char* GetName() const { return name_.c_str(); }
    bool LoadResource(const char* path) {
        resource_ = path;
        return true;
    }
    const std::string& GetResource() const { return resource_; }

    virtual void OnOpen() {}
    virtual void OnClose() {}
    virtual void OnTimer() {}
    virtual void OnEvent(const Event&) {}

private:
    std::string name_;
    std::string resource_;
};

class DialogMaker {
public:
    virtual ~DialogMaker() = default;
    virtual Dialog* Create(const char* name) = 0;
};

class Application {
public:
    Application() { Slot() = this; }
    virtual ~Application() { Slot() = nullptr; }

    static Application* Current() { return Slot(); }

    void SetDialogMaker(DialogMaker* maker) { maker_ = maker; }

    // Creates the dialog, runs it through its handlers and prints what it was.
    bool OpenDialog(const char* name) {
        Dialog* dialog = maker_ != nullptr ? maker_->Create(name) : nullptr;
        if (dialog == nullptr) {
            std::printf("no dialog %s\n", name);
            return false;
        }
        Dialog& opened = *dialog;
        std::printf("open %s from %s as %s\n", opened.GetName(), opened.GetResource().c_str(),
                    typeid(opened).name());
        opened.OnOpen();
        opened.OnEvent(Event{"Button", "OnClick"});
        opened.OnTimer();
        opened.OnClose();
        delete dialog;
        return true;
    }

    // Opens each dialog named on the command line after OnInit.
    int Run(int argc, char** argv) {
        if (!OnInit()) {
            return 1;
        }
        for (int i = 1; i < argc; ++i) {
            OpenDialog(argv[i]);
        }
        OnExit();
        return 0;
    }

    virtual bool OnInit() = 0;
    virtual void OnExit() {}
    virtual void OnDialogEvent(Dialog&, const Event&) {}

private:
    static Application*& Slot() {
        static Application* current = nullptr;
        return current;
    }

    DialogMaker* maker_ = nullptr;
};

}  // namespace dev
