#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <vector>

#include "ToolSamples.h"
#include "anim_model/LightKey.h"

namespace {

// The SVG parsed by libxml2: a document that does not parse is not well-formed XML.
class SvgDocument {
 public:
  explicit SvgDocument(const std::string& text) {
    doc_ = xmlReadMemory(text.data(), static_cast<int>(text.size()), "plot.svg", nullptr,
                         XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  }
  ~SvgDocument() { xmlFreeDoc(doc_); }
  SvgDocument(const SvgDocument&) = delete;
  SvgDocument& operator=(const SvgDocument&) = delete;

  bool ok() const { return doc_ != nullptr; }
  std::string rootName() const {
    return reinterpret_cast<const char*>(xmlDocGetRootElement(doc_)->name);
  }

  // Every element with this name, in document order, as its attributes and text; only those
  // inside the element with id `within` when one is given.
  struct Element {
    std::map<std::string, std::string> attributes;
    std::string text;
    std::string attr(const char* name) const {
      auto found = attributes.find(name);
      return found == attributes.end() ? std::string() : found->second;
    }
  };
  std::vector<Element> all(const char* name, const char* within = nullptr) const {
    std::vector<Element> found;
    xmlNode* root = xmlDocGetRootElement(doc_);
    if (within != nullptr)
      root = byId(root, within);
    if (root != nullptr)
      collect(root, name, found, true);
    return found;
  }
  std::vector<Element> ofClass(const char* name, const char* cls, const char* within) const {
    std::vector<Element> found;
    for (const Element& e : all(name, within)) {
      if (e.attr("class") == cls)
        found.push_back(e);
    }
    return found;
  }

 private:
  static std::string attribute(xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string s = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return s;
  }
  static xmlNode* byId(xmlNode* node, const char* id) {
    for (; node != nullptr; node = node->next) {
      if (node->type == XML_ELEMENT_NODE && attribute(node, "id") == id)
        return node;
      if (xmlNode* inner = byId(node->children, id))
        return inner;
    }
    return nullptr;
  }
  static void collect(xmlNode* node, const char* name, std::vector<Element>& found, bool only) {
    for (; node != nullptr; node = only ? nullptr : node->next) {
      if (node->type == XML_ELEMENT_NODE &&
          std::string(reinterpret_cast<const char*>(node->name)) == name) {
        Element e;
        for (xmlAttr* a = node->properties; a != nullptr; a = a->next) {
          xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
          e.attributes[reinterpret_cast<const char*>(a->name)] =
              value ? reinterpret_cast<const char*>(value) : "";
          xmlFree(value);
        }
        xmlChar* text = xmlNodeGetContent(node);
        e.text = text ? reinterpret_cast<const char*>(text) : "";
        xmlFree(text);
        found.push_back(e);
      }
      collect(node->children, name, found, false);
    }
  }

  xmlDoc* doc_ = nullptr;
};

std::string plot(const std::string& animationBytes, int expectedStatus = 0,
                 const std::vector<std::string>& extra = {}) {
  TempFolder folder;
  writeBytes(folder.path("in"), animationBytes);
  std::vector<std::string> args = {"--plot", folder.path("out.svg")};
  args.insert(args.end(), extra.begin(), extra.end());
  args.push_back(folder.path("in"));
  ToolRun run = runTool(args);
  EXPECT_EQ(run.status, expectedStatus) << run.out << run.err;
  return readBytes(folder.path("out.svg"));
}

std::vector<std::string> texts(const SvgDocument& svg, const char* within = nullptr) {
  std::vector<std::string> out;
  for (const auto& e : svg.all("text", within))
    out.push_back(e.text);
  return out;
}

bool hasText(const SvgDocument& svg, const std::string& wanted, const char* within = nullptr) {
  for (const std::string& t : texts(svg, within)) {
    if (t == wanted)
      return true;
  }
  return false;
}

struct Point {
  double x = 0;
  double y = 0;
};

// The points of a path's "M x y L x y ..." or a polygon's or polyline's "x,y x,y ...".
std::vector<Point> points(std::string text) {
  for (char& c : text) {
    if (c == 'M' || c == 'L' || c == ',')
      c = ' ';
  }
  std::istringstream in(text);
  std::vector<Point> out;
  Point p;
  while (in >> p.x >> p.y)
    out.push_back(p);
  return out;
}

std::vector<std::vector<Point>> cameraPaths(const SvgDocument& svg, const char* view) {
  std::vector<std::vector<Point>> out;
  for (const auto& p : svg.all("path", view)) {
    EXPECT_EQ(p.attr("class"), "camera-path");
    out.push_back(points(p.attr("d")));
  }
  return out;
}

struct Box {
  double left, top, right, bottom;
};

Box panelOf(const SvgDocument& svg, const char* view) {
  const auto panels = svg.ofClass("rect", "panel", view);
  EXPECT_EQ(panels.size(), 1u);
  if (panels.empty())
    return {0, 0, 0, 0};
  const double x = std::stod(panels[0].attr("x"));
  const double y = std::stod(panels[0].attr("y"));
  return {x, y, x + std::stod(panels[0].attr("width")), y + std::stod(panels[0].attr("height"))};
}

// What a text covers at least: sans-serif glyphs average more than half an em wide, rise
// about 0.7 em above the baseline and drop 0.2 em below it.
Box textBox(const SvgDocument::Element& t) {
  const double size = std::stod(t.attr("font-size"));
  std::size_t characters = 0;
  for (unsigned char c : t.text)
    characters += (c & 0xC0) != 0x80 ? 1 : 0;
  const double x = std::stod(t.attr("x"));
  const double y = std::stod(t.attr("y"));
  return {x, y - 0.7 * size, x + 0.5 * size * static_cast<double>(characters), y + 0.2 * size};
}

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether the segment passes through the box, by sampling it finely.
bool crosses(const Box& b, const Point& p, const Point& q) {
  const int steps = 200;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const double x = p.x + (q.x - p.x) * t;
    const double y = p.y + (q.y - p.y) * t;
    if (x > b.left && x < b.right && y > b.top && y < b.bottom)
      return true;
  }
  return false;
}

// Every line drawn in a view that a label must keep clear of, as point pairs.
std::vector<std::pair<Point, Point>> drawnSegments(const SvgDocument& svg, const char* view) {
  std::vector<std::pair<Point, Point>> out;
  auto chain = [&](const std::vector<Point>& ps) {
    for (std::size_t i = 1; i < ps.size(); ++i)
      out.push_back({ps[i - 1], ps[i]});
  };
  for (const auto& ps : cameraPaths(svg, view))
    chain(ps);
  for (const auto& l : svg.ofClass("polyline", "light-path", view))
    chain(points(l.attr("points")));
  for (const char* cls : {"frustum-edge", "light-direction", "spot-beam", "axis"}) {
    for (const auto& l : svg.ofClass("line", cls, view)) {
      out.push_back({{std::stod(l.attr("x1")), std::stod(l.attr("y1"))},
                     {std::stod(l.attr("x2")), std::stod(l.attr("y2"))}});
    }
  }
  return out;
}

// The labels inside a view's panel neither overlap each other nor cross what is drawn, and
// stay inside the panel. Returns how many labels there are.
std::size_t expectLabelsClear(const SvgDocument& svg, const char* view) {
  const Box panel = panelOf(svg, view);
  std::vector<std::pair<Box, std::string>> boxes;
  for (const auto& t : svg.all("text", view)) {
    const Box b = textBox(t);
    if (b.bottom <= panel.top)
      continue;  // the view's title, above the panel
    EXPECT_GE(b.left, panel.left) << t.text;
    EXPECT_LE(b.right, panel.right) << t.text;
    EXPECT_GE(b.top, panel.top) << t.text;
    EXPECT_LE(b.bottom, panel.bottom) << t.text;
    boxes.push_back({b, t.text});
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      EXPECT_FALSE(overlap(boxes[i].first, boxes[j].first))
          << view << ": \"" << boxes[i].second << "\" and \"" << boxes[j].second << "\"";
    }
  }
  const auto segments = drawnSegments(svg, view);
  EXPECT_FALSE(segments.empty());
  for (const auto& b : boxes) {
    for (const auto& s : segments) {
      EXPECT_FALSE(crosses(b.first, s.first, s.second))
          << view << ": \"" << b.second << "\" lies on a line from " << s.first.x << ","
          << s.first.y << " to " << s.second.x << "," << s.second.y;
    }
  }
  return boxes.size();
}

