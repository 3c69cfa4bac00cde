// Draws the built-in map picture and writes it as an 8-bit palettised BMP file:
//
//   make_map <output.bmp>
//
// The picture is a made-up coastal city seen from above: an ocean beach in the west, a wooded
// headland with a bridge in the north-west, a bay with piers, an island and a second bridge in
// the north-east, a long park and several hill parks, street grids of different grain,
// boulevards and a freeway. Everything comes from integer hashes and plain arithmetic (no
// library randomness, no trigonometry), so the file is the same byte for byte on every platform.
// The transform of the editor puts world (0, 0) at pixel (1008, 940) with 2.82 world units per
// column and 3.04 per row; the city is laid out on that scale (a block is about 70 by 60 units).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1600;

// The named colours come first in the palette; black and red are the colours of the marks.
enum Ink : uint8_t {
  kBlack,
  kRed,
  kDeep,
  kSea,
  kShallow,
  kShore,
  kLake,
  kSand,
  kLand,
  kHome1,
  kHome2,
  kHome3,
  kCity1,
  kCity2,
  kCity3,
  kWork1,
  kWork2,
  kWork3,
  kKerb,
  kStreet,
  kRoad,
  kRoadEdge,
  kFreeway,
  kFreewayEdge,
  kPark,
  kMeadow,
  kTree,
  kPath,
  kPier,
  kRail,
  kInkCount
};

struct Rgb {
  uint8_t r, g, b;
};

constexpr std::array<Rgb, kInkCount> kInks = {{
    {0, 0, 0},                                          // black
    {255, 0, 0},                                        // red
    {128, 206, 226},                                    // deep sea
    {146, 216, 234},                                    // sea
    {170, 228, 242},                                    // shallow water
    {112, 182, 206},                                    // shore line
    {156, 214, 236},                                    // lake
    {242, 226, 176},                                    // sand
    {234, 231, 219},                                    // open land
    {229, 223, 208},                                    // residential blocks
    {225, 218, 202}, {232, 227, 214}, {218, 216, 212},  // downtown blocks
    {212, 210, 207}, {223, 221, 216}, {222, 218, 226},  // industrial blocks
    {216, 213, 222}, {227, 224, 230}, {241, 239, 233},  // kerb
    {255, 255, 253},                                    // street
    {252, 236, 176},                                    // boulevard
    {206, 186, 132},                                    // boulevard edge
    {250, 206, 148},                                    // freeway
    {194, 146, 98},                                     // freeway edge
    {188, 222, 166},                                    // park
    {204, 232, 182},                                    // meadow
    {150, 196, 132},                                    // tree
    {238, 232, 204},                                    // park path
    {204, 200, 194},                                    // pier
    {172, 167, 162},                                    // rail
}};

struct Pt {
  double x, y;
};

// ---------------------------------------------------------------------------------------------
// Hashing and noise

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h =
      seed ^ (static_cast<uint32_t>(x) * 0x9E3779B1u) ^ (static_cast<uint32_t>(y) * 0x85EBCA77u);
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

double Unit(uint32_t h) {
  return static_cast<double>(h) / 4294967296.0;
}

double Smooth(double t) {
  return t * t * (3.0 - 2.0 * t);
}

// Value noise in [0, 1) on a unit lattice.
double ValueNoise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const double tx = Smooth(x - fx);
  const double ty = Smooth(y - fy);
  const double top = Unit(Hash(ix, iy, seed)) * (1 - tx) + Unit(Hash(ix + 1, iy, seed)) * tx;
  const double bottom =
      Unit(Hash(ix, iy + 1, seed)) * (1 - tx) + Unit(Hash(ix + 1, iy + 1, seed)) * tx;
  return top * (1 - ty) + bottom * ty;
}

