#include "tools/vxrinfo/plot/AnimationPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "anim_model/LightKey.h"
#include "tools/vxrinfo/files/AnimationFile.h"
#include "tools/vxrinfo/plot/LabelPlacer.h"
#include "tools/vxrinfo/text/NumberText.h"
#include "tools/vxrinfo/text/SvgWriter.h"

namespace {

constexpr double kPanel = 440.0;  // each view is a square this wide
constexpr double kGap = 36.0;     // between the views
constexpr double kMargin = 24.0;
constexpr double kHeader = 58.0;  // the picture's title and the views' titles
constexpr double kFooter = 52.0;  // the scale bar
constexpr double kLegendLine = 17.0;
constexpr double kCompass = 48.0;  // directional lights point from this far inside a corner
constexpr double kNameSize = 11.0;
constexpr double kFrameSize = 9.0;
constexpr double kPadding = 1.15;           // room around what the view is framed on
constexpr double kFrustumDepth = 0.07;      // view pyramids, as a part of the view's span
constexpr std::size_t kMaxLegendName = 64;  // longer names are shortened in the middle
constexpr int kFrameIntervals = 6;          // about this many frame numbers along a path
constexpr std::size_t kLongPath = 12;       // from this many keys, pyramids also between

const char* const kCameraColours[] = {"#1f77b4", "#2ca02c", "#9467bd", "#17becf",
                                      "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22"};
const char* const kLightColours[] = {"#ff7f0e", "#d62728", "#e6a800", "#a0522d"};

const char* const kLegendNotes[] = {"Cameras: a dot where each starts, frame numbers and",
                                    "arrowheads along its way, its view pyramid at the first",
                                    "and last key. Lights: where they are, a dashed line where",
                                    "they go, a spot light's beam; a directional light points",
                                    "from the upper right corner toward the light."};

std::string num(double v) {
  return SvgWriter::number(v);
}

std::string cameraColour(std::size_t i) {
  return kCameraColours[i % 8];
}
std::string lightColour(std::size_t i) {
  return kLightColours[i % 4];
}

std::string middleShortened(const std::string& text) {
  if (text.size() <= kMaxLegendName)
    return text;
  std::size_t head = kMaxLegendName / 2 - 1;
  std::size_t tail = text.size() - (kMaxLegendName - head - 1);
  // Cut between UTF-8 characters, never inside one.
  while (head > 0 && (static_cast<unsigned char>(text[head]) & 0xC0) == 0x80)
    --head;
  while (tail < text.size() && (static_cast<unsigned char>(text[tail]) & 0xC0) == 0x80)
    ++tail;
  return text.substr(0, head) + "\xE2\x80\xA6" + text.substr(tail);
}

// The picture of one view of the scene: the scene's plane seen along one axis, mapped to a
// square panel. `a` runs to the right, `b` down the picture.
struct View {
  bool upAxisIsZ = false;
  bool fromSide = false;
  double left = 0.0;  // the panel's place in the picture
  double top = 0.0;
  double centreA = 0.0;
  double centreB = 0.0;
  double scale = 1.0;  // picture units per scene unit

  double a(const Vector3D& v) const { return v.x; }
  double b(const Vector3D& v) const {
    if (fromSide)
      return upAxisIsZ ? -v.z : -v.y;
    return upAxisIsZ ? -v.y : v.z;
  }
  double x(const Vector3D& v) const { return left + kPanel / 2 + (a(v) - centreA) * scale; }
  double y(const Vector3D& v) const { return top + kPanel / 2 + (b(v) - centreB) * scale; }
  PlotRect panel() const { return {left, top, left + kPanel, top + kPanel}; }
  bool shows(double px, double py) const {
    return px >= left && px <= left + kPanel && py >= top && py <= top + kPanel;
  }
  const char* rightAxis() const { return "x"; }
  const char* downAxis() const {
    if (fromSide)
      return upAxisIsZ ? "z" : "y";
    return upAxisIsZ ? "y" : "z";
  }
  bool downAxisPointsUp() const { return fromSide || upAxisIsZ; }
  std::string title() const {
    if (fromSide)
      return upAxisIsZ ? "From the side (-y): x right, z up" : "From the side (+z): x right, y up";
    return upAxisIsZ ? "From above (+z): x right, y up" : "From above (+y): x right, z down";
  }
};

// A label waiting for its place: drawn after everything else, in order of importance.
struct PendingLabel {
  double x = 0.0;
  double y = 0.0;
  std::string text;
  std::string fallback;  // a shorter text when `text` finds no room; empty for none
  std::string colour;
  double size = kNameSize;
  double reach = 90.0;
  int rank = 0;  // lower ranks are placed first
};

// Ranks of labels: names of what moves come first, frame numbers last.
constexpr int kMovingName = 0;
constexpr int kStillName = 1;
constexpr int kFrameNumber = 2;

class Plotter {
 public:
  Plotter(const PlotScene& scene, const AnimationPlotOptions& options, TextSink& out)
      : scene_(scene), options_(options), svg_(out) {}

