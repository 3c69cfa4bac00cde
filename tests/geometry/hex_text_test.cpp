#include "geometry/hex_text.h"

#include <gtest/gtest.h>

#include <string>

#include "document/errors.h"

namespace qarn {
namespace {

struct HexCase {
  const char* text;
  int32_t value;
};

class HexToIntReads : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexToIntReads, EveryCharacterAsOneDigit) {
  EXPECT_EQ(HexToInt(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HexToIntReads,
    ::testing::Values(HexCase{"7fffffff", 0x7FFFFFFF}, HexCase{"7FFFFFFF", 0x7FFFFFFF},
                      HexCase{"00000000FF", 0xFF}, HexCase{"", 0}, HexCase{"Flags?", 0xF0A000},
                      HexCase{"1G", 0x10}, HexCase{" 12", 0x12}, HexCase{"12 ", 0x120},
                      HexCase{"aBcDeF", 0xABCDEF}, HexCase{"0012345678", 0x12345678},
                      HexCase{"\t7\n", 0x70}, HexCase{"0000000000007fffffff", 0x7FFFFFFF}));

TEST(HexToIntTest, EachTrailingSpaceMultipliesBySixteen) {
  std::string text = "1";
  for (int32_t expected = 1; expected <= 0x1000000; expected *= 16) {
    EXPECT_EQ(HexToInt(text), expected) << '"' << text << '"';
    text += ' ';
  }
  EXPECT_EQ(HexToInt("7       "), 0x70000000);
  EXPECT_THROW(HexToInt("8       "), OverflowError);
}

class HexToIntOverflows : public ::testing::TestWithParam<const char*> {};

TEST_P(HexToIntOverflows, AboveSevenFffffffWithAMessageNamingTheText) {
  try {
    HexToInt(GetParam());
    FAIL() << "no overflow for \"" << GetParam() << '"';
  } catch (const OverflowError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find(std::string("\"") + GetParam() + "\""), std::string::npos) << message;
    EXPECT_NE(message.find("7FFFFFFF"), std::string::npos) << message;
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, HexToIntOverflows,
                         ::testing::Values("80000000", "FFFFFFFF", "100000000", "7fffffff0",
                                           "8000000 ", "Flags?Flags?"));

TEST(HexToIntTest, OverflowMessageReadsAsThePrograms) {
  try {
    HexToInt("80000000");
    FAIL();
  } catch (const OverflowError& e) {
    EXPECT_STREQ(e.what(), "Overflow error: the flag value \"80000000\" is larger than 7FFFFFFF.");
  }
}

}  // namespace
}  // namespace qarn