// Four octaves of value noise with a feature size of `scale` pixels, in [0, 1).
double Fbm(double x, double y, double scale, uint32_t seed) {
  double sum = 0;
  double weight = 0.5;
  double frequency = 1.0 / scale;
  for (int octave = 0; octave < 4; ++octave) {
    sum += weight * ValueNoise(x * frequency, y * frequency, seed + octave * 101u);
    weight *= 0.5;
    frequency *= 2.0;
  }
  return sum / 0.9375;
}

// ---------------------------------------------------------------------------------------------
// Shapes

bool InsidePolygon(const std::vector<Pt>& polygon, double x, double y) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Pt& a = polygon[i];
    const Pt& b = polygon[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

// An ellipse whose rim wanders by `rough` of its radius.
struct Blob {
  double cx, cy, rx, ry, rough;
  uint32_t seed;
  bool Contains(double x, double y) const {
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    const double wobble = rough * (Fbm(x, y, 30.0, seed) - 0.5) * 2.0;
    return dx * dx + dy * dy <= (1.0 + wobble) * (1.0 + wobble);
  }
};

double SegmentDistanceSquared(Pt p, Pt a, Pt b) {
  const double vx = b.x - a.x;
  const double vy = b.y - a.y;
  const double length = vx * vx + vy * vy;
  double t = length > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / length : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  const double dx = p.x - (a.x + t * vx);
  const double dy = p.y - (a.y + t * vy);
  return dx * dx + dy * dy;
}

// ---------------------------------------------------------------------------------------------
// The picture

class Canvas {
 public:
  Canvas() : pixels_(static_cast<size_t>(kWidth) * kHeight, kLand) {}
  uint8_t At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, uint8_t ink) {
    if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) pixels_[Index(x, y)] = ink;
  }
  const std::vector<uint8_t>& Pixels() const { return pixels_; }

 private:
  static size_t Index(int x, int y) { return static_cast<size_t>(y) * kWidth + x; }
  std::vector<uint8_t> pixels_;
};

// Per-pixel flags of the land and water pass, used by the later passes.
struct Terrain {
  std::vector<uint8_t> water = std::vector<uint8_t>(static_cast<size_t>(kWidth) * kHeight);
  std::vector<int> toLand;   // chamfer distance (3 per pixel) from water to the nearest land
  std::vector<int> toWater;  // and from land to the nearest water
  bool Water(int x, int y) const { return water[static_cast<size_t>(y) * kWidth + x] != 0; }
  int ToLand(int x, int y) const { return toLand[static_cast<size_t>(y) * kWidth + x]; }
  int ToWater(int x, int y) const { return toWater[static_cast<size_t>(y) * kWidth + x]; }
};

// ---------------------------------------------------------------------------------------------
// Land and water

const std::vector<Pt> kMainland = {
    {88, 1700},  {92, 1560},   {100, 1420}, {94, 1300},  {108, 1180}, {104, 1020}, {110, 860},
    {112, 700},  {116, 540},   {120, 420},  {110, 330},  {126, 262},  {170, 226},  {222, 212},
    {240, 166},  {270, 160},   {292, 198},  {360, 214},  {430, 204},  {500, 222},  {560, 212},
    {620, 224},  {700, 206},   {780, 184},  {850, 150},  {920, 126},  {985, 118},  {1030, 150},
    {1058, 230}, {1084, 320},  {1104, 410}, {1122, 490}, {1140, 560}, {1170, 620}, {1230, 648},
    {1340, 660}, {1340, 1700},
};

const std::vector<Pt> kChannel = {
    {1340, 1126}, {1180, 1132}, {1100, 1140}, {1084, 1152},
    {1100, 1164}, {1180, 1168}, {1340, 1172},
};

const Blob kIsland = {1222, 268, 34, 22, 0.25, 7};

bool IsLand(int x, int y) {
  const double wx = x + 20.0 * (Fbm(x, y, 60.0, 11) - 0.5);
  const double wy = y + 20.0 * (Fbm(x, y, 60.0, 12) - 0.5);
  if (kIsland.Contains(wx, wy)) return true;
  return InsidePolygon(kMainland, wx, wy) && !InsidePolygon(kChannel, wx, wy);
}