  void write() {
    frameViews();
    const std::vector<std::string> legend = legendLines();
    double legendWidth = 0.0;
    for (const std::string& line : legend)
      legendWidth = std::max(legendWidth, estimatedTextWidth(line, kNameSize) + 20);
    for (const char* line : kLegendNotes)
      legendWidth = std::max(legendWidth, estimatedTextWidth(line, kNameSize));
    const double legendLeft = kMargin + 2 * kPanel + kGap + kGap;
    const double width = legendLeft + legendWidth + kMargin;
    const double height = std::max(kHeader + kPanel + kFooter + kMargin,
                                   kHeader + kLegendLine * (legend.size() + 10) + kMargin);
    svg_.beginDocument(width, height, {{"font-family", "sans-serif"}, {"font-size", kNameSize}});
    svg_.textElement("title", {}, heading());
    svg_.element("rect",
                 {{"x", 0.0}, {"y", 0.0}, {"width", width}, {"height", height}, {"fill", "white"}});
    text(kMargin, kMargin + 4, heading(), "black", 14, {{"font-weight", "bold"}});
    for (int i = 0; i < 2; ++i)
      writeView(views_[i], i == 0 ? "top-view" : "side-view");
    writeScaleBar();
    writeLegend(legendLeft, legend);
    svg_.endDocument();
  }

 private:
  std::string heading() const {
    std::string s = "Cameras and lights, ";
    if (options_.frameRange) {
      s += "frames " + std::to_string(options_.firstFrame) + " to " +
           std::to_string(options_.lastFrame);
    } else {
      std::int32_t first = 0;
      std::int32_t last = 0;
      s += frameSpan(first, last)
               ? "frames " + std::to_string(first) + " to " + std::to_string(last)
               : std::string("no keys");
    }
    return s + " (" + (scene_.upAxisIsZ ? "z" : "y") + " up)";
  }

  bool frameSpan(std::int32_t& first, std::int32_t& last) const {
    bool any = false;
    auto take = [&](std::int32_t f) {
      first = any ? std::min(first, f) : f;
      last = any ? std::max(last, f) : f;
      any = true;
    };
    for (const PlotCamera& c : scene_.cameras) {
      for (const PlotCameraKey& k : c.keys)
        take(k.frame);
    }
    for (const PlotLight& l : scene_.lights) {
      for (const PlotLightKey& k : l.keys)
        take(k.frame);
    }
    return any;
  }

  // Both views at one scale, each centred on what it is framed on.
  void frameViews() {
    for (int i = 0; i < 2; ++i) {
      View& v = views_[i];
      v.upAxisIsZ = scene_.upAxisIsZ;
      v.fromSide = i == 1;
      v.left = kMargin + i * (kPanel + kGap);
      v.top = kHeader;
    }
    const PlotBox& box = scene_.framed;
    const Vector3D low = box.empty ? Vector3D() : box.min;
    const Vector3D high = box.empty ? Vector3D() : box.max;
    double span = 0.0;
    for (View& v : views_) {
      // The box's corners seen in this view.
      double minA = v.a(low), maxA = v.a(high);
      double minB = std::min(v.b(low), v.b(high)), maxB = std::max(v.b(low), v.b(high));
      v.centreA = (minA + maxA) / 2;
      v.centreB = (minB + maxB) / 2;
      span = std::max({span, maxA - minA, maxB - minB});
    }
    if (!(span > 0.0) || !std::isfinite(span))
      span = 10.0;  // one point (or none): a view ten units wide around it
    span_ = span * kPadding;
    for (View& v : views_)
      v.scale = kPanel / span_;
  }

