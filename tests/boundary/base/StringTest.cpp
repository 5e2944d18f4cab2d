#include <gtest/gtest.h>

#include <string>

#include "boundary/base/GFile.h"
#include "boundary/base/GString.h"

TEST(GStringTest, ConstructAssignAppend) {
  GString empty;
  EXPECT_TRUE(empty.isEmpty());
  EXPECT_STREQ(empty.c_str(), "");

  GString s("abc");
  GString copy(s);
  s += "de";
  s += 'f';
  s += copy;
  EXPECT_EQ(s, "abcdefabc");
  EXPECT_EQ(copy, "abc");
  EXPECT_EQ(s.length(), 9u);

  copy = "x";
  EXPECT_EQ(copy, "x");
  copy = nullptr;
  EXPECT_TRUE(copy.isEmpty());
}

TEST(GStringTest, HoldsNulBytes) {
  const char bytes[] = {'a', '\0', 'b', '\0'};
  GString s(bytes, sizeof bytes);
  EXPECT_EQ(s.length(), 4u);
  EXPECT_NE(s, GString("a"));
  EXPECT_EQ(s.data()[2], 'b');
}

TEST(GStringTest, FormatIntegers) {
  EXPECT_EQ(GString::Format("%li", 1234567890123L), "1234567890123");
  EXPECT_EQ(GString::Format("%i", -42), "-42");
  EXPECT_EQ(GString::Format("frame.%04d", 7), "frame.0007");
  EXPECT_EQ(GString::Format("frame.%04d", -7), "frame.-007");
}

TEST(GStringTest, FormatTakesDataAsArgumentNotFormat) {
  // A percent sign in data is printed as it is when passed through %s.
  GString path("/tmp/100%done%n%s.vxranim");
  EXPECT_EQ(GString::Format("file: %s", path.c_str()), "file: /tmp/100%done%n%s.vxranim");
}

TEST(GStringTest, FormatLongOutput) {
  std::string longText(1000, 'q');
  GString s = GString::Format("<%s>", longText.c_str());
  EXPECT_EQ(s.length(), 1002u);
  EXPECT_EQ(s.c_str()[0], '<');
  EXPECT_EQ(s.c_str()[1001], '>');
}

TEST(GFileTest, BuildsPathPieceByPiece) {
  GFile file("shots/take");
  file += GString::Format(".%04d", 12);
  file += ".vxrmesh";
  file += '~';
  EXPECT_STREQ(file.c_str(), "shots/take.0012.vxrmesh~");
  EXPECT_EQ(file.path(), "shots/take.0012.vxrmesh~");
}
