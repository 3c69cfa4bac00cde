#include <gtest/gtest.h>

#include <QLocale>
#include <functional>
#include <ostream>

#include "edit_field_test_support.h"
#include "widgets/char_edit.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"

namespace qarn {
namespace {

class LocaleScope {
 public:
  explicit LocaleScope(const QLocale& locale) : saved_(QLocale()) { QLocale::setDefault(locale); }
  ~LocaleScope() { QLocale::setDefault(saved_); }

 private:
  QLocale saved_;
};

// ---- TFloatEdit -------------------------------------------------------------------------------

struct LocaleCase {
  QLocale::Language language;
  char separator;
};

void PrintTo(const LocaleCase& c, std::ostream* os) {
  *os << "separator " << c.separator;
}

class FloatEditTest : public ::testing::TestWithParam<LocaleCase> {
 protected:
  QString Local(const char* commaText) const {
    return QString::fromLatin1(commaText).replace(QLatin1Char(','),
                                                  QLatin1Char(GetParam().separator));
  }
  LocaleScope locale_{QLocale(GetParam().language)};
  BeepCounter beeps_;
  TFloatEdit edit_;
};

TEST_P(FloatEditTest, ANewFieldShowsZero) {
  EXPECT_EQ(edit_.text(), QStringLiteral("0"));
  EXPECT_EQ(edit_.Value(), 0.0L);
  EXPECT_TRUE(edit_.AllowEmpty());
  EXPECT_EQ(edit_.Precision(), 10);
  EXPECT_EQ(edit_.Digits(), 2);
  EXPECT_EQ(edit_.Format(), TFloatEdit::fvGeneral);
}

TEST_P(FloatEditTest, SettingTheValueWritesItInTheLocaleForm) {
  edit_.SetValue(1234.5L);
  EXPECT_EQ(edit_.text(), Local("1234,5"));
  edit_.SetValue(-0.00005L);
  EXPECT_EQ(edit_.text(), QStringLiteral("-5E-5"));
}

TEST_P(FloatEditTest, EitherSeparatorReadsAndIsRewrittenInTheLocaleForm) {
  for (const char* typed : {"12,5", "12.5"}) {
    edit_.setText(QString::fromLatin1(typed));
    EXPECT_EQ(edit_.Value(), 12.5L) << typed;
    EXPECT_EQ(edit_.text(), Local("12,5")) << typed;
  }
  EXPECT_EQ(beeps_.count(), 0);
}

TEST_P(FloatEditTest, UnreadableTextRevertsToTheHeldValueWithoutBeeping) {
  edit_.SetValue(7.5L);
  for (const char* typed : {"1 000", "1e3", "abc"}) {
    edit_.setText(QString::fromLatin1(typed));
    EXPECT_EQ(edit_.Value(), 7.5L) << typed;
    EXPECT_EQ(edit_.text(), Local("7,5")) << typed;
  }
  EXPECT_EQ(beeps_.count(), 0);
}

struct TypedCase {
  const char* typed;
  long double value;
  const char* shown;  // with ',' standing for the locale's separator
};

void PrintTo(const TypedCase& c, std::ostream* os) {
  *os << '"' << c.typed << '"';
}

class FloatEditTypedTest : public ::testing::TestWithParam<std::tuple<LocaleCase, TypedCase>> {};

TEST_P(FloatEditTypedTest, ReadsTheTextAndShowsTheValue) {
  const auto& [locale, c] = GetParam();
  const LocaleScope scope{QLocale(locale.language)};
  BeepCounter beeps;
  TFloatEdit edit;
  edit.setText(QString::fromLatin1(c.typed));
  EXPECT_NEAR(static_cast<double>(edit.Value()), static_cast<double>(c.value), 1e-12);
  const QString shown =
      QString::fromLatin1(c.shown).replace(QLatin1Char(','), QLatin1Char(locale.separator));
  EXPECT_EQ(edit.text(), shown);
  EXPECT_EQ(beeps.count(), 0);
}

const LocaleCase kComma{QLocale::German, ','};
const LocaleCase kPoint{QLocale::English, '.'};

INSTANTIATE_TEST_SUITE_P(
    Signs, FloatEditTypedTest,
    ::testing::Combine(
        ::testing::Values(kComma, kPoint),
        ::testing::Values(TypedCase{"-1.5", -1.5L, "-1,5"}, TypedCase{"1.5-", -1.5L, "-1,5"},
                          TypedCase{"+-3", -3.0L, "-3"}, TypedCase{"3,,5", 3.5L, "3,5"},
                          TypedCase{"1.2.3", 1.23L, "1,23"}, TypedCase{"-0", 0.0L, "0"},
                          TypedCase{"0,00005", 0.00005L, "5E-5"},
                          TypedCase{"12345678901", 12345678901.0L, "1,23456789E10"},
                          TypedCase{"0.10000000001", 0.10000000001L, "0,1"})));

INSTANTIATE_TEST_SUITE_P(Locales, FloatEditTest, ::testing::Values(kComma, kPoint));

TEST_P(FloatEditTest, AValueShownInScientificNotationSurvivesValidation) {
  edit_.SetValue(0.00005L);
  EXPECT_EQ(edit_.Value(), 0.00005L);
  EXPECT_EQ(edit_.text(), QStringLiteral("5E-5"));
  EXPECT_EQ(beeps_.count(), 0);
}

TEST_P(FloatEditTest, AnEmptyFieldKeepsItsValueAndStaysEmpty) {
  edit_.SetValue(4.5L);
  edit_.clear();
  EXPECT_EQ(edit_.Value(), 4.5L);
  EXPECT_TRUE(edit_.text().isEmpty());
  EXPECT_TRUE(edit_.Empty());
}

TEST_P(FloatEditTest, AnEmptyFieldWithoutAllowEmptyReadsZero) {
  edit_.SetValue(4.5L);
  edit_.SetAllowEmpty(false);
  edit_.clear();
  EXPECT_EQ(edit_.Value(), 0.0L);
  EXPECT_EQ(edit_.text(), QStringLiteral("0"));
}

TEST_P(FloatEditTest, FormatSettersRewriteTheText) {
  edit_.SetValue(1234.5L);
  edit_.SetFormat(TFloatEdit::fvFixed);
  EXPECT_EQ(edit_.text(), Local("1234,50"));
  edit_.SetDigits(0);
  EXPECT_EQ(edit_.text(), QStringLiteral("1235"));
  edit_.SetFormat(TFloatEdit::fvExponent);
  edit_.SetPrecision(4);
  EXPECT_EQ(edit_.text(), Local("1,235E+3"));
  edit_.SetFormat(TFloatEdit::fvGeneral);
  EXPECT_EQ(edit_.text(), QStringLiteral("1235"));
  edit_.SetPrecision(3);
  EXPECT_EQ(edit_.text(), Local("1,23E3"));
}

TEST_P(FloatEditTest, TheValueOutsideTheBoundsIsRefused) {
  edit_.SetUseBounds(true);
  edit_.SetMaxValue(10);
  edit_.SetValue(5);
  edit_.SetValue(20);
  EXPECT_EQ(edit_.Value(), 5.0L);
  EXPECT_EQ(edit_.text(), QStringLiteral("5"));
}

TEST_P(FloatEditTest, TypedTextOutsideTheBoundsIsShownButFails) {
  edit_.SetUseBounds(true);
  edit_.SetMaxValue(10);
  edit_.setText(QStringLiteral("20.5"));
  EXPECT_EQ(edit_.Value(), 0.0L);
  EXPECT_EQ(edit_.text(), Local("20,5"));
  EXPECT_EQ(beeps_.count(), 1);
  EXPECT_FALSE(edit_.Valid());
}

// ---- bounds clamping, both numeric classes ----------------------------------------------------

template <typename Field>
class BoundsTest : public ::testing::Test {
 protected:
  BeepCounter beeps_;
  Field edit_;
};

using NumericFields = ::testing::Types<TIntegerEdit, TFloatEdit>;
TYPED_TEST_SUITE(BoundsTest, NumericFields);

TYPED_TEST(BoundsTest, RaisingTheMinimumMovesTheValueUpWhenThatFits) {
  this->edit_.SetUseBounds(true);
  this->edit_.SetMaxValue(10);
  this->edit_.SetValue(3);
  this->edit_.SetMinValue(8);
  EXPECT_EQ(this->edit_.Value(), 8);
  EXPECT_EQ(this->edit_.text(), QStringLiteral("8"));
}

TYPED_TEST(BoundsTest, AMinimumAboveTheMaximumLeavesTheValue) {
  this->edit_.SetUseBounds(true);
  this->edit_.SetMaxValue(10);
  this->edit_.SetValue(3);
  this->edit_.SetMinValue(12);
  EXPECT_EQ(this->edit_.MinValue(), 12);
  this->edit_.SetUseBounds(false);
  EXPECT_EQ(this->edit_.Value(), 3);
}

TYPED_TEST(BoundsTest, LoweringTheMaximumMovesTheValueDown) {
  this->edit_.SetUseBounds(true);
  this->edit_.SetMinValue(-10);
  this->edit_.SetMaxValue(10);
  this->edit_.SetValue(9);
  this->edit_.SetMaxValue(-2);
  EXPECT_EQ(this->edit_.Value(), -2);
  EXPECT_EQ(this->edit_.text(), QStringLiteral("-2"));
}

TYPED_TEST(BoundsTest, WithoutBoundsChangingThemNeverChangesTheValue) {
  this->edit_.SetValue(50);
  this->edit_.SetMinValue(100);
  this->edit_.SetMaxValue(-100);
  EXPECT_EQ(this->edit_.Value(), 50);
  EXPECT_TRUE(this->edit_.InBounds(-7));
}

TYPED_TEST(BoundsTest, InBoundsIncludesBothEnds) {
  this->edit_.SetUseBounds(true);
  this->edit_.SetMinValue(-3);
  this->edit_.SetMaxValue(4);
  EXPECT_TRUE(this->edit_.InBounds(-3));
  EXPECT_TRUE(this->edit_.InBounds(4));
  EXPECT_FALSE(this->edit_.InBounds(-4));
  EXPECT_FALSE(this->edit_.InBounds(5));
}

TEST(FloatBounds, ComparesInExtendedPrecision) {
  TFloatEdit edit;
  edit.SetUseBounds(true);
  edit.SetMaxValue(1.0L);
  const long double justAbove = 1.0L + 1.0L / (1ULL << 62);  // equal to 1 as a double
  EXPECT_FALSE(edit.InBounds(justAbove));
  EXPECT_TRUE(edit.InBounds(1.0L));
}

// ---- TIntegerEdit -----------------------------------------------------------------------------

class IntegerEditTest : public ::testing::Test {
 protected:
  BeepCounter beeps_;
  TIntegerEdit edit_;
};

TEST_F(IntegerEditTest, ANewFieldShowsZero) {
  EXPECT_EQ(edit_.text(), QStringLiteral("0"));
  EXPECT_EQ(edit_.Value(), 0);
  EXPECT_TRUE(edit_.AllowEmpty());
  EXPECT_FALSE(edit_.UseBounds());
}

TEST_F(IntegerEditTest, SettingTheValueWritesPlainDecimal) {
  edit_.SetValue(-2147483647 - 1);
  EXPECT_EQ(edit_.text(), QStringLiteral("-2147483648"));
  edit_.SetValue(1234567);
  EXPECT_EQ(edit_.text(), QStringLiteral("1234567"));
}

TEST_F(IntegerEditTest, InvalidTextBeepsAndReadsZeroOnEveryRead) {
  edit_.SetValue(5);
  edit_.setText(QStringLiteral("abc"));
  EXPECT_EQ(edit_.Value(), 0);
  EXPECT_EQ(edit_.Value(), 0);
  EXPECT_EQ(beeps_.count(), 2);
  EXPECT_EQ(edit_.text(), QStringLiteral("abc"));
  EXPECT_FALSE(edit_.Valid());
}

TEST_F(IntegerEditTest, NoBeepWhenBeepOnInvalidIsOff) {
  edit_.SetBeepOnInvalid(false);
  edit_.setText(QStringLiteral("abc"));
  EXPECT_EQ(edit_.Value(), 0);
  EXPECT_EQ(beeps_.count(), 0);
}

struct IntegerTypedCase {
  const char* typed;
  int32_t value;
  const char* shown;
};

void PrintTo(const IntegerTypedCase& c, std::ostream* os) {
  *os << '"' << c.typed << '"';
}

class IntegerEditTypedTest : public IntegerEditTest,
                             public ::testing::WithParamInterface<IntegerTypedCase> {};

TEST_P(IntegerEditTypedTest, ReadsTheNumberAndShowsItPlain) {
  edit_.setText(QString::fromLatin1(GetParam().typed));
  EXPECT_EQ(edit_.Value(), GetParam().value);
  EXPECT_EQ(edit_.text(), QString::fromLatin1(GetParam().shown));
  EXPECT_EQ(beeps_.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, IntegerEditTypedTest,
    ::testing::Values(IntegerTypedCase{" 42", 42, "42"}, IntegerTypedCase{"$10", 16, "16"},
                      IntegerTypedCase{" 007", 7, "7"}, IntegerTypedCase{"$1F", 31, "31"},
                      IntegerTypedCase{"-0x10", -16, "-16"},
                      IntegerTypedCase{"+2147483647", 2147483647, "2147483647"}));

class IntegerEditRefusedTest : public IntegerEditTest,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(IntegerEditRefusedTest, BeepsReadsZeroAndKeepsTheText) {
  edit_.SetValue(9);
  edit_.setText(QString::fromLatin1(GetParam()));
  EXPECT_EQ(edit_.Value(), 0);
  EXPECT_EQ(beeps_.count(), 1);
  EXPECT_EQ(edit_.text(), QString::fromLatin1(GetParam()));
  edit_.setText(QStringLiteral("9"));
  EXPECT_EQ(edit_.Value(), 9);
}

INSTANTIATE_TEST_SUITE_P(Refused, IntegerEditRefusedTest,
                         ::testing::Values("4 2", "42 ", "2147483648", "abc", "1.5", "-"));

TEST_F(IntegerEditTest, AnEmptyFieldKeepsItsValue) {
  edit_.SetValue(12);
  edit_.clear();
  EXPECT_EQ(edit_.Value(), 12);
  EXPECT_TRUE(edit_.text().isEmpty());
  EXPECT_EQ(beeps_.count(), 0);
  edit_.SetAllowEmpty(false);
  EXPECT_EQ(edit_.Value(), 0);
  EXPECT_EQ(beeps_.count(), 1);
}

TEST_F(IntegerEditTest, ValueOutsideTheBoundsIsRefused) {
  edit_.SetUseBounds(true);
  edit_.SetMinValue(-5);
  edit_.SetMaxValue(5);
  edit_.SetValue(2);
  edit_.SetValue(6);
  EXPECT_EQ(edit_.Value(), 2);
  EXPECT_EQ(edit_.text(), QStringLiteral("2"));
}

TEST_F(IntegerEditTest, TypedNumberOutsideTheBoundsIsShownButFails) {
  edit_.SetUseBounds(true);
  edit_.SetMinValue(-5);
  edit_.SetMaxValue(5);
  edit_.setText(QStringLiteral(" 0009"));
  EXPECT_EQ(edit_.Value(), 0);
  EXPECT_EQ(edit_.text(), QStringLiteral("9"));
  EXPECT_EQ(beeps_.count(), 1);
}

TEST_F(IntegerEditTest, OnInvalidSeesTheFailureAndMayAcceptTheEntry) {
  edit_.SetValue(5);
  int calls = 0;
  edit_.OnInvalid = [&](TValidEdit* sender, bool& canLeave) {
    ++calls;
    EXPECT_EQ(sender, &edit_);
    EXPECT_FALSE(canLeave);
    canLeave = true;
  };
  edit_.setText(QStringLiteral("abc"));
  EXPECT_EQ(edit_.Value(), 5);  // accepted: the held value stands
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(beeps_.count(), 1);
  EXPECT_FALSE(edit_.Valid());
}

// ---- TCharEdit --------------------------------------------------------------------------------

class CharEditTest : public ::testing::Test {
 protected:
  bool Accepts(const QString& text) {
    edit_.setText(text);
    return edit_.IsValid();
  }
  BeepCounter beeps_;
  TCharEdit edit_;
};

TEST_F(CharEditTest, StartsWithAllClassesAndTheWidestLimits) {
  EXPECT_EQ(edit_.CharSets(), 63);
  EXPECT_EQ(edit_.MinLength(), 0);
  EXPECT_EQ(edit_.MaxLength(), 255);
  EXPECT_FALSE(edit_.AllowEmpty());
  EXPECT_TRUE(edit_.text().isEmpty());
}

TEST_F(CharEditTest, LengthLimitsAreKeptInOrder) {
  edit_.SetMaxLength(300);
  EXPECT_EQ(edit_.MaxLength(), 255);
  edit_.SetMinLength(-1);
  EXPECT_EQ(edit_.MinLength(), 0);
  edit_.SetMaxLength(10);
  edit_.SetMinLength(20);
  EXPECT_EQ(edit_.MinLength(), 10);
  edit_.SetMinLength(4);
  edit_.SetMaxLength(2);
  EXPECT_EQ(edit_.MaxLength(), 4);
  edit_.SetMinLength(3);
  EXPECT_EQ(edit_.MinLength(), 3);
}

TEST_F(CharEditTest, EveryTextUpTo255BytesPassesAndLongerFails) {
  EXPECT_TRUE(Accepts(QString()));
  EXPECT_TRUE(Accepts(QString(255, QLatin1Char('x'))));
  EXPECT_TRUE(Accepts(QString::fromLatin1("\t !~\x7f") + QString(250, QLatin1Char('7'))));
  EXPECT_FALSE(Accepts(QString(256, QLatin1Char('x'))));
  EXPECT_EQ(beeps_.count(), 1);
}

TEST_F(CharEditTest, LengthCountsCharactersEmojiIncluded) {
  edit_.SetMaxLength(3);
  EXPECT_TRUE(Accepts(QStringLiteral("abc")));
  EXPECT_TRUE(Accepts(QString::fromUtf8("ab\xc3\xa9")));          // 'é': one character
  EXPECT_TRUE(Accepts(QString::fromUtf8("ab\xf0\x9f\x98\x80")));  // an emoji: one character
  EXPECT_FALSE(Accepts(QString::fromUtf8("abc\xf0\x9f\x98\x80")));
  edit_.SetMinLength(2);
  EXPECT_FALSE(Accepts(QStringLiteral("a")));
  EXPECT_FALSE(Accepts(QString()));
}

struct CharClassCase {
  TCharEdit::TCharSets sets;
  const char* text;
  bool valid;
};

void PrintTo(const CharClassCase& c, std::ostream* os) {
  *os << "sets " << int{c.sets} << " \"" << c.text << '"';
}

class CharClassTest : public CharEditTest, public ::testing::WithParamInterface<CharClassCase> {};

TEST_P(CharClassTest, AcceptsOnlyTheAllowedClasses) {
  edit_.SetCharSets(GetParam().sets);
  EXPECT_EQ(Accepts(QString::fromUtf8(GetParam().text)), GetParam().valid) << GetParam().text;
}

constexpr TCharEdit::TCharSets Set(std::initializer_list<TCharEdit::TCharSet> members) {
  TCharEdit::TCharSets sets = 0;
  for (const TCharEdit::TCharSet m : members) sets |= static_cast<TCharEdit::TCharSets>(1u << m);
  return sets;
}

using C = TCharEdit;
INSTANTIATE_TEST_SUITE_P(
    Classes, CharClassTest,
    ::testing::Values(
        CharClassCase{Set({C::csLowerChar}), "a-b", false},
        CharClassCase{Set({C::csLowerChar, C::csOther}), "a-b", true},
        CharClassCase{Set({C::csSpace, C::csUpperChar, C::csLowerChar, C::csNumber}), "Ab 9", true},
        CharClassCase{Set({C::csUpperChar, C::csLowerChar, C::csNumber}), "Ab 9", false},
        CharClassCase{Set({C::csUpperChar}), "ABZ", true},
        CharClassCase{Set({C::csUpperChar}), "ABz", false},
        CharClassCase{Set({C::csLowerChar}), "Abz", false},
        CharClassCase{Set({C::csNumber}), "0189", true},
        CharClassCase{Set({C::csNumber}), "01.9", false},
        CharClassCase{Set({C::csTab}), "\t\t", true}, CharClassCase{Set({C::csSpace}), "\t", false},
        CharClassCase{Set({C::csTab}), " ", false},
        CharClassCase{Set({C::csLowerChar}), "\xc3\xa9", false},  // accented: csOther
        CharClassCase{Set({C::csOther}), "\xc3\xa9@[`{", true},
        CharClassCase{Set({C::csOther}), "\xf0\x9f\x98\x80", true},
        CharClassCase{Set({C::csLowerChar}), "a\xf0\x9f\x98\x80", false},
        CharClassCase{Set({C::csOther}), "a", false}, CharClassCase{0, "", true},
        CharClassCase{0, "x", false}));

}  // namespace
}  // namespace qarn
