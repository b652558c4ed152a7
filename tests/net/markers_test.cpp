#include "net/markers.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace textorin {
namespace {

TEST(TextBetween, CutsBetweenStartAndNextEnd) {
    const std::string start = gbk("[起]"), end = gbk("[止]");
    struct Case {
        const char* name;
        std::string text, start, end, result;
    };
    const Case cases[] = {
        {"payload", gbk("x[起]a|b|c[止]y"), start, end, "a|b|c"},
        {"missing end", gbk("[起]a|b"), start, end, ""},
        {"end only before start", gbk("[止]x[起]a"), start, end, ""},
        {"missing start", gbk("a[止]"), start, end, ""},
        {"adjacent markers", gbk("[起][止]"), start, end, ""},
        {"first start, next end", "<a>1</a><a>2</a>", "<a>", "</a>", "1"},
        {"quote word", "name=\"v\" x", gbk("name=#引号"), gbk("#引号"), "v"},
        {"marker is a trail byte", gbk("亅|x|"), "|", "|", "x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text_between(c.text, c.start, c.end), c.result) << c.name;
}

TEST(TextAfterLast, TakesWhatFollowsTheLastMarker) {
    EXPECT_EQ(text_after_last("errorCode=0\r\nresult=a\r\nresult=b\r\n", "result="), "b\r\n");
    EXPECT_EQ(text_after_last("abc", "x"), "");
    EXPECT_EQ(text_after_last("abcx", "x"), "");
    EXPECT_EQ(text_after_last(gbk("a|亅"), "|"), gbk("亅"));
}

}  // namespace
}  // namespace textorin
