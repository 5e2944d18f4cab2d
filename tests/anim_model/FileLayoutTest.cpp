// The exact bytes of a small file, as the format documentation shows them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "AnimSamples.h"
#include "boundary/base/impstream.h"
#include "tests/support/FileText.h"

namespace {

std::string hexDump(const std::string& bytes) {
  std::string text;
  char cell[24];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 16 == 0) {
      std::snprintf(cell, sizeof cell, "%04zx ", i);
      text += cell;
    }
    std::snprintf(cell, sizeof cell, " %02X", static_cast<unsigned char>(bytes[i]));
    text += cell;
    if (i % 16 == 15 || i + 1 == bytes.size())
      text += '\n';
  }
  return text;
}

// The dump printed in the format documentation: the first code block after the animation file
// heading's example, or the empty string when it cannot be found.
std::string documentedDump() {
  const std::string doc = readBytes(VXR_FILE_FORMATS_DOC);
  std::size_t section = doc.find("## Animation file (.vxranim)");
  if (section == std::string::npos)
    return "";
  std::size_t example = doc.find("### Example", section);
  std::size_t open = doc.find("```\n", example == std::string::npos ? section : example);
  if (open == std::string::npos)
    return "";
  open += 4;
  std::size_t close = doc.find("```", open);
  return close == std::string::npos ? "" : doc.substr(open, close - open);
}

TEST(FileLayoutTest, SmallFileMatchesTheDocumentedDump) {
  AnimationDocument document;
  fillSmallDocument(document);
  const std::string bytes = writeAnimationFile(document.cameras, document.lights, false);
  // Header, camera list (one track "cam", one key), light list (one track "lamp", one key).
  const std::string expected = R"(0000  56 58 61 6E 01 79 00 01 00 00 00 01 13 00 00 00
0010  56 58 52 41 6E 69 6D 61 74 69 6F 6E 5F 43 61 6D
0020  65 72 61 00 01 00 00 00 00 00 00 00 00 00 00 00
0030  00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 F0
0040  BF 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
0050  00 00 00 00 00 00 00 F0 BF 00 00 00 00 00 00 00
0060  00 00 00 00 00 00 00 F0 3F 00 00 00 00 00 00 00
0070  00 00 00 00 00 00 00 E0 BF 00 00 00 00 00 00 D8
0080  BF 00 00 00 00 00 00 F0 3F 00 00 00 00 00 00 E8
0090  3F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
00a0  00 00 00 00 00 00 00 F0 3F 01 00 00 80 3F 80 02
00b0  00 00 E0 01 00 00 01 00 00 00 03 00 00 00 63 61
00c0  6D 00 01 00 00 00 01 12 00 00 00 56 58 52 41 6E
00d0  69 6D 61 74 69 6F 6E 5F 4C 69 67 68 74 00 01 00
00e0  00 00 00 01 00 00 00 03 FF 80 00 00 00 00 00 00
00f0  00 00 00 00 00 00 00 00 00 14 40 00 00 00 00 00
0100  00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
0110  00 14 40 00 00 00 00 00 00 F0 BF 00 00 00 00 00
0120  00 F0 3F 00 00 00 00 00 00 E0 3F 00 00 00 00 00
0130  00 C0 3F 00 00 00 00 00 00 24 40 04 00 00 00 6C
0140  61 6D 70
)";
  EXPECT_EQ(bytes.size(), 323u);
  EXPECT_EQ(hexDump(bytes), expected);
  EXPECT_EQ(documentedDump(), expected) << "docs/file-formats.md shows another dump";

  // The dump is a file the reader takes back as written.
  AnimationDocument read;
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  ASSERT_TRUE(read.read(in));
  EXPECT_EQ(in.remaining(), 0u);
  expectSameTracks(document, read);
}

}  // namespace
