#include "AnimSamples.h"

#include <gtest/gtest.h>

#include <cstring>

#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/ompstream.h"

namespace {

// Bit for bit by default; by value (so -0 equals 0) while `compareByValue` is set.
bool compareByValue = false;

void expectSameBits(double expected, double actual, const char* what) {
  if (compareByValue) {
    EXPECT_EQ(expected, actual) << what;
    return;
  }
  std::uint64_t a;
  std::uint64_t b;
  std::memcpy(&a, &expected, 8);
  std::memcpy(&b, &actual, 8);
  EXPECT_EQ(a, b) << what << ": expected " << expected << ", got " << actual;
}

void expectSameVector(const Vector3D& expected, const Vector3D& actual, const char* what) {
  expectSameBits(expected.x, actual.x, what);
  expectSameBits(expected.y, actual.y, what);
  expectSameBits(expected.z, actual.z, what);
}

}  // namespace

CameraKey makeCameraKey(std::int32_t frame, double seed) {
  CameraKey key;
  GViewportPlaneInfo plane(Vector3D(seed + 0.5, seed - 1.25, -seed - 2.0),
                           Vector3D(0.0, -0.6, -0.8), Vector3D(-0.0, 0.8, -0.6));
  GViewportWindowInfo window(Vector2D(-seed * 0.01 - 0.03, -0.0225),
                             Vector2D(seed * 0.02 + 0.06, 0.045));
  GViewportInfo view(plane, window, 0, 1.0f);
  view.eyeOffset = Vector3D(0.125, -0.25, 0.1 + seed);
  view.perspective = static_cast<std::uint8_t>(frame % 2 == 0 ? 1 : 0);
  view.scale = 0.75f + static_cast<float>(seed);
  key.projector = view;
  key.projector.imageWidth = 1920 + static_cast<std::int32_t>(seed);
  key.projector.imageHeight = -7;  // not meaningful, but it must survive
  key.frame = frame;
  return key;
}

LightKey makeLightKey(std::int32_t frame, double seed) {
  LightKey key;
  key.frame = frame;
  key.type = static_cast<std::uint8_t>(1 + (frame & 1) * 2);
  key.red = 255;
  key.green = 127;
  key.blue = static_cast<std::uint8_t>(frame);
  key.position = Vector3D(seed, 5.0 + seed, -3.5);
  key.target = Vector3D(seed - 0.5, 4.0, -2.5);
  key.intensity = 1.5 + seed;
  key.coneHalfAngle = 0.4;
  key.penumbraAngle = -0.1;
  key.reserved = 3.25 + seed;
  return key;
}

void expectSameCameraKey(const CameraKey& expected, const CameraKey& actual) {
  const ProjectorInfo& e = expected.projector;
  const ProjectorInfo& a = actual.projector;
  expectSameVector(e.plane.origin, a.plane.origin, "plane origin");
  expectSameVector(e.plane.direction, a.plane.direction, "plane direction");
  expectSameVector(e.plane.up, a.plane.up, "plane up");
  expectSameBits(e.window.origin.x, a.window.origin.x, "window left");
  expectSameBits(e.window.origin.y, a.window.origin.y, "window bottom");
  expectSameBits(e.window.size.x, a.window.size.x, "window width");
  expectSameBits(e.window.size.y, a.window.size.y, "window height");
  expectSameVector(e.eyeOffset, a.eyeOffset, "eye offset");
  EXPECT_EQ(e.perspective, a.perspective);
  EXPECT_EQ(e.scale, a.scale);
  EXPECT_EQ(e.imageWidth, a.imageWidth);
  EXPECT_EQ(e.imageHeight, a.imageHeight);
  EXPECT_EQ(expected.frame, actual.frame);
}

void expectSameLightKey(const LightKey& expected, const LightKey& actual) {
  EXPECT_EQ(expected.frame, actual.frame);
  EXPECT_EQ(expected.type, actual.type);
  EXPECT_EQ(expected.red, actual.red);
  EXPECT_EQ(expected.green, actual.green);
  EXPECT_EQ(expected.blue, actual.blue);
  expectSameVector(expected.position, actual.position, "position");
  expectSameVector(expected.target, actual.target, "target");
  expectSameBits(expected.intensity, actual.intensity, "intensity");
  expectSameBits(expected.coneHalfAngle, actual.coneHalfAngle, "coneHalfAngle");
  expectSameBits(expected.penumbraAngle, actual.penumbraAngle, "penumbraAngle");
  expectSameBits(expected.reserved, actual.reserved, "reserved");
}