  // --- drawing primitives

  void text(double x, double y, const std::string& s, const std::string& colour, double size,
            const SvgWriter::Attributes& extra = {}) {
    svg_.textElement(
        "text",
        SvgWriter::Attributes{{"x", x}, {"y", y}, {"font-size", size}, {"fill", colour}} + extra,
        s);
  }

  void line(double x0, double y0, double x1, double y1, const std::string& colour, const char* cls,
            const SvgWriter::Attributes& extra = {}) {
    svg_.element(
        "line",
        SvgWriter::Attributes{
            {"class", cls}, {"x1", x0}, {"y1", y0}, {"x2", x1}, {"y2", y1}, {"stroke", colour}} +
            extra);
  }
  // A line that labels must keep clear of.
  void solidLine(double x0, double y0, double x1, double y1, const std::string& colour,
                 const char* cls, const SvgWriter::Attributes& extra = {}) {
    line(x0, y0, x1, y1, colour, cls, extra);
    placer_->blockSegment(x0, y0, x1, y1);
  }

  void circle(double x, double y, double r, const std::string& fill, const char* cls,
              const SvgWriter::Attributes& extra = {}) {
    svg_.element(
        "circle",
        SvgWriter::Attributes{{"class", cls}, {"cx", x}, {"cy", y}, {"r", r}, {"fill", fill}} +
            extra);
    placer_->blockRect({x - r - 1, y - r - 1, x + r + 1, y + r + 1});
  }

  // An arrowhead with its tip at (x, y) pointing along (dx, dy), in picture units.
  void head(double x, double y, double dx, double dy, double size, const std::string& colour,
            const char* cls) {
    const double norm = std::hypot(dx, dy);
    if (!(norm > 1e-9))
      return;
    dx /= norm;
    dy /= norm;
    const double w = size / 2;
    svg_.element("polygon",
                 {{"class", cls},
                  {"points", num(x) + "," + num(y) + " " + num(x - dx * size - dy * w) + "," +
                                 num(y - dy * size + dx * w) + " " + num(x - dx * size + dy * w) +
                                 "," + num(y - dy * size - dx * w)},
                  {"fill", colour}});
    placer_->blockRect({x - size, y - size, x + size, y + size});
  }

  // --- one view

  void writeView(const View& view, const char* id) {
    LabelPlacer placer(
        {view.left + 2, view.top + 2, view.left + kPanel - 2, view.top + kPanel - 2});
    placer_ = &placer;
    labels_.clear();
    svg_.begin("g", {{"id", id}});
    text(view.left, view.top - 8, view.title(), "#333333", 12);
    const std::string clip = std::string(id) + "-clip";
    const SvgWriter::Attributes panel{
        {"x", view.left}, {"y", view.top}, {"width", kPanel}, {"height", kPanel}};
    svg_.begin("clipPath", {{"id", clip}});
    svg_.element("rect", panel);
    svg_.end();
    svg_.element("rect", SvgWriter::Attributes{{"class", "panel"}} + panel +
                             SvgWriter::Attributes{{"fill", "#fcfcfc"}, {"stroke", "#999999"}});
    svg_.begin("g", {{"clip-path", "url(#" + clip + ")"}});
    writeGrid(view);
    for (std::size_t i = 0; i < scene_.lights.size(); ++i)
      writeLight(view, scene_.lights[i], i);
    for (std::size_t i = 0; i < scene_.cameras.size(); ++i)
      writeCamera(view, scene_.cameras[i], i);
    svg_.end();
    writeAxes(view);
    writeLabels();
    svg_.end();
    placer_ = nullptr;
  }

