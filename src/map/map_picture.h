#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <vector>

#include "map/map_marks.h"

namespace qarn {

struct MapTransform;
struct tDesc;
class tHeader;

inline constexpr int kMapWidth = 1280;
inline constexpr int kMapHeight = 1600;
// The largest width and height of a map picture of the user's: 64 MiB of palette indices.
inline constexpr int kLargestMapSide = 8192;

// The map as shown: the picture with the marks drawn into its pixels (so the magnifier shows
// them too), and the pristine picture every redraw starts from. Marks are not state; each
// DrawAllPoints and DrawObjectMarks begins by restoring the pristine picture, and the picture
// remembers which marks it shows, so only their pixels are restored and only the area that
// changed needs to be shown again.
class MapPicture {
 public:
  // `pristine` must be Format_Indexed8 with pure black and pure red in its palette
  // (ToMarkablePicture makes any picture so); throws QarnError otherwise.
  explicit MapPicture(QImage pristine);

  // The map picture built into the program.
  static QImage BuiltInMap();
  // A picture file in any format Qt reads, of any size up to kLargestMapSide, made markable; the
  // refusals are ReadMapPictureFile's.
  static QImage LoadUserMap(const QString& path);

  const QImage& Image() const { return image_; }
  const QImage& Pristine() const { return pristine_; }

  // The marks drawn now, in the order drawn.
  const MarkList& Marks() const { return marks_; }
  // The part of the picture changed since the last call: where marks were taken away or drawn.
  QRegion TakeChangedArea();

  void Restore();
  // Takes the marks shown away and draws these instead.
  void ShowMarks(MarkList marks);
  // Squares (5 x 5 outlines centred on the point) at every point of every object.
  // A point that cannot be drawn (UndrawableCoordinateError) and a point count above kMaxPoints
  // (RangeCheckError) do not stop the drawing: every other mark is drawn, then the first of
  // them is raised with its place in front ("object 3, point 2: ", "object 5: ").
  void DrawAllPoints(const tHeader& doc, const MapTransform& t);
  // The object's marks alone: a cross per point when it has fewer than two points; otherwise a
  // red disc at point 1, a direction line towards point 2 at least 12 pixels long, and crosses
  // at points 3 onwards. Failures as in DrawAllPoints; `number` names the object in them
  // ("object 3, point 2: "), 0 leaves it out ("point 2: ").
  void DrawObjectMarks(const tDesc& object, const MapTransform& t, int number = 0);
  // Red disc with a black rim in columns px-4..px+3, rows py-4..py+3; no restore.
  void DrawPointDisc(int px, int py);

 private:
  void RestoreMarked();
  void ForgetMarks();
  void Draw(const MarkList& marks);
  void SaveUnder(const QRect& box);

  QImage pristine_;
  QImage image_;
  MarkList marks_;
  // Worked out as the marks are drawn, so that taking them away measures none of them again:
  // the boxes to copy back, the pixels they held before (row by row, box after box), the boxes
  // too large to save (copied back from the pristine picture), and the box around them all. No
  // boxes are kept for more marks than are restored one by one.
  std::vector<QRect> markedBoxes_;
  std::vector<uchar> underMarks_;
  std::vector<QRect> pristineBoxes_;
  QRect markedBounds_;
  QRegion changed_;
  uint8_t black_ = 0;
  uint8_t red_ = 0;
};

}  // namespace qarn
