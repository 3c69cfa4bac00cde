// Writes examples/demo.pathset: a few objects in the layouts the editor produces, made with the
// program's own codec. Usage: make_example [output file]
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string_view>

#include "document/path_set_codec.h"

namespace {

using qarn::tDesc;
using qarn::tHeader;
using qarn::tPoint;

struct Vec {
  double x, y, z;
};

Vec operator+(Vec a, Vec b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator*(Vec a, double f) {
  return {a.x * f, a.y * f, a.z * f};
}

tDesc& AddObject(tHeader& doc, std::string_view name, int points, uint32_t flags) {
  tDesc& record = doc.InsertNew(static_cast<int>(doc.records.size()) + 1);
  std::copy(name.begin(), name.end(), record.name.begin());
  record.pointCount = static_cast<uint32_t>(points);
  for (int k = 1; k <= points; ++k) record.Point(k).flags = flags;
  return record;
}

void Place(tDesc& record, int k, Vec at) {
  tPoint& point = record.Point(k);
  point.x = static_cast<float>(at.x);
  point.y = static_cast<float>(at.y);
  point.z = static_cast<float>(at.z);
}

// Point k := base + pair * (k - 1).
void SingleLine(tDesc& record, Vec base, Vec pair) {
  for (int k = 1; k <= static_cast<int>(record.pointCount); ++k)
    Place(record, k, base + pair * (k - 1));
}

// Pairs whose second point is `pair` from the first, each pair `row` on from the one before.
void Ladder(tDesc& record, Vec base, Vec pair, Vec row) {
  Place(record, 1, base);
  for (int k = 2; k <= static_cast<int>(record.pointCount); ++k) {
    const int i = k - 1;
    Place(record, k, (i % 2 ? base + pair : base) + row * (i / 2));
  }
}

tHeader Demo() {
  // Everything lies in the part of the map the editor shows when it opens.
  tHeader doc;
  SingleLine(AddObject(doc, "giz_bridge01_l", 6, 0x7317), {-1000, 12, -150}, {20, 0, 0});
  Ladder(AddObject(doc, "sp_jumptrailer_f", 10, 0x7317), {-700.5, 4.5, -700.25}, {0, 0, 9},
         {15, 4.5, 0});
  SingleLine(AddObject(doc, "str_lamp_post_s", 8, 0x0011), {-1250, 0, -950}, {40, 0, 12});
  AddObject(doc, "str_fence_wood_m", 0, 0);
  Ladder(AddObject(doc, "giz_bridge02_l", 8, 0x7317), {-520, 20, 60}, {11.26, 0, 6.5},
         {-10, 0, 17.32});
  Place(AddObject(doc, "bar_bollard_s", 1, 0x0082), 1, {-880, 0, -420});
  return doc;
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "demo.pathset";
  try {
    const auto bytes = qarn::SerializeToBytes(Demo());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "%s: cannot write the file\n", path);
      return 1;
    }
    std::printf("%s: %zu bytes\n", path, bytes.size());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
