#include "assets/object_types.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace qarn {
namespace {

class ObjectTypesTest : public ::testing::Test {
 protected:
  static inline const QStringList names_ = ObjectTypeNames();

  static QString WithoutState(const QString& name) {
    for (const char* state : {"open:", "inactive:"}) {
      if (name.startsWith(QLatin1String(state))) return name.mid(int(qstrlen(state)));
    }
    return name;
  }
  static int CountStarting(const char* prefix) {
    int count = 0;
    for (const QString& name : names_) count += name.startsWith(QLatin1String(prefix));
    return count;
  }
};

TEST_F(ObjectTypesTest, Has287EntriesOf197Names) {
  EXPECT_EQ(names_.size(), 287);
  EXPECT_EQ(QSet<QString>(names_.begin(), names_.end()).size(), 197);
}

TEST_F(ObjectTypesTest, StartsWithThePresetTypesAndEndsEmpty) {
  ASSERT_GE(names_.size(), 3);
  EXPECT_EQ(names_[0], QStringLiteral("sp_jumptrailer_f"));
  EXPECT_EQ(names_[1], QStringLiteral("giz_bridge01_l"));
  EXPECT_EQ(names_[2], QStringLiteral("giz_bridge02_l"));
  EXPECT_EQ(names_.last(), QString());
  EXPECT_EQ(names_.count(QString()), 1);
}

TEST_F(ObjectTypesTest, FiveEntriesCarryAStatePrefixOfAListedType) {
  EXPECT_EQ(CountStarting("open:"), 1);
  EXPECT_EQ(CountStarting("inactive:"), 4);
  for (const QString& name : names_) {
    if (WithoutState(name) != name) {
      EXPECT_TRUE(names_.contains(WithoutState(name))) << name.toStdString();
    }
  }
}

// Entries fit in 25 characters with their state prefix, and so in the 32-byte name field.
TEST_F(ObjectTypesTest, EntriesAreShortIdentifiers) {
  const QRegularExpression identifier(QStringLiteral("^[A-Za-z0-9_]*$"));
  int withCapitals = 0;
  for (const QString& name : names_) {
    EXPECT_LE(name.size(), 25) << name.toStdString();
    EXPECT_TRUE(identifier.match(WithoutState(name)).hasMatch()) << name.toStdString();
    withCapitals += WithoutState(name) != WithoutState(name).toLower();
  }
  EXPECT_GE(withCapitals, 1);
  EXPECT_LE(withCapitals, 10);
}

TEST_F(ObjectTypesTest, NearlyAllHaveACategoryPrefixAndALetterSuffix) {
  const QRegularExpression form(QStringLiteral("^[a-z]{2,4}_[A-Za-z0-9_]+_[a-z]$"));
  int conforming = 0;
  for (const QString& name : names_) conforming += form.match(WithoutState(name)).hasMatch();
  EXPECT_GE(conforming, names_.size() * 95 / 100);
  EXPECT_LT(conforming, names_.size());  // the empty entry, at least, is not a type
}

TEST_F(ObjectTypesTest, RepeatedTypesAppearTwiceInDifferentSections) {
  QHash<QString, QList<int>> places;
  for (int i = 0; i < names_.size(); ++i) places[names_[i]].append(i);
  int repeated = 0;
  for (auto it = places.cbegin(); it != places.cend(); ++it) {
    EXPECT_LE(it->size(), 2) << it.key().toStdString();
    if (it->size() == 2) {
      ++repeated;
      EXPECT_GT(it->at(1) - it->at(0), 1) << it.key().toStdString();
    }
  }
  EXPECT_EQ(repeated, 90);
}

}  // namespace
}  // namespace qarn
