#include "framework/portable/errors.h"
#include "framework/portable/int_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace stilvane {
namespace {

struct ValidCase {
    const char* text;
    std::int32_t value;
};

class IntTextValid : public ::testing::TestWithParam<ValidCase> {};

TEST_P(IntTextValid, Converts) {
    const auto& c = GetParam();
    ASSERT_TRUE(TryStrToInt(c.text).has_value()) << c.text;
    EXPECT_EQ(*TryStrToInt(c.text), c.value) << c.text;
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntTextValid,
    ::testing::Values(ValidCase{"0", 0}, ValidCase{"12", 12}, ValidCase{"  12", 12},
                      ValidCase{"+7", 7}, ValidCase{"-5", -5}, ValidCase{"007", 7},
                      ValidCase{"-0", 0}, ValidCase{"2147483647", INT_MAX},
                      ValidCase{"-2147483648", INT_MIN}, ValidCase{"$10", 16},
                      ValidCase{"$ff", 255}, ValidCase{"x1F", 31}, ValidCase{"X1f", 31},
                      ValidCase{"0x10", 16}, ValidCase{"0X10", 16}, ValidCase{"  $10", 16},
                      ValidCase{"$FFFFFFFF", -1}, ValidCase{"$80000000", INT_MIN},
                      ValidCase{"$7FFFFFFF", INT_MAX}, ValidCase{"00000000000000000001", 1}));

class IntTextInvalid : public ::testing::TestWithParam<const char*> {};

TEST_P(IntTextInvalid, RaisesConvertErrorWithWholeText) {
    const std::string text = GetParam();
    EXPECT_FALSE(TryStrToInt(text).has_value()) << text;
    try {
        StrToInt(text);
        FAIL() << "no error for '" << text << "'";
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + text + "' ist kein g\xFCltiger Integerwert");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IntTextInvalid,
                         ::testing::Values("", " ", "abc", "12 ", "1 2", "+", "-", "- 5", "+-5",
                                           "--5", "2147483648", "-2147483649",
                                           "99999999999999999999", "$", "0x", "x", "$G",
                                           "$123456789", "-$10", "+0x10", "1.5", "\t12", "12\t",
                                           "0x 1",
                                           "\xB1"
                                           "5"));

TEST(IntText, RoundTripsEveryBoundaryValue) {
    for (std::int32_t v :
         {INT_MIN, INT_MIN + 1, -65536, -1, 0, 1, 1033, 65535, INT_MAX - 1, INT_MAX})
        EXPECT_EQ(StrToInt(std::to_string(v)), v);
}

} // namespace
} // namespace stilvane
