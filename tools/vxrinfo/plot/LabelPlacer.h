#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A rectangle in picture units, x to the right, y down; left < right, top < bottom.
struct PlotRect {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
};

bool overlaps(const PlotRect& a, const PlotRect& b);
// True when the segment from (x0, y0) to (x1, y1) passes through the inside or the edge of `r`.
bool crosses(const PlotRect& r, double x0, double y0, double x1, double y1);

// A generous estimate of how wide a line of sans-serif text of this size is, from the number
// of characters of its UTF-8 text: the picture has no font metrics, so labels are spaced as if
// every character were wide.
double estimatedTextWidth(const std::string& utf8, double fontSize);

// Finds places for labels that overlap neither each other nor what is drawn: lines and marks are
// registered as obstacles first, then each label, in order of importance, takes the first free
// place around its anchor, nearest first. A spatial grid keeps the tests local, so long paths
// stay cheap.
class LabelPlacer {
 public:
  // Labels must lie wholly inside `area`.
  explicit LabelPlacer(const PlotRect& area);

  void blockSegment(double x0, double y0, double x1, double y1);
  void blockRect(const PlotRect& r);

  // A free place for a `width` × `height` box near (x, y). On success the box (and the leader
  // line from the anchor to a box placed further out) are blocked and returned. `reach` limits
  // how far out the box may go, in picture units.
  struct Placement {
    PlotRect box;
    bool leader = false;  // draw a line from the anchor to (leaderX, leaderY)
    double leaderX = 0.0;
    double leaderY = 0.0;
  };
  bool place(double x, double y, double width, double height, double reach, Placement& found);

  bool isFree(const PlotRect& r) const;

 private:
  struct Segment {
    double x0, y0, x1, y1;
  };
  template <class F>
  void forCells(const PlotRect& r, F&& f) const;
  // True when a leader from (x0, y0) to (x1, y1) crosses no label or mark but those at its start.
  bool leaderIsFree(double x0, double y0, double x1, double y1) const;

  PlotRect area_;
  double cell_ = 24.0;
  int columns_ = 1;
  int rows_ = 1;
  std::vector<Segment> segments_;
  std::vector<PlotRect> rects_;
  // Per cell, the obstacles that touch it: segment indices, and rect indices as -1 - index.
  std::vector<std::vector<long>> cells_;
};
