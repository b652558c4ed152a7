#include "json/json_document.h"

#include <charconv>
#include <climits>

#include "platform/codepage.h"
#include "text/conventions.h"

namespace textorin {
namespace {

// Counts enumerable members from -2, as every object also enumerates the two library methods
// below.
constexpr std::string_view kLibrary =
    "function get__count(c){var i=-2;for(v in c)i++;return i}\n"
    "if(!Object.prototype.toJSONString){"
    "Object.prototype.toJSONString=function(filter){return JSON.stringify(this,filter)};"
    "Object.prototype.parseJSON=function(filter){return JSON.parse(this,filter)}}\n";

// "%.13g" in the C locale, whatever the process locale says.
Text format_number(double number) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 13);
    return Text(buffer, result.ptr);
}

Text quoted(std::string_view value, bool raw) {
    return raw ? Text(value) : "'" + Text(value) + "'";
}

}  // namespace

JsonDocument::JsonDocument(const JsonDocument& other) {
    *this = other;
}

JsonDocument& JsonDocument::operator=(const JsonDocument& other) {
    other.engine();  // a copy must share the engine, so the original opens it now
    root_ = other.root_;
    engine_ = other.engine_;
    opened_ = true;
    return *this;
}

ScriptEngine* JsonDocument::engine() const {
    if (!opened_) const_cast<JsonDocument*>(this)->open_engine();
    return engine_.get();
}

Text JsonDocument::path_step(std::string_view name) {
    Text step = "[\"";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (is_lead_byte(b) && i + 1 < name.size() &&
            is_trail_byte(static_cast<unsigned char>(name[i + 1]))) {
            step.append(name, i++, 2);  // a whole double-byte character: never escaped
        } else if (b == '"' || b == '\\') {
            step += '\\';
            step += static_cast<char>(b);
        } else if (b < 0x20 || b == 0x7F) {
            static constexpr char hex[] = "0123456789abcdef";
            step += "\\u00";
            step += hex[b >> 4];
            step += hex[b & 15];
        } else {
            step += static_cast<char>(b);
        }
    }
    return step + "\"]";
}

Text JsonDocument::lookup_path(std::string_view path) const {
    if (path.empty()) return root_;
    return path.starts_with('[') ? root_ + Text(path) : root_ + "." + Text(path);
}

Text JsonDocument::member_path(std::string_view path) const {
    return path.empty() ? root_ : root_ + "." + Text(path);
}

std::optional<ScriptValue> JsonDocument::eval(std::string_view script, ScriptConvert convert) {
    ScriptEngine* e = engine();
    if (!e) return std::nullopt;
    auto value = e->eval(gbk_to_utf8(script), convert);
    if (value && convert == ScriptConvert::ToText) value->text = utf8_to_gbk(value->text);
    return value;
}

Text JsonDocument::text_of(std::string_view script) {
    auto value = eval(script, ScriptConvert::ToText);
    return value ? std::move(value->text) : Text();
}

double JsonDocument::number_of(std::string_view script) {
    const auto value = eval(script, ScriptConvert::ToNumber);
    return value ? value->number : 0;
}

bool JsonDocument::truth_of(std::string_view script) {
    const auto value = eval(script, ScriptConvert::ToTruth);
    return value && value->truth;
}

void JsonDocument::run(std::string_view script) {
    eval(script, ScriptConvert::None);
}

void JsonDocument::open_engine() {
    opened_ = true;
    engine_ = ScriptEngine::create();
    if (!engine_) return;
    engine_->add_code(kLibrary);
    run("var " + root_ + "={}");
}

bool JsonDocument::parse(std::string_view text) {
    open_engine();
    if (!engine_) return false;
    run("var " + root_ + "=null");
    // The text comes from the network: it is decoded as JSON, never run as code.
    engine_->bind_json(root_, gbk_to_utf8(text));
    return truth_of("null !=" + root_);
}

Text JsonDocument::to_json() {
    return text_of("JSON.stringify(" + root_ + ")");
}

