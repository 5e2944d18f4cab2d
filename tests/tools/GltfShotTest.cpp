#include <gtest/gtest.h>

#include <cmath>

#include "anim_model/AnimationDocument.h"
#include "tools/vxrinfo/convert/GltfShot.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Turns v by the unit quaternion q (x, y, z, w).
Vector3D rotate(const double q[4], const Vector3D& v) {
  const Vector3D u(q[0], q[1], q[2]);
  const double w = q[3];
  const Vector3D uv(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x);
  const Vector3D uuv(u.y * uv.z - u.z * uv.y, u.z * uv.x - u.x * uv.z, u.x * uv.y - u.y * uv.x);
  return v + (uv * w + uuv) * 2.0;
}

void expectNear(const Vector3D& a, const Vector3D& b, double tolerance = 1e-9) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

// A camera key `d` in front of `eye` looking along `view` with a window w x h centred (unless
// shifted) on the plane.
CameraKey camera(std::int32_t frame, const Vector3D& eye, const Vector3D& view, const Vector3D& up,
                 double d, double w, double h, bool perspective = true) {
  CameraKey key;
  key.frame = frame;
  key.projector.plane.setPlaneParameters(eye + view * d, view, up);
  key.projector.window = GViewportWindowInfo(Vector2D(-0.5 * w, -0.5 * h), Vector2D(w, h));
  key.projector.eyeOffset = Vector3D(0.0, 0.0, d);
  key.projector.perspective = perspective ? 1 : 0;
  key.projector.scale = 1.0f;
  key.projector.imageWidth = 640;
  key.projector.imageHeight = 480;
  return key;
}

VXRAnimation_Camera* cameraTrack(AnimationDocument& doc, const char* name) {
  auto* track = new VXRAnimation_Camera;
  track->setName(name);
  doc.cameras.v_insert(track);
  return track;
}

VXRAnimation_Light* lightTrack(AnimationDocument& doc, const char* name) {
  auto* track = new VXRAnimation_Light;
  track->setName(name);
  doc.lights.v_insert(track);
  return track;
}

LightKey spot(std::int32_t frame, double halfAngle, double penumbra) {
  LightKey key;
  key.frame = frame;
  key.type = LightKey::kSpot;
  key.position = Vector3D(0.0, 0.0, 500.0);
  key.target = Vector3D(0.0, 0.0, 499.0);
  key.intensity = 2.0;
  key.coneHalfAngle = halfAngle;
  key.penumbraAngle = penumbra;
  return key;
}

const GltfKeyedValue& value(const std::vector<GltfKeyedValue>& values, const std::string& path) {
  for (const GltfKeyedValue& v : values)
    if (v.path == path)
      return v;
  static const GltfKeyedValue none;
  ADD_FAILURE() << "no value " << path;
  return none;
}

}  // namespace

TEST(GltfShotAxes, ZUpFilesTurnToYUpAndCentimetresToMetres) {
  expectNear(gltfDirection(Vector3D(1, 2, 3), true), Vector3D(1, 3, -2));
  expectNear(gltfDirection(Vector3D(1, 2, 3), false), Vector3D(1, 2, 3));
  expectNear(gltfPoint(Vector3D(100, 200, 300), true), Vector3D(1, 3, -2));
  expectNear(gltfPoint(Vector3D(100, 200, 300), false), Vector3D(1, 2, 3));
}

TEST(GltfShotAxes, CameraRotationTurnsMinusZOntoTheViewAndYOntoTheUp) {
  const Vector3D views[] = {Vector3D(0, 0, -1), Vector3D(1, 0, 0), Vector3D(0, -1, 0),
                            Vector3D(0, 0, 1), Vector3D(0.3, -0.4, 0.5)};
  for (const Vector3D& view : views) {
    const Vector3D up = std::fabs(view.y) > 0.9 ? Vector3D(0, 0, -1) : Vector3D(0, 1, 0);
    double q[4];
    ASSERT_TRUE(cameraRotation(view, up, q));
    const Vector3D unitView = view * (1.0 / view.length());
    expectNear(rotate(q, Vector3D(0, 0, -1)), unitView);
    // +y lands in the plane of view and up, on up's side.
    const Vector3D y = rotate(q, Vector3D(0, 1, 0));
    EXPECT_NEAR(y.x * unitView.x + y.y * unitView.y + y.z * unitView.z, 0.0, 1e-9);
    EXPECT_GT(y.x * up.x + y.y * up.y + y.z * up.z, 0.0);
  }
  double q[4];
  EXPECT_FALSE(cameraRotation(Vector3D(0, 1, 0), Vector3D(0, 2, 0), q));
  EXPECT_FALSE(cameraRotation(Vector3D(0, 0, 0), Vector3D(0, 1, 0), q));
}

