#include <QDir>
#include <QImage>

#include "grid_test_support.h"

namespace qarn {
namespace {

// A picture of the point list as the window shows it, for people to look at; it lands in the
// directory the tests run in.
TEST(GridGallery, PointListPicture) {
  auto ents = std::make_unique<tKvStringGrid>();
  ents->SetColCount(5);
  ents->SetDefaultRowHeight(18);
  ents->SetRowCount(2);
  ents->Loaded();
  for (const char* title : {"Nummer", "X", "Y", "Z", "Flags"}) {
    ents->AddColumn(QString::fromLatin1(title), QString(), QString(), 64, 0, 0, true, false);
  }
  const QStringList points[] = {{"1", "100,00", "2,50", "-40,00", "80000001"},
                                {"2", "110,00", "2,50", "-40,00", "00000000"},
                                {"3", "100,00", "2,50", "-30,00", "FFFFFFFF"},
                                {"4", "110,00", "2,50", "-30,00", "0000A&B1"}};
  ents->OnGetCellDrawText = [&points](int col, int row) {
    return row >= 1 && row <= 4 ? points[row - 1][col] : QString();
  };
  ents->SetRowCount(5);
  ents->SetRow(2);
  ents->resize(64 * 5 + 4, 18 * 6 + 4);
  test::FocusGrid(*ents);
  const QImage picture = ents->grab().toImage();
  const QString file = QDir::current().filePath("grid_gallery_ents.png");
  ASSERT_TRUE(picture.save(file));
  EXPECT_EQ(QImage(file).size(), ents->size());
}

}  // namespace
}  // namespace qarn