  // Faint lines every scale-bar step, darker through the origin.
  void writeGrid(const View& view) {
    const double step = niceStep(span_ / 8);
    svg_.begin("g", {{"class", "grid"}, {"stroke-width", 0.5}});
    const double halfSpan = kPanel / 2 / view.scale;
    for (int axis = 0; axis < 2; ++axis) {
      const double centre = axis == 0 ? view.centreA : view.centreB;
      const double from = std::ceil((centre - halfSpan) / step);
      const double to = std::floor((centre + halfSpan) / step);
      if (!(to - from < 100))
        continue;
      for (double n = from; n <= to; ++n) {
        const double value = n * step;
        const double p = axis == 0 ? view.left + kPanel / 2 + (value - view.centreA) * view.scale
                                   : view.top + kPanel / 2 + (value - view.centreB) * view.scale;
        const std::string colour = n == 0 ? "#bbbbbb" : "#eeeeee";
        if (axis == 0)
          line(p, view.top, p, view.top + kPanel, colour, "grid-line");
        else
          line(view.left, p, view.left + kPanel, p, colour, "grid-line");
      }
    }
    svg_.end();
  }

  // Two small arrows in the panel's lower left corner name the axes shown.
  void writeAxes(const View& view) {
    const double x = view.left + 14;
    const double y = view.top + kPanel - 14;
    const double length = 34;
    svg_.begin("g", {{"class", "axes"}});
    solidLine(x, y, x + length, y, "#444444", "axis");
    head(x + length, y, 1, 0, 7, "#444444", "axis-head");
    text(x + length + 4, y + 4, view.rightAxis(), "#444444", kNameSize);
    placer_->blockRect({x + length + 2, y - 8, x + length + 14, y + 6});
    const double dy = view.downAxisPointsUp() ? -length : length;
    if (!view.downAxisPointsUp()) {
      // A downward axis would leave the panel: it starts higher.
      solidLine(x, y - length, x, y, "#444444", "axis");
      head(x, y, 0, 1, 7, "#444444", "axis-head");
      text(x + 5, y - length + 4, view.downAxis(), "#444444", kNameSize);
      placer_->blockRect({x + 3, y - length - 8, x + 15, y - length + 6});
    } else {
      solidLine(x, y, x, y + dy, "#444444", "axis");
      head(x, y + dy, 0, -1, 7, "#444444", "axis-head");
      text(x + 5, y + dy + 4, view.downAxis(), "#444444", kNameSize);
      placer_->blockRect({x + 3, y + dy - 8, x + 15, y + dy + 6});
    }
    svg_.end();
  }

  // A still track whose place the view does not show: a small mark on the panel's edge,
  // pointing toward it.
  bool markOffView(const View& view, double x, double y, const std::string& colour,
                   const std::string& name, const std::string& key) {
    if (view.shows(x, y))
      return false;
    const double inset = 8;
    const double ex = std::clamp(x, view.left + inset, view.left + kPanel - inset);
    const double ey = std::clamp(y, view.top + inset, view.top + kPanel - inset);
    svg_.begin("g", {{"class", "off-view"}});
    head(ex + (x - ex) / std::hypot(x - ex, y - ey) * 4,
         ey + (y - ey) / std::hypot(x - ex, y - ey) * 4, x - ex, y - ey, 8, colour,
         "off-view-mark");
    svg_.end();
    labels_.push_back({ex, ey, name, key, colour, kNameSize, 30, kStillName});
    return true;
  }

  // --- cameras

  void writePyramid(const View& view, const PlotCameraKey& key, const std::string& colour) {
    PlotFrustum f;
    if (!frustumOf(key, span_ * kFrustumDepth, f))
      return;
    std::string points;
    for (int i = 0; i < 4; ++i)
      points += (i ? " " : "") + num(view.x(f.far[i])) + "," + num(view.y(f.far[i]));
    svg_.begin("g", {{"class", "frustum"}});
    svg_.element("polygon", {{"class", "frustum-far"},
                             {"points", points},
                             {"fill", colour},
                             {"fill-opacity", 0.12},
                             {"stroke", colour},
                             {"stroke-width", 0.8}});
    for (int i = 0; i < 4; ++i) {
      solidLine(view.x(f.near[i]), view.y(f.near[i]), view.x(f.far[i]), view.y(f.far[i]), colour,
                "frustum-edge", {{"stroke-width", 0.8}});
      const int j = (i + 1) % 4;
      placer_->blockSegment(view.x(f.far[i]), view.y(f.far[i]), view.x(f.far[j]), view.y(f.far[j]));
    }
    svg_.end();
  }

