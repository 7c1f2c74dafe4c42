#pragma once

// A small project in parts, so that a test can write a version of it by
// changing one part: dialog Main with Root holding Title, the group Buttons
// (Open, Quit), two unnamed TEXTs, Volume and the GRID History.

#include <string>
#include <vector>

namespace ze::test {

struct ProjectParts {
    std::string projectName = "App";
    std::string dialogProperties = ",'TemplateType':'Unique'";
    std::string dialogEvents = ",'OnOpen':{'Event':'OnOpen','Command':'TIMER','Time':1000}";
    std::string title = "{'Name':'Title','Type':'TEXT','Text':'見出し'}";
    // The group's own part; empty: no group Buttons (nor Open and Quit).
    std::string buttons = "{'Name':'Buttons','Type':'GROUP','Layout':'LINEAR'";
    std::string open =
        "{'Name':'Open','Type':'BUTTON','Text':'設定を開く',"
        "'OnClick':{'Event':'OnClick','Command':'OPEN','File':'Settings.json'}}";
    std::string quit = "{'Name':'Quit','Type':'BUTTON','Text':'終了'}";
    std::string unnamed = "{'Type':'TEXT','Text':'a'},{'Type':'TEXT','Text':'b'}";
    std::string volume = "{'Name':'Volume','Type':'SLIDEBAR','Value':'50'}";
    std::string history =
        "{'Name':'History','Type':'GRID','Header':[{'TSize':'14pt'},{'TSize':'12pt'}]}";
    std::string otherDialogs;

    static constexpr const char* kSettingsDialog =
        ",{'Command':'DIALOG','Name':'Settings','Object':{'Name':'Root','Type':'GROUP',"
        "'Layout':'LINEAR','Objects':[{'Name':'Back','Type':'BUTTON'}]}}";

    static std::string Replace(std::string text, const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        if (at != std::string::npos) {
            text.replace(at, from.size(), to);
        }
        return text;
    }
};

// The parts that are not empty, joined by commas.
inline std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (!part.empty()) {
            text += (text.empty() ? "" : ",") + part;
        }
    }
    return text;
}

inline std::string Project(const ProjectParts& p) {
    const std::string buttons = p.buttons.empty()
                                    ? std::string()
                                    : p.buttons + ",'Objects':[" + Joined({p.open, p.quit}) + "]}";
    return "{'Name':'" + p.projectName + "','Commands':[{'Command':'DIALOG','Name':'Main'" +
           p.dialogProperties + p.dialogEvents +
           ",'Object':{'Name':'Root','Type':'GROUP','Layout':'LINEAR','Objects':[" +
           Joined({p.title, buttons, p.unnamed, p.volume, p.history}) + "]}}" + p.otherDialogs +
           "]}";
}

}  // namespace ze::test
