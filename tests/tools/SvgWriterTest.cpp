#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tools/vxrinfo/text/SvgWriter.h"
#include "tools/vxrinfo/text/TextSink.h"

namespace {

// Writes a document through `fill` and returns its text.
template <class Fill>
std::string document(Fill fill) {
  std::ostringstream text;
  {
    StreamTextSink sink(text);
    SvgWriter svg(sink);
    fill(svg);
  }
  return text.str();
}

}  // namespace

TEST(SvgWriter, WritesTheRootNestedElementsAndClosesWhatIsOpen) {
  const std::string text = document([](SvgWriter& svg) {
    svg.beginDocument(100.5, 20, {{"font-size", 11.0}});
    svg.begin("g", {{"id", "view"}});
    svg.element("circle", {{"cx", 1.0 / 3}, {"cy", -2.0}, {"r", 5.0}, {"fill", "#1f77b4"}});
    svg.textElement("text", {{"x", 0.0}}, "frame 12");
    svg.endDocument();
  });
  EXPECT_EQ(text,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100.5\" height=\"20\" "
            "viewBox=\"0 0 100.5 20\" font-size=\"11\">\n"
            "<g id=\"view\">\n"
            "<circle cx=\"0.33\" cy=\"-2\" r=\"5\" fill=\"#1f77b4\"/>\n"
            "<text x=\"0\">frame 12</text>\n"
            "</g>\n"
            "</svg>\n");
}

// Track names come from files: whatever they hold must leave the document well formed.
TEST(SvgWriter, EscapesAttributeValuesAndTextFromFiles) {
  const std::string hostile = "a\"b'<c>&d\x01\xff";
  const std::string text = document([&](SvgWriter& svg) {
    svg.element("g", {{"id", hostile}});
    svg.textElement("title", {}, hostile);
  });
  EXPECT_EQ(text,
            "<g id=\"a&quot;b&apos;&lt;c&gt;&amp;d\xEF\xBF\xBD\xEF\xBF\xBD\"/>\n"
            "<title>a&quot;b&apos;&lt;c&gt;&amp;d\xEF\xBF\xBD\xEF\xBF\xBD</title>\n");
}

TEST(SvgWriter, AnEndWithNothingOpenWritesNothing) {
  EXPECT_EQ(document([](SvgWriter& svg) {
              svg.begin("g");
              svg.end();
              svg.end();
            }),
            "<g>\n</g>\n");
}