  void writeCamera(const View& view, const PlotCamera& camera, std::size_t index) {
    if (camera.keys.empty())
      return;
    const std::string colour = cameraColour(index);
    const std::string key = "C" + std::to_string(index + 1);
    const std::string name = shortTrackName(camera.name);
    const PlotCameraKey& first = camera.keys.front();
    svg_.begin("g", {{"class", "camera"}});
    if (!camera.moves) {
      if (!markOffView(view, view.x(first.eye), view.y(first.eye), colour, name, key)) {
        writePyramid(view, first, colour);
        circle(view.x(first.eye), view.y(first.eye), 3, "white", "camera-still",
               {{"stroke", colour}, {"stroke-width", 1.5}});
        labels_.push_back(
            {view.x(first.eye), view.y(first.eye), name, key, colour, kNameSize, 90, kStillName});
      }
      svg_.end();
      return;
    }
    std::string d;
    for (std::size_t n = 0; n < camera.keys.size(); ++n) {
      const Vector3D& eye = camera.keys[n].eye;
      d += (n == 0 ? "M " : " L ") + num(view.x(eye)) + " " + num(view.y(eye));
      if (n > 0) {
        const Vector3D& before = camera.keys[n - 1].eye;
        placer_->blockSegment(view.x(before), view.y(before), view.x(eye), view.y(eye));
      }
    }
    svg_.element("path", {{"class", "camera-path"},
                          {"d", d},
                          {"fill", "none"},
                          {"stroke", colour},
                          {"stroke-width", 2.0},
                          {"stroke-linejoin", "round"}});
    const std::vector<std::size_t> ticks = frameNumberKeys(camera, kFrameIntervals);
    for (std::size_t k : pyramidKeys(camera.keys.size(), ticks, kLongPath))
      writePyramid(view, camera.keys[k], colour);
    writeTravel(view, camera, ticks, colour);
    circle(view.x(first.eye), view.y(first.eye), 4.5, colour, "camera-start");
    labels_.push_back({view.x(first.eye), view.y(first.eye), name, key, colour});
    for (std::size_t t = 0; t < ticks.size(); ++t) {
      const PlotCameraKey& k = camera.keys[ticks[t]];
      if (t > 0)
        circle(view.x(k.eye), view.y(k.eye), 2, colour, "frame-tick");
      labels_.push_back({view.x(k.eye), view.y(k.eye), std::to_string(k.frame), "", colour,
                         kFrameSize, 18, kFrameNumber});
    }
    svg_.end();
  }

  // Arrowheads on the path, halfway between frame numbers, pointing the way the camera goes.
  void writeTravel(const View& view, const PlotCamera& camera, const std::vector<std::size_t> ticks,
                   const std::string& colour) {
    for (std::size_t t = 0; t + 1 < ticks.size(); ++t) {
      // The longest step of the stretch's middle part carries the arrow: a tiny step would
      // give it no direction.
      const std::size_t from = ticks[t];
      const std::size_t to = ticks[t + 1];
      const std::size_t middle = (from + to) / 2;
      std::size_t best = middle;
      double bestLength = -1;
      for (std::size_t k = std::max(from, middle == from ? from : middle - 1);
           k < std::min(to, middle + 1); ++k) {
        const Vector3D& p = camera.keys[k].eye;
        const Vector3D& q = camera.keys[k + 1].eye;
        const double length = std::hypot(view.x(q) - view.x(p), view.y(q) - view.y(p));
        if (length > bestLength) {
          bestLength = length;
          best = k;
        }
      }
      if (bestLength < 0.5 || best + 1 >= camera.keys.size())
        continue;
      const Vector3D& p = camera.keys[best].eye;
      const Vector3D& q = camera.keys[best + 1].eye;
      const double dx = view.x(q) - view.x(p);
      const double dy = view.y(q) - view.y(p);
      // Tip just past the middle of the step, so the head sits on the line.
      head(view.x(p) + dx * 0.5 + dx / bestLength * 4.5,
           view.y(p) + dy * 0.5 + dy / bestLength * 4.5, dx, dy, 9, colour, "travel");
    }
  }

