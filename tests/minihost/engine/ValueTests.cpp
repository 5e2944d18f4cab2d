// Statuses, strings and argument lists.
#include <gtest/gtest.h>

#include <maya/MArgList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

namespace {

TEST(StatusTest, PerrorPrintsTextThenTheStatusDescription) {
  MStatus failed(MS::kFailure);
  ::testing::internal::CaptureStderr();
  failed.perror("Unrecognized option -x");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Unrecognized option -x: (kFailure): Unexpected Internal Failure\n");
  EXPECT_FALSE(failed);
  EXPECT_TRUE(failed == MS::kFailure);
  failed.clear();
  EXPECT_TRUE(failed);
  EXPECT_EQ(failed.statusCode(), MS::kSuccess);
}

TEST(StringTest, NumericReadsRequireTheWholeText) {
  EXPECT_TRUE(MString("42").isInt());
  EXPECT_EQ(MString("-7").asInt(), -7);
  EXPECT_FALSE(MString("4x").isInt());
  EXPECT_FALSE(MString("").isInt());
  EXPECT_FALSE(MString("99999999999").isInt());
  EXPECT_TRUE(MString("2.5").isDouble());
  EXPECT_FALSE(MString("2.5").isInt());
  EXPECT_EQ(MString("abc").asDouble(), 0.0);
}

TEST(StringTest, EditingOperations) {
  MString s("a,b,,c");
  MStringArray parts;
  s.split(',', parts);
  ASSERT_EQ(parts.length(), 3u);
  EXPECT_EQ(parts[2], MString("c"));
  EXPECT_EQ(s.substring(2, 100), MString("b,,c"));
  EXPECT_EQ(s.substring(4, 2), MString());
  EXPECT_EQ(s.rindex(','), 4);
  MString n;
  n += 0.1;
  EXPECT_EQ(n, MString("0.1"));
  EXPECT_EQ(MString(nullptr), MString(""));
  EXPECT_EQ(parts[7], MString());  // out of range reads a blank, not foreign memory
}

TEST(ArgListTest, TypedReadsFailForMissingOrIllTypedArguments) {
  MArgList args;
  args.addArg(MString("-id"));
  args.addArg(MString("12"));
  args.addArg(MString("-file"));
  MStatus status;
  EXPECT_EQ(args.asString(0, &status), MString("-id"));
  EXPECT_TRUE(status);
  EXPECT_EQ(args.asInt(1, &status), 12);
  EXPECT_TRUE(status);
  args.asInt(2, &status);
  EXPECT_FALSE(status);
  args.asString(3, &status);
  EXPECT_FALSE(status);
  EXPECT_EQ(args.flagIndex("file"), 2u);
  EXPECT_EQ(args.flagIndex("frame"), MArgList::kInvalidArgIndex);
}

}  // namespace

namespace {

MStatus passOn(MStatus s, int& reached) {
  CHECK_MSTATUS_AND_RETURN_IT(s);
  ++reached;
  return MS::kSuccess;
}

TEST(StatusTest, CheckMacroReturnsAFailureAndReportsIt) {
  int reached = 0;
  ::testing::internal::CaptureStderr();
  MStatus s = passOn(MS::kInvalidParameter, reached);
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(s, MS::kInvalidParameter);
  EXPECT_EQ(reached, 0);
  EXPECT_NE(err.find("API error detected in"), std::string::npos);
  EXPECT_TRUE(passOn(MS::kSuccess, reached));
  EXPECT_EQ(reached, 1);
}

}  // namespace
