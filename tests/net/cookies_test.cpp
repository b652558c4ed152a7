#include "net/cookies.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace textorin {
namespace {

TEST(CollectSetCookies, TakesTheFirstPairOfEachLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"HTTP/1.1 200 OK\r\nSet-Cookie: A=1; path=/\r\nSet-Cookie: B=2\r\n\r\n", "A=1; B=2"},
        {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", ""},
        {"Set-Cookie: C=3;\r\n", "C=3"},
        {"Set-Cookie:D=4", "D=4"},
        {"", ""},
    };
    for (const auto& [block, cookies] : cases)
        EXPECT_EQ(collect_set_cookies(block), cookies) << block;
}

TEST(MergeCookies, NewValuesWinAndDeletedOnesGo) {
    struct Case {
        const char* name;
        std::string kept, fresh, result;
    };
    const Case cases[] = {
        {"example", "a=1; b=2", "b=3; c=deleted; d=4", "a=1;b=3;d=4;"},
        {"no new cookies", "a = 1; b=2", "", "a=1;b=2"},
        {"empty value removes", "a=1;b=2", "a=", "b=2;"},
        {"deleted removes", "a=1;b=2", "b=deleted", "a=1;"},
        {"later new pair wins", "", "x=1;x=2", "x=2;"},
        {"names are case-sensitive", "a=1", "A=2", "a=1;A=2;"},
        {"value keeps its '='", "", "t=a=b", "t=a=b;"},
        {"ideographic spaces go", gbk("a=1;　b=2"), "c=3", "a=1;b=2;c=3;"},
        {"pair without '='", "flag;a=1", "b=2", "a=1;b=2;"},
        {"stray lead byte before '='", "\xe1=1", "\xe1=2", "\xe1=2;"},
        {"a deletion removes every kept duplicate", "a=1;b=2;a=3", "a=deleted", "b=2;"},
        {"a new value replaces every kept duplicate", "a=1;b=2;a=3", "a=4", "a=4;b=2;"},

    };
    for (const auto& c : cases) {
        std::string kept = c.kept, fresh = c.fresh;
        EXPECT_EQ(merge_cookies(kept, fresh), c.result) << c.name;
        EXPECT_EQ(kept, c.result) << c.name;
        EXPECT_EQ(fresh.find(' '), std::string::npos) << c.name;
    }
}

}  // namespace
}  // namespace textorin
