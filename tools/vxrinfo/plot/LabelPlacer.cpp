#include "tools/vxrinfo/plot/LabelPlacer.h"

#include <algorithm>
#include <cmath>

bool overlaps(const PlotRect& a, const PlotRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool crosses(const PlotRect& r, double x0, double y0, double x1, double y1) {
  // Clips the segment to the rectangle (Liang-Barsky): whatever survives lies inside.
  double from = 0.0;
  double to = 1.0;
  const double p[4] = {-(x1 - x0), x1 - x0, -(y1 - y0), y1 - y0};
  const double q[4] = {x0 - r.left, r.right - x0, y0 - r.top, r.bottom - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0)
        return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      from = std::max(from, t);
    else
      to = std::min(to, t);
    if (from > to)
      return false;
  }
  return true;
}

double estimatedTextWidth(const std::string& utf8, double fontSize) {
  std::size_t characters = 0;
  for (unsigned char c : utf8)
    characters += (c & 0xC0) != 0x80 ? 1 : 0;
  return 0.66 * fontSize * static_cast<double>(characters) + 2.0;
}

LabelPlacer::LabelPlacer(const PlotRect& area) : area_(area) {
  columns_ = std::max(1, static_cast<int>(std::ceil((area.right - area.left) / cell_)));
  rows_ = std::max(1, static_cast<int>(std::ceil((area.bottom - area.top) / cell_)));
  cells_.resize(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_));
}

template <class F>
void LabelPlacer::forCells(const PlotRect& r, F&& f) const {
  auto column = [&](double x) {
    return std::clamp(static_cast<int>(std::floor((x - area_.left) / cell_)), 0, columns_ - 1);
  };
  auto row = [&](double y) {
    return std::clamp(static_cast<int>(std::floor((y - area_.top) / cell_)), 0, rows_ - 1);
  };
  if (!(r.right >= area_.left && r.left <= area_.right && r.bottom >= area_.top &&
        r.top <= area_.bottom))
    return;  // wholly outside: no label can meet it
  for (int j = row(r.top); j <= row(r.bottom); ++j) {
    for (int i = column(r.left); i <= column(r.right); ++i)
      f(static_cast<std::size_t>(j) * static_cast<std::size_t>(columns_) +
        static_cast<std::size_t>(i));
  }
}

void LabelPlacer::blockSegment(double x0, double y0, double x1, double y1) {
  if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
    return;
  const long index = static_cast<long>(segments_.size());
  segments_.push_back({x0, y0, x1, y1});
  const PlotRect bounds{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
  forCells(bounds, [&](std::size_t cell) { cells_[cell].push_back(index); });
}

void LabelPlacer::blockRect(const PlotRect& r) {
  const long index = -1 - static_cast<long>(rects_.size());
  rects_.push_back(r);
  forCells(r, [&](std::size_t cell) { cells_[cell].push_back(index); });
}

bool LabelPlacer::isFree(const PlotRect& r) const {
  if (r.left < area_.left || r.top < area_.top || r.right > area_.right || r.bottom > area_.bottom)
    return false;
  bool free = true;
  forCells(r, [&](std::size_t cell) {
    for (long item : cells_[cell]) {
      if (!free)
        return;
      if (item >= 0) {
        const Segment& s = segments_[static_cast<std::size_t>(item)];
        free = !crosses(r, s.x0, s.y0, s.x1, s.y1);
      } else {
        free = !overlaps(r, rects_[static_cast<std::size_t>(-1 - item)]);
      }
    }
  });
  return free;
}

bool LabelPlacer::leaderIsFree(double x0, double y0, double x1, double y1) const {
  const PlotRect bounds{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
  bool free = true;
  forCells(bounds, [&](std::size_t cell) {
    for (long item : cells_[cell]) {
      if (!free || item >= 0)
        continue;
      // Marks at the anchor (its own among them) are where every leader starts.
      const PlotRect& r = rects_[static_cast<std::size_t>(-1 - item)];
      const bool atAnchor = x0 >= r.left && x0 <= r.right && y0 >= r.top && y0 <= r.bottom;
      free = atAnchor || !crosses(r, x0, y0, x1, y1);
    }
  });
  return free;
}

bool LabelPlacer::place(double x, double y, double width, double height, double reach,
                        Placement& found) {
  // Right of the anchor first (where text is read from), then above, left, below.
  static const double kDirections[8][2] = {{1, 0},  {0.7, -0.7}, {0, -1}, {-0.7, -0.7},
                                           {-1, 0}, {-0.7, 0.7}, {0, 1},  {0.7, 0.7}};
  static const double kDistances[] = {4, 10, 18, 30, 46, 66, 90};
  constexpr double kLeaderFrom = 18;
  for (double distance : kDistances) {
    if (distance > reach)
      break;
    for (const auto& d : kDirections) {
      const double cx = x + d[0] * distance;
      const double cy = y + d[1] * distance;
      PlotRect box;
      box.left = d[0] > 0 ? cx : d[0] < 0 ? cx - width : cx - width / 2;
      box.top = d[1] > 0 ? cy : d[1] < 0 ? cy - height : cy - height / 2;
      box.right = box.left + width;
      box.bottom = box.top + height;
      if (!isFree(box))
        continue;
      Placement p;
      p.box = box;
      if (distance >= kLeaderFrom) {
        p.leader = true;
        p.leaderX = std::clamp(x, box.left, box.right);
        p.leaderY = std::clamp(y, box.top, box.bottom);
        if (!leaderIsFree(x, y, p.leaderX, p.leaderY))
          continue;
        blockSegment(x, y, p.leaderX, p.leaderY);
      }
      blockRect(box);
      found = p;
      return true;
    }
  }
  return false;
}
