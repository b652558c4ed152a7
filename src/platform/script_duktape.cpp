// The script engine over Duktape. Every call that can throw runs inside duk_safe_call: an
// error outside a protected call would end the process through Duktape's fatal handler.
#include <duktape.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/script.h"

namespace textorin {
namespace {

// A heap may not grow past this, so a hostile reply fails to parse instead of exhausting
// memory; allocation failures surface as ordinary script errors.
constexpr std::size_t kHeapLimit = std::size_t{512} << 20;

struct Budget {
    std::size_t used = 0;
};

// Each block carries its size in front, as Duktape's realloc and free do not pass it.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* budget_alloc(void* udata, duk_size_t size) {
    auto& budget = *static_cast<Budget*>(udata);
    if (size == 0 || size > kHeapLimit - budget.used) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) return nullptr;
    std::memcpy(block, &size, sizeof size);
    budget.used += size;
    return block + kHeader;
}

void budget_free(void* udata, void* ptr) {
    if (!ptr) return;
    auto* block = static_cast<unsigned char*>(ptr) - kHeader;
    std::size_t size;
    std::memcpy(&size, block, sizeof size);
    static_cast<Budget*>(udata)->used -= size;
    std::free(block);
}

void* budget_realloc(void* udata, void* ptr, duk_size_t size) {
    if (!ptr) return budget_alloc(udata, size);
    if (size == 0) {
        budget_free(udata, ptr);
        return nullptr;
    }
    auto& budget = *static_cast<Budget*>(udata);
    auto* block = static_cast<unsigned char*>(ptr) - kHeader;
    std::size_t old;
    std::memcpy(&old, block, sizeof old);
    if (size > old && size - old > kHeapLimit - budget.used) return nullptr;
    auto* grown = static_cast<unsigned char*>(std::realloc(block, size + kHeader));
    if (!grown) return nullptr;
    std::memcpy(grown, &size, sizeof size);
    budget.used = budget.used - old + size;
    return grown + kHeader;
}

// Duktape hands out characters beyond the BMP as surrogate pairs, each encoded on its own
// (CESU-8); strict UTF-8 wants them joined into one four-byte sequence.
std::string join_surrogates(const char* data, std::size_t size) {
    std::string out(data, size);
    if (out.find('\xED') == std::string::npos) return out;
    std::string joined;
    joined.reserve(size);
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(out[i]); };
    for (std::size_t i = 0; i < size;) {
        if (i + 5 < size && byte(i) == 0xED && (byte(i + 1) & 0xF0) == 0xA0 &&
            byte(i + 3) == 0xED && (byte(i + 4) & 0xF0) == 0xB0) {
            const char32_t hi = 0xD000 | (byte(i + 1) & 0x3F) << 6 | (byte(i + 2) & 0x3F);
            const char32_t lo = 0xD000 | (byte(i + 4) & 0x3F) << 6 | (byte(i + 5) & 0x3F);
            const char32_t c = 0x10000 + ((hi - 0xD800) << 10) + (lo - 0xDC00);
            joined += static_cast<char>(0xF0 | (c >> 18));
            joined += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            joined += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            joined += static_cast<char>(0x80 | (c & 0x3F));
            i += 6;
        } else {
            joined += out[i++];
        }
    }
    return joined;
}

ScriptKind kind_of(duk_context* ctx, duk_idx_t idx) {
    switch (duk_get_type(ctx, idx)) {
        case DUK_TYPE_UNDEFINED:
            return ScriptKind::Undefined;
        case DUK_TYPE_NULL:
            return ScriptKind::Null;
        case DUK_TYPE_BOOLEAN:
            return ScriptKind::Boolean;
        case DUK_TYPE_NUMBER:
            return ScriptKind::Number;
        case DUK_TYPE_STRING:
            return ScriptKind::String;
        case DUK_TYPE_LIGHTFUNC:
            return ScriptKind::Function;
        case DUK_TYPE_OBJECT:
            if (duk_is_function(ctx, idx)) return ScriptKind::Function;
            return duk_is_array(ctx, idx) ? ScriptKind::Array : ScriptKind::Object;
        default:
            return ScriptKind::Other;
    }
}

