#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "widgets/float_text.h"

namespace qarn {
namespace {

// ---- ParseDecimalText -------------------------------------------------------------------------

struct DecimalCase {
  const char* text;
  long double expected;
};

void PrintTo(const DecimalCase& c, std::ostream* os) {
  *os << '"' << c.text << '"';
}

class DecimalTextTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTextTest, ReadsTheNumber) {
  const DecimalCase& c = GetParam();
  EXPECT_NEAR(static_cast<double>(ParseDecimalText(QString::fromUtf8(c.text), 777.0L)),
              static_cast<double>(c.expected), 1e-12)
      << c.text;
}

INSTANTIATE_TEST_SUITE_P(SignsAndSeparators, DecimalTextTest,
                         ::testing::Values(DecimalCase{"12,5", 12.5L}, DecimalCase{"12.5", 12.5L},
                                           DecimalCase{"-1.5", -1.5L}, DecimalCase{"1.5-", -1.5L},
                                           DecimalCase{"+-3", -3.0L}, DecimalCase{"-+3", 3.0L},
                                           DecimalCase{"3,,5", 3.5L}, DecimalCase{"1.2.3", 1.23L},
                                           DecimalCase{"1,2.3", 1.23L}, DecimalCase{".5", 0.5L},
                                           DecimalCase{"5.", 5.0L}, DecimalCase{"0,0001", 0.0001L},
                                           DecimalCase{"007", 7.0L}, DecimalCase{"", 0.0L},
                                           DecimalCase{"+", 0.0L}, DecimalCase{"4-2", -42.0L},
                                           DecimalCase{"123456789012", 123456789012.0L}));

class BadDecimalTextTest : public ::testing::TestWithParam<const char*> {};

TEST_P(BadDecimalTextTest, ReturnsTheFallback) {
  EXPECT_EQ(ParseDecimalText(QString::fromUtf8(GetParam()), 7.25L), 7.25L) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(AnyOtherCharacter, BadDecimalTextTest,
                         ::testing::Values("1 000", " 1", "1 ", "1e5", "5E-5", "abc", "12a", "\t3",
                                           "1_0", "\xd9\xa1",  // an Arabic-Indic digit
                                           "\xef\xbc\x91",     // a full-width digit
                                           "INF", "NAN"));

TEST(DecimalText, KeepsFullExtendedPrecisionInTheIntegerPart) {
  // 2^63 + 1 needs 64 bits of mantissa: a double would lose the final 1.
  EXPECT_EQ(ParseDecimalText(QStringLiteral("9223372036854775809"), 0), 9223372036854775809.0L);
}

TEST(DecimalText, ANumberBeyondTheExtendedRangeKeepsTheFallback) {
  const QString huge(5000, QLatin1Char('9'));
  EXPECT_EQ(ParseDecimalText(huge, 3.0L), 3.0L);
}

TEST(DecimalText, MinusZeroIsZero) {
  EXPECT_EQ(ParseDecimalText(QStringLiteral("-0"), 5.0L), 0.0L);
}

// ---- ParseIntegerText -------------------------------------------------------------------------

struct IntegerCase {
  const char* text;
  int64_t expected;  // kNoNumber when the text must not convert
};
constexpr int64_t kNoNumber = std::numeric_limits<int64_t>::min();

void PrintTo(const IntegerCase& c, std::ostream* os) {
  *os << '"' << c.text << '"';
}

class IntegerTextTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTextTest, ConvertsOrRefuses) {
  const IntegerCase& c = GetParam();
  const std::optional<int32_t> parsed = ParseIntegerText(QString::fromUtf8(c.text));
  if (c.expected == kNoNumber) {
    EXPECT_FALSE(parsed.has_value()) << c.text << " read as " << parsed.value_or(0);
  } else {
    ASSERT_TRUE(parsed.has_value()) << c.text;
    EXPECT_EQ(*parsed, c.expected) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(Decimal, IntegerTextTest,
                         ::testing::Values(IntegerCase{"42", 42}, IntegerCase{" 42", 42},
                                           IntegerCase{"   -7", -7}, IntegerCase{"+5", 5},
                                           IntegerCase{" 007", 7}, IntegerCase{"0", 0},
                                           IntegerCase{"-0", 0},
                                           IntegerCase{"2147483647", 2147483647},
                                           IntegerCase{"-2147483648", -2147483648LL},
                                           IntegerCase{"0000000000002147483647", 2147483647}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, IntegerTextTest,
    ::testing::Values(IntegerCase{"$10", 16}, IntegerCase{"$1F", 31}, IntegerCase{"x1f", 31},
                      IntegerCase{"X1F", 31}, IntegerCase{"0x10", 16}, IntegerCase{"0XaB", 171},
                      IntegerCase{" -$10", -16}, IntegerCase{"+$A", 10},
                      IntegerCase{"$7FFFFFFF", 2147483647}, IntegerCase{"$FFFFFFFF", -1},
                      IntegerCase{"$80000000", -2147483648LL}, IntegerCase{"$000000001", 1}));

INSTANTIATE_TEST_SUITE_P(
    Refused, IntegerTextTest,
    ::testing::Values(IntegerCase{"", kNoNumber}, IntegerCase{" ", kNoNumber},
                      IntegerCase{"abc", kNoNumber}, IntegerCase{"4 2", kNoNumber},
                      IntegerCase{"42 ", kNoNumber}, IntegerCase{"2147483648", kNoNumber},
                      IntegerCase{"-2147483649", kNoNumber},
                      IntegerCase{"99999999999999999999999", kNoNumber},
                      IntegerCase{"$100000000", kNoNumber}, IntegerCase{"-", kNoNumber},
                      IntegerCase{"$", kNoNumber}, IntegerCase{"0x", kNoNumber},
                      IntegerCase{"$G", kNoNumber}, IntegerCase{"1e3", kNoNumber},
                      IntegerCase{"+-1", kNoNumber}, IntegerCase{"- 1", kNoNumber},
                      IntegerCase{"\t42", kNoNumber}, IntegerCase{"12.0", kNoNumber},
                      IntegerCase{"$-5", kNoNumber}, IntegerCase{"0x$5", kNoNumber},
                      IntegerCase{"\xd9\xa4\xd9\xa2", kNoNumber}));  // Arabic-Indic 42

// ---- FormatFloatText --------------------------------------------------------------------------

struct FormatCase {
  long double value;
  int format;
  int precision;
  int digits;
  const char* expected;  // written with ',' as the separator
};

void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << static_cast<double>(c.value) << " format " << c.format << " precision " << c.precision
      << " digits " << c.digits;
}

class FloatTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FloatTextTest, WritesTheExpectedText) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatFloatText(c.value, c.format, c.precision, c.digits, QLatin1Char(',')),
            QString::fromLatin1(c.expected));
}

