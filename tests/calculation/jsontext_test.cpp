// The one JSON form the program writes: numbers as their shortest exact text, strings escaped.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

#include "calculation/jsontext.h"

namespace tundrix {
namespace {

TEST(JsonText, NumbersAreTheShortestTextThatReadsBackExactlyWholeOnesAsIntegers) {
    const Json v = {12.0,     0.1,
                    1e-05,    -0.0,
                    100000.0, 2.5549233687917257,
                    7,        std::numeric_limits<double>::quiet_NaN(),
                    -3e6,     1e20};
    EXPECT_EQ(jsonText(v), "[12,0.1,1e-05,-0,100000,2.5549233687917257,7,null,-3000000,1e+20]");
    // The dump's and the fit's form: every digit.
    EXPECT_EQ(jsonText(Json{0.1, 100000.0, 3}, -1, JsonReals::Digits17),
              "[0.10000000000000001,100000,3]");
    for (const Json& n : Json::parse(jsonText(v))) {
        if (!n.is_null()) {
            EXPECT_EQ(jsonText(Json(n.get<double>())), jsonText(n));
        }
    }
}

TEST(JsonText, StringsAreEscapedAndBrokenUtf8IsReplaced) {
    const Json v = {{"name", "АБВ \"x\"\\\n\t\x01"}, {"bad", std::string("a\xff")}};
    EXPECT_EQ(jsonText(v),
              "{\"name\":\"АБВ \\\"x\\\"\\\\\\n\\t\\u0001\",\"bad\":\"a\xEF\xBF\xBD\"}");
}

TEST(JsonText, IndentedFormPutsOneMemberOnALine) {
    const Json v = {{"a", 1},
                    {"b", Json::array({true, nullptr})},
                    {"c", Json::object()},
                    {"d", Json::array({Json::object({{"e", 2}})})}};
    EXPECT_EQ(jsonText(v, 2),
              "{\n  \"a\": 1,\n  \"b\": [true, null],\n  \"c\": {},\n  \"d\": [\n    {\n      "
              "\"e\": 2\n    }\n  ]\n}");
    EXPECT_EQ(Json::parse(jsonText(v, 2)), v);
}

}  // namespace
}  // namespace tundrix
