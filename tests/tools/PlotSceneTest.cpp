#include <gtest/gtest.h>

#include <cmath>

#include "ToolSamples.h"
#include "anim_model/AnimationDocument.h"
#include "anim_model/LightKey.h"
#include "boundary/base/impstream.h"
#include "tools/vxrinfo/plot/LabelPlacer.h"
#include "tools/vxrinfo/plot/PlotScene.h"

namespace {

// A document read back from the bytes the plug-in's writer lays out.
void load(const std::string& bytes, AnimationDocument& doc) {
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  ASSERT_TRUE(doc.read(in));
}

SampleTrack track(const std::string& name, int lightType, std::vector<SampleKey> keys) {
  return {name, lightType, std::move(keys)};
}

PlotCameraKey lookingDownMinusZ(bool perspective) {
  PlotCameraKey key;
  key.eye = Vector3D(1, 2, 3);
  key.direction = Vector3D(0, 0, -1);
  key.up = Vector3D(0, 1, 0);
  key.windowLeft = -0.4;
  key.windowBottom = -0.3;
  key.windowWidth = 0.8;
  key.windowHeight = 0.6;
  key.nearDistance = 0.5;
  key.perspective = perspective;
  return key;
}

void expectNear(const Vector3D& a, const Vector3D& b) {
  EXPECT_NEAR(a.x, b.x, 1e-12);
  EXPECT_NEAR(a.y, b.y, 1e-12);
  EXPECT_NEAR(a.z, b.z, 1e-12);
}

}  // namespace

TEST(PlotScene, TracksThatNeverChangeAreStillAndDoNotFrameTheView) {
  AnimationDocument doc;
  load(animationBytes(
           false,
           {track("|far|farShape", 0,
                  {{1, Vector3D(1000, 0, 0), Vector3D(-1, 0, 0)},
                   {2, Vector3D(1000, 0, 0), Vector3D(-1, 0, 0)}}),
            // Turning on the spot changes the keys: it counts as moving.
            track("pan", 0,
                  {{1, Vector3D(0, 1, 0), Vector3D(0, 0, -1)},
                   {2, Vector3D(0, 1, 0), Vector3D(1, 0, -1).normalised()}}),
            track("walk", 0,
                  {{1, Vector3D(-2, 1, 4), Vector3D(0, 0, -1)},
                   {2, Vector3D(3, 1, 4), Vector3D(0, 0, -1)}}),
            track("lamp", LightKey::kPoint, {{1, Vector3D(0, 5, -6)}, {2, Vector3D(0, 5, -6)}}),
            track("torch", LightKey::kPoint, {{1, Vector3D(0, 7, -1)}, {2, Vector3D(1, 7, -1)}}),
            // A directional light has no place: it never frames the view.
            track("sun", LightKey::kDirectional,
                  {{1, Vector3D(0, 1, 0)}, {2, Vector3D(0.6, 0.8, 0)}})}),
       doc);
  const PlotScene scene = buildPlotScene(doc, AnimationPlotOptions());
  ASSERT_EQ(scene.cameras.size(), 3u);
  ASSERT_EQ(scene.lights.size(), 3u);
  EXPECT_FALSE(scene.cameras[0].moves);
  EXPECT_TRUE(scene.cameras[1].moves);
  EXPECT_TRUE(scene.cameras[2].moves);
  EXPECT_FALSE(scene.lights[0].moves);
  EXPECT_TRUE(scene.lights[1].moves);
  EXPECT_TRUE(scene.lights[2].moves);
  EXPECT_FALSE(scene.framedOnAll);
  ASSERT_FALSE(scene.framed.empty);
  expectNear(scene.framed.min, Vector3D(-2, 1, -1));
  expectNear(scene.framed.max, Vector3D(3, 7, 4));

  AnimationPlotOptions all;
  all.allTracks = true;
  const PlotScene everything = buildPlotScene(doc, all);
  EXPECT_TRUE(everything.framedOnAll);
  expectNear(everything.framed.min, Vector3D(-2, 0, -6));
  expectNear(everything.framed.max, Vector3D(1000, 7, 4));
}

TEST(PlotScene, AStillSceneIsFramedOnEverythingInIt) {
  AnimationDocument doc;
  load(animationBytes(true, {track("c", 0, {{1, Vector3D(0, -5, 1), Vector3D(0, 1, 0)}}),
                             track("l", LightKey::kSpot, {{1, Vector3D(4, 2, 3)}})}),
       doc);
  const PlotScene scene = buildPlotScene(doc, AnimationPlotOptions());
  EXPECT_TRUE(scene.framedOnAll);
  expectNear(scene.framed.min, Vector3D(0, -5, 1));
  expectNear(scene.framed.max, Vector3D(4, 2, 3));
}