Box extent(const std::vector<Point>& ps) {
  Box b{1e300, 1e300, -1e300, -1e300};
  for (const Point& p : ps)
    b = {std::min(b.left, p.x), std::min(b.top, p.y), std::max(b.right, p.x),
         std::max(b.bottom, p.y)};
  return b;
}

bool inside(const Point& p, const Box& b) {
  return p.x >= b.left && p.x <= b.right && p.y >= b.top && p.y <= b.bottom;
}

SampleTrack stillCamera(const std::string& name, const Vector3D& eye, const Vector3D& direction) {
  SampleTrack t{name, 0, {}};
  for (int f = 1; f <= 48; ++f)
    t.keys.push_back({f, eye, direction});
  return t;
}

// A y-up scene as a new host scene exports it: the four default cameras far out and still, a
// camera dollying ten units along x and a lamp carried four units.
std::vector<SampleTrack> shotWithDefaultCameras() {
  std::vector<SampleTrack> tracks = {
      stillCamera("|persp|perspShape", Vector3D(28, 21, 28), Vector3D(-0.62, -0.47, -0.62)),
      stillCamera("|top|topShape", Vector3D(0, 1000, 0), Vector3D(0, -1, 1e-6)),
      stillCamera("|front|frontShape", Vector3D(0, 0, 1000), Vector3D(0, 0, -1)),
      stillCamera("|side|sideShape", Vector3D(1000, 0, 0), Vector3D(-1, 0, 0))};
  SampleTrack dolly{"|dolly|dollyShape", 0, {}};
  SampleTrack lamp{"|lamp|lampShape", LightKey::kPoint, {}};
  for (int f = 1; f <= 48; ++f) {
    const double t = (f - 1) / 47.0;
    dolly.keys.push_back({f, Vector3D(-5 + 10 * t, 1 + t, 3), Vector3D(0, 0, -1)});
    lamp.keys.push_back({f, Vector3D(-2 + 4 * t, 4, 0), Vector3D()});
  }
  tracks.push_back(dolly);
  tracks.push_back(lamp);
  return tracks;
}