// Two-pass chamfer distance (3 straight, 4 diagonal) to the nearest pixel whose flag equals
// `seed`.
std::vector<int> ChamferDistance(const std::vector<uint8_t>& flags, uint8_t seed) {
  constexpr int kFar = 1 << 28;
  std::vector<int> d(flags.size());
  for (size_t i = 0; i < flags.size(); ++i) d[i] = flags[i] == seed ? 0 : kFar;
  auto relax = [&](int x, int y, int dx, int dy, int cost) {
    const int nx = x + dx;
    const int ny = y + dy;
    if (nx < 0 || ny < 0 || nx >= kWidth || ny >= kHeight) return;
    int& here = d[static_cast<size_t>(y) * kWidth + x];
    here = std::min(here, d[static_cast<size_t>(ny) * kWidth + nx] + cost);
  };
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      relax(x, y, -1, 0, 3), relax(x, y, 0, -1, 3), relax(x, y, -1, -1, 4), relax(x, y, 1, -1, 4);
    }
  }
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = kWidth - 1; x >= 0; --x) {
      relax(x, y, 1, 0, 3), relax(x, y, 0, 1, 3), relax(x, y, 1, 1, 4), relax(x, y, -1, 1, 4);
    }
  }
  return d;
}

Terrain MakeTerrain() {
  Terrain terrain;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      terrain.water[static_cast<size_t>(y) * kWidth + x] = IsLand(x, y) ? 0 : 1;
    }
  }
  terrain.toLand = ChamferDistance(terrain.water, 0);
  terrain.toWater = ChamferDistance(terrain.water, 1);
  return terrain;
}

// The depth bands follow the shore at a wandering distance.
uint8_t WaterInk(int x, int y, int distanceToLand) {
  if (distanceToLand <= 4) return kShore;
  distanceToLand += static_cast<int>(60.0 * (Fbm(x, y, 80.0, 13) - 0.5));
  if (distanceToLand <= 30) return kShallow;
  if (distanceToLand <= 180) return kSea;
  return kDeep;
}

// ---------------------------------------------------------------------------------------------
// Street grids

// A street grid: local coordinates a (across the first family of streets) and b (across the
// second), blocks of blockA x blockB pixels with streets `street` pixels wide on their low side.
struct Grid {
  Pt origin;
  Pt u, v;  // unit vectors of a and b
  double blockA, blockB, street, warp;
  uint8_t shades[3];
  uint32_t seed;
};

struct GridCell {
  bool street;
  bool kerb;
  int32_t blockA, blockB;
};

GridCell Locate(const Grid& grid, int x, int y) {
  const double px = x + 0.5 - grid.origin.x;
  const double py = y + 0.5 - grid.origin.y;
  double a = px * grid.u.x + py * grid.u.y;
  double b = px * grid.v.x + py * grid.v.y;
  if (grid.warp > 0) {
    a += grid.warp * (Fbm(x, y, 90.0, grid.seed) - 0.5);
    b += grid.warp * (Fbm(x, y, 90.0, grid.seed + 7) - 0.5);
  }
  const double ia = std::floor(a / grid.blockA);
  const double ib = std::floor(b / grid.blockB);
  const double ra = a - ia * grid.blockA;
  const double rb = b - ib * grid.blockB;
  GridCell cell;
  cell.street = ra < grid.street || rb < grid.street;
  cell.kerb = ra < grid.street + 1 || rb < grid.street + 1 || ra >= grid.blockA - 1 ||
              rb >= grid.blockB - 1;
  cell.blockA = static_cast<int32_t>(ia);
  cell.blockB = static_cast<int32_t>(ib);
  return cell;
}