bool is_ident_start(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
}
bool is_ident_part(char c) {
    return is_ident_start(c) || (c >= '0' && c <= '9');
}

bool is_reserved_word(std::string_view w) {
    static constexpr std::string_view words[] = {
        "break",   "case",       "catch",     "class",    "const",  "continue",   "debugger",
        "default", "delete",     "do",        "else",     "enum",   "export",     "extends",
        "false",   "finally",    "for",       "function", "if",     "implements", "import",
        "in",      "instanceof", "interface", "let",      "new",    "null",       "package",
        "private", "protected",  "public",    "return",   "static", "super",      "switch",
        "this",    "throw",      "true",      "try",      "typeof", "var",        "void",
        "while",   "with",       "yield"};
    for (auto word : words)
        if (w == word) return true;
    return false;
}

// One step of a plain member chain: a name, ".name", "[digits]" or ["text"] without escapes.
struct Step {
    enum Kind { Name, Index } kind;
    std::string_view key;
};

// Splits a plain member chain such as da.words_result[3].words into steps; false for any other
// code, which then goes through the compiler. Only forms whose meaning is plain property
// access are taken, so the result is the one the compiler would give.
bool plain_member_chain(std::string_view code, std::vector<Step>& steps) {
    std::size_t i = 0;
    auto name = [&]() -> std::string_view {
        const std::size_t start = i;
        if (i >= code.size() || !is_ident_start(code[i])) return {};
        while (i < code.size() && is_ident_part(code[i]))
            ++i;
        return code.substr(start, i - start);
    };
    const std::string_view first = name();
    if (first.empty() || is_reserved_word(first)) return false;
    steps.push_back({Step::Name, first});
    while (i < code.size()) {
        if (code[i] == '.') {
            ++i;
            const std::string_view member = name();
            if (member.empty()) return false;
            steps.push_back({Step::Name, member});
        } else if (code.substr(i, 2) == "[\"") {
            const std::size_t end = code.find('"', i + 2);
            if (end == code.npos || code.substr(end, 2) != "\"]") return false;
            const std::string_view key = code.substr(i + 2, end - i - 2);
            if (key.find('\\') != key.npos || key.find_first_of("\r\n") != key.npos) return false;
            steps.push_back({Step::Name, key});
            i = end + 2;
        } else if (code[i] == '[') {
            const std::size_t end = code.find(']', i);
            if (end == code.npos) return false;
            const std::string_view digits = code.substr(i + 1, end - i - 1);
            if (digits.empty() || digits.size() > 9 || (digits.size() > 1 && digits[0] == '0') ||
                digits.find_first_not_of("0123456789") != digits.npos)
                return false;
            steps.push_back({Step::Index, digits});
            i = end + 1;
        } else {
            return false;
        }
    }
    return true;
}

// Pushes the value of a plain member chain, throwing as the script would: a ReferenceError for
// an unknown global, a TypeError for a member of undefined or null.
void push_member_chain(duk_context* ctx, const std::vector<Step>& steps) {
    const std::string_view global = steps.front().key;
    if (!duk_get_global_lstring(ctx, global.data(), global.size()))
        (void)duk_error(ctx, DUK_ERR_REFERENCE_ERROR, "not defined");
    for (std::size_t k = 1; k < steps.size(); ++k) {
        const Step& step = steps[k];
        if (duk_is_null_or_undefined(ctx, -1))
            (void)duk_error(ctx, DUK_ERR_TYPE_ERROR, "member of undefined or null");
        if (step.kind == Step::Index) {
            duk_uarridx_t index = 0;
            for (char c : step.key)
                index = index * 10 + static_cast<duk_uarridx_t>(c - '0');
            duk_get_prop_index(ctx, -1, index);
        } else {
            duk_get_prop_lstring(ctx, -1, step.key.data(), step.key.size());
        }
        duk_remove(ctx, -2);
    }
}

struct EvalCall {
    std::string_view code;
    const std::vector<Step>* chain;  // set when the code is a plain member chain
    ScriptConvert convert;
    ScriptValue* value;
};

