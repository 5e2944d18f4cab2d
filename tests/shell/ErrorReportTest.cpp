// The error report and the up-axis query, answered by the stand-in host's script layer.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "boundary/base/GString.h"
#include "mel/host/MelHost.h"
#include "shell/ErrorReport.h"

namespace {

class ScriptHostEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { mel::initMinihostMel(); }
  void TearDown() override { mel::shutdownMinihostMel(); }
};

const ::testing::Environment* const kScriptHost =
    ::testing::AddGlobalTestEnvironment(new ScriptHostEnvironment);

const char kWarning[] = "vxr error - see output window for details.";

struct Report {
  std::string output;
  std::string errors;
};

Report capture(const GString& message) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  reportError(message);
  Report report;
  report.output = ::testing::internal::GetCapturedStdout();
  report.errors = ::testing::internal::GetCapturedStderr();
  return report;
}

std::size_t occurrences(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++n;
  return n;
}

struct MessageCase {
  const char* name;
  std::string message;
};

void PrintTo(const MessageCase& c, std::ostream* out) {
  *out << c.name;
}

class ErrorReportTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ErrorReportTest, WritesTheMessageAsItIsAndWarnsOnce) {
  const std::string& message = GetParam().message;
  const Report report = capture(GString(message.data(), message.size()));
  EXPECT_EQ(report.output, message);
  EXPECT_EQ(occurrences(report.errors, kWarning), 1u) << report.errors;
  if (!message.empty()) {
    EXPECT_EQ(report.errors.find(message), std::string::npos)
        << "the details belong in the output, not in the warning: " << report.errors;
  }
}

const MessageCase kMessages[] = {
    {"plain", "VXR animation. Can't open output file. /tmp/out.vxranim\n"},
    {"formatDirectives", "can't write /tmp/100%s%d%n.vxranim\n"},
    {"noLineEnd", "VXR animation. Can't open input file. "},
    {"embeddedNul", std::string("before\0after\n", 13)},
    {"empty", ""},
};

INSTANTIATE_TEST_SUITE_P(Messages, ErrorReportTest, ::testing::ValuesIn(kMessages),
                         [](const ::testing::TestParamInfo<MessageCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(ErrorReportSequenceTest, EveryReportGetsItsOwnWarning) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  reportError(GString("first\n"));
  reportError(GString("second\n"));
  reportError(GString("third\n"));
  const std::string output = ::testing::internal::GetCapturedStdout();
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(output, "first\nsecond\nthird\n");
  EXPECT_EQ(occurrences(errors, kWarning), 3u) << errors;
}

// From y to z and back: each answer is the scene's setting at the time, not the first one seen.
TEST(UpAxisQueryTest, FollowsTheScenesUpAxis) {
  const struct {
    const char* axis;
    bool isZ;
  } steps[] = {{"y", false}, {"z", true}, {"z", true}, {"y", false}, {"z", true}};
  for (const auto& step : steps) {
    ASSERT_TRUE(mel::melHost()->runTopLevelText(std::string("upAxis -ax ") + step.axis + ";"));
    EXPECT_EQ(queryUpAxisIsZ(), step.isZ) << step.axis;
  }
}

}  // namespace