TEST(PlotScene, AFrameRangeKeepsOnlyItsKeysAndJudgesMotionWithin) {
  AnimationDocument doc;
  // Still over frames 1 to 3, then moving.
  load(animationBytes(true, {track("c", 0,
                                   {{1, Vector3D(0, 0, 0), Vector3D(0, 1, 0)},
                                    {2, Vector3D(0, 0, 0), Vector3D(0, 1, 0)},
                                    {3, Vector3D(0, 0, 0), Vector3D(0, 1, 0)},
                                    {4, Vector3D(9, 0, 0), Vector3D(0, 1, 0)}})}),
       doc);
  AnimationPlotOptions options;
  options.frameRange = true;
  options.firstFrame = 2;
  options.lastFrame = 3;
  PlotScene scene = buildPlotScene(doc, options);
  ASSERT_EQ(scene.cameras[0].keys.size(), 2u);
  EXPECT_EQ(scene.cameras[0].keys[0].frame, 2);
  EXPECT_EQ(scene.cameras[0].fileKeyCount, 4);
  EXPECT_FALSE(scene.cameras[0].moves);
  options.lastFrame = 4;
  scene = buildPlotScene(doc, options);
  EXPECT_TRUE(scene.cameras[0].moves);
  // The eye, not the plane origin the file stores: 0.1 behind it.
  expectNear(scene.cameras[0].keys.back().eye, Vector3D(9, 0, 0));
}

TEST(PlotScene, ShortNamesAreTheTransformsOfShapePaths) {
  EXPECT_EQ(shortTrackName("|dollyCam|dollyCamShape"), "dollyCam");
  EXPECT_EQ(shortTrackName("|set|rig|cam|camShape"), "cam");
  EXPECT_EQ(shortTrackName("|lamp"), "lamp");
  EXPECT_EQ(shortTrackName("lamp"), "lamp");
  EXPECT_EQ(shortTrackName("a||b|"), "a");
  EXPECT_EQ(shortTrackName(""), "");
  EXPECT_EQ(shortTrackName("|"), "|");
}

TEST(PlotScene, ViewPyramidsSpanTheWindowFromTheEyeOrAlongTheView) {
  PlotFrustum f;
  ASSERT_TRUE(frustumOf(lookingDownMinusZ(true), 5.0, f));
  EXPECT_TRUE(f.fromEye);
  // Ten times the near distance out: the window ten times as large, right along +x, up +y.
  expectNear(f.near[0], Vector3D(1, 2, 3));
  expectNear(f.far[0], Vector3D(1 - 4, 2 - 3, 3 - 5));
  expectNear(f.far[2], Vector3D(1 + 4, 2 + 3, 3 - 5));
  expectNear(f.far[1], Vector3D(1 + 4, 2 - 3, 3 - 5));

  ASSERT_TRUE(frustumOf(lookingDownMinusZ(false), 5.0, f));
  EXPECT_FALSE(f.fromEye);
  expectNear(f.near[3], Vector3D(1 - 0.4, 2 + 0.3, 3 - 0.5));
  expectNear(f.far[3], Vector3D(1 - 0.4, 2 + 0.3, 3 - 5.5));

  // No frame to build on: up along the view, or a perspective eye on its own plane.
  PlotCameraKey bad = lookingDownMinusZ(true);
  bad.up = Vector3D(0, 0, 2);
  EXPECT_FALSE(frustumOf(bad, 5.0, f));
  bad = lookingDownMinusZ(true);
  bad.nearDistance = 0;
  EXPECT_FALSE(frustumOf(bad, 5.0, f));
}

TEST(PlotScene, FrameNumbersFallOnRoundFramesAndPyramidsOnFewOfThem) {
  EXPECT_EQ(niceStep(7.8), 10);
  EXPECT_EQ(niceStep(0.3), 0.5);
  EXPECT_EQ(niceStep(2), 2);
  EXPECT_EQ(niceStep(0), 1);
  PlotCamera camera;
  for (int f = -3; f <= 44; ++f) {
    PlotCameraKey key;
    key.frame = f;
    camera.keys.push_back(key);
  }
  // 47 frames in about 6 steps: every 10 frames, with 40 too near the end at 44.
  const std::vector<std::size_t> numbered = frameNumberKeys(camera, 6);
  std::vector<std::int32_t> frames;
  for (std::size_t k : numbered)
    frames.push_back(camera.keys[k].frame);
  EXPECT_EQ(frames, (std::vector<std::int32_t>{-3, 10, 20, 30, 44}));
  const std::vector<std::size_t> pyramids = pyramidKeys(camera.keys.size(), numbered, 12);
  EXPECT_EQ(pyramids, numbered);  // three between fit exactly
  EXPECT_EQ(pyramidKeys(camera.keys.size(), numbered, 100),
            (std::vector<std::size_t>{numbered.front(), numbered.back()}));
  PlotCamera one;
  one.keys.resize(1);
  EXPECT_EQ(frameNumberKeys(one, 6), std::vector<std::size_t>{0});
  EXPECT_EQ(pyramidKeys(1, {0}, 12), std::vector<std::size_t>{0});
}

