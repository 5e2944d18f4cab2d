#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "MiniJson.h"
#include "tools/vxrinfo/text/JsonWriter.h"
#include "tools/vxrinfo/text/TextSink.h"

namespace {

std::string jsonQuoted(const std::string& bytes) {
  return JsonWriter::quote(bytes.data(), bytes.size());
}

// Writes a document through `fill` and returns its text.
template <class Fill>
std::string document(Fill fill) {
  std::ostringstream text;
  {
    StreamTextSink sink(text);
    JsonWriter json(sink);
    fill(json);
  }
  return text.str();
}

}  // namespace

TEST(JsonText, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(jsonQuoted("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(jsonQuoted("line\nnext\ttab\r\b\f"), "\"line\\nnext\\ttab\\r\\b\\f\"");
  EXPECT_EQ(jsonQuoted(std::string("nul\0end", 7)), "\"nul\\u0000end\"");
  EXPECT_EQ(jsonQuoted("\x01\x1f\x7f"), "\"\\u0001\\u001f\\u007f\"");
  EXPECT_EQ(jsonQuoted("/"), "\"/\"");
}

TEST(JsonText, KeepsValidUtf8AndReplacesEveryInvalidByte) {
  EXPECT_EQ(jsonQuoted("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xA5"),
            "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xA5\"");
  // A lone continuation byte, a lead byte without its tail, an overlong '/', a surrogate, and
  // a code point above U+10FFFF.
  EXPECT_EQ(jsonQuoted("a\x80"), "\"a\\ufffd\"");
  EXPECT_EQ(jsonQuoted("\xC3"), "\"\\ufffd\"");
  EXPECT_EQ(jsonQuoted("\xC0\xAF"), "\"\\ufffd\\ufffd\"");
  EXPECT_EQ(jsonQuoted("\xED\xA0\x80"), "\"\\ufffd\\ufffd\\ufffd\"");
  EXPECT_EQ(jsonQuoted("\xF4\x90\x80\x80"), "\"\\ufffd\\ufffd\\ufffd\\ufffd\"");
  EXPECT_EQ(jsonQuoted("\xFF"
                       "ok"),
            "\"\\ufffdok\"");
}

TEST(JsonText, EveryByteStringGivesAStringThatParses) {
  std::string all;
  for (int c = 0; c < 256; ++c)
    all += static_cast<char>(c);
  JsonValue value;
  std::string error;
  ASSERT_TRUE(parseJson(jsonQuoted(all), value, error)) << error;
  EXPECT_EQ(value.type, JsonValue::Type::string);
  // Printable ASCII survives unchanged.
  EXPECT_NE(value.text.find(" !\"#$%&'()*+,-./0123456789:;<=>?@ABC"), std::string::npos);
  EXPECT_NE(value.text.find(std::string(1, '\0') + "\x01\x02"), std::string::npos);
}

TEST(JsonWriter, NumbersReadBackExactlyAndNonFiniteOnesAreNull) {
  const double values[] = {0.1, -0.0, 1e300, 5e-324, -123456789.125, 3.0};
  const std::string text = document([&](JsonWriter& json) {
    json.beginArray();
    for (double v : values)
      json.number(v);
    json.number(0.1f);
    json.number(std::numeric_limits<double>::quiet_NaN());
    json.number(std::numeric_limits<double>::infinity());
    json.number(-std::numeric_limits<float>::infinity());
    json.integer(-2147483648LL);
    json.unsignedInteger(4294967295ULL);
    json.endArray();
  });
  JsonValue parsed;
  std::string error;
  ASSERT_TRUE(parseJson(text, parsed, error)) << error << "\n" << text;
  ASSERT_EQ(parsed.size(), 12u);
  for (std::size_t i = 0; i < 6; ++i)
    EXPECT_EQ(parsed[i].number, values[i]) << text;
  EXPECT_TRUE(std::signbit(parsed[1].number));
  EXPECT_EQ(static_cast<float>(parsed[6].number), 0.1f);
  EXPECT_NE(text.find(",0.1,"), std::string::npos) << "floats print their shortest form";
  EXPECT_TRUE(parsed[7].isNull());
  EXPECT_TRUE(parsed[8].isNull());
  EXPECT_TRUE(parsed[9].isNull());
  EXPECT_EQ(parsed[10].number, -2147483648.0);
  EXPECT_EQ(parsed[11].number, 4294967295.0);
}

TEST(JsonWriter, PutsCommasAndColonsBetweenMembers) {
  const std::string text = document([](JsonWriter& json) {
    json.beginObject();
    json.field("a", std::int64_t{1});
    json.key("list");
    json.beginArray();
    json.beginObject();
    json.endObject();
    json.beginArray();
    json.endArray();
    json.boolean(false);
    json.endArray();
    json.key("b");
    json.null();
    json.endObject();
  });
  EXPECT_EQ(text, "{\"a\":1,\"list\":[{},[],false],\"b\":null}");
}

TEST(JsonWriter, ClosingWhateverIsOpenLeavesADocumentThatParses) {
  const std::string text = document([](JsonWriter& json) {
    json.beginObject();
    json.key("records");
    json.beginArray();
    json.beginObject();
    json.key("points");
    json.beginArray();
    json.triple(1.0, 2.0, 3.0);
    const int depth = json.depth();
    json.beginArray();
    json.number(1.0);
    json.closeTo(depth);
    json.endArray();
    json.key("dangling");
    json.closeAll();
  });
  JsonValue parsed;
  std::string error;
  ASSERT_TRUE(parseJson(text, parsed, error)) << error << "\n" << text;
  EXPECT_TRUE(parsed["records"][0]["dangling"].isNull());
  EXPECT_EQ(parsed["records"][0]["points"].size(), 2u);
}
