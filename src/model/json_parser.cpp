#include "model/json_parser.h"

#include "model/json_error_report.h"
#include "model/json_syntax.h"

namespace ze {

bool JsonParser::Parse(std::string_view text) {
    return ParseWith(text, {}, nullptr);
}

bool JsonParser::Parse(std::string_view text, std::string_view key, JsonArrayFeed& feed) {
    return ParseWith(text, key, &feed);
}

bool JsonParser::ParseWith(std::string_view text, std::string_view key, JsonArrayFeed* feed) {
    errorText_.clear();
    if (const std::size_t zero = text.find('\0'); zero != std::string_view::npos) {
        text = text.substr(0, zero);
    }
    const JsonSyntaxResult result = feed != nullptr ? ReadJsonText(text, root_, key, *feed, scan_)
                                                    : ReadJsonText(text, root_, scan_);
    if (!result.ok) {
        errorText_ = BuildJsonErrorReport(text, result.errorOffset);
        return false;
    }
    current_ = &root_;
    savedCurrent_ = nullptr;
    return true;
}

const JsonValue* JsonParser::Lookup(std::string_view key) const {
    return current_ ? current_->Find(key) : nullptr;
}

bool JsonParser::IsArray(std::string_view key) const {
    const JsonValue* value = Lookup(key);
    return value && value->IsArray();
}

const JsonValue& JsonParser::GetArray(std::string_view key) const {
    static const JsonValue kEmptyArray = JsonValue::Array({});
    const JsonValue* value = Lookup(key);
    return value && value->IsArray() ? *value : kEmptyArray;
}

bool JsonParser::EnterObject(std::string_view key) {
    const JsonValue* value = Lookup(key);
    if (!value || !value->IsObject()) {
        return false;
    }
    current_ = value;
    return true;
}

bool JsonParser::IsNull(std::string_view key) const {
    if (!current_ || current_->IsNull()) {
        return true;
    }
    const JsonValue* value = Lookup(key);
    return !value || value->IsNull();
}

bool JsonParser::GetString(std::string_view key, std::string& out) const {
    // IsNull's answer with one lookup: the value is looked up once.
    if (!current_ || current_->IsNull()) {
        return false;
    }
    const JsonValue* value = Lookup(key);
    if (!value || value->IsNull()) {
        return false;
    }
    out.clear();
    value->SerializeTo(out, false);
    return true;
}

bool JsonParser::GetInt(std::string_view key, std::int32_t& out) const {
    const JsonValue* value = Lookup(key);
    if (!value || value->Type() != JsonType::Integer) {
        return false;
    }
    out = value->AsInt();
    return true;
}

int JsonParser::GetKeys(std::vector<std::string>& keys) const {
    if (!current_) {
        return 0;
    }
    const auto members = current_->Members();
    for (const JsonMember& member : members) {
        keys.emplace_back(member.Key());
    }
    return static_cast<int>(members.size());
}

bool JsonParser::NextElement(JsonArrayWalk& walk) {
    if (walk.next_ >= walk.elements_.size()) {
        return false;
    }
    current_ = &walk.elements_[walk.next_++];
    return true;
}

}  // namespace ze
