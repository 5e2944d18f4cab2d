#include "tools/vxrinfo/AnimationPlot.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "anim_model/AnimationDocument.h"
#include "anim_model/LightKey.h"
#include "tools/vxrinfo/AnimationFile.h"
#include "tools/vxrinfo/NumberText.h"
#include "tools/vxrinfo/TextSink.h"
#include "tools/vxrinfo/XmlText.h"

namespace {

constexpr double kPlotSize = 600.0;  // the drawing area, square
constexpr double kMargin = 40.0;     // around the drawing area
constexpr double kLegendWidth = 300.0;
constexpr double kLegendLine = 20.0;
constexpr int kMaxArrowsPerCamera = 16;

const char* const kCameraColours[] = {"#1f77b4", "#2ca02c", "#9467bd", "#17becf",
                                      "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22"};
const char* const kLightColours[] = {"#ff7f0e", "#d62728", "#e6a800", "#a0522d"};

// A point on the ground plane: a to the right, b down the picture.
struct Flat {
  double a = 0.0;
  double b = 0.0;
};

bool finite(const Vector3D& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

std::string num(double v) {
  return formatShort(v, 2);
}

class Plotter {
 public:
  Plotter(const AnimationDocument& document, TextSink& out) : doc_(document), out_(out) {}

  void write() {
    findBounds();
    const int entries = doc_.cameras.trackCount() + doc_.lights.trackCount() + 3;
    const double height = std::max(kPlotSize + 2 * kMargin, kMargin + kLegendLine * (entries + 1));
    const double width = kPlotSize + 2 * kMargin + kLegendWidth;
    out_.put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    out_.put("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(width) + "\" height=\"" +
             num(height) + "\" viewBox=\"0 0 " + num(width) + " " + num(height) +
             "\" font-family=\"sans-serif\" font-size=\"12\">\n");
    out_.put(std::string("<title>Animation seen from above (") + (doc_.upAxisIsZ ? "z" : "y") +
             " up)</title>\n");
    out_.put("<rect x=\"0\" y=\"0\" width=\"" + num(width) + "\" height=\"" + num(height) +
             "\" fill=\"white\"/>\n");
    writeAxes();
    writeCameras();
    writeLights();
    writeLegend();
    out_.put("</svg>\n");
  }

 private:
  Flat flatten(const Vector3D& v) const {
    if (doc_.upAxisIsZ)
      return {v.x, -v.y};
    return {v.x, v.z};
  }
  static Vector3D eyeOf(const CameraKey& key) {
    const GViewportPlaneInfo& plane = key.projector.plane;
    return plane.origin - plane.direction * key.projector.eyeOffset.z;
  }

  void include(const Vector3D& v) {
    if (!finite(v))
      return;
    const Flat f = flatten(v);
    if (!any_) {
      minA_ = maxA_ = f.a;
      minB_ = maxB_ = f.b;
      any_ = true;
      return;
    }
    minA_ = std::min(minA_, f.a);
    maxA_ = std::max(maxA_, f.a);
    minB_ = std::min(minB_, f.b);
    maxB_ = std::max(maxB_, f.b);
  }

  void findBounds() {
    include(Vector3D(0, 0, 0));  // the origin, so the axes are always in the picture
    for (int i = 0; i < doc_.cameras.trackCount(); ++i) {
      const VXRAnimation_Camera& track = *doc_.cameras.track(i);
      for (int k = 0; k < track.keyCount(); ++k)
        include(eyeOf(*track.key(k)));
    }
    for (int i = 0; i < doc_.lights.trackCount(); ++i) {
      const VXRAnimation_Light& track = *doc_.lights.track(i);
      for (int k = 0; k < track.keyCount(); ++k) {
        const LightKey& key = *track.key(k);
        if (key.type == LightKey::kDirectional)
          continue;
        include(key.position);
        if (key.type == LightKey::kSpot)
          include(key.target);
      }
    }
    double span = std::max(maxA_ - minA_, maxB_ - minB_);
    if (!(span > 0.0) || !std::isfinite(span))
      span = 2.0;
    // Square, centred, with a tenth of room on every side.
    const double centreA = (minA_ + maxA_) / 2;
    const double centreB = (minB_ + maxB_) / 2;
    span *= 1.2;
    minA_ = centreA - span / 2;
    minB_ = centreB - span / 2;
    scale_ = kPlotSize / span;
    arrowLength_ = span * 0.06;
  }

  double px(double a) const { return kMargin + (a - minA_) * scale_; }
  double py(double b) const { return kMargin + (b - minB_) * scale_; }
  std::string at(const Flat& f) const { return num(px(f.a)) + " " + num(py(f.b)); }

  void line(const Flat& from, const Flat& to, const std::string& stroke, const char* cls,
            const char* extra = "") {
    out_.put("<line class=\"" + std::string(cls) + "\" x1=\"" + num(px(from.a)) + "\" y1=\"" +
             num(py(from.b)) + "\" x2=\"" + num(px(to.a)) + "\" y2=\"" + num(py(to.b)) +
             "\" stroke=\"" + stroke + "\"" + extra + "/>\n");
  }

  // An arrow from `from` along the ground-plane direction (da, db), `length` world units long.
  void arrow(const Flat& from, double da, double db, double length, const std::string& colour,
             const char* cls) {
    const double norm = std::hypot(da, db);
    if (!(norm > 1e-9) || !std::isfinite(norm))
      return;
    da /= norm;
    db /= norm;
    const Flat tip{from.a + da * length, from.b + db * length};
    line(from, tip, colour, cls, " stroke-width=\"1.5\"");
    // The head, in picture units.
    const double tx = px(tip.a);
    const double ty = py(tip.b);
    const double h = 7.0;
    const double w = 3.5;
    out_.put("<polygon class=\"" + std::string(cls) + "-head\" points=\"" + num(tx) + "," +
             num(ty) + " " + num(tx - da * h - db * w) + "," + num(ty - db * h + da * w) + " " +
             num(tx - da * h + db * w) + "," + num(ty - db * h - da * w) + "\" fill=\"" + colour +
             "\"/>\n");
  }

  void label(double x, double y, const std::string& text, const std::string& colour) {
    out_.put("<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" fill=\"" + colour + "\">" +
             xmlEscape(text) + "</text>\n");
  }

  void writeAxes() {
    const double span = kPlotSize / scale_;
    out_.put("<g id=\"axes\">\n");
    const Flat origin{0, 0};
    arrow(origin, 1, 0, span * 0.3, "#444444", "axis");
    arrow(origin, 0, doc_.upAxisIsZ ? -1 : 1, span * 0.3, "#444444", "axis");
    label(px(span * 0.3) + 4, py(0) + 4, "x", "#444444");
    const double b = doc_.upAxisIsZ ? -span * 0.3 : span * 0.3;
    label(px(0) + 4, py(b) + (doc_.upAxisIsZ ? -4 : 14), doc_.upAxisIsZ ? "y" : "z", "#444444");
    out_.put("</g>\n");
  }

  void writeCameras() {
    out_.put("<g id=\"cameras\">\n");
    for (int i = 0; i < doc_.cameras.trackCount(); ++i) {
      const VXRAnimation_Camera& track = *doc_.cameras.track(i);
      const std::string colour = kCameraColours[i % 8];
      std::vector<int> usable;
      for (int k = 0; k < track.keyCount(); ++k) {
        if (finite(eyeOf(*track.key(k))))
          usable.push_back(k);
      }
      if (usable.empty())
        continue;
      out_.put("<g class=\"camera\">\n");
      std::string d;
      for (std::size_t n = 0; n < usable.size(); ++n)
        d += (n == 0 ? "M " : " L ") + at(flatten(eyeOf(*track.key(usable[n]))));
      out_.put("<path class=\"camera-path\" d=\"" + d + "\" fill=\"none\" stroke=\"" + colour +
               "\" stroke-width=\"2\"/>\n");
      const Flat start = flatten(eyeOf(*track.key(usable.front())));
      out_.put("<circle class=\"camera-start\" cx=\"" + num(px(start.a)) + "\" cy=\"" +
               num(py(start.b)) + "\" r=\"4\" fill=\"" + colour + "\"/>\n");
      const std::size_t step =
          std::max<std::size_t>(1, (usable.size() + kMaxArrowsPerCamera - 1) / kMaxArrowsPerCamera);
      for (std::size_t n = 0; n < usable.size(); n += step) {
        const CameraKey& key = *track.key(usable[n]);
        const Vector3D& dir = key.projector.plane.direction;
        if (!finite(dir))
          continue;
        const Flat from = flatten(eyeOf(key));
        const Flat ahead = flatten(eyeOf(key) + dir);
        arrow(from, ahead.a - from.a, ahead.b - from.b, arrowLength_, colour, "view");
      }
      label(px(start.a) + 6, py(start.b) - 6, std::string(track.name.data(), track.name.length()),
            colour);
      out_.put("</g>\n");
    }
    out_.put("</g>\n");
  }

  void writeLights() {
    out_.put("<g id=\"lights\">\n");
    const Flat centre{minA_ + kPlotSize / scale_ / 2, minB_ + kPlotSize / scale_ / 2};
    for (int i = 0; i < doc_.lights.trackCount(); ++i) {
      const VXRAnimation_Light& track = *doc_.lights.track(i);
      if (track.keyCount() == 0)
        continue;
      const std::string colour = kLightColours[i % 4];
      const std::string name(track.name.data(), track.name.length());
      const LightKey& first = *track.key(0);
      if (!finite(first.position))
        continue;
      out_.put("<g class=\"light\">\n");
      if (first.type == LightKey::kDirectional) {
        const Flat toward = flatten(first.position);
        arrow(centre, toward.a, toward.b, arrowLength_ * 3, colour, "light-direction");
        label(px(centre.a) + 6, py(centre.b) + 16, name, colour);
      } else {
        std::string points;
        for (int k = 0; k < track.keyCount(); ++k) {
          if (finite(track.key(k)->position)) {
            const Flat f = flatten(track.key(k)->position);
            points += (points.empty() ? "" : " ") + num(px(f.a)) + "," + num(py(f.b));
          }
        }
        if (track.keyCount() > 1) {
          out_.put("<polyline class=\"light-path\" points=\"" + points +
                   "\" fill=\"none\" stroke=\"" + colour + "\" stroke-dasharray=\"4 3\"/>\n");
        }
        const Flat where = flatten(first.position);
        if (first.type == LightKey::kSpot && finite(first.target))
          line(where, flatten(first.target), colour, "spot-beam", " stroke-dasharray=\"2 2\"");
        out_.put("<circle class=\"light-position\" cx=\"" + num(px(where.a)) + "\" cy=\"" +
                 num(py(where.b)) + "\" r=\"6\" fill=\"" + colour +
                 "\" stroke=\"black\" stroke-width=\"0.5\"/>\n");
        label(px(where.a) + 8, py(where.b) + 4, name, colour);
      }
      out_.put("</g>\n");
    }
    out_.put("</g>\n");
  }

  void writeLegend() {
    const double x = kPlotSize + 2 * kMargin;
    double y = kMargin;
    out_.put("<g id=\"legend\">\n");
    label(x, y,
          std::string("Seen from +") + (doc_.upAxisIsZ ? "z: x right, y up" : "y: x right, z down"),
          "black");
    y += kLegendLine;
    for (int i = 0; i < doc_.cameras.trackCount(); ++i) {
      const VXRAnimation_Camera& track = *doc_.cameras.track(i);
      const std::string colour = kCameraColours[i % 8];
      out_.put("<rect x=\"" + num(x) + "\" y=\"" + num(y - 9) +
               "\" width=\"14\" height=\"4\" fill=\"" + colour + "\"/>\n");
      label(x + 20, y,
            "camera " + std::string(track.name.data(), track.name.length()) + " (" +
                std::to_string(track.keyCount()) + " keys)",
            "black");
      y += kLegendLine;
    }
    for (int i = 0; i < doc_.lights.trackCount(); ++i) {
      const VXRAnimation_Light& track = *doc_.lights.track(i);
      const std::string colour = kLightColours[i % 4];
      out_.put("<circle cx=\"" + num(x + 7) + "\" cy=\"" + num(y - 4) + "\" r=\"5\" fill=\"" +
               colour + "\"/>\n");
      const std::string type =
          track.keyCount() > 0 ? lightTypeLabel(track.key(0)->type) : "no keys";
      label(x + 20, y, type + " light " + std::string(track.name.data(), track.name.length()),
            "black");
      y += kLegendLine;
    }
    label(x, y + 6, "Lines: camera paths; arrows: view directions", "#444444");
    out_.put("</g>\n");
  }

  const AnimationDocument& doc_;
  TextSink& out_;
  bool any_ = false;
  double minA_ = 0, maxA_ = 0, minB_ = 0, maxB_ = 0;
  double scale_ = 1.0;
  double arrowLength_ = 1.0;
};

}  // namespace

void writeAnimationPlot(const AnimationDocument& document, TextSink& out) {
  Plotter(document, out).write();
}
