// The one-triangle file printed in the format documentation is the one the plug-in writes.

#include <gtest/gtest.h>

#include <cstdio>

#include "MeshFileReadBack.h"
#include "MeshScene.h"
#include "tests/support/FileText.h"

namespace {

// 16 bytes a line: a four-digit hex offset, two blanks, the bytes in upper-case hex.
std::string hexDump(const std::string& bytes) {
  std::string text;
  char piece[24];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 16 == 0) {
      if (i > 0)
        text += '\n';
      std::snprintf(piece, sizeof piece, "%04zx ", i);
      text += piece;
    }
    std::snprintf(piece, sizeof piece, " %02X", static_cast<unsigned char>(bytes[i]));
    text += piece;
  }
  return text + "\n";
}

// The first code block after the mesh file section's example heading, or "" when missing.
std::string documentedDump() {
  const std::string doc = readBytes(VXR_FILE_FORMATS_DOC);
  const std::size_t section = doc.find("## Mesh file (.vxrmesh)");
  if (section == std::string::npos)
    return "";
  const std::size_t example = doc.find("### Example", section);
  if (example == std::string::npos)
    return "";
  std::size_t open = doc.find("```\n", example);
  if (open == std::string::npos)
    return "";
  open += 4;
  const std::size_t close = doc.find("```", open);
  return close == std::string::npos ? "" : doc.substr(open, close - open);
}

class MeshFileDumpTest : public PluginTest {
 protected:
  std::string oneTriangleFile() {
    const float uv[6] = {0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f};
    makeTriangle("tri", uv);
    select({"tri"});
    const std::string base = path("tri");
    EXPECT_TRUE(exportCommand({"-file", base}));
    return readBytes(base + ".vxrmesh");
  }
};

// Magic and version; the name "tri"; three points (0,0,0), (1,0,0), (0,0,-1) of a y-up scene,
// written z-up; one normal; one polygon of three corners with their texture coordinates; the face
// normal as three doubles.
const char kExpected[] = R"(0000  56 58 70 6D 00 03 00 00 00 74 72 69 03 00 00 00
0010  00 00 00 00 00 00 00 80 00 00 00 00 00 00 80 3F
0020  00 00 00 80 00 00 00 00 00 00 00 00 00 00 80 3F
0030  00 00 00 00 01 00 00 00 00 00 00 00 00 00 00 80
0040  00 00 80 3F 01 00 00 00 03 00 00 00 00 00 00 00
0050  00 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00
0060  00 00 00 00 00 00 80 3F 00 00 00 00 02 00 00 00
0070  00 00 00 00 00 00 00 00 00 00 80 3F 00 00 00 00
0080  00 00 00 00 00 00 00 00 00 00 00 80 00 00 00 00
0090  00 00 F0 3F
)";

TEST_F(MeshFileDumpTest, OneTriangleFileHasTheseBytes) {
  EXPECT_EQ(hexDump(oneTriangleFile()), kExpected);
}

TEST_F(MeshFileDumpTest, TheDocumentationShowsTheSameBytes) {
  EXPECT_EQ(documentedDump(), hexDump(oneTriangleFile()));
}

}  // namespace
