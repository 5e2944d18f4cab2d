// The fidelity bar of the whole road: an animated scene is exported, a new scene imports the
// file, and at every exported frame the cameras and lights are where they were.

#include <maya/MAnimControl.h>
#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnLight.h>
#include <maya/MFnSpotLight.h>
#include <maya/MMatrix.h>
#include <maya/MTime.h>
#include <maya/MVector.h>

#include <cmath>
#include <string>
#include <vector>

#include "ImportFixture.h"

namespace {

constexpr double kTolerance = 1e-9;
constexpr int kFirstFrame = 1;
constexpr int kLastFrame = 12;

// The scene: two cameras (one under a moved group) with moving transforms, roll and changing
// focal length, and a directional, a point and a spot light with animated colour, intensity
// and cone. The resolution matches the cameras' film aspect, so the film back is the window.
const char* const kSceneScript = R"MEL(
setAttr defaultResolution.width 960;
setAttr defaultResolution.height 640;
setAttr defaultRenderGlobals.animation 1;
setAttr defaultRenderGlobals.animationRange 0;
setAttr defaultRenderGlobals.startFrame 1;
setAttr defaultRenderGlobals.endFrame 12;
setAttr defaultRenderGlobals.byFrameStep 1;

camera -name camA;
setAttr camAShape.horizontalFilmAperture 1.5;
setAttr camAShape.verticalFilmAperture 1.0;
setKeyframe -t 1 -v 0 -at translateX camA;   setKeyframe -t 12 -v 20 -at translateX camA;
setKeyframe -t 1 -v 3 -at translateY camA;   setKeyframe -t 12 -v -4 -at translateY camA;
setKeyframe -t 1 -v 30 -at translateZ camA;  setKeyframe -t 12 -v 12 -at translateZ camA;
setKeyframe -t 1 -v -10 -at rotateX camA;    setKeyframe -t 12 -v 25 -at rotateX camA;
setKeyframe -t 1 -v 5 -at rotateY camA;      setKeyframe -t 12 -v 80 -at rotateY camA;
setKeyframe -t 1 -v 0 -at rotateZ camA;      setKeyframe -t 12 -v 35 -at rotateZ camA;
setKeyframe -t 1 -v 35 -at focalLength camAShape;  setKeyframe -t 12 -v 85 -at focalLength camAShape;

group -empty -name rig;
move 1 2 3 rig;
rotate 0 45 0 rig;
camera -name camB;
parent camB rig;
setAttr camBShape.horizontalFilmAperture 1.5;
setAttr camBShape.verticalFilmAperture 1.0;
setAttr camBShape.nearClipPlane 0.5;
setKeyframe -t 1 -v 0 -at translateZ camB;   setKeyframe -t 12 -v -9 -at translateZ camB;
setKeyframe -t 1 -v 0 -at rotateZ camB;      setKeyframe -t 12 -v -60 -at rotateZ camB;
setKeyframe -t 1 -v 20 -at focalLength camBShape;  setKeyframe -t 12 -v 28 -at focalLength camBShape;

directionalLight -name sun;
setKeyframe -t 1 -v -30 -at rotateX sun;     setKeyframe -t 12 -v -70 -at rotateX sun;
setKeyframe -t 1 -v 10 -at rotateY sun;      setKeyframe -t 12 -v 120 -at rotateY sun;
setKeyframe -t 1 -v 1 -at intensity sunShape;  setKeyframe -t 12 -v 2.5 -at intensity sunShape;

pointLight -name bulb;
setKeyframe -t 1 -v -5 -at translateX bulb;  setKeyframe -t 12 -v 5 -at translateX bulb;
setKeyframe -t 1 -v 2 -at translateY bulb;   setKeyframe -t 12 -v 7 -at translateY bulb;
setKeyframe -t 1 -v 0.2 -at colorR bulbShape;  setKeyframe -t 12 -v 0.9 -at colorR bulbShape;
setKeyframe -t 1 -v 1 -at colorG bulbShape;    setKeyframe -t 12 -v 0.1 -at colorG bulbShape;

spotLight -name beam;
move 0 8 2 beam;
setKeyframe -t 1 -v -60 -at rotateX beam;    setKeyframe -t 12 -v -20 -at rotateX beam;
setKeyframe -t 1 -v 15 -at rotateZ beam;     setKeyframe -t 12 -v -15 -at rotateZ beam;
setKeyframe -t 1 -v 20 -at coneAngle beamShape;  setKeyframe -t 12 -v 60 -at coneAngle beamShape;
setKeyframe -t 1 -v 0 -at penumbraAngle beamShape;  setKeyframe -t 12 -v 5 -at penumbraAngle beamShape;
setKeyframe -t 1 -v 0.5 -at colorB beamShape;  setKeyframe -t 12 -v 1 -at colorB beamShape;
)MEL";

struct CameraState {
  MMatrix world;
  double horizontalFov, verticalFov, nearClip;
};

struct LightState {
  MVector position, direction;  // world
  int red, green, blue;
  double intensity, cone, penumbra;
};

struct Frame {
  std::vector<CameraState> cameras;
  std::vector<LightState> lights;
};

MDagPath shapePath(const std::string& transform) {
  MDagPath path;
  MFnDagNode(MFnDagNode(nodeNamed(transform)).child(0)).getPath(path);
  return path;
}

int colourByte(float component) {
  return static_cast<int>(static_cast<double>(component) * 255.0);
}

// The film window's field of view: the camera's own when its film back is the window.
double fieldOfView(double apertureInches, double focalMillimetres) {
  return 2.0 * std::atan(0.5 * apertureInches * 25.4 / focalMillimetres);
}

