#include "i18n/value_fields.h"

#include <gtest/gtest.h>

namespace novu {
namespace {

TEST(ValueText, FollowsTheCommaCount) {
    struct Case {
        std::string_view value;
        std::string_view text;
    };
    const Case cases[] = {
        {"Profiles", ""},              // no comma: the whole value is field 0
        {"0,Profiles", "Profiles"},    // one comma: the rest is the text
        {"x,Profiles,y", "Profiles"},  // two commas
        {"a,b,c,d", ""},               // three commas: taken whole
        {"a,b,c,d,e", ""},             // four commas: taken whole
        {"a,b,c,d,e,f", "b"},          // five commas
        {"a,b,c,d,e,f,g", "b"},        // six commas
        {"a,b,c,d,e,f,g,h,i", "b"},    // more than six commas
        {"0,,0", ""},                  // an empty text
        {",Leading field empty,", "Leading field empty"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValueText(c.value), c.text) << '"' << c.value << '"';
    }
}

TEST(SplitValueFields, LastFieldAndIgnoredRest) {
    EXPECT_EQ(SplitValueFields("a,b,c,d,e,f g"), (ValueFields{"a", "b", "c", "d", "e", "f g", ""}));
    EXPECT_EQ(SplitValueFields("a,10,20,30,40,Hello,x"),
              (ValueFields{"a", "10", "20", "30", "40", "Hello", "x"}));
    EXPECT_EQ(SplitValueFields("a,b,c,d,e,f,g,h,i"),
              (ValueFields{"a", "b", "c", "d", "e", "f", "g"}))
        << "the rest after the seventh comma is ignored";
    EXPECT_EQ(SplitValueFields("x,Profiles,y"),
              (ValueFields{"x", "Profiles", "y", "", "", "", ""}));
    EXPECT_EQ(SplitValueFields("a,b,c,d"), (ValueFields{"a,b,c,d", "", "", "", "", "", ""}));
}

}  // namespace
}  // namespace novu
