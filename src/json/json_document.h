// A JSON document held in its own script engine and queried with script member expressions
// ("words_result[0].words"). Texts in and out are GBK. No operation reports an error: a failed
// evaluation gives the empty text, 0 or false, and the document stays usable.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/script.h"
#include "text/text.h"

namespace textorin {

// Kind codes of type_of.
enum JsonKind : int {
    kJsonNull = 0,  // null, or a member its parent lacks
    kJsonNumber = 2,
    kJsonObject = 4,
    kJsonArray = 5,
    kJsonString = 6,
    kJsonOther = -1,  // a truth value, a function, or a path that cannot be evaluated
};

class JsonDocument {
  public:
    JsonDocument() = default;  // holds an empty object
    // A copy shares the engine (and so the value) of the original.
    JsonDocument(const JsonDocument& other);
    JsonDocument& operator=(const JsonDocument& other);
    ~JsonDocument() = default;

    // A path step that names any member safely: ["..."] with the name quoted and escaped.
    static Text path_step(std::string_view member_name);

    void open_engine();
    // Starts a fresh engine and decodes strict JSON into it; true when the value is not null.
    bool parse(std::string_view text);
    Text to_json();

    void set_member(std::string_view name, std::string_view value, bool raw = false);
    void set_member_eval(std::string_view name, std::string_view script);
    void set_member_number(std::string_view name, double number);
    double get_number(std::string_view path);
    Text get_member_json(std::string_view path);
    Text get_text(std::string_view path = {}, bool as_json = false);
    JsonDocument get_document(std::string_view path);
    int count(std::string_view path = {});
    void append(std::string_view value, std::string_view path = {}, bool raw = false);
    JsonDocument get_element_document(int index, std::string_view path = {});
    Text get_element_text(int index, std::string_view path = {}, bool as_json = false);
    void set_element(int index, std::string_view value, bool raw = false);
    void remove_element(int index);
    void remove_member(std::string_view name);
    void reset(int kind);
    void set_root(std::string_view value, bool raw = false);
    bool has_member(std::string_view path);
    std::vector<Text> member_names(std::string_view path = {});
    int type_of(std::string_view path = {});
    void clear();

  private:
    // The root name joined with a path: "da" + "[..." or "da." + path; for lookups the "["
    // rule applies, for everything else the path always follows a ".".
    Text lookup_path(std::string_view path) const;
    Text member_path(std::string_view path) const;

    std::optional<ScriptValue> eval(std::string_view script, ScriptConvert convert);
    Text text_of(std::string_view script);
    double number_of(std::string_view script);
    bool truth_of(std::string_view script);
    void run(std::string_view script);

    // The engine is opened on first use, so a document that is parsed at once (the common
    // case) never builds the engine that parse would replace.
    ScriptEngine* engine() const;

    Text root_ = "da";
    mutable bool opened_ = false;
    mutable std::shared_ptr<ScriptEngine> engine_;
};

}  // namespace textorin