TEST(GltfShotAxes, AimRotationPointsMinusZAlongTheBeamEvenStraightBack) {
  const Vector3D directions[] = {Vector3D(0, 0, -1), Vector3D(0, 0, 1), Vector3D(0, -1, 0),
                                 Vector3D(2, 1, -3)};
  for (const Vector3D& d : directions) {
    double q[4];
    ASSERT_TRUE(aimRotation(d, q));
    expectNear(rotate(q, Vector3D(0, 0, -1)), d * (1.0 / d.length()));
  }
  double q[4];
  EXPECT_FALSE(aimRotation(Vector3D(0, 0, 0), q));
}

TEST(GltfShotLights, PenumbraWidensOrNarrowsTheConeAndInnerStaysBelowOuter) {
  double inner = 0.0;
  double outer = 0.0;
  spotCone(0.4, 0.1, inner, outer);
  EXPECT_DOUBLE_EQ(inner, 0.4);
  EXPECT_DOUBLE_EQ(outer, 0.5);
  spotCone(0.4, -0.1, inner, outer);
  EXPECT_DOUBLE_EQ(inner, 0.3);
  EXPECT_DOUBLE_EQ(outer, 0.4);
  spotCone(0.4, -0.9, inner, outer);  // a penumbra wider than the cone starts at the centre
  EXPECT_EQ(inner, 0.0);
  spotCone(0.4, 0.0, inner, outer);  // a hard edge: the inner angle just below, in floats
  EXPECT_LT(static_cast<float>(inner), static_cast<float>(outer));
  EXPECT_NEAR(inner, 0.4, 1e-6);
  spotCone(kPi / 2, 0.0, inner, outer);  // a half sphere: still at most pi/2 once in floats
  EXPECT_LE(static_cast<double>(static_cast<float>(outer)), kPi / 2);
  EXPECT_LT(static_cast<float>(inner), static_cast<float>(outer));
}

TEST(GltfShotCameras, PlaceOrientationAndProjectionComeFromTheKey) {
  AnimationDocument doc;
  doc.upAxisIsZ = true;
  VXRAnimation_Camera* track = cameraTrack(doc, "|cam|camShape");
  // 100 cm from the origin along -y, looking along +y (z-up): in glTF at z = +1 m looking -z.
  track->v_insert(new CameraKey(
      camera(24, Vector3D(0, -100, 0), Vector3D(0, 1, 0), Vector3D(0, 0, 1), 2.0, 1.6, 0.9)));
  const GltfShot shot = buildGltfShot(doc, GltfOptions());
  ASSERT_TRUE(shot.refusals.empty()) << shot.refusals.front();
  ASSERT_EQ(shot.nodes.size(), 1u);
  const GltfNode& node = shot.nodes[0];
  EXPECT_EQ(node.name, "|cam|camShape");
  ASSERT_EQ(node.times.size(), 1u);
  EXPECT_FLOAT_EQ(node.times[0], 1.0f);  // frame 24 at 24 frames a second
  ASSERT_EQ(node.translations.size(), 3u);
  EXPECT_NEAR(node.translations[0], 0.0, 1e-7);
  EXPECT_NEAR(node.translations[1], 0.0, 1e-7);
  EXPECT_NEAR(node.translations[2], 1.0, 1e-7);
  ASSERT_EQ(node.rotations.size(), 4u);
  EXPECT_NEAR(std::fabs(node.rotations[3]), 1.0, 1e-7);  // glTF's camera already looks along -z
  ASSERT_EQ(node.camera, 0);
  const GltfCamera& cam = shot.cameras[0];
  EXPECT_TRUE(cam.perspective);
  EXPECT_NEAR(value(cam.values, "perspective/yfov").keys[0], 2.0 * std::atan(0.45 / 2.0), 1e-6);
  EXPECT_NEAR(value(cam.values, "perspective/aspectRatio").keys[0], 1.6 / 0.9, 1e-6);
  EXPECT_NEAR(value(cam.values, "perspective/znear").keys[0], 0.02, 1e-8);
  EXPECT_FALSE(node.moves);
}