// Runs inside duk_safe_call: compiles and runs the code, then converts the result. Conversions
// may call script code (toString, valueOf) and so may throw too. Duktape throws with longjmp,
// so nothing here may own memory: a destructor would be skipped.
duk_ret_t eval_protected(duk_context* ctx, void* udata) {
    auto& call = *static_cast<EvalCall*>(udata);
    if (call.chain) {
        push_member_chain(ctx, *call.chain);
    } else {
        duk_eval_lstring(ctx, call.code.data(), call.code.size());
    }
    ScriptValue& v = *call.value;
    v.kind = kind_of(ctx, -1);
    switch (call.convert) {
        case ScriptConvert::None:
            break;
        case ScriptConvert::ToText:
            // Converted in place; the caller copies the string off the stack.
            if (v.kind != ScriptKind::Undefined && v.kind != ScriptKind::Null)
                duk_to_string(ctx, -1);
            break;
        case ScriptConvert::ToNumber:
            if (v.kind != ScriptKind::Undefined && v.kind != ScriptKind::Null) {
                v.number = duk_to_number(ctx, -1);
                if (std::isnan(v.number)) v.number = 0;  // a value with no number reads as 0
            }
            break;
        case ScriptConvert::ToTruth:
            v.truth = duk_to_boolean(ctx, -1);
            break;
    }
    return 1;  // the converted value stays on the stack for the caller
}

struct BindCall {
    std::string_view name, json;
};

duk_ret_t bind_protected(duk_context* ctx, void* udata) {
    auto& call = *static_cast<BindCall*>(udata);
    duk_push_lstring(ctx, call.json.data(), call.json.size());
    duk_json_decode(ctx, -1);
    duk_push_global_object(ctx);
    duk_dup(ctx, -2);
    duk_put_prop_lstring(ctx, -2, call.name.data(), call.name.size());
    return 0;
}

}  // namespace

struct ScriptEngine::Heap {
    Budget budget;
    duk_context* ctx = nullptr;
    ~Heap() {
        if (ctx) duk_destroy_heap(ctx);
    }
};

ScriptEngine::ScriptEngine(std::unique_ptr<Heap> heap) : heap_(std::move(heap)) {}
ScriptEngine::~ScriptEngine() = default;

std::unique_ptr<ScriptEngine> ScriptEngine::create() {
    auto heap = std::make_unique<Heap>();
    heap->ctx = duk_create_heap(budget_alloc, budget_realloc, budget_free, &heap->budget, nullptr);
    if (!heap->ctx) return nullptr;
    return std::unique_ptr<ScriptEngine>(new ScriptEngine(std::move(heap)));
}

bool ScriptEngine::add_code(std::string_view code) {
    duk_context* ctx = heap_->ctx;
    const bool ok = duk_peval_lstring_noresult(ctx, code.data(), code.size()) == 0;
    return ok;
}

std::optional<ScriptValue> ScriptEngine::eval(std::string_view code, ScriptConvert convert) {
    duk_context* ctx = heap_->ctx;
    ScriptValue value;
    // Path lookups are most of what is evaluated; resolving them directly skips the compiler.
    std::vector<Step> chain;
    const bool plain = plain_member_chain(code, chain);
    EvalCall call{code, plain ? &chain : nullptr, convert, &value};
    const bool ok = duk_safe_call(ctx, eval_protected, &call, 0, 1) == DUK_EXEC_SUCCESS;
    if (ok && convert == ScriptConvert::ToText && duk_is_string(ctx, -1)) {
        duk_size_t len = 0;
        const char* s = duk_get_lstring(ctx, -1, &len);
        value.text = join_surrogates(s, len);
    }
    duk_pop(ctx);
    if (!ok) return std::nullopt;
    return value;
}

bool ScriptEngine::bind_json(std::string_view name, std::string_view json) {
    duk_context* ctx = heap_->ctx;
    BindCall call{name, json};
    const bool ok = duk_safe_call(ctx, bind_protected, &call, 0, 1) == DUK_EXEC_SUCCESS;
    duk_pop(ctx);
    return ok;
}

}  // namespace textorin