CameraState cameraState(const std::string& transform) {
  const MDagPath path = shapePath(transform);
  MFnCamera camera(path);
  return {
      path.inclusiveMatrix(), fieldOfView(camera.horizontalFilmAperture(), camera.focalLength()),
      fieldOfView(camera.verticalFilmAperture(), camera.focalLength()), camera.nearClippingPlane()};
}

LightState lightState(const std::string& transform) {
  const MDagPath path = shapePath(transform);
  const MMatrix m = path.inclusiveMatrix();
  MFnLight light(path);
  const MColor colour = light.color();
  LightState state{MVector(m(3, 0), m(3, 1), m(3, 2)),
                   MVector(0, 0, 1) * m,
                   colourByte(colour.r),
                   colourByte(colour.g),
                   colourByte(colour.b),
                   light.intensity(),
                   0.0,
                   0.0};
  MStatus isSpot;
  MFnSpotLight spot(path, &isSpot);
  if (isSpot) {
    state.cone = spot.coneAngle();
    state.penumbra = spot.penumbraAngle();
  }
  return state;
}

const std::vector<std::string> kCameras = {"camA", "camB"};
const std::vector<std::string> kLights = {"sun", "bulb", "beam"};

std::vector<Frame> recordFrames(const std::vector<std::string>& cameras,
                                const std::vector<std::string>& lights) {
  std::vector<Frame> frames;
  for (int f = kFirstFrame; f <= kLastFrame; ++f) {
    MAnimControl::setCurrentTime(MTime(static_cast<double>(f), MTime::uiUnit()));
    Frame frame;
    for (const std::string& c : cameras)
      frame.cameras.push_back(cameraState(c));
    for (const std::string& l : lights)
      frame.lights.push_back(lightState(l));
    frames.push_back(frame);
  }
  return frames;
}

// The quarter turn about x from a y-up file into a z-up scene, for row vectors.
MMatrix yUpToZUp() {
  const double rows[4][4] = {{1, 0, 0, 0}, {0, 0, 1, 0}, {0, -1, 0, 0}, {0, 0, 0, 1}};
  return MMatrix(rows);
}

void expectNear(const MVector& a, const MVector& b, const std::string& what) {
  EXPECT_NEAR(a.x, b.x, kTolerance) << what;
  EXPECT_NEAR(a.y, b.y, kTolerance) << what;
  EXPECT_NEAR(a.z, b.z, kTolerance) << what;
}

void expectSameFrames(const std::vector<Frame>& before, const std::vector<Frame>& after,
                      const MMatrix& axis) {
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t f = 0; f < before.size(); ++f) {
    const std::string at = " at frame " + std::to_string(kFirstFrame + static_cast<int>(f));
    for (std::size_t c = 0; c < before[f].cameras.size(); ++c) {
      const CameraState& a = before[f].cameras[c];
      const CameraState& b = after[f].cameras[c];
      const MMatrix expected = a.world * axis;
      for (unsigned i = 0; i < 4; ++i) {
        for (unsigned j = 0; j < 4; ++j)
          EXPECT_NEAR(b.world(i, j), expected(i, j), kTolerance) << kCameras[c] << at;
      }
      EXPECT_NEAR(b.horizontalFov, a.horizontalFov, kTolerance) << kCameras[c] << at;
      EXPECT_NEAR(b.verticalFov, a.verticalFov, kTolerance) << kCameras[c] << at;
      EXPECT_NEAR(b.nearClip, a.nearClip, kTolerance) << kCameras[c] << at;
    }
    for (std::size_t l = 0; l < before[f].lights.size(); ++l) {
      const LightState& a = before[f].lights[l];
      const LightState& b = after[f].lights[l];
      const std::string what = kLights[l] + at;
      if (kLights[l] == "sun") {
        expectNear(b.direction, a.direction * axis, what);
      } else {
        expectNear(b.position, MVector(a.position) * axis, what);
        if (kLights[l] == "beam")
          expectNear(b.direction, a.direction * axis, what);
      }
      EXPECT_EQ(b.red, a.red) << what;
      EXPECT_EQ(b.green, a.green) << what;
      EXPECT_EQ(b.blue, a.blue) << what;
      EXPECT_NEAR(b.intensity, a.intensity, 1e-6) << what;  // the host keeps it as a float
      EXPECT_NEAR(b.cone, a.cone, kTolerance) << what;
      EXPECT_NEAR(b.penumbra, a.penumbra, kTolerance) << what;
    }
  }
}

class RoundTripTest : public ImportTest {
 protected:
  void exportAndReimport(bool zUpScene) {
    ASSERT_TRUE(mel(kSceneScript));
    const std::vector<Frame> before = recordFrames(kCameras, kLights);
    const std::string file = path("scene.vxranim");
    ASSERT_TRUE(mel("file -force -exportAll -type \"VXR Animation\" \"" + file + "\""));

    ASSERT_TRUE(mel("file -f -new"));
    if (zUpScene) {
      ASSERT_TRUE(mel("upAxis -ax z"));
    }
    ASSERT_TRUE(mel("file -import \"" + file + "\""));
    const std::vector<Frame> after = recordFrames(kCameras, kLights);
    expectSameFrames(before, after, zUpScene ? yUpToZUp() : MMatrix());
    if (zUpScene)
      mel("upAxis -ax y");
  }
};

TEST_F(RoundTripTest, ImportedAnimationMatchesTheExportedSceneAtEveryFrame) {
  exportAndReimport(false);
}

TEST_F(RoundTripTest, YUpFileInAZUpSceneIsTurnedByAQuarterTurn) {
  exportAndReimport(true);
}

}  // namespace
