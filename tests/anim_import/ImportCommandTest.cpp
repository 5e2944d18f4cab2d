// VXR_AnimationImportCmd through the loaded plug-in: selection of tracks and keys, results,
// messages and the document's lifetime.

#include <cstdlib>
#include <string>

#include <maya/MArgList.h>
#include <maya/MString.h>

#include "ImportFixture.h"
#include "engine/CommandResult.h"
#include "engine/PluginRegistry.h"

namespace {

class ImportCommandTest : public ImportTest {
 protected:
  void SetUp() override {
    ImportTest::SetUp();
    AnimationDocument document;
    addCameraTrack(document, "|cam0|cam0Shape", 3);
    addCameraTrack(document, "|empty|emptyShape", 0);
    addCameraTrack(document, "|cam2|cam2Shape", 2);
    LightKey spot;
    spot.type = LightKey::kSpot;
    addLightTrack(document, "|ambient|ambientShape", LightKey(), 0);
    addLightTrack(document, "|spot|spotShape", spot, 4);
    handle_ = open(writeDocument(document, "walk.vxranim"));
  }

  // "VXR_AnimationImportCmd -id H " followed by `options`.
  std::string command(const std::string& options) const {
    return "VXR_AnimationImportCmd -id " + std::to_string(handle_) + " " + options;
  }

  int handle_ = 0;
};

TEST_F(ImportCommandTest, CountsOnlyTracksThatHoldKeys) {
  EXPECT_EQ(melResult(command("-cameras")), "2");
  EXPECT_EQ(melResult(command("-lights")), "1");
  // The last action option wins.
  EXPECT_EQ(melResult(command("-cameras -lights")), "1");
}

TEST_F(ImportCommandTest, TrackIndicesSkipEmptyTracks) {
  EXPECT_EQ(melResult(command("-cameraid 1 -getname")), "|cam2|cam2Shape");
  EXPECT_EQ(melResult(command("-cameraid 1 -keyframes")), "2");
  EXPECT_EQ(melResult(command("-lightid 0 -getname")), "|spot|spotShape");

  std::string result, errors;
  EXPECT_FALSE(mel(command("-cameraid 2 -getname"), &result, &errors));
  EXPECT_NE(errors.find("Invalid cameraid = 2"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("Invalid lightid"), std::string::npos) << errors;
}

TEST_F(ImportCommandTest, CameraIndexSilencesTheLightLookup) {
  std::string result, errors;
  EXPECT_TRUE(mel(command("-cameraid 0 -getname"), &result, &errors));
  EXPECT_EQ(result, "|cam0|cam0Shape");
  EXPECT_EQ(errors.find("Invalid"), std::string::npos) << errors;
}

TEST_F(ImportCommandTest, NoIndexReportsBothLookupsAndFails) {
  std::string result = "unset", errors;
  EXPECT_FALSE(mel(command("-getname"), &result, &errors));
  const auto camera = errors.find("Invalid cameraid = -1");
  const auto light = errors.find("Invalid lightid = -1");
  ASSERT_NE(camera, std::string::npos) << errors;
  ASSERT_NE(light, std::string::npos) << errors;
  EXPECT_LT(camera, light);
}

TEST_F(ImportCommandTest, TypeComesFromTheFirstKeyWhateverTheKeyIndex) {
  EXPECT_EQ(melResult(command("-lightid 0 -keyframe 5 -gettype")), "3");
}

TEST_F(ImportCommandTest, KeyIndexOutOfRangeFailsWithMinusOne) {
  EXPECT_EQ(melResult(command("-cameraid 0 -keyframe 2 -gettime")), "21");
  std::string result, errors;
  EXPECT_FALSE(mel(command("-cameraid 0 -keyframe 3 -gettime"), &result, &errors));
  EXPECT_NE(errors.find("Invalid keyframeid = 3"), std::string::npos) << errors;
}

TEST_F(ImportCommandTest, OptionErrorsStopTheCallBeforeAnyAction) {
  std::string result, errors;
  EXPECT_FALSE(mel(command("-bogus -cameras"), &result, &errors));
  EXPECT_NE(errors.find("Unrecognized option -bogus"), std::string::npos) << errors;
  // A missing argument is the host's failure.
  EXPECT_FALSE(mel(command("-cameraid")));
  // Options are case-sensitive.
  EXPECT_FALSE(mel(command("-Cameras")));
}

TEST_F(ImportCommandTest, WithoutHandleNothingRunsAndTheCallSucceeds) {
  EXPECT_TRUE(mel("VXR_AnimationImportCmd -cameras"));
  EXPECT_TRUE(mel("VXR_AnimationImportCmd"));
  // A handle that names no document fails.
  EXPECT_FALSE(mel("VXR_AnimationImportCmd -id 987654 -cameras"));
}

TEST_F(ImportCommandTest, OpenGivesIndependentHandlesAndCloseForgetsThem) {
  EXPECT_EQ(melResult("VXR_AnimationImportCmd -open \"" + path("missing.vxranim") + "\""), "0");
  const int second = open(path("walk.vxranim"));
  EXPECT_NE(second, handle_);
  EXPECT_TRUE(mel(command("-close")));
  EXPECT_FALSE(mel(command("-cameras")));
  EXPECT_EQ(melResult("VXR_AnimationImportCmd -id " + std::to_string(second) + " -cameras"), "2");
  EXPECT_TRUE(mel("VXR_AnimationImportCmd -id " + std::to_string(second) + " -close"));
}

TEST_F(ImportCommandTest, OpenRefusesAFileOfAnotherKind) {
  const std::string other = path("other.vxranim");
  FILE* f = std::fopen(other.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("not an animation file", f);
  std::fclose(f);
  EXPECT_EQ(melResult("VXR_AnimationImportCmd -open \"" + other + "\""), "0");
}

TEST_F(ImportCommandTest, OpenRefusesANameHoldingANulByte) {
  // "walk.vxranim" exists, but the name given is longer: the file it names cannot be opened,
  // and the part before the NUL must not be opened in its place.
  const std::string name = path("walk.vxranim") + std::string("\0.other", 7);
  MArgList args;
  args.addArg(MString("-open"));
  args.addArg(MString(name.c_str(), static_cast<int>(name.size())));
  minihost::CommandResult result;
  ASSERT_TRUE(minihost::PluginRegistry::get().runCommand("VXR_AnimationImportCmd", args, result));
  ASSERT_EQ(result.kind, minihost::CommandResult::Kind::kInt);
  EXPECT_EQ(result.ints.at(0), 0);
}

}  // namespace