uint8_t GridInk(const Grid& grid, int x, int y) {
  const GridCell cell = Locate(grid, x, y);
  if (cell.street) return kStreet;
  const uint32_t h = Hash(cell.blockA, cell.blockB, grid.seed);
  if (h % 100 < 4) return cell.kerb ? kPark : ((Hash(x / 4, y / 4, 5) & 7) == 0 ? kTree : kPark);
  if (cell.kerb) return kKerb;
  return grid.shades[(h >> 8) % 3];
}

constexpr double kFifth = 0.2;

// West of the boulevard: long residential blocks.
const Grid kWestGrid = {{641, 1100}, {1, 0}, {0, 1}, 22, 56, 3, 0, {kHome1, kHome2, kHome3}, 21};
// North-east: downtown's small blocks.
const Grid kDowntownGrid = {{641, 1100}, {1, 0}, {0, 1}, 26, 22, 3, 0, {kCity1, kCity2, kCity3},
                            22};
// South-east of the avenue: a grid turned to the avenue's direction (3, 4, 5 triangle).
const Grid kAvenueGrid = {{1125, 475},
                          {-3 * kFifth, 4 * kFifth},
                          {4 * kFifth, 3 * kFifth},
                          44,
                          30,
                          3,
                          0,
                          {kHome2, kCity3, kHome1},
                          23};
// The southern hills: streets that follow the slopes.
const Grid kHillGrid = {{641, 1180}, {1, 0}, {0, 1}, 34, 28, 3, 14, {kHome1, kHome3, kHome2}, 24};
// The south-east: large industrial lots.
const Grid kWorksGrid = {{1001, 1180}, {1, 0}, {0, 1}, 62, 44, 3, 0, {kWork1, kWork2, kWork3}, 25};

// Signed distance (in pixels) to the avenue's line, positive on its south-east side.
double AcrossAvenue(int x, int y) {
  return (x + 0.5 - kAvenueGrid.origin.x) * kAvenueGrid.v.x +
         (y + 0.5 - kAvenueGrid.origin.y) * kAvenueGrid.v.y;
}

const Grid& GridAt(int x, int y) {
  if (x < 641) return kWestGrid;
  if (AcrossAvenue(x, y) < 0) return kDowntownGrid;
  if (y < 1180) return kAvenueGrid;
  return x < 1001 ? kHillGrid : kWorksGrid;
}