TEST(GltfShotCameras, AnOrthographicKeyGivesHalfWidthsAndAFarPlane) {
  AnimationDocument doc;
  VXRAnimation_Camera* track = cameraTrack(doc, "top");
  track->v_insert(new CameraKey(camera(1, Vector3D(0, 500, 0), Vector3D(0, -1, 0),
                                       Vector3D(0, 0, -1), 10.0, 300.0, 200.0, false)));
  const GltfShot shot = buildGltfShot(doc, GltfOptions());
  ASSERT_TRUE(shot.refusals.empty());
  const GltfCamera& cam = shot.cameras.at(0);
  EXPECT_FALSE(cam.perspective);
  EXPECT_FLOAT_EQ(value(cam.values, "orthographic/xmag").keys[0], 1.5f);
  EXPECT_FLOAT_EQ(value(cam.values, "orthographic/ymag").keys[0], 1.0f);
  EXPECT_FLOAT_EQ(value(cam.values, "orthographic/znear").keys[0], 0.1f);
  EXPECT_GT(cam.zfar, 0.1f);
}

TEST(GltfShotCameras, AChangingFieldOfViewIsKeyedAndTimesFollowTheFrameRate) {
  AnimationDocument doc;
  VXRAnimation_Camera* track = cameraTrack(doc, "zoom");
  for (int f = 10; f <= 12; ++f)
    track->v_insert(new CameraKey(camera(f, Vector3D(f, 0, 0), Vector3D(0, 0, -1),
                                         Vector3D(0, 1, 0), 1.0, 1.0, 0.5 + 0.1 * f)));
  GltfOptions options;
  options.framesPerSecond = 25.0;
  options.startFrame = 10;
  const GltfShot shot = buildGltfShot(doc, options);
  ASSERT_TRUE(shot.refusals.empty());
  const GltfNode& node = shot.nodes.at(0);
  ASSERT_EQ(node.times.size(), 3u);
  EXPECT_FLOAT_EQ(node.times[0], 0.0f);
  EXPECT_FLOAT_EQ(node.times[2], 0.08f);
  EXPECT_TRUE(node.moves);
  EXPECT_TRUE(value(shot.cameras[0].values, "perspective/yfov").varies());
  EXPECT_FALSE(value(shot.cameras[0].values, "perspective/znear").varies());
}

TEST(GltfShotCameras, KeysGlTFCannotHoldAreRefusedWithTheirFrame) {
  AnimationDocument doc;
  cameraTrack(doc, "early")
      ->v_insert(new CameraKey(
          camera(-3, Vector3D(0, 0, 0), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1, 1, 1)));
  VXRAnimation_Camera* back = cameraTrack(doc, "backwards");
  back->v_insert(
      new CameraKey(camera(5, Vector3D(0, 0, 0), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1, 1, 1)));
  back->v_insert(
      new CameraKey(camera(4, Vector3D(0, 0, 0), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1, 1, 1)));
  VXRAnimation_Camera* mixed = cameraTrack(doc, "mixed");
  mixed->v_insert(new CameraKey(
      camera(1, Vector3D(0, 0, 0), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1, 1, 1, true)));
  mixed->v_insert(new CameraKey(
      camera(2, Vector3D(0, 0, 0), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1, 1, 1, false)));
  CameraKey nan = camera(1, Vector3D(0, 0, 0), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1, 1, 1);
  nan.projector.window.size.x = std::nan("");
  cameraTrack(doc, "nan")->v_insert(new CameraKey(nan));
  const GltfShot shot = buildGltfShot(doc, GltfOptions());
  ASSERT_EQ(shot.refusals.size(), 4u);
  EXPECT_NE(shot.refusals[0].find("camera \"early\" at frame -3: comes before the start frame 0"),
            std::string::npos)
      << shot.refusals[0];
  EXPECT_NE(shot.refusals[1].find("\"backwards\" at frame 4"), std::string::npos);
  EXPECT_NE(shot.refusals[2].find("perspective and orthographic"), std::string::npos);
  EXPECT_NE(shot.refusals[3].find("not finite"), std::string::npos);
}

TEST(GltfShotCameras, AnOffCentreWindowIsWrittenWithANote) {
  AnimationDocument doc;
  CameraKey key = camera(1, Vector3D(0, 0, 0), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1, 1, 1);
  key.projector.window.origin.x += 0.2;
  cameraTrack(doc, "shifted")->v_insert(new CameraKey(key));
  const GltfShot shot = buildGltfShot(doc, GltfOptions());
  EXPECT_TRUE(shot.refusals.empty());
  ASSERT_EQ(shot.notes.size(), 1u);
  EXPECT_NE(shot.notes[0].find("off centre"), std::string::npos);
}