// One z-up camera moving 47 units along +x over frames 1 to 48, looking along +y.
std::string straightDolly() {
  SampleTrack c{"|cam|camShape", 0, {}};
  for (int f = 1; f <= 48; ++f)
    c.keys.push_back({f, Vector3D(f - 1, 0, 2), Vector3D(0, 1, 0)});
  return animationBytes(true, {c});
}

}  // namespace

TEST(AnimationPlot, IsOneWellFormedPictureWithTwoViewsAScaleBarAndALegend) {
  const std::string text = plot(sampleAnimationBytes(true));
  SvgDocument svg(text);
  ASSERT_TRUE(svg.ok());
  EXPECT_EQ(svg.rootName(), "svg");
  // Self-contained: no link to anything outside the file.
  EXPECT_EQ(text.find("href"), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_EQ(text.find("inf"), std::string::npos);
  // "persp" and "side" move and get a path in each view; "unused" has no keys and draws none.
  EXPECT_EQ(svg.all("path").size(), 4u);
  EXPECT_EQ(cameraPaths(svg, "top-view").size(), 2u);
  EXPECT_EQ(cameraPaths(svg, "side-view").size(), 2u);
  for (const char* line :
       {"C1 camera persp, 5 keys", "C2 camera side, 3 keys", "C3 camera unused, 0 keys",
        "L1 directional light sun", "L2 point light bulb", "L3 spot light spot, still"})
    EXPECT_TRUE(hasText(svg, line, "legend")) << line;
  bool scaled = false;
  for (const std::string& t : texts(svg, "scale-bar"))
    scaled = scaled || t.find(" cm (both views)") != std::string::npos;
  EXPECT_TRUE(scaled);
  // With room to spare, every track is labelled by its name in both views.
  for (const char* view : {"top-view", "side-view"}) {
    for (const char* name : {"persp", "side", "sun", "bulb", "spot"})
      EXPECT_TRUE(hasText(svg, name, view)) << view << " " << name;
    expectLabelsClear(svg, view);
  }
}

TEST(AnimationPlot, AZUpSceneIsSeenFromAboveAndFromMinusY) {
  SvgDocument svg(plot(sampleAnimationBytes(true)));
  ASSERT_TRUE(svg.ok());
  const auto top = cameraPaths(svg, "top-view");
  ASSERT_EQ(top.size(), 2u);
  // "persp" starts at x = 10, "side" at x = -8: persp is further right.
  EXPECT_GT(top[0].front().x, top[1].front().x);
  // "side" moves toward +y, which is up the picture from above.
  EXPECT_LT(top[1].back().y, top[1].front().y);
  EXPECT_TRUE(hasText(svg, "y", "top-view"));
  const auto side = cameraPaths(svg, "side-view");
  ASSERT_EQ(side.size(), 2u);
  // Seen from the side, "side" moves straight at the viewer: its path stands still; "persp"
  // keeps its height, so its path is level, and higher than "side" (z = 3 against 1).
  EXPECT_EQ(side[1].front().x, side[1].back().x);
  EXPECT_EQ(side[1].front().y, side[1].back().y);
  for (const Point& p : side[0]) {
    EXPECT_EQ(p.y, side[0].front().y);
    EXPECT_LT(p.y, side[1].front().y);
  }
  EXPECT_TRUE(hasText(svg, "z", "side-view"));
}

TEST(AnimationPlot, AYUpSceneIsSeenFromAboveAndFromPlusZ) {
  SvgDocument svg(plot(sampleAnimationBytes(false)));
  ASSERT_TRUE(svg.ok());
  EXPECT_TRUE(hasText(svg, "z", "top-view"));
  EXPECT_FALSE(hasText(svg, "y", "top-view"));
  // "side" moves along y only, which points out of the view from above...
  const auto top = cameraPaths(svg, "top-view");
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(top[1].front().y, top[1].back().y);
  EXPECT_EQ(top[1].front().x, top[1].back().x);
  // ...and up the picture seen from the side.
  const auto side = cameraPaths(svg, "side-view");
  ASSERT_EQ(side.size(), 2u);
  EXPECT_LT(side[1].back().y, side[1].front().y);
  EXPECT_TRUE(hasText(svg, "y", "side-view"));
}

TEST(AnimationPlot, TheViewIsFramedOnWhatMovesNotOnFarStillCameras) {
  const std::string bytes = animationBytes(false, shotWithDefaultCameras());
  SvgDocument svg(plot(bytes));
  ASSERT_TRUE(svg.ok());
  const Box panel = panelOf(svg, "top-view");
  const auto paths = cameraPaths(svg, "top-view");
  ASSERT_EQ(paths.size(), 1u);  // only the dolly moves
  const Box dolly = extent(paths[0]);
  EXPECT_GT(dolly.right - dolly.left, 0.6 * (panel.right - panel.left));
  // "front", "side" and "persp" lie outside: a mark at the edge points to each, inside the
  // panel; "top" stands right above the set and is drawn where it is.
  const auto marks = svg.ofClass("polygon", "off-view-mark", "top-view");
  EXPECT_EQ(marks.size(), 3u);
  for (const auto& m : marks) {
    for (const Point& p : points(m.attr("points")))
      EXPECT_TRUE(inside(p, panel)) << p.x << "," << p.y;
  }
  EXPECT_EQ(svg.ofClass("circle", "camera-still", "top-view").size(), 1u);
  EXPECT_TRUE(hasText(svg, "C4 camera |side|sideShape, 48 keys, still", "legend"));
  EXPECT_TRUE(hasText(svg, "dolly", "top-view"));
  EXPECT_TRUE(hasText(svg, "lamp", "top-view"));
  for (const char* view : {"top-view", "side-view"})
    expectLabelsClear(svg, view);

  // Asked for everything, the view takes in the far cameras and the dolly shrinks to a few
  // picture units.
  SvgDocument all(plot(bytes, 0, {"--all-tracks"}));
  ASSERT_TRUE(all.ok());
  const Box small = extent(cameraPaths(all, "top-view").at(0));
  EXPECT_LT(small.right - small.left, 0.05 * (panel.right - panel.left));
  EXPECT_TRUE(all.ofClass("polygon", "off-view-mark", "top-view").empty());
  EXPECT_TRUE(hasText(all, "Framed on every track.", "legend"));
}

TEST(AnimationPlot, ManyLightsKeepTheirLabelsApartAndOffTheLines) {
  std::vector<SampleTrack> tracks = shotWithDefaultCameras();
  // Forty lamps on a grid two units apart, each nudged a little over the shot, and a camera
  // crossing the grid.
  for (int i = 0; i < 40; ++i) {
    SampleTrack lamp{"|lamp" + std::to_string(i) + "|lampShape" + std::to_string(i),
                     i % 3 == 0 ? LightKey::kSpot : LightKey::kPoint,
                     {}};
    const Vector3D at(-8 + 2 * (i % 8), 2 + (i % 2), -4 + 2 * (i / 8));
    for (int f = 1; f <= 4; ++f)
      lamp.keys.push_back({f, at + Vector3D(0.1 * f, 0, 0.05 * f), Vector3D(0, -1, 0.2)});
    tracks.push_back(lamp);
  }
  SampleTrack crane{"|crane|craneShape", 0, {}};
  for (int f = 1; f <= 30; ++f)
    crane.keys.push_back(
        {f, Vector3D(6 - f * 0.4, 1 + f * 0.3, -6 + f * 0.5), Vector3D(0, -1, -1)});
  tracks.push_back(crane);
  SvgDocument svg(plot(animationBytes(false, tracks)));
  ASSERT_TRUE(svg.ok());
  for (const char* view : {"top-view", "side-view"}) {
    // Far more labels than a blind placement could keep apart: names, legend keys and frame
    // numbers.
    EXPECT_GT(expectLabelsClear(svg, view), 20u) << view;
  }
  // Whatever found no room on the picture is still named in the legend.
  for (int i = 0; i < 40; ++i) {
    const std::string type = i % 3 == 0 ? "spot" : "point";
    const std::string key = "L" + std::to_string(i + 2);
    EXPECT_TRUE(hasText(
        svg,
        key + " " + type + " light |lamp" + std::to_string(i) + "|lampShape" + std::to_string(i),
        "legend"))
        << i;
  }
}

TEST(AnimationPlot, CameraPathsShowFrameNumbersTravelAndViewPyramids) {
  SvgDocument svg(plot(straightDolly()));
  ASSERT_TRUE(svg.ok());
  // Frames 1 to 48: numbers every ten frames, and the first and last.
  for (const char* frame : {"1", "10", "20", "30", "40", "48"})
    EXPECT_TRUE(hasText(svg, frame, "top-view")) << frame;
  EXPECT_FALSE(hasText(svg, "5", "top-view"));
  // An arrowhead between each two numbers, pointing the way the camera goes (+x, right):
  // the tip is the polygon's first point.
  const auto travel = svg.ofClass("polygon", "travel", "top-view");
  EXPECT_EQ(travel.size(), 5u);
  for (const auto& t : travel) {
    const auto ps = points(t.attr("points"));
    ASSERT_EQ(ps.size(), 3u);
    EXPECT_GT(ps[0].x, ps[1].x);
    EXPECT_GT(ps[0].x, ps[2].x);
  }
  // A long path: pyramids at the first and last key and three between. The camera looks
  // along +y, up the picture from above: the pyramids open upward from the path.
  const auto pyramids = svg.ofClass("polygon", "frustum-far", "top-view");
  EXPECT_EQ(pyramids.size(), 5u);
  const double pathY = cameraPaths(svg, "top-view").at(0).front().y;
  for (const auto& p : pyramids) {
    for (const Point& corner : points(p.attr("points")))
      EXPECT_LT(corner.y, pathY - 5);
  }
  // The window is 4:3 and the near plane 0.1 from the eye: a pyramid 0.07 views deep is
  // 0.07 × 0.09144 / 0.1 views wide at its far end.
  const Box panel = panelOf(svg, "top-view");
  const Box far = extent(points(pyramids[0].attr("points")));
  EXPECT_NEAR(far.right - far.left, (panel.right - panel.left) * 0.07 * 0.9144, 0.5);

  // A short path shows its pyramid at both ends only.
  SvgDocument small(plot(sampleAnimationBytes(true)));
  ASSERT_TRUE(small.ok());
  EXPECT_EQ(small.ofClass("polygon", "frustum-far", "top-view").size(), 4u);
}

TEST(AnimationPlot, TheScaleBarMeasuresTheDrawing) {
  SvgDocument svg(plot(straightDolly()));
  ASSERT_TRUE(svg.ok());
  const auto path = cameraPaths(svg, "top-view").at(0);
  const double perUnit = (path.back().x - path.front().x) / 47.0;  // the camera goes 47 units
  ASSERT_GT(perUnit, 0);
  const auto bar = svg.all("rect", "scale-bar");
  ASSERT_EQ(bar.size(), 1u);
  const auto label = texts(svg, "scale-bar");
  ASSERT_EQ(label.size(), 1u);
  const double units = std::stod(label[0]);
  EXPECT_NEAR(std::stod(bar[0].attr("width")), units * perUnit, 0.05);
  // A round length, a good part of a view.
  EXPECT_TRUE(units == 10 || units == 20 || units == 50) << units;
}

TEST(AnimationPlot, AFrameRangeLimitsTheKeysShown) {
  SvgDocument svg(plot(straightDolly(), 0, {"--frames", "10:20"}));
  ASSERT_TRUE(svg.ok());
  const auto path = cameraPaths(svg, "top-view");
  ASSERT_EQ(path.size(), 1u);
  EXPECT_EQ(path[0].size(), 11u);
  for (const std::string& t : texts(svg, "top-view")) {
    if (!t.empty() && t.find_first_not_of("0123456789") == std::string::npos) {
      EXPECT_GE(std::stoi(t), 10);
      EXPECT_LE(std::stoi(t), 20);
    }
  }
  EXPECT_TRUE(hasText(svg, "10", "top-view"));
  EXPECT_TRUE(hasText(svg, "20", "top-view"));
  bool headed = false;
  for (const std::string& t : texts(svg))
    headed = headed || t.find("frames 10 to 20") != std::string::npos;
  EXPECT_TRUE(headed);

  // Negative frames, and a range the file has no keys in: still a valid picture.
  SvgDocument before(plot(sampleAnimationBytes(true), 0, {"--frames", "-2:-1"}));
  ASSERT_TRUE(before.ok());
  ASSERT_EQ(cameraPaths(before, "top-view").size(), 1u);  // only "persp" has keys there
  EXPECT_EQ(cameraPaths(before, "top-view")[0].size(), 2u);
  SvgDocument none(plot(straightDolly(), 0, {"--frames", "100:200"}));
  ASSERT_TRUE(none.ok());
  EXPECT_TRUE(none.all("path").empty());
  EXPECT_TRUE(hasText(none, "C1 camera |cam|camShape, 48 keys, none in the frames shown"));
}

TEST(AnimationPlot, NamesWithMarkupAndBadBytesAreEscaped) {
  const std::string name = "a<b>&\"c\" 'd'\x01\xFF</text>";
  const std::string text = plot(sampleAnimationBytes(true, name));
  SvgDocument svg(text);
  ASSERT_TRUE(svg.ok()) << text.substr(0, 3000);
  EXPECT_TRUE(
      hasText(svg, "C1 camera a<b>&\"c\" 'd'\xEF\xBF\xBD\xEF\xBF\xBD</text>, 5 keys", "legend"));
  EXPECT_EQ(svg.all("path").size(), 4u);
}

TEST(AnimationPlot, NonFiniteKeysAreLeftOutAndTheFileCountsAsDamaged) {
  std::string bytes = sampleAnimationBytes(true);
  // The first camera key's plane origin x (after the header, list, tag, class name, track
  // version, key count and key version) becomes NaN.
  const std::size_t originX = 6 + 1 + 4 + 1 + 23 + 1 + 4 + 1;
  const std::string nan("\x00\x00\x00\x00\x00\x00\xF8\x7F", 8);
  bytes.replace(originX, 8, nan);
  const std::string text = plot(bytes, 1);
  SvgDocument svg(text);
  ASSERT_TRUE(svg.ok());
  ASSERT_EQ(cameraPaths(svg, "top-view").size(), 2u);
  EXPECT_EQ(cameraPaths(svg, "top-view")[0].size(), 4u);
  EXPECT_EQ(text.find("nan"), std::string::npos);
}
