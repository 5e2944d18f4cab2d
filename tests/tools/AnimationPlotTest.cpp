#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "ToolSamples.h"

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

  // Every element with this name, in document order, as its attributes and text.
  struct Element {
    std::map<std::string, std::string> attributes;
    std::string text;
  };
  std::vector<Element> all(const char* name) const {
    std::vector<Element> found;
    collect(xmlDocGetRootElement(doc_), name, found);
    return found;
  }

 private:
  static void collect(xmlNode* node, const char* name, std::vector<Element>& found) {
    for (; node != nullptr; node = node->next) {
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
      collect(node->children, name, found);
    }
  }

  xmlDoc* doc_ = nullptr;
};

std::string plot(const std::string& animationBytes, int expectedStatus = 0) {
  TempFolder folder;
  writeFile(folder.path("in"), animationBytes);
  ToolRun run = runTool({"--plot", folder.path("out.svg"), folder.path("in")});
  EXPECT_EQ(run.status, expectedStatus) << run.out;
  return readFile(folder.path("out.svg"));
}

std::vector<std::string> texts(const SvgDocument& svg) {
  std::vector<std::string> out;
  for (const auto& e : svg.all("text"))
    out.push_back(e.text);
  return out;
}

bool hasText(const SvgDocument& svg, const std::string& wanted) {
  for (const std::string& t : texts(svg)) {
    if (t == wanted)
      return true;
  }
  return false;
}

// The first "M x y" of a path.
std::pair<double, double> start(const std::string& d) {
  char* end = nullptr;
  const double x = std::strtod(d.c_str() + 2, &end);
  const double y = std::strtod(end, nullptr);
  return {x, y};
}

}  // namespace

TEST(AnimationPlot, IsWellFormedSvgWithOnePathPerCameraWithKeys) {
  SvgDocument svg(plot(sampleAnimationBytes(true)));
  ASSERT_TRUE(svg.ok());
  EXPECT_EQ(svg.rootName(), "svg");
  const auto paths = svg.all("path");
  // "persp" and "side" have keys; "unused" has none and draws no path.
  ASSERT_EQ(paths.size(), 2u);
  for (const auto& p : paths)
    EXPECT_EQ(p.attributes.at("class"), "camera-path");
  // A view arrow at every key of these short tracks.
  std::size_t views = 0;
  for (const auto& line : svg.all("line"))
    views += line.attributes.count("class") && line.attributes.at("class") == "view" ? 1 : 0;
  EXPECT_EQ(views, 5u + 3u);
  // Labels on the drawing and in the legend, and the axes.
  for (const char* name : {"persp", "side", "sun", "bulb", "spot", "x", "y"})
    EXPECT_TRUE(hasText(svg, name)) << name;
  EXPECT_TRUE(hasText(svg, "camera unused (0 keys)"));
  EXPECT_TRUE(hasText(svg, "directional light sun"));
  EXPECT_TRUE(hasText(svg, "spot light spot"));
  EXPECT_EQ(svg.all("circle").size(), 2u /*camera starts*/ + 2u /*point, spot*/ + 3u /*legend*/);
}

TEST(AnimationPlot, ShowsAZUpSceneFromAbove) {
  SvgDocument svg(plot(sampleAnimationBytes(true)));
  ASSERT_TRUE(svg.ok());
  const auto paths = svg.all("path");
  ASSERT_EQ(paths.size(), 2u);
  // "persp" starts at x = 10, "side" at x = -8: persp is further right.
  EXPECT_GT(start(paths[0].attributes.at("d")).first, start(paths[1].attributes.at("d")).first);
  // "side" moves toward +y, which is up the picture: its last point is higher (smaller y).
  const std::string& d = paths[1].attributes.at("d");
  const std::size_t last = d.rfind('L');
  ASSERT_NE(last, std::string::npos);
  const double lastY = std::strtod(d.c_str() + d.find(' ', last + 2), nullptr);
  EXPECT_LT(lastY, start(d).second);
}

TEST(AnimationPlot, AYUpSceneIsSeenAlongY) {
  SvgDocument svg(plot(sampleAnimationBytes(false)));
  ASSERT_TRUE(svg.ok());
  EXPECT_TRUE(hasText(svg, "z"));
  EXPECT_FALSE(hasText(svg, "y"));
  // "side" moves along y only, which points out of this picture: its path does not move.
  const std::string d = svg.all("path").at(1).attributes.at("d");
  const std::size_t last = d.rfind('L');
  const double lastY = std::strtod(d.c_str() + d.find(' ', last + 2), nullptr);
  EXPECT_EQ(lastY, start(d).second);
}

TEST(AnimationPlot, NamesWithMarkupAndBadBytesAreEscaped) {
  const std::string name = "a<b>&\"c\" 'd'\x01\xFF</text>";
  const std::string text = plot(sampleAnimationBytes(true, name));
  SvgDocument svg(text);
  ASSERT_TRUE(svg.ok()) << text.substr(0, 3000);
  EXPECT_TRUE(hasText(svg, "a<b>&\"c\" 'd'\xEF\xBF\xBD\xEF\xBF\xBD</text>"));
  EXPECT_EQ(svg.all("path").size(), 2u);
}

TEST(AnimationPlot, NonFiniteKeysAreLeftOutAndTheFileCountsAsDamaged) {
  std::string bytes = sampleAnimationBytes(true);
  // The first camera key's plane origin x (after the header, list, tag, class name, track
  // version, key count and key version) becomes NaN.
  const std::size_t originX = 6 + 1 + 4 + 1 + 23 + 1 + 4 + 1;
  const std::string nan("\x00\x00\x00\x00\x00\x00\xF8\x7F", 8);
  bytes.replace(originX, 8, nan);
  SvgDocument svg(plot(bytes, 1));
  ASSERT_TRUE(svg.ok());
  ASSERT_EQ(svg.all("path").size(), 2u);
  EXPECT_EQ(svg.all("path")[0].attributes.at("d").find("nan"), std::string::npos);
}
