#include "platform/script.h"

#include <gtest/gtest.h>

namespace textorin {
namespace {

// Plain member chains are resolved without the compiler; wrapped in parentheses the same path
// goes through the compiler. Both must agree on every outcome.
TEST(ScriptEngine, DirectPathLookupsAgreeWithTheCompiler) {
    auto engine = ScriptEngine::create();
    ASSERT_TRUE(engine);
    ASSERT_TRUE(engine->bind_json("da", R"({"a":[{"w":"x"},2],"s":"str","n":null,"01":"z"})"));
    const char* const paths[] = {
        "da",          "da.a",         "da.a[0].w", "da.a[1]",   "da.a[2]",
        "da.s.length", "da.s[1]",      "da[\"s\"]", "da.n",      "da.n.x",
        "da.missing",  "da.missing.x", "nothere",   "da.a[01]",  "da[\"01\"]",
        "da.a.length", "da.toString",  "null",      "this.da.s", "da.a[0][\"w\"]",
    };
    for (const char* path : paths) {
        for (auto convert :
             {ScriptConvert::ToText, ScriptConvert::ToNumber, ScriptConvert::ToTruth}) {
            const auto direct = engine->eval(path, convert);
            const auto compiled = engine->eval(std::string("(") + path + ")", convert);
            ASSERT_EQ(direct.has_value(), compiled.has_value()) << path;
            if (!direct) continue;
            EXPECT_EQ(direct->kind, compiled->kind) << path;
            EXPECT_EQ(direct->text, compiled->text) << path;
            EXPECT_EQ(direct->number, compiled->number) << path;
            EXPECT_EQ(direct->truth, compiled->truth) << path;
        }
    }
}

TEST(ScriptEngine, ErrorsNeverEscape) {
    auto engine = ScriptEngine::create();
    ASSERT_TRUE(engine);
    EXPECT_FALSE(engine->eval("throw new Error('x')", ScriptConvert::ToText));
    EXPECT_FALSE(engine->eval("({toString:function(){throw 1}})", ScriptConvert::ToText));
    EXPECT_FALSE(engine->eval("var", ScriptConvert::None));
    EXPECT_FALSE(engine->add_code("}"));
    EXPECT_FALSE(engine->bind_json("da", "{"));
    EXPECT_EQ(engine->eval("1+1", ScriptConvert::ToText)->text, "2");
}

TEST(ScriptEngine, CharactersBeyondTheBmpComeOutAsUtf8) {
    auto engine = ScriptEngine::create();
    ASSERT_TRUE(engine);
    EXPECT_EQ(engine->eval("'\\ud83d\\ude00'", ScriptConvert::ToText)->text, "\xF0\x9F\x98\x80");
    EXPECT_EQ(engine->eval("'a\\u0000b'", ScriptConvert::ToText)->text, std::string("a\0b", 3));
}

}  // namespace
}  // namespace textorin