  // --- lights

  void writeLight(const View& view, const PlotLight& light, std::size_t index) {
    if (light.keys.empty())
      return;
    const std::string colour = lightColour(index);
    const std::string key = "L" + std::to_string(index + 1);
    const std::string name = shortTrackName(light.name);
    const PlotLightKey& first = light.keys.front();
    svg_.begin("g", {{"class", "light"}});
    if (light.type == LightKey::kDirectional) {
      // From a point in the view's upper right corner toward the light, as long as the
      // direction's part in the view's plane: a light straight along the view shows as a dot.
      const double cx = view.left + kPanel - kCompass;
      const double cy = view.top + kCompass;
      const double dx = view.a(first.position);
      const double dy = view.b(first.position);
      const double norm = std::hypot(dx, dy);
      const double length = std::min(norm, 1.0) * (kCompass - 12);
      if (length > 4) {
        const double tx = cx + dx / norm * length;
        const double ty = cy + dy / norm * length;
        solidLine(cx, cy, tx, ty, colour, "light-direction", {{"stroke-width", 1.5}});
        head(tx, ty, dx, dy, 8, colour, "light-direction-head");
        labels_.push_back({tx, ty, name, key, colour, kNameSize, 40, kMovingName});
      } else {
        circle(cx, cy, 3, colour, "light-direction-along-view");
        labels_.push_back({cx, cy, name, key, colour, kNameSize, 40, kMovingName});
      }
      svg_.end();
      return;
    }
    const double x = view.x(first.position);
    const double y = view.y(first.position);
    if (!light.moves && markOffView(view, x, y, colour, name, key)) {
      svg_.end();
      return;
    }
    if (light.moves) {
      std::string points;
      for (std::size_t k = 0; k < light.keys.size(); ++k) {
        const Vector3D& p = light.keys[k].position;
        points += (k ? " " : "") + num(view.x(p)) + "," + num(view.y(p));
        if (k > 0) {
          const Vector3D& q = light.keys[k - 1].position;
          placer_->blockSegment(view.x(q), view.y(q), view.x(p), view.y(p));
        }
      }
      svg_.element("polyline", {{"class", "light-path"},
                                {"points", points},
                                {"fill", "none"},
                                {"stroke", colour},
                                {"stroke-dasharray", "4 3"}});
      const Vector3D& end = light.keys.back().position;
      circle(view.x(end), view.y(end), 3, "white", "light-end",
             {{"stroke", colour}, {"stroke-width", 1.5}});
    }
    if (light.type == LightKey::kSpot) {
      // The beam, as deep as a camera's view pyramid.
      const Vector3D beam = (first.target - first.position).normalised() * (span_ * kFrustumDepth);
      const Vector3D tip = first.position + beam;
      solidLine(x, y, view.x(tip), view.y(tip), colour, "spot-beam", {{"stroke-dasharray", "2 2"}});
    }
    circle(x, y, light.moves ? 6 : 4.5, colour, "light-position",
           {{"stroke", "black"}, {"stroke-width", 0.5}});
    labels_.push_back(
        {x, y, name, key, colour, kNameSize, 90, light.moves ? kMovingName : kStillName});
    svg_.end();
  }

  // --- labels

  void writeLabels() {
    svg_.begin("g", {{"class", "labels"},
                     {"stroke", "white"},
                     {"stroke-width", 3.0},
                     {"paint-order", "stroke"},
                     {"stroke-linejoin", "round"}});
    std::stable_sort(labels_.begin(), labels_.end(),
                     [](const PendingLabel& a, const PendingLabel& b) { return a.rank < b.rank; });
    for (const PendingLabel& label : labels_) {
      if (!place(label, label.text))
        place(label, label.fallback);
    }
    svg_.end();
  }

