#include "tools/vxrinfo/text/SvgWriter.h"

#include "tools/vxrinfo/text/NumberText.h"
#include "tools/vxrinfo/text/TextSink.h"
#include "tools/vxrinfo/text/XmlText.h"

void SvgWriter::beginDocument(double width, double height, const Attributes& attributes) {
  sink_.put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  begin("svg", Attributes{{"xmlns", "http://www.w3.org/2000/svg"},
                          {"width", width},
                          {"height", height},
                          {"viewBox", "0 0 " + number(width) + " " + number(height)}} +
                   attributes);
}

void SvgWriter::endDocument() {
  while (!open_.empty())
    end();
}

void SvgWriter::begin(const char* element, const Attributes& attributes) {
  startTag(element, attributes);
  sink_.put(">\n");
  open_.push_back(element);
}

void SvgWriter::end() {
  if (open_.empty())
    return;
  sink_.put("</");
  sink_.put(open_.back());
  sink_.put(">\n");
  open_.pop_back();
}

void SvgWriter::element(const char* element, const Attributes& attributes) {
  startTag(element, attributes);
  sink_.put("/>\n");
}

void SvgWriter::textElement(const char* element, const Attributes& attributes,
                            const std::string& text) {
  startTag(element, attributes);
  sink_.put('>');
  sink_.put(xmlEscape(text));
  sink_.put("</");
  sink_.put(element);
  sink_.put(">\n");
}

std::string SvgWriter::number(double value) {
  return formatShort(value, 2);
}

void SvgWriter::startTag(const char* element, const Attributes& attributes) {
  sink_.put('<');
  sink_.put(element);
  for (const Attribute& attribute : attributes) {
    sink_.put(' ');
    sink_.put(attribute.name);
    sink_.put("=\"");
    sink_.put(xmlEscape(attribute.value));
    sink_.put('"');
  }
}

SvgWriter::Attributes operator+(SvgWriter::Attributes own, const SvgWriter::Attributes& added) {
  own.insert(own.end(), added.begin(), added.end());
  return own;
}