TEST(GltfShotLights, ColourIntensityConeAndAim) {
  AnimationDocument doc;
  doc.upAxisIsZ = true;
  LightKey key = spot(1, 0.3, 0.1);
  key.red = 255;
  key.green = 51;
  key.blue = 0;
  lightTrack(doc, "spot")->v_insert(new LightKey(key));
  LightKey sun;
  sun.type = LightKey::kDirectional;
  sun.position = Vector3D(0, 0, 1);  // toward the light: straight up in a z-up scene
  lightTrack(doc, "sun")->v_insert(new LightKey(sun));
  const GltfShot shot = buildGltfShot(doc, GltfOptions());
  ASSERT_TRUE(shot.refusals.empty());
  ASSERT_EQ(shot.lights.size(), 2u);
  const GltfLight& light = shot.lights[0];
  EXPECT_EQ(light.type, "spot");
  const std::vector<float>& colour = value(light.values, "color").keys;
  EXPECT_FLOAT_EQ(colour[0], 1.0f);
  EXPECT_FLOAT_EQ(colour[1], 0.2f);
  EXPECT_FLOAT_EQ(colour[2], 0.0f);
  EXPECT_FLOAT_EQ(value(light.values, "intensity").keys[0], 2.0f);
  EXPECT_FLOAT_EQ(value(light.values, "spot/innerConeAngle").keys[0], 0.3f);
  EXPECT_FLOAT_EQ(value(light.values, "spot/outerConeAngle").keys[0], 0.4f);
  // The spot at 5 m up shines down; its node at (0, 5, 0).
  const GltfNode& node = shot.nodes[0];
  EXPECT_NEAR(node.translations[1], 5.0, 1e-6);
  double q[4] = {node.rotations[0], node.rotations[1], node.rotations[2], node.rotations[3]};
  expectNear(rotate(q, Vector3D(0, 0, -1)), Vector3D(0, -1, 0), 1e-6);
  // The sun shines down too, and has no place.
  const GltfNode& sunNode = shot.nodes[1];
  EXPECT_EQ(shot.lights[1].type, "directional");
  EXPECT_TRUE(sunNode.translations.empty());
  double s[4] = {sunNode.rotations[0], sunNode.rotations[1], sunNode.rotations[2],
                 sunNode.rotations[3]};
  expectNear(rotate(s, Vector3D(0, 0, -1)), Vector3D(0, -1, 0), 1e-6);
}

TEST(GltfShotLights, ValuesOutsideTheExtensionAreRefused) {
  AnimationDocument doc;
  lightTrack(doc, "wide")->v_insert(new LightKey(spot(1, 1.5, 0.2)));  // 98 degrees a side
  LightKey dark = spot(1, 0.3, 0.0);
  dark.intensity = -1.0;
  lightTrack(doc, "negative")->v_insert(new LightKey(dark));
  VXRAnimation_Light* changing = lightTrack(doc, "changing");
  changing->v_insert(new LightKey(spot(1, 0.3, 0.0)));
  LightKey point;
  point.frame = 2;
  changing->v_insert(new LightKey(point));
  LightKey odd = spot(1, 0.3, 0.0);
  odd.type = 9;
  lightTrack(doc, "odd")->v_insert(new LightKey(odd));
  const GltfShot shot = buildGltfShot(doc, GltfOptions());
  ASSERT_EQ(shot.refusals.size(), 4u);
  EXPECT_NE(shot.refusals[0].find("light \"wide\" at frame 1: has a cone of"), std::string::npos)
      << shot.refusals[0];
  EXPECT_NE(shot.refusals[1].find("negative intensity"), std::string::npos);
  EXPECT_NE(shot.refusals[2].find("changes its type"), std::string::npos);
  EXPECT_NE(shot.refusals[3].find("unknown light type 9"), std::string::npos);
}

TEST(GltfShotLights, AnAnimatedIntensityIsKeyedAndAStillPlaceIsNot) {
  AnimationDocument doc;
  VXRAnimation_Light* track = lightTrack(doc, "flicker");
  for (int f = 1; f <= 3; ++f) {
    LightKey key = spot(f, 0.3, 0.1);
    key.intensity = f;
    track->v_insert(new LightKey(key));
  }
  const GltfShot shot = buildGltfShot(doc, GltfOptions());
  ASSERT_TRUE(shot.refusals.empty());
  EXPECT_FALSE(shot.nodes[0].moves);
  EXPECT_TRUE(value(shot.lights[0].values, "intensity").varies());
  EXPECT_FALSE(value(shot.lights[0].values, "color").varies());
}
