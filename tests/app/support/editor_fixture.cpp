#include "editor_fixture.h"

#include <QCoreApplication>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/cp932.h"

namespace ze::app::test {

void RecordingMessages::ShowMessage(const std::string& text, MessageIcon icon) {
    shown.push_back({Cp932ToUtf8(text), icon});
}

std::optional<std::string> ScriptedFiles::ChooseSaveFile(const FileRequest& request) {
    requests.push_back(request);
    if (answers.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedFiles::ChooseOpenFile(const FileRequest& request) {
    return ChooseSaveFile(request);
}

SaveAnswer ScriptedFiles::AskSaveChanges() {
    ++saveQuestions;
    return saveAnswer;
}

RecoveryAnswer ScriptedFiles::AskRecover(const RecoveryOffer& offer) {
    recoveryOffers.push_back(offer);
    return recoveryAnswer;
}

void ScriptedFiles::ShowLoadError(const QString& file, const std::string& report) {
    loadErrors.emplace_back(file, report);
}

EditorFixture::EditorFixture() = default;

EditorFixture::~EditorFixture() = default;

CMainFrame& EditorFixture::Frame() {
    if (!frame_) {
        EditorEnvironment environment;
        environment.settingsPath = SettingsPath();
        environment.programFolder = Folder() + "program/";
        environment.messages = &messages;
        environment.files = &files;
        environment.recoveryFolder = RecoveryFolder();
        frame_ = std::make_unique<CMainFrame>(environment);
    }
    return *frame_;
}

CMainFrame* EditorFixture::Start(const QStringList& arguments) {
    app_ = std::make_unique<CZeDialogEditorApp>();
    EditorEnvironment environment;
    environment.settingsPath = SettingsPath();
    environment.programFolder = Folder() + "program/";
    environment.messages = &messages;
    environment.files = &files;
    environment.recoveryFolder = RecoveryFolder();
    return app_->InitInstance(arguments, environment) ? app_->GetMainFrame() : nullptr;
}

void EditorFixture::CloseFrame() {
    Frame().close();
    frame_.reset();
}

std::string EditorFixture::SettingsPath() const {
    return Folder() + "VaVoririvuZuvazu.ini";
}

QString EditorFixture::RecoveryFolder() const {
    return QString::fromStdString(Folder() + "recovery");
}

std::string EditorFixture::Folder() const {
    return dir_.path().toStdString() + "/";
}

std::string EditorFixture::WriteFile(const std::string& name, const std::string& bytes) const {
    const std::string path = Folder() + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    return path;
}

std::string EditorFixture::ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string ProjectText(const std::string& name, const std::vector<std::string>& dialogs) {
    std::string text = "{'Name':'" + name + "','DeviceWidth':1024,'DeviceHeight':800,'Commands':[";
    for (std::size_t i = 0; i < dialogs.size(); ++i) {
        text += (i == 0 ? "" : ",") + dialogs[i];
    }
    return text + "]}";
}

std::string DialogText(const std::string& name, const std::string& objects) {
    return "{'Command':'DIALOG','Name':'" + name +
           "','TemplateType':'Unique','TargetLayoutWidth':400,'TargetLayoutHeight':300,"
           "'Object':{'Name':'Root','Type':'GROUP','Layout':'FRAME','Width':'PARENT',"
           "'Height':'PARENT','Objects':[" +
           objects + "]}}";
}

}  // namespace ze::app::test
