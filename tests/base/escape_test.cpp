#include "base/escape.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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

TEST(EscapeTest, MarkupHoldsOnlyCharactersXmlAllows) {
    using namespace std::string_literals;
    const std::string fffd = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"tab\tlf\ncr\r", "tab\tlf\ncr\r"},  // the three control characters XML allows
        {"a\0b"s, "a" + fffd + "b"},
        {"\x01\x08\x0B\x0C\x0E\x1F", fffd + fffd + fffd + fffd + fffd + fffd},
        {"\x7F\xC2\x80 \xC2\x9F", "\x7F\xC2\x80 \xC2\x9F"},     // allowed, if discouraged
        {"\xEF\xBF\xBE\xEF\xBF\xBF", fffd + fffd},              // U+FFFE, U+FFFF
        {"\xEF\xBF\xBD \xEF\xBF\xBC", fffd + " \xEF\xBF\xBC"},  // U+FFFD, U+FFFC kept
        {"\xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF", "\xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF"},
        {"\xED\xA0\x80", fffd},                           // an encoded surrogate
        {"\xC0\xAF<", fffd + "&lt;"},                     // an overlong '/'
        {"\xFF\xC3(\xE2\x82", fffd + fffd + "(" + fffd},  // stray and cut-off bytes
    };
    for (const auto& [text, markup] : cases)
        EXPECT_EQ(EscapeMarkup(text), markup) << testing::PrintToString(text);
}

}  // namespace
}  // namespace nl
