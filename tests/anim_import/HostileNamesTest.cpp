// Track names are data: an imported file whose names hold MEL syntax runs nothing and leaves
// the scene with valid node names.

#include <cctype>
#include <string>
#include <vector>

#include "ImportFixture.h"

namespace {

class HostileNamesTest : public ImportTest {};

TEST_F(HostileNamesTest, NamesHoldingScriptTextRunNothing) {
  const std::vector<std::string> names = {
      "|a\";polyCube -name pwnedQuote;\"|shape",
      "|b`polyCube -name pwnedTick`|shape",
      "|c;polyCube -name pwnedSemi;|sh;ape",
      "|d\npolyCube -name pwnedLine\n|shape",
      "|" + std::string(1000, 'x') + "|" + std::string(1000, 'y'),
      "|||",
      ""};
  AnimationDocument document;
  for (const std::string& name : names)
    addCameraTrack(document, name, 2);
  LightKey point;
  point.type = LightKey::kPoint;
  addLightTrack(document, "|e$x = `polyCube -name pwnedLight`;|shape", point, 1);
  const std::string file = writeDocument(document, "hostile.vxranim");

  std::string result, errors;
  ASSERT_TRUE(mel("file -import \"" + file + "\"", &result, &errors)) << errors;

  for (const char* pwned : {"pwnedQuote", "pwnedTick", "pwnedSemi", "pwnedLine", "pwnedLight"})
    EXPECT_EQ(melResult(std::string("objExists ") + pwned), "0") << pwned;
  EXPECT_EQ(melResult("size(`ls -type mesh`)"), "0");

  // Every track became a camera with a valid node name (four default cameras plus seven).
  const std::string cameras = melResult("size(`ls -type camera`)");
  EXPECT_EQ(cameras, "11");
  std::string all;
  ASSERT_TRUE(mel("string $n[] = `ls -type transform`; stringArrayToString($n, \" \")", &all));
  for (char c : all)
    EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ' ') << all;
}

// The host's match anchors "^" and "$" at line breaks: a name whose one line is a valid name
// must still be taken as invalid and made valid, never handed to rename as it is.
TEST_F(HostileNamesTest, ANameWithALineBreakIsMadeValid) {
  AnimationDocument document;
  addCameraTrack(document, "|line\nbreak|line\nbreakShape", 2);
  std::string result, errors;
  ASSERT_TRUE(
      mel("file -import \"" + writeDocument(document, "lines.vxranim") + "\"", &result, &errors))
      << errors;
  EXPECT_EQ(errors.find("Skipped"), std::string::npos) << errors;
  EXPECT_EQ(melResult("nodeType line_breakShape"), "camera");
  EXPECT_EQ(melResult("keyframe -q -keyframeCount line_break.translateX"), "2");
}

}  // namespace