void JsonDocument::set_member(std::string_view name, std::string_view value, bool raw) {
    if (raw) {
        run(member_path(name) + "= eval(" + (value.empty() ? Text("{}") : Text(value)) + ")");
    } else {
        run(member_path(name) + "='" + Text(value) + "'");
    }
}

void JsonDocument::set_member_eval(std::string_view name, std::string_view script) {
    run(member_path(name) + "= eval(" + Text(script) + ")");
}

void JsonDocument::set_member_number(std::string_view name, double number) {
    run(member_path(name) + "=" + format_number(number));
}

double JsonDocument::get_number(std::string_view path) {
    return number_of(member_path(path));
}

Text JsonDocument::get_member_json(std::string_view path) {
    return text_of("JSON.stringify(" + member_path(path) + ")");
}

Text JsonDocument::get_text(std::string_view path, bool as_json) {
    const Text p = lookup_path(path);
    if (as_json) return text_of("JSON.stringify(" + p + ")");
    if (!engine()) return {};
    if (type_of(path) == kJsonNumber) return format_number(get_number(path));
    return text_of(p);
}

JsonDocument JsonDocument::get_document(std::string_view path) {
    JsonDocument document;
    document.parse(text_of("JSON.stringify(" + lookup_path(path) + ")"));
    return document;
}

int JsonDocument::count(std::string_view path) {
    const double n = number_of("get__count(" + lookup_path(path) + ")");
    if (n <= INT_MIN) return INT_MIN;
    return n < INT_MAX ? static_cast<int>(n) : INT_MAX;
}

void JsonDocument::append(std::string_view value, std::string_view path, bool raw) {
    const Text p = member_path(path);
    run("if (Object.prototype.toString.call(" + p + ") != '[object Array]') { " + p +
        "=new Array();} " + p + ".push(" + quoted(value, raw) + ")");
}

JsonDocument JsonDocument::get_element_document(int index, std::string_view path) {
    JsonDocument document;
    document.parse(get_element_text(index, path, true));
    return document;
}

Text JsonDocument::get_element_text(int index, std::string_view path, bool as_json) {
    const Text element = member_path(path) + "[" + std::to_string(index) + "]";
    return as_json ? text_of("JSON.stringify(" + element + ")") : text_of(element);
}

void JsonDocument::set_element(int index, std::string_view value, bool raw) {
    run(root_ + "[" + std::to_string(index) + "]=" + quoted(value, raw));
}

void JsonDocument::remove_element(int index) {
    run(root_ + ".splice(" + std::to_string(index) + ",1)");
}

void JsonDocument::remove_member(std::string_view name) {
    text_of("delete " + member_path(name));
}

void JsonDocument::reset(int kind) {
    if (kind == kJsonNull || kind == kJsonObject) {
        run("var " + root_ + "={}");
    } else if (kind == kJsonArray) {
        run("var " + root_ + "=new Array()");
    }
}

void JsonDocument::set_root(std::string_view value, bool raw) {
    truth_of(root_ + "=" + quoted(value, raw));
}

bool JsonDocument::has_member(std::string_view path) {
    return truth_of(member_path(path) + " !=null");
}

std::vector<Text> JsonDocument::member_names(std::string_view path) {
    Text listed =
        text_of("var ary=''; for (var key in " + member_path(path) + ") {ary=ary+ key+','; }");
    listed = replace_all(replace_all(listed, "toJSONString,", ""), "parseJSON,", "");
    run("ary=null");
    return split(listed, ",");
}

int JsonDocument::type_of(std::string_view path) {
    // One evaluation gives both answers of "P==null" and "typeof (P)".
    const auto value = eval(member_path(path), ScriptConvert::None);
    if (!value) return kJsonOther;
    switch (value->kind) {
        case ScriptKind::Undefined:
        case ScriptKind::Null:
            return kJsonNull;
        case ScriptKind::Number:
            return kJsonNumber;
        case ScriptKind::String:
            return kJsonString;
        case ScriptKind::Array:
            return kJsonArray;
        case ScriptKind::Object:
            return get_text(path, true).starts_with('[') ? kJsonArray : kJsonObject;
        default:
            return kJsonOther;
    }
}

void JsonDocument::clear() {
    run(root_ + "={}");
}

}  // namespace textorin