  bool place(const PendingLabel& label, const std::string& s) {
    if (s.empty())
      return false;
    LabelPlacer::Placement where;
    const double height = label.size + 2;
    if (!placer_->place(label.x, label.y, estimatedTextWidth(s, label.size), height, label.reach,
                        where))
      return false;
    if (where.leader) {
      line(label.x, label.y, where.leaderX, where.leaderY, label.colour, "leader",
           {{"stroke-width", 0.6}});
    }
    text(where.box.left + 1, where.box.top + 1 + label.size * 0.8, s, label.colour, label.size);
    return true;
  }

  // --- scale bar and legend

  void writeScaleBar() {
    const double length = niceStep(span_ / 5);
    const double pixels = length * views_[0].scale;
    const double x = kMargin;
    const double y = kHeader + kPanel + 24;
    svg_.begin("g", {{"id", "scale-bar"}});
    svg_.element("rect",
                 {{"x", x}, {"y", y - 4}, {"width", pixels}, {"height", 4.0}, {"fill", "#333333"}});
    line(x, y - 8, x, y + 2, "#333333", "scale-tick");
    line(x + pixels, y - 8, x + pixels, y + 2, "#333333", "scale-tick");
    text(x + pixels + 8, y + 1, formatShort(length, 6) + " cm (both views)", "#333333", kNameSize,
         {{"class", "scale-label"}});
    svg_.end();
  }

  std::vector<std::string> legendLines() const {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < scene_.cameras.size(); ++i) {
      const PlotCamera& c = scene_.cameras[i];
      std::string s = "C" + std::to_string(i + 1) + " camera " + middleShortened(c.name) + ", " +
                      std::to_string(c.fileKeyCount) + (c.fileKeyCount == 1 ? " key" : " keys");
      if (c.keys.empty())
        s += c.fileKeyCount > 0 ? ", none in the frames shown" : "";
      else if (!c.moves)
        s += ", still";
      lines.push_back(s);
    }
    for (std::size_t i = 0; i < scene_.lights.size(); ++i) {
      const PlotLight& l = scene_.lights[i];
      std::string s = "L" + std::to_string(i + 1) + " " +
                      (l.fileKeyCount > 0 ? lightTypeLabel(l.type) : std::string("no keys")) +
                      " light " + middleShortened(l.name);
      if (l.fileKeyCount > 0 && l.keys.empty())
        s += ", no keys in the frames shown";
      else if (!l.keys.empty() && !l.moves)
        s += ", still";
      lines.push_back(s);
    }
    return lines;
  }

  void writeLegend(double x, const std::vector<std::string>& lines) {
    double y = kHeader;
    svg_.begin("g", {{"id", "legend"}});
    if (scene_.framedOnAll) {
      text(x, y, "Framed on every track.", "#333333", kNameSize);
    } else {
      text(x, y, "Framed on what moves; a mark at the edge", "#333333", kNameSize);
      y += kLegendLine;
      text(x, y, "points toward a still track outside.", "#333333", kNameSize);
    }
    y += kLegendLine * 1.5;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const bool isCamera = i < scene_.cameras.size();
      const std::string colour =
          isCamera ? cameraColour(i) : lightColour(i - scene_.cameras.size());
      if (isCamera) {
        svg_.element("rect",
                     {{"x", x}, {"y", y - 7}, {"width", 14.0}, {"height", 4.0}, {"fill", colour}});
      } else {
        svg_.element("circle", {{"cx", x + 7}, {"cy", y - 4}, {"r", 5.0}, {"fill", colour}});
      }
      text(x + 20, y, lines[i], "black", kNameSize);
      y += kLegendLine;
    }
    y += kLegendLine / 2;
    for (const char* note : kLegendNotes) {
      text(x, y, note, "#555555", kNameSize);
      y += kLegendLine;
    }
    svg_.end();
  }

  const PlotScene& scene_;
  const AnimationPlotOptions& options_;
  SvgWriter svg_;
  View views_[2];
  double span_ = 1.0;  // scene units across a view
  LabelPlacer* placer_ = nullptr;
  std::vector<PendingLabel> labels_;
};

}  // namespace

void writeAnimationPlot(const AnimationDocument& document, const AnimationPlotOptions& options,
                        TextSink& out) {
  const PlotScene scene = buildPlotScene(document, options);
  Plotter(scene, options, out).write();
}
