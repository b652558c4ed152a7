// An embedded ECMAScript engine: create it, add code, evaluate expressions to a value of any
// kind, and bind a value decoded from JSON text. Texts in and out are UTF-8.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace textorin {

enum class ScriptKind { Undefined, Null, Boolean, Number, String, Object, Array, Function, Other };

// What to convert an evaluated value to; conversions cost (an array's text joins all of it),
// so only the asked one is made.
enum class ScriptConvert { None, ToText, ToNumber, ToTruth };

struct ScriptValue {
    ScriptKind kind = ScriptKind::Undefined;
    std::string text;  // undefined and null give the empty text
    double number = 0;
    bool truth = false;
};

class ScriptEngine {
  public:
    // Null when no engine can be made.
    static std::unique_ptr<ScriptEngine> create();
    ~ScriptEngine();
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    // Runs code in the global scope; false when it fails to compile or throws.
    bool add_code(std::string_view code);

    // Evaluates code and returns its completion value; nullopt when it fails or throws.
    std::optional<ScriptValue> eval(std::string_view code, ScriptConvert convert);

    // Decodes strict JSON text and stores the value in the global variable `name`; nothing of
    // the text is ever run as code. False (and the variable untouched) when it is not JSON.
    bool bind_json(std::string_view name, std::string_view json);

  private:
    struct Heap;
    explicit ScriptEngine(std::unique_ptr<Heap> heap);
    std::unique_ptr<Heap> heap_;
};

}  // namespace textorin
