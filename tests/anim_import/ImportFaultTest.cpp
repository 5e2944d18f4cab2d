// Files the import cannot take whole: a track it must not touch the scene for, a key whose
// values the scene cannot hold. Each is left out with a warning naming it and the rest of the
// file is imported; and the import runs the module's own script, never a same-named one found
// first.

#include <unistd.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "ImportFixture.h"
#include "mel/host/MelHost.h"

namespace {

class ImportFaultTest : public ImportTest {
 protected:
  // Imports through the translator; the import script's warnings land in `errors`.
  void importFile(const std::string& file, std::string* errors) {
    ASSERT_TRUE(mel("file -import \"" + file + "\";", nullptr, errors)) << *errors;
    EXPECT_EQ(errors->find("stopped early"), std::string::npos) << *errors;
  }

  int keyCount(const std::string& plug) {
    return std::atoi(melResult("keyframe -query -keyframeCount " + plug).c_str());
  }

  // Every value the import keys on a camera, at every frame the test's keys use.
  void expectFiniteCamera(const std::string& xform, const std::string& shape) {
    for (int frame = 1; frame <= 61; frame += 10) {
      melResult("currentTime " + std::to_string(frame));
      for (const std::string& plug :
           {xform + ".tx", xform + ".ty", xform + ".tz", xform + ".rx", xform + ".ry",
            xform + ".rz", shape + ".focalLength", shape + ".horizontalFilmAperture",
            shape + ".verticalFilmAperture", shape + ".nearClipPlane"}) {
        const double value = std::atof(melResult("getAttr " + plug).c_str());
        EXPECT_TRUE(std::isfinite(value)) << plug << " at frame " << frame;
      }
    }
  }
};

CameraKey cameraKeyAt(int frame) {
  return makeCameraKey(Vector3D(0, 0, -1), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1.0, 0.8, 0.6,
                       frame);
}

TEST_F(ImportFaultTest, AForeignScriptOfTheSameNameNeverRuns) {
  // The same name in the current folder and in the folder searched first.
  const std::string planted = path("VXRAnimImport.mel");
  std::ofstream(planted) << "global proc VXRAnimImportById(int $id) { polyCube -name planted; }\n"
                            "polyCube -name plantedOnSource;\n";
  AnimationDocument document;
  addCameraTrack(document, "|shot|shotShape", 2);
  const std::string file = writeDocument(document, "shot.vxranim");

  std::vector<std::string>& scripts = mel::initMinihostMel().interp().scriptPath();
  const std::vector<std::string> scriptsBefore = scripts;
  scripts.insert(scripts.begin(), path(""));
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(::chdir(path("").c_str()), 0);
  std::string errors;
  importFile(file, &errors);
  ASSERT_EQ(::chdir(cwd), 0);
  scripts = scriptsBefore;

  EXPECT_EQ(melResult("objExists planted"), "0") << errors;
  EXPECT_EQ(melResult("objExists plantedOnSource"), "0") << errors;
  EXPECT_EQ(keyCount("shotShape.focalLength"), 2);
}

TEST_F(ImportFaultTest, ABadTrackIsSkippedWithAWarningAndTheRestImported) {
  AnimationDocument document;
  addCameraTrack(document, "|first|firstShape", 2);
  addCameraTrack(document, "persp.tx", 2);
  addCameraTrack(document, "|persp", 2);
  addCameraTrack(document, "|" + std::string(20001, 'n'), 1);
  addCameraTrack(document, "|" + std::string(100000, 'm') + "|s", 1);
  addCameraTrack(document, "|last|lastShape", 3);
  LightKey light;
  light.frame = 1;
  light.type = LightKey::kPoint;
  addLightTrack(document, "|top|topShape", light, 1);
  addLightTrack(document, "|lamp|lampShape", light, 2);
  const std::string before = melResult("getAttr persp.translate");

  std::string errors;
  importFile(writeDocument(document, "bad.vxranim"), &errors);

  EXPECT_EQ(keyCount("firstShape.focalLength"), 2);
  EXPECT_EQ(keyCount("lastShape.focalLength"), 3);
  EXPECT_EQ(keyCount("lampShape.intensity"), 2);
  EXPECT_EQ(melResult("getAttr persp.translate"), before);
  // Four default cameras, the two sound camera tracks; one light.
  EXPECT_EQ(melResult("size(`ls -type camera`)"), "6");
  EXPECT_EQ(melResult("size(`ls -type pointLight`)"), "1");
  for (const std::string& warning :
       {std::string("Skipped the camera track \"persp.tx\": its name is an attribute path"),
        std::string("Skipped the camera track \"|persp\": it names an existing node that is not "
                    "a camera"),
        "Skipped the camera track \"|" + std::string(199, 'n') +
            "...\" (20002 characters): its name is longer than 20000 characters",
        std::string("(100003 characters): its name is longer than 20000 characters"),
        std::string("Skipped the light track \"|top|topShape\": it names an existing node that is "
                    "not a pointLight"),
        std::string("The import skipped 5 track(s) and 0 key(s)")})
    EXPECT_NE(errors.find(warning), std::string::npos) << warning;
  // A long name is shown cut, never whole.
  EXPECT_EQ(errors.find(std::string(300, 'm')), std::string::npos);
}

TEST_F(ImportFaultTest, ANameHoldingANulByteIsANewNodeNeverItsPrefix) {
  AnimationDocument document;
  VXRAnimation_Camera* track = new VXRAnimation_Camera();
  const std::string name("|persp|perspShape\0evil", 22);
  track->setName(GString(name.data(), name.size()));
  CameraKey key =
      makeCameraKey(Vector3D(5, 5, 5), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1.0, 0.8, 0.6, 1);
  track->v_insert(new CameraKey(key));
  document.cameras.v_insert(track);
  const std::string before = melResult("getAttr persp.translate");

  std::string errors;
  importFile(writeDocument(document, "nul.vxranim"), &errors);

  EXPECT_EQ(melResult("getAttr persp.translate"), before);
  EXPECT_EQ(keyCount("perspShape.focalLength"), 0);
  EXPECT_EQ(melResult("size(`ls -type camera`)"), "5");
  // The new camera is named after the whole name, in characters a node name may hold.
  const std::string shapes = melResult("stringArrayToString(`ls -type camera`, \" \")");
  EXPECT_NE(shapes.find("perspShape___evil"), std::string::npos) << shapes;
  EXPECT_EQ(keyCount("perspShape___evil.focalLength"), 1);
}

TEST_F(ImportFaultTest, UnusableKeysAreSkippedAndNothingInfiniteReachesTheScene) {
  AnimationDocument document;
  VXRAnimation_Camera* track = new VXRAnimation_Camera();
  track->setName(GString("|cam|camShape"));
  std::vector<CameraKey> keys(7);
  for (int k = 0; k < 7; ++k)
    keys[k] = cameraKeyAt(10 * k + 1);
  keys[1].projector.eyeOffset.z = 5e-324;  // the film-back scale overflows
  keys[2].projector.plane.direction = Vector3D(0, 0, -1e308);
  keys[2].projector.eyeOffset.z = 10.0;  // the eye position overflows
  keys[3].projector.eyeOffset.z = -1.0;
  keys[4].projector.window.size = Vector2D(-0.8, 0.6);
  keys[5].projector.eyeOffset.z = 0.0;
  for (const CameraKey& key : keys)
    track->v_insert(new CameraKey(key));
  document.cameras.v_insert(track);

  LightKey bright;
  bright.frame = 1;
  bright.type = LightKey::kPoint;
  bright.intensity = 1e300;  // beyond single precision
  VXRAnimation_Light* point = addLightTrack(document, "|bulb|bulbShape", bright, 1);
  LightKey sound = bright;
  sound.frame = 2;
  sound.intensity = 2.0;
  point->v_insert(new LightKey(sound));
  LightKey spot;
  spot.frame = 1;
  spot.type = LightKey::kSpot;
  spot.position = Vector3D(1e308, 0, 0);
  spot.target = Vector3D(-1e308, 0, 0);  // the beam overflows
  addLightTrack(document, "|beam|beamShape", spot, 1);

  std::string errors;
  importFile(writeDocument(document, "keys.vxranim"), &errors);

  EXPECT_EQ(keyCount("camShape.focalLength"), 2);
  EXPECT_EQ(keyCount("cam.translateZ"), 2);
  expectFiniteCamera("cam", "camShape");
  EXPECT_EQ(keyCount("bulbShape.intensity"), 1);
  EXPECT_EQ(melResult("getAttr bulbShape.intensity"), "2");
  EXPECT_EQ(keyCount("beamShape.coneAngle"), 0);
  // The command names each refused key; the script sums them up in one warning per track.
  for (int k = 1; k <= 5; ++k) {
    const std::string refusal = "Invalid camera data at keyframeid = " + std::to_string(k);
    EXPECT_NE(errors.find(refusal), std::string::npos) << refusal;
  }
  EXPECT_NE(errors.find("Skipped 5 of the 7 keys of the camera track \"|cam|camShape\""),
            std::string::npos)
      << errors;
  EXPECT_NE(errors.find("keys of the light track \"|bulb|bulbShape\""), std::string::npos);
  EXPECT_EQ(errors.find("Skipped key"), std::string::npos) << errors;
  std::size_t warnings = 0;
  for (auto at = errors.find("// Warning: VXR animation. Skipped"); at != std::string::npos;
       at = errors.find("// Warning: VXR animation. Skipped", at + 1))
    ++warnings;
  EXPECT_EQ(warnings, 3u) << errors;
  EXPECT_NE(errors.find("The import skipped 0 track(s) and 7 key(s)"), std::string::npos) << errors;
}

}  // namespace