TEST(LabelPlacer, SegmentsCrossRectanglesOnlyWhereTheyPass) {
  const PlotRect r{10, 10, 20, 20};
  EXPECT_TRUE(crosses(r, 0, 15, 30, 15));   // straight through
  EXPECT_TRUE(crosses(r, 12, 12, 13, 13));  // wholly inside
  EXPECT_TRUE(crosses(r, 0, 0, 30, 30));    // corner to corner
  EXPECT_FALSE(crosses(r, 0, 25, 30, 25));  // passes below
  EXPECT_FALSE(crosses(r, 0, 0, 9, 30));    // ends short
  EXPECT_FALSE(crosses(r, 0, 9, 30, 19.5 - 30));
  EXPECT_TRUE(overlaps(r, {19, 19, 25, 25}));
  EXPECT_FALSE(overlaps(r, {20, 10, 25, 20}));  // touching edges do not overlap
  EXPECT_GT(estimatedTextWidth("\xC3\xA9t\xC3\xA9", 10), estimatedTextWidth("ab", 10));
  EXPECT_LT(estimatedTextWidth("\xC3\xA9t\xC3\xA9", 10), estimatedTextWidth("abcd", 10));
}

TEST(LabelPlacer, LabelsAvoidWhatIsBlockedAndEachOther) {
  LabelPlacer placer({0, 0, 200, 200});
  // A line right through the anchor, left to right: no label may sit on it.
  placer.blockSegment(0, 100, 200, 100);
  std::vector<PlotRect> placed;
  for (int i = 0; i < 6; ++i) {
    LabelPlacer::Placement p;
    ASSERT_TRUE(placer.place(100, 100, 40, 12, 66, p)) << i;
    EXPECT_FALSE(crosses(p.box, 0, 100, 200, 100));
    for (const PlotRect& other : placed)
      EXPECT_FALSE(overlaps(p.box, other));
    EXPECT_GE(p.box.left, 0);
    EXPECT_LE(p.box.right, 200);
    // A label placed further out is tied to its anchor by a leader line ending on it.
    if (p.leader) {
      EXPECT_GE(p.leaderX, p.box.left);
      EXPECT_LE(p.leaderX, p.box.right);
      EXPECT_GE(p.leaderY, p.box.top);
      EXPECT_LE(p.leaderY, p.box.bottom);
    }
    placed.push_back(p.box);
  }
  // In a corner with everything around taken, there is no room.
  LabelPlacer full({0, 0, 50, 50});
  full.blockRect({0, 0, 50, 50});
  LabelPlacer::Placement p;
  EXPECT_FALSE(full.place(25, 25, 10, 10, 66, p));
  // Nor for a label wider than the area.
  LabelPlacer narrow({0, 0, 50, 50});
  EXPECT_FALSE(narrow.place(25, 25, 60, 10, 66, p));
  EXPECT_TRUE(narrow.place(25, 25, 20, 10, 66, p));
}

TEST(LabelPlacer, ALabelCanSitDiagonallyOutOnALeader) {
  // The anchor's own mark, a ring of lines close around it and blocks straight out on all four
  // sides: only the corners further out are left, reached by a leader from inside the mark.
  LabelPlacer placer({0, 0, 200, 200});
  placer.blockRect({94, 94, 106, 106});
  placer.blockSegment(85, 85, 115, 85);
  placer.blockSegment(115, 85, 115, 115);
  placer.blockSegment(115, 115, 85, 115);
  placer.blockSegment(85, 115, 85, 85);
  placer.blockRect({115, 90, 200, 110});
  placer.blockRect({0, 90, 85, 110});
  placer.blockRect({90, 0, 110, 85});
  placer.blockRect({90, 115, 110, 200});
  LabelPlacer::Placement p;
  ASSERT_TRUE(placer.place(100, 100, 30, 10, 90, p));
  EXPECT_TRUE(p.leader);
  const bool right = p.box.left >= 115;
  const bool left = p.box.right <= 85;
  const bool above = p.box.bottom <= 85;
  const bool below = p.box.top >= 115;
  EXPECT_TRUE((right || left) && (above || below))
      << p.box.left << "," << p.box.top << " " << p.box.right << "," << p.box.bottom;
}