void DrawTerrainAndStreets(Canvas& canvas, const Terrain& terrain) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (terrain.Water(x, y)) {
        canvas.Set(x, y, WaterInk(x, y, terrain.ToLand(x, y)));
      } else if (terrain.ToWater(x, y) <= 6) {
        canvas.Set(x, y, kLand);  // a strip of open ground along every shore
      } else {
        canvas.Set(x, y, GridInk(GridAt(x, y), x, y));
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Parks

struct Park {
  std::vector<Pt> outline;  // used when not empty
  Blob blob;
  double trees;  // share of the park under trees, 0 to 1
  uint32_t seed;
  bool ragged;  // whether the outline's edges wander
  bool Contains(double x, double y) const {
    if (!outline.empty() && ragged) {
      x += 24.0 * (Fbm(x, y, 40.0, seed + 1) - 0.5);
      y += 24.0 * (Fbm(x, y, 40.0, seed + 2) - 0.5);
    }
    return outline.empty() ? blob.Contains(x, y) : InsidePolygon(outline, x, y);
  }
};

const std::vector<Park> kParks = {
    // the long park between the west grid's streets at rows 652 and 708
    {{{90, 655}, {638, 655}, {638, 708}, {90, 708}}, {}, 0.45, 31, false},
    // the wooded headland
    {{{100, 240},
      {240, 150},
      {300, 190},
      {420, 214},
      {450, 300},
      {430, 420},
      {330, 450},
      {100, 430}},
     {},
     0.7,
     32,
     true},
    {{}, {780, 1010, 48, 40, 0.3, 41}, 0.35, 33, false},
    {{}, {555, 890, 34, 30, 0.3, 42}, 0.5, 34, false},
    {{}, {905, 1320, 44, 36, 0.3, 43}, 0.4, 35, false},
    {{}, {420, 1160, 30, 40, 0.3, 44}, 0.3, 36, false},
    {{}, {860, 560, 22, 20, 0.2, 45}, 0.3, 37, false},
    {{}, {270, 1390, 120, 100, 0.15, 46}, 0.25, 38, false},
};

const std::vector<Blob> kLakes = {
    {270, 1395, 62, 46, 0.35, 51},
    {300, 680, 16, 9, 0.3, 52},
    {470, 684, 22, 8, 0.3, 53},
    {790, 1012, 8, 6, 0.3, 54},
};

// Paths follow a contour line of a noise field, about 1.5 pixels wide whatever its slope.
bool OnPath(int x, int y, uint32_t seed) {
  const double level = Fbm(x, y, 120.0, seed) - 0.5;
  if (std::abs(level) > 0.03) return false;
  const double gx = Fbm(x + 1, y, 120.0, seed) - Fbm(x - 1, y, 120.0, seed);
  const double gy = Fbm(x, y + 1, 120.0, seed) - Fbm(x, y - 1, 120.0, seed);
  const double slope = std::sqrt(gx * gx + gy * gy) / 2.0;
  return std::abs(level) < 0.75 * slope;
}

uint8_t ParkInk(const Park& park, int x, int y) {
  const double forest = Fbm(x, y, 50.0, park.seed);
  if (OnPath(x, y, park.seed + 3)) return kPath;
  if (forest < park.trees) {
    const int cx = x / 5;
    const int cy = y / 5;
    const uint32_t h = Hash(cx, cy, park.seed + 5);
    const int tx = cx * 5 + static_cast<int>(h % 4);
    const int ty = cy * 5 + static_cast<int>((h >> 2) % 4);
    if (x >= tx && x <= tx + 1 && y >= ty && y <= ty + 1) return kTree;
    return kPark;
  }
  return forest > 0.62 ? kMeadow : kPark;
}

struct Box {
  int left, top, right, bottom;  // inclusive, inside the picture
};

// A box holding everything the park may cover, the wandering of its rim included.
Box Bounds(const Park& park) {
  double left = park.blob.cx - 2 * park.blob.rx;
  double right = park.blob.cx + 2 * park.blob.rx;
  double top = park.blob.cy - 2 * park.blob.ry;
  double bottom = park.blob.cy + 2 * park.blob.ry;
  if (!park.outline.empty()) {
    left = top = 1e9, right = bottom = -1e9;
    for (const Pt& p : park.outline) {
      left = std::min(left, p.x - 12), right = std::max(right, p.x + 12);
      top = std::min(top, p.y - 12), bottom = std::max(bottom, p.y + 12);
    }
  }
  return {std::max(0, static_cast<int>(left)), std::max(0, static_cast<int>(top)),
          std::min(kWidth - 1, static_cast<int>(right)),
          std::min(kHeight - 1, static_cast<int>(bottom))};
}

void DrawParks(Canvas& canvas, const Terrain& terrain) {
  for (const Park& park : kParks) {
    const Box box = Bounds(park);
    for (int y = box.top; y <= box.bottom; ++y) {
      for (int x = box.left; x <= box.right; ++x) {
        if (terrain.Water(x, y) || terrain.ToWater(x, y) <= 6 || !park.Contains(x, y)) continue;
        canvas.Set(x, y, ParkInk(park, x, y));
      }
    }
  }
}

void DrawLakes(Canvas& canvas) {
  for (const Blob& lake : kLakes) {
    const int left = static_cast<int>(lake.cx - lake.rx * 1.5);
    const int top = static_cast<int>(lake.cy - lake.ry * 1.5);
    for (int y = top; y <= static_cast<int>(lake.cy + lake.ry * 1.5); ++y) {
      for (int x = left; x <= static_cast<int>(lake.cx + lake.rx * 1.5); ++x) {
        if (lake.Contains(x, y)) canvas.Set(x, y, kLake);
      }
    }
  }
}

// The ocean beach: sand along the west shore.
void DrawBeach(Canvas& canvas, const Terrain& terrain) {
  for (int y = 300; y < kHeight; ++y) {
    for (int x = 0; x < 330; ++x) {
      if (!terrain.Water(x, y) && terrain.ToWater(x, y) <= 30) canvas.Set(x, y, kSand);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Roads, bridges and piers

struct Road {
  std::vector<Pt> points;
  double halfWidth;
  uint8_t fill, edge;
};

const std::vector<Road> kRoads = {
    // the boulevard on the west grid's eastern edge
    {{{642, 200}, {642, 1600}}, 3.5, kRoad, kRoadEdge},
    // the avenue
    {{{1110, 495}, {1125, 475}, {641, 1120}}, 4, kRoad, kRoadEdge},
    {{{641, 1181.5}, {1280, 1181.5}}, 3, kRoad, kRoadEdge},
    {{{1002.5, 1181.5}, {1002.5, 1600}}, 3, kRoad, kRoadEdge},
    // the coast road behind the beach
    {{{287, 240}, {200, 262}, {152, 310}, {142, 560}, {140, 900}, {138, 1200}, {130, 1600}},
     3.5,
     kRoad,
     kRoadEdge},
    // cross-town streets of the west grid
    {{{130, 429.5}, {642, 429.5}}, 3, kRoad, kRoadEdge},
    {{{130, 877.5}, {642, 877.5}}, 3, kRoad, kRoadEdge},
    {{{130, 1101.5}, {642, 1101.5}}, 3, kRoad, kRoadEdge},
    {{{130, 1381.5}, {642, 1381.5}}, 3, kRoad, kRoadEdge},
    {{{378.5, 429.5}, {378.5, 1600}}, 3, kRoad, kRoadEdge},
    // downtown's market street and the northern waterfront
    {{{642, 1101.5 - 22 * 20}, {1110, 1101.5 - 22 * 20}}, 3, kRoad, kRoadEdge},
    {{{836.5, 180}, {836.5, 661.5}}, 3, kRoad, kRoadEdge},
};

// The freight line through the industrial lots to the channel's quays, two tracks.
const std::vector<Road> kRailways = {
    {{{1131.5, 1600}, {1131.5, 1320}, {1160, 1240}, {1172, 1174}}, 0.8, kRail, kRail},
    {{{1137.5, 1600}, {1137.5, 1322}, {1166, 1242}, {1178, 1174}}, 0.8, kRail, kRail},
};

const std::vector<Road> kFreeways = {
    // the bay bridge over the island, and the freeway south from its landing
    {{{1320, 150},
      {1222, 268},
      {1150, 575},
      {1060, 700},
      {960, 860},
      {900, 1020},
      {880, 1200},
      {930, 1400},
      {980, 1600}},
     4.5,
     kFreeway,
     kFreewayEdge},
    // the headland bridge to the north
    {{{255, -10}, {255, 190}, {300, 260}, {330, 330}, {378.5, 429.5}}, 4, kFreeway, kFreewayEdge},
};

void StrokePolyline(Canvas& canvas, const std::vector<Pt>& points, double halfWidth, uint8_t ink) {
  const double reach = halfWidth * halfWidth;
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const Pt a = points[i];
    const Pt b = points[i + 1];
    const int left = static_cast<int>(std::floor(std::min(a.x, b.x) - halfWidth));
    const int right = static_cast<int>(std::ceil(std::max(a.x, b.x) + halfWidth));
    const int top = static_cast<int>(std::floor(std::min(a.y, b.y) - halfWidth));
    const int bottom = static_cast<int>(std::ceil(std::max(a.y, b.y) + halfWidth));
    for (int y = std::max(top, 0); y <= std::min(bottom, kHeight - 1); ++y) {
      for (int x = std::max(left, 0); x <= std::min(right, kWidth - 1); ++x) {
        if (SegmentDistanceSquared({x + 0.5, y + 0.5}, a, b) <= reach) canvas.Set(x, y, ink);
      }
    }
  }
}

void DrawRoads(Canvas& canvas, const std::vector<Road>& roads) {
  for (const Road& road : roads) StrokePolyline(canvas, road.points, road.halfWidth + 1, road.edge);
  for (const Road& road : roads) StrokePolyline(canvas, road.points, road.halfWidth, road.fill);
}

// Piers reach from the bay shore into the water; the outermost land pixel of each row is found
// from the terrain.
void DrawPiers(Canvas& canvas, const Terrain& terrain) {
  for (int row = 236; row <= 600; row += 34) {
    int shore = 1170;
    while (shore > 900 && terrain.Water(shore, row)) --shore;  // from the left of the island
    for (int y = row; y < row + 9; ++y) {
      for (int x = shore - 4; x < shore + 46; ++x) canvas.Set(x, y, kPier);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The BMP file

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::array<Rgb, 256> Palette() {
  std::array<Rgb, 256> palette{};
  for (int i = 0; i < kInkCount; ++i) palette[i] = kInks[i];
  // The rest: a 6 x 6 x 6 colour cube, then a grey ramp.
  int next = kInkCount;
  for (int i = 0; i < 216 && next < 256; ++i, ++next) {
    palette[next] = {static_cast<uint8_t>(i / 36 * 51), static_cast<uint8_t>(i / 6 % 6 * 51),
                     static_cast<uint8_t>(i % 6 * 51)};
  }
  for (int i = 1; next < 256; ++i, ++next) {
    const auto grey = static_cast<uint8_t>(i * 255 / (256 - kInkCount - 216 + 1));
    palette[next] = {grey, grey, grey};
  }
  return palette;
}

std::vector<uint8_t> EncodeBmp(const Canvas& canvas) {
  constexpr uint32_t kPixelOffset = 14 + 40 + 256 * 4;
  constexpr uint32_t kPixelBytes = static_cast<uint32_t>(kWidth) * kHeight;
  std::vector<uint8_t> out;
  out.reserve(kPixelOffset + kPixelBytes);
  out.push_back('B'), out.push_back('M');
  PutLe(out, kPixelOffset + kPixelBytes, 4), PutLe(out, 0, 4), PutLe(out, kPixelOffset, 4);
  // A negative height: rows from the top down, so the program can show the pixels where they lie.
  PutLe(out, 40, 4), PutLe(out, kWidth, 4), PutLe(out, static_cast<uint32_t>(-kHeight), 4);
  PutLe(out, 1, 2), PutLe(out, 8, 2), PutLe(out, 0, 4), PutLe(out, kPixelBytes, 4);
  PutLe(out, 3780, 4), PutLe(out, 3780, 4), PutLe(out, 256, 4), PutLe(out, 0, 4);
  for (const Rgb& c : Palette()) out.insert(out.end(), {c.b, c.g, c.r, 0});
  for (int y = 0; y < kHeight; ++y) {
    const auto row = canvas.Pixels().begin() + static_cast<ptrdiff_t>(y) * kWidth;
    out.insert(out.end(), row, row + kWidth);
  }
  return out;
}

Canvas DrawMap() {
  const Terrain terrain = MakeTerrain();
  Canvas canvas;
  DrawTerrainAndStreets(canvas, terrain);
  DrawParks(canvas, terrain);
  DrawLakes(canvas);
  DrawBeach(canvas, terrain);
  DrawPiers(canvas, terrain);
  DrawRoads(canvas, kRoads);
  for (const Road& rail : kRailways) StrokePolyline(canvas, rail.points, rail.halfWidth, rail.fill);
  DrawRoads(canvas, kFreeways);
  return canvas;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_map <output.bmp>\n");
    return 2;
  }
  const std::vector<uint8_t> bytes = EncodeBmp(DrawMap());
  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "make_map: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
