#include "widgets/glyph_icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QPixmapCache>
#include <QTemporaryDir>
#include <set>

namespace qarn {
namespace {

constexpr int kGlyphCount = static_cast<int>(Glyph::Minus) + 1;

QImage Picture(const QIcon& icon, int size, QIcon::Mode mode) {
  return icon.pixmap(QSize(size, size), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
  }
  return count;
}

// Whether every visible pixel is a grey (red, green and blue within a few steps).
bool AllGrey(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      if (qAlpha(c) > 0 &&
          (std::abs(qRed(c) - qGreen(c)) > 3 || std::abs(qGreen(c) - qBlue(c)) > 3)) {
        return false;
      }
    }
  }
  return true;
}

class GlyphIconTest : public ::testing::TestWithParam<int> {
 protected:
  const QIcon icon_ = GlyphIcon(static_cast<Glyph>(GetParam()));
};

TEST_P(GlyphIconTest, HasBothSizesExactly) {
  const QList<QSize> sizes = icon_.availableSizes(QIcon::Normal);
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
  EXPECT_TRUE(icon_.availableSizes(QIcon::Disabled).contains(QSize(16, 16)));
  EXPECT_TRUE(icon_.availableSizes(QIcon::Disabled).contains(QSize(32, 32)));
}

TEST_P(GlyphIconTest, ShowsSomethingAtBothSizesInBothStates) {
  for (int size : {16, 32}) {
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
      const QImage picture = Picture(icon_, size, mode);
      EXPECT_EQ(picture.size(), QSize(size, size));
      EXPECT_GE(OpaquePixels(picture), size * size / 20) << size << " mode " << mode;
      EXPECT_LT(OpaquePixels(picture), size * size * 3 / 4) << size << " mode " << mode;
    }
  }
}

TEST_P(GlyphIconTest, TheDisabledStateIsGreyed) {
  for (int size : {16, 32}) {
    const QImage normal = Picture(icon_, size, QIcon::Normal);
    const QImage disabled = Picture(icon_, size, QIcon::Disabled);
    EXPECT_NE(normal, disabled);
    EXPECT_TRUE(AllGrey(disabled));
    EXPECT_LE(OpaquePixels(disabled), OpaquePixels(normal));
  }
}

INSTANTIATE_TEST_SUITE_P(AllGlyphs, GlyphIconTest, ::testing::Range(0, kGlyphCount));

TEST(GlyphIconsTest, EveryGlyphLooksDifferent) {
  std::set<QByteArray> pictures;
  for (int g = 0; g < kGlyphCount; ++g) {
    const QImage picture = Picture(GlyphIcon(static_cast<Glyph>(g)), 16, QIcon::Normal);
    pictures.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                               static_cast<int>(picture.sizeInBytes())));
  }
  EXPECT_EQ(static_cast<int>(pictures.size()), kGlyphCount);
}

// Buttons with the same glyph show one shared picture per size and state; a picture the shared
// cache has dropped is drawn again the same, and a button keeps the one it showed.
TEST(GlyphIconsTest, ButtonsOfOneGlyphShareItsPictures) {
  for (int size : {16, 32}) {
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
      const QIcon first = GlyphIcon(Glyph::CheckMark);
      const QPixmap shown = first.pixmap(QSize(size, size), mode);
      EXPECT_EQ(GlyphIcon(Glyph::CheckMark).pixmap(QSize(size, size), mode).cacheKey(),
                shown.cacheKey())
          << size << " mode " << mode;
      EXPECT_NE(GlyphIcon(Glyph::Plus).pixmap(QSize(size, size), mode).cacheKey(),
                shown.cacheKey());
      QPixmapCache::clear();
      EXPECT_EQ(first.pixmap(QSize(size, size), mode).cacheKey(), shown.cacheKey());
      EXPECT_EQ(Picture(GlyphIcon(Glyph::CheckMark), size, mode), Picture(first, size, mode));
    }
  }
}

// The straight arrows point where their names say: the far half holds more of the arrow head.
TEST(GlyphIconsTest, StraightArrowsPointTheirWay) {
  auto weight = [](Glyph g, int dx, int dy) {
    const QImage picture = Picture(GlyphIcon(g), 32, QIcon::Normal);
    int sum = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x)
        sum += qAlpha(picture.pixel(x, y)) * ((x - 16) * dx + (y - 16) * dy);
    }
    return sum;
  };
  EXPECT_GT(weight(Glyph::ArrowE, 1, 0), 0);
  EXPECT_GT(weight(Glyph::ArrowW, -1, 0), 0);
  EXPECT_GT(weight(Glyph::ArrowN, 0, -1), 0);
  EXPECT_GT(weight(Glyph::ArrowS, 0, 1), 0);
  EXPECT_GT(weight(Glyph::ArrowNE, 1, -1), 0);
  EXPECT_GT(weight(Glyph::ArrowSW, -1, 1), 0);
  EXPECT_GT(weight(Glyph::ArrowSE, 1, 1), 0);
  EXPECT_GT(weight(Glyph::ArrowNW, -1, -1), 0);
}

TEST(AppIconTest, ComesInSizesFrom16To256) {
  const QIcon icon = AppIcon();
  for (int size : {16, 32, 48, 256}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    EXPECT_GT(OpaquePixels(Picture(icon, size, QIcon::Normal)), size * size / 2) << size;
  }
}

TEST(AppIconTest, IsWrittenAsAPngFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("qarn.png"));
  ASSERT_TRUE(SaveAppIconPng(path, 128));
  const QImage written(path, "PNG");
  EXPECT_EQ(written.size(), QSize(128, 128));
  EXPECT_FALSE(SaveAppIconPng(dir.filePath(QStringLiteral("missing/qarn.png"))));
  EXPECT_FALSE(SaveAppIconPng(path, 0));
}

}  // namespace
}  // namespace qarn
