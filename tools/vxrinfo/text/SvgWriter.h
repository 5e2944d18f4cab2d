#pragma once

#include <string>
#include <utility>
#include <vector>

class TextSink;

// Writes one SVG document as it goes: elements with their attributes, text content and the
// nesting of groups, so that a picture's code deals in shapes, not in markup. Attribute values
// and text are escaped for XML (quotes, '&', '<', control characters, bytes that are not UTF-8);
// numbers are written short (at most two decimals), as a picture needs no more. Each element
// takes a line of its own.
class SvgWriter {
 public:
  struct Attribute {
    Attribute(const char* attributeName, std::string text)
        : name(attributeName), value(std::move(text)) {}
    Attribute(const char* attributeName, const char* text) : name(attributeName), value(text) {}
    Attribute(const char* attributeName, double number)
        : name(attributeName), value(SvgWriter::number(number)) {}

    const char* name;
    std::string value;
  };
  using Attributes = std::vector<Attribute>;

  explicit SvgWriter(TextSink& sink) : sink_(sink) {}

  // The XML declaration and the root element, `width` × `height` units with a view box to match.
  void beginDocument(double width, double height, const Attributes& attributes = {});
  // Ends every open element, the root last.
  void endDocument();

  // An element that holds others, open until end().
  void begin(const char* element, const Attributes& attributes = {});
  void end();
  // An element with no content.
  void element(const char* element, const Attributes& attributes);
  // An element holding text.
  void textElement(const char* element, const Attributes& attributes, const std::string& text);

  // A number as the writer puts it in attributes.
  static std::string number(double value);

 private:
  void startTag(const char* element, const Attributes& attributes);

  TextSink& sink_;
  std::vector<const char*> open_;
};

// Attribute lists joined: the element's own, then what the caller adds.
SvgWriter::Attributes operator+(SvgWriter::Attributes own, const SvgWriter::Attributes& added);
