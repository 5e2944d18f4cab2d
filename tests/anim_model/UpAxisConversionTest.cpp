// Turning keys between y-up and z-up: tracks, lists and the document.
#include <gtest/gtest.h>

#include <string>

#include "AnimSamples.h"
#include "anim_model/AxisMatrices.h"
#include "boundary/base/impstream.h"

namespace {

CameraKey cameraLookingDownMinusZ() {
  CameraKey key;
  key.projector.plane =
      GViewportPlaneInfo(Vector3D(0, 0, -5), Vector3D(0, 0, -1), Vector3D(0, 1, 0));
  key.projector.window = GViewportWindowInfo(Vector2D(-0.4, -0.3), Vector2D(0.8, 0.6));
  key.projector.eyeOffset = Vector3D(0, 0, 0.1);
  key.frame = 12;
  return key;
}

TEST(CameraConversionTest, YUpFileInAZUpHostLooksAlongPlusYWithUpPlusZ) {
  VXRAnimation_Camera track;
  track.v_insert(new CameraKey(cameraLookingDownMinusZ()));
  track.convertUpAxis(false);

  CameraKey expected = cameraLookingDownMinusZ();
  expected.projector.plane =
      GViewportPlaneInfo(Vector3D(0, 5, 0), Vector3D(0, 1, 0), Vector3D(0, 0, 1));
  expectSameCameraKey(expected, *track.key(0));
}

TEST(CameraConversionTest, ZUpFileInAYUpHostTurnsTheOtherWay) {
  VXRAnimation_Camera track;
  CameraKey* key = new CameraKey;
  key->projector.plane =
      GViewportPlaneInfo(Vector3D(1, 2, 3), Vector3D(0, 1, 0), Vector3D(0, 0, 1));
  track.v_insert(key);
  track.convertUpAxis(true);
  EXPECT_EQ(track.key(0)->projector.plane.origin, Vector3D(1, 3, -2));
  EXPECT_EQ(track.key(0)->projector.plane.direction, Vector3D(0, 0, -1));
  EXPECT_EQ(track.key(0)->projector.plane.up, Vector3D(0, 1, 0));
}

TEST(LightConversionTest, PointLightAtFiveUpMovesToZAndTheTargetStays) {
  VXRAnimation_Light track;
  LightKey* key = new LightKey;
  key->position = Vector3D(0, 5, 0);
  key->target = Vector3D(0, 0, 0);
  track.v_insert(key);
  LightKey untouched = *key;

  track.convertUpAxis(false);
  EXPECT_EQ(track.key(0)->position, Vector3D(0, 0, 5));
  EXPECT_EQ(track.key(0)->target, Vector3D(0, 0, 0));
  untouched.position = Vector3D(0, 0, 5);
  expectSameLightKey(untouched, *track.key(0));
}

TEST(LightConversionTest, DirectionalAndSpotLightsTurnPositionAndTarget) {
  VXRAnimation_Light track;
  LightKey* key = new LightKey(makeLightKey(3, 0.0));
  key->position = Vector3D(0, 0, 1);
  key->target = Vector3D(0, 5, -1);
  track.v_insert(key);
  track.convertUpAxis(false);
  EXPECT_EQ(track.key(0)->position, Vector3D(0, -1, 0));
  EXPECT_EQ(track.key(0)->target, Vector3D(0, 1, 5));
}

TEST(DocumentConversionTest, TrueThenFalseIsTheIdentityForEveryKey) {
  AnimationDocument original;
  fillSampleDocument(original);
  AnimationDocument converted;
  fillSampleDocument(converted);

  converted.convertUpAxis(true, false);
  EXPECT_NE(converted.cameras.track(0)->key(0)->projector.plane.origin,
            original.cameras.track(0)->key(0)->projector.plane.origin);
  converted.convertUpAxis(false, true);
  // The quarter turns are exact, but a rotated -0 comes back as +0.
  expectSameTracks(original, converted, true);
}

TEST(DocumentConversionTest, SameAxisChangesNothing) {
  AnimationDocument original;
  fillSampleDocument(original);
  for (bool axis : {false, true}) {
    AnimationDocument document;
    fillSampleDocument(document);
    document.convertUpAxis(axis, axis);
    expectSameTracks(original, document);
  }
}

TEST(DocumentConversionTest, DifferentAxesTurnCamerasAndLightsAndKeepTheFlag) {
  AnimationDocument document;
  fillSampleDocument(document);
  AnimationDocument original;
  fillSampleDocument(original);
  document.convertUpAxis(false, true);
  EXPECT_FALSE(document.upAxisIsZ);

  for (int t = 0; t < original.cameras.trackCount(); ++t) {
    for (int k = 0; k < original.cameras.track(t)->keyCount(); ++k) {
      const CameraKey& before = *original.cameras.track(t)->key(k);
      CameraKey expected = before;
      const GViewportPlaneInfo& plane = before.projector.plane;
      expected.projector.plane.setPlaneParameters(
          kYUpToZUp * plane.origin, kYUpToZUp * plane.direction, kYUpToZUp * plane.up);
      expectSameCameraKey(expected, *document.cameras.track(t)->key(k));
    }
  }
  for (int t = 0; t < original.lights.trackCount(); ++t) {
    for (int k = 0; k < original.lights.track(t)->keyCount(); ++k) {
      LightKey expected = *original.lights.track(t)->key(k);
      expected.position = kYUpToZUp * expected.position;
      expected.target = kYUpToZUp * expected.target;
      expectSameLightKey(expected, *document.lights.track(t)->key(k));
    }
  }
}

TEST(DocumentConversionTest, AFileWithAStrangeAxisByteIsConvertedAsYUp) {
  AnimationDocument source;
  auto* light = new VXRAnimation_Light;
  LightKey* key = new LightKey;
  key->position = Vector3D(0, 5, 0);
  light->v_insert(key);
  source.lights.v_insert(light);
  std::string bytes = writeAnimationFile(source.cameras, source.lights, true);
  bytes[5] = 'x';

  AnimationDocument read;
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  ASSERT_TRUE(read.read(in));
  read.convertUpAxis(read.upAxisIsZ, true);
  EXPECT_EQ(read.lights.track(0)->key(0)->position, Vector3D(0, 0, 5));
}

}  // namespace
