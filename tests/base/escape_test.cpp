#include "base/escape.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(EscapeTest, ListedCharactersAreReplacedByTheirTexts) {
    static constexpr CharEscape kBackslashed[] = {{'\\', "\\\\"}, {'\n', "\\n"}, {'\t', ""}};
    struct Case {
        const char* text;
        const char* markup;
        const char* backslashed;
    };
    const Case cases[] = {
        {"", "", ""},
        {"plain", "plain", "plain"},
        {"a<b>&\"c\"", "a&lt;b&gt;&amp;&quot;c&quot;", "a<b>&\"c\""},
        {"&amp;", "&amp;amp;", "&amp;"},              // escaped once, never read back
        {"a\\b\nc\td", "a\\b\nc\td", "a\\\\b\\ncd"},  // an empty text drops the character
        {"'single'", "'single'", "'single'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeMarkup(c.text), c.markup) << c.text;
        EXPECT_EQ(EscapeChars(c.text, kBackslashed), c.backslashed) << c.text;
    }
}

}  // namespace
}  // namespace nl