VXRAnimation_Camera* makeCameraTrack(const char* name, int keys, std::int32_t firstFrame) {
  auto* track = new VXRAnimation_Camera;
  track->setName(name);
  for (int i = 0; i < keys; ++i)
    track->v_insert(new CameraKey(makeCameraKey(firstFrame + i, i * 1.5)));
  return track;
}

VXRAnimation_Light* makeLightTrack(const char* name, int keys, std::int32_t firstFrame) {
  auto* track = new VXRAnimation_Light;
  track->setName(name);
  for (int i = 0; i < keys; ++i)
    track->v_insert(new LightKey(makeLightKey(firstFrame + i, i * 0.5)));
  return track;
}

std::string writeAnimationFile(const VXRAnimation_CameraList& cameras,
                               const VXRAnimation_LightList& lights, bool upAxisIsZ) {
  ompstream out;
  AnimationFileHeader header;
  header.upAxisIsZ = upAxisIsZ;
  header.write(out, cameras);
  header.writeLights(out, lights);
  EXPECT_FALSE(out.fail());
  return std::string(out.data(), out.size());
}

void fillSampleDocument(AnimationDocument& document) {
  document.cameras.v_insert(makeCameraTrack("cam0", 2, -3));
  document.cameras.v_insert(makeCameraTrack("cam1", 0));
  document.cameras.v_insert(makeCameraTrack("|group|cam2Shape", 3, 100));
  document.lights.v_insert(makeLightTrack("light0", 1, -2147483647 - 1));
  document.lights.v_insert(makeLightTrack("light1", 4, 7));
}

void fillSmallDocument(AnimationDocument& document) {
  auto* camera = new VXRAnimation_Camera;
  camera->setName("cam");
  auto* cameraKey = new CameraKey;
  cameraKey->projector =
      GViewportInfo(GViewportPlaneInfo(Vector3D(0, 0, -1), Vector3D(0, 0, -1), Vector3D(0, 1, 0)),
                    GViewportWindowInfo(Vector2D(-0.5, -0.375), Vector2D(1, 0.75)), 0, 1.0f);
  cameraKey->projector.eyeOffset = Vector3D(0, 0, 1);
  cameraKey->projector.perspective = 1;
  cameraKey->projector.imageWidth = 640;
  cameraKey->projector.imageHeight = 480;
  cameraKey->frame = 1;
  camera->v_insert(cameraKey);
  document.cameras.v_insert(camera);

  auto* light = new VXRAnimation_Light;
  light->setName("lamp");
  auto* lightKey = new LightKey;
  lightKey->frame = 1;
  lightKey->type = LightKey::kSpot;
  lightKey->red = 255;
  lightKey->green = 128;
  lightKey->blue = 0;
  lightKey->position = Vector3D(0, 5, 0);
  lightKey->target = Vector3D(0, 5, -1);
  lightKey->intensity = 1.0;
  lightKey->coneHalfAngle = 0.5;
  lightKey->penumbraAngle = 0.125;
  light->v_insert(lightKey);
  document.lights.v_insert(light);
}

static void compareTracks(const AnimationDocument& expected, const AnimationDocument& actual) {
  ASSERT_EQ(expected.cameras.trackCount(), actual.cameras.trackCount());
  for (int t = 0; t < expected.cameras.trackCount(); ++t) {
    const VXRAnimation_Camera* e = expected.cameras.track(t);
    const VXRAnimation_Camera* a = actual.cameras.track(t);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(e->name, a->name) << "camera track " << t;
    ASSERT_EQ(e->keyCount(), a->keyCount()) << "camera track " << t;
    for (int k = 0; k < e->keyCount(); ++k)
      expectSameCameraKey(*e->key(k), *a->key(k));
  }
  ASSERT_EQ(expected.lights.trackCount(), actual.lights.trackCount());
  for (int t = 0; t < expected.lights.trackCount(); ++t) {
    const VXRAnimation_Light* e = expected.lights.track(t);
    const VXRAnimation_Light* a = actual.lights.track(t);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(e->name, a->name) << "light track " << t;
    ASSERT_EQ(e->keyCount(), a->keyCount()) << "light track " << t;
    for (int k = 0; k < e->keyCount(); ++k)
      expectSameLightKey(*e->key(k), *a->key(k));
  }
}

void expectSameTracks(const AnimationDocument& expected, const AnimationDocument& actual,
                      bool byValue) {
  compareByValue = byValue;
  compareTracks(expected, actual);
  compareByValue = false;
}

void expectVectorNear(const Vector3D& actual, const Vector3D& expected, double tolerance,
                      const std::string& what) {
  EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
  EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
  EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}