TEST_P(FloatTextTest, UsesTheGivenSeparatorOnly) {
  const FormatCase& c = GetParam();
  const QString expected = QString::fromLatin1(c.expected).replace(QLatin1Char(','), '.');
  EXPECT_EQ(FormatFloatText(c.value, c.format, c.precision, c.digits, QLatin1Char('.')), expected);
}

constexpr int G = kFloatTextGeneral;
constexpr int E = kFloatTextExponent;
constexpr int F = kFloatTextFixed;

INSTANTIATE_TEST_SUITE_P(
    General, FloatTextTest,
    ::testing::Values(
        FormatCase{1234.5L, G, 10, 2, "1234,5"}, FormatCase{0.1L, G, 10, 2, "0,1"},
        FormatCase{-20, G, 10, 2, "-20"}, FormatCase{0, G, 10, 2, "0"},
        FormatCase{-0.0L, G, 10, 2, "0"}, FormatCase{0.0001L, G, 10, 2, "0,0001"},
        FormatCase{0.00005L, G, 10, 2, "5E-5"}, FormatCase{-0.00012345L, G, 10, 2, "-0,00012345"},
        FormatCase{1e9L, G, 10, 2, "1000000000"}, FormatCase{1e10L, G, 10, 2, "1E10"},
        FormatCase{12345678901.0L, G, 10, 2, "1,23456789E10"},
        FormatCase{-12345678901.0L, G, 10, 2, "-1,23456789E10"},
        FormatCase{9999999999.0L, G, 10, 2, "9999999999"},
        FormatCase{9999999999.5L, G, 10, 2, "1E10"},
        FormatCase{1234567890.5L, G, 10, 2, "1234567891"},
        FormatCase{1.0L / 3, G, 10, 2, "0,3333333333"},
        FormatCase{2.0L / 3, G, 10, 2, "0,6666666667"}, FormatCase{1e-300L, G, 10, 2, "1E-300"},
        FormatCase{1.5e300L, G, 10, 2, "1,5E300"}, FormatCase{100, G, 10, 2, "100"},
        FormatCase{0.001L, G, 10, 2, "0,001"}, FormatCase{0.000999999999999L, G, 10, 2, "0,001"},
        FormatCase{12.5L, G, 2, 2, "13"}, FormatCase{1234.5L, G, 0, 2, "1,2E3"},
        FormatCase{1234.5L, G, 2, 2, "1,2E3"}, FormatCase{123.0L, G, 2, 2, "1,2E2"},
        FormatCase{99, G, 2, 2, "99"}));

