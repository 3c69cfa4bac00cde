#include "map/render.h"

#include <gtest/gtest.h>

#include "document/errors.h"
#include "map/map_picture.h"
#include "map_test_support.h"

namespace qarn {
namespace {

using test::MakeDocument;

class RenderTest : public ::testing::Test {
 protected:
  static inline const QImage pristine_ = MapPicture::BuiltInMap();
  const tHeader doc_ = MakeDocument(
      {{{0, 0, 0}, {30, 0, 0}, {0, 0, 40}}, {{-500, 10, 300}, {-480, 10, 300}}, {{100, 0, -900}}});
};

TEST_F(RenderTest, AllPointsLookAsTheEditorDrawsThem) {
  MapPicture editor(pristine_);
  editor.DrawAllPoints(doc_, MapTransform{});
  const QImage rendered = RenderPathSet(pristine_, doc_, std::nullopt);
  EXPECT_EQ(rendered, editor.Image());
  EXPECT_NE(rendered, pristine_);
}

TEST_F(RenderTest, OneObjectLooksAsTheEditorDrawsIt) {
  MapPicture editor(pristine_);
  editor.DrawObjectMarks(doc_.Object(2), MapTransform{});
  EXPECT_EQ(RenderPathSet(pristine_, doc_, 2), editor.Image());
  EXPECT_NE(RenderPathSet(pristine_, doc_, 2), RenderPathSet(pristine_, doc_, 1));
}

TEST_F(RenderTest, UsesTheGivenTransform) {
  MapTransform shifted;
  shifted.originColumn += 5;
  MapPicture editor(pristine_);
  editor.DrawAllPoints(doc_, shifted);
  EXPECT_EQ(RenderPathSet(pristine_, doc_, std::nullopt, shifted), editor.Image());
  EXPECT_NE(RenderPathSet(pristine_, doc_, std::nullopt, shifted),
            RenderPathSet(pristine_, doc_, std::nullopt));
}

TEST_F(RenderTest, AnObjectThatDoesNotExistIsAListIndexError) {
  EXPECT_THROW(RenderPathSet(pristine_, doc_, 4), ListIndexError);
  EXPECT_THROW(RenderPathSet(pristine_, doc_, 0), ListIndexError);
}

}  // namespace
}  // namespace qarn