// Exact long double digits: a double holds 1/3 only as 0.33333333333333331483...
INSTANTIATE_TEST_SUITE_P(
    ExtendedPrecision, FloatTextTest,
    ::testing::Values(FormatCase{1.0L / 3, G, 18, 2, "0,333333333333333333"},
                      FormatCase{2.0L / 3, G, 18, 2, "0,666666666666666667"},
                      FormatCase{1.0L / 3, G, 40, 2, "0,333333333333333333"},
                      FormatCase{9223372036854775809.0L, G, 18, 2, "9,22337203685477581E18"},
                      FormatCase{1.0L / 3, E, 18, 2, "3,33333333333333333E-01"},
                      FormatCase{1.0L / 3, F, 18, 20, "0,333333333333333333"}));

INSTANTIATE_TEST_SUITE_P(Scientific, FloatTextTest,
                         ::testing::Values(FormatCase{1234.5L, E, 10, 2, "1,234500000E+03"},
                                           FormatCase{-0.00005L, E, 10, 2, "-5,000000000E-05"},
                                           FormatCase{0, E, 10, 2, "0,000000000E+00"},
                                           FormatCase{-0.0L, E, 4, 2, "0,000E+00"},
                                           FormatCase{1e100L, E, 10, 2, "1,000000000E+100"},
                                           FormatCase{5, E, 4, 0, "5,000E+0"},
                                           FormatCase{5, E, 4, 3, "5,000E+000"},
                                           FormatCase{5, E, 4, 4, "5,000E+0"},
                                           FormatCase{5, E, 4, -1, "5,000E+0"},
                                           FormatCase{0.125L, E, 2, 2, "1,3E-01"},
                                           FormatCase{9.96L, E, 2, 2, "1,0E+01"}));

INSTANTIATE_TEST_SUITE_P(
    Fixed, FloatTextTest,
    ::testing::Values(FormatCase{1234.5L, F, 10, 2, "1234,50"},
                      FormatCase{0.125L, F, 10, 2, "0,13"}, FormatCase{-0.125L, F, 10, 2, "-0,13"},
                      FormatCase{2.5L, F, 10, 0, "3"}, FormatCase{-2.5L, F, 10, 0, "-3"},
                      FormatCase{0.5L, F, 10, 0, "1"}, FormatCase{0.4L, F, 10, 0, "0"},
                      FormatCase{0.004L, F, 10, 2, "0,00"}, FormatCase{-0.004L, F, 10, 2, "0,00"},
                      FormatCase{0.006L, F, 10, 2, "0,01"}, FormatCase{99.996L, F, 10, 2, "100,00"},
                      FormatCase{0, F, 10, 3, "0,000"}, FormatCase{7, F, 10, -1, "7"},
                      FormatCase{1.0L / 3, F, 10, 25, "0,333333333333333333"},
                      FormatCase{12345678901.0L, F, 10, 2, "1,23456789E10"},
                      FormatCase{9999999999.996L, F, 10, 2, "1E10"},
                      FormatCase{9999999999.0L, F, 10, 1, "9999999999,0"},
                      FormatCase{1234.5L, 7, 10, 1, "1234,5"}));  // any other format is fixed

TEST(FloatText, NonFiniteValuesHaveNames) {
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(FormatFloatText(inf, G, 10, 2, QLatin1Char(',')), QStringLiteral("INF"));
  EXPECT_EQ(FormatFloatText(-inf, F, 10, 2, QLatin1Char(',')), QStringLiteral("-INF"));
  EXPECT_EQ(FormatFloatText(std::nanl(""), E, 10, 2, QLatin1Char(',')), QStringLiteral("NAN"));
}

TEST(FloatText, ExtremesOfTheExtendedRangeFormat) {
  const long double max = std::numeric_limits<long double>::max();
  const long double tiny = std::numeric_limits<long double>::denorm_min();
  EXPECT_EQ(FormatFloatText(max, G, 10, 2, QLatin1Char(',')), QStringLiteral("1,189731495E4932"));
  EXPECT_EQ(FormatFloatText(tiny, G, 10, 2, QLatin1Char(',')), QStringLiteral("3,645199532E-4951"));
}

// Whatever the general format writes in plain notation reads back to the same text in both
// separators, so a field keeps its value through any number of validations.
class FloatRoundTripTest : public ::testing::TestWithParam<long double> {};

TEST_P(FloatRoundTripTest, GeneralTextReadsBackUnchanged) {
  for (const QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
    const QString text = FormatFloatText(GetParam(), G, 10, 2, separator);
    const long double back = ParseDecimalText(text, -12345.0L);
    EXPECT_EQ(FormatFloatText(back, G, 10, 2, separator), text);
    EXPECT_NEAR(static_cast<double>(back), static_cast<double>(GetParam()),
                std::fabs(static_cast<double>(GetParam())) * 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, FloatRoundTripTest,
                         ::testing::Values(1234.5L, -0.1L, 0.0001L, 1.0L / 3, -2.0L / 7,
                                           123456.789L, 9999999999.0L, 0.000123456789L, -3600.25L,
                                           42.0L));

}  // namespace
}  // namespace qarn
