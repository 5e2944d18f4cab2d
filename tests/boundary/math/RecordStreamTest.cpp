#include <gtest/gtest.h>

#include "boundary/base/impstream.h"
#include "boundary/base/ompstream.h"
#include "boundary/math/ProjectorInfo.h"

namespace {

ProjectorInfo sampleProjector() {
  GViewportPlaneInfo plane(Vector3D(1, 2, 3), Vector3D(0, 0, -1), Vector3D(0, 1, 0));
  GViewportWindowInfo window(Vector2D(-0.04572, -0.03429), Vector2D(0.09144, 0.06858));
  ProjectorInfo p;
  p = GViewportInfo(plane, window, 0, 1.0f);
  p.perspective = 1;
  p.eyeOffset = Vector3D(0, 0, 0.1);
  p.scale = 2.5f;
  p.imageWidth = 1920;
  p.imageHeight = -1;
  return p;
}

}  // namespace

TEST(ProjectorInfoTest, AssigningAViewKeepsTheImageSize) {
  ProjectorInfo p;
  p.imageWidth = 100;
  GViewportPlaneInfo plane(Vector3D(1, 0, 0), Vector3D(1, 0, 0), Vector3D(0, 0, 1));
  p = GViewportInfo(plane, GViewportWindowInfo(), 0, 1.0f);
  EXPECT_EQ(p.plane.getPlaneOrigin(), Vector3D(1, 0, 0));
  EXPECT_EQ(p.plane.getPlaneUp(), Vector3D(0, 0, 1));
  EXPECT_EQ(p.perspective, 0);
  EXPECT_EQ(p.imageWidth, 100);
}

TEST(ProjectorInfoTest, SetPlaneParametersReplacesAllThree) {
  GViewportPlaneInfo plane;
  plane.setPlaneParameters(Vector3D(1, 1, 1), Vector3D(0, 1, 0), Vector3D(0, 0, 1));
  EXPECT_EQ(plane.getPlaneOrigin(), Vector3D(1, 1, 1));
  EXPECT_EQ(plane.getPlaneDirection(), Vector3D(0, 1, 0));
  EXPECT_EQ(plane.getPlaneUp(), Vector3D(0, 0, 1));
}

TEST(ProjectorInfoTest, StreamsEveryMember) {
  ProjectorInfo written = sampleProjector();
  ompstream out;
  out << written << Vector3D(7, 8, 9) << Vector2D(-1, 1);
  // 9 + 4 + 3 doubles, a byte, a float, two DWords; then 3 and 2 doubles.
  EXPECT_EQ(out.size(), 16u * 8 + 1 + 4 + 8 + 5 * 8);
  impstream in(out.data(), static_cast<long>(out.size()));
  ProjectorInfo read;
  Vector3D v;
  Vector2D w;
  in >> read >> v >> w;
  ASSERT_TRUE(in.good());
  EXPECT_EQ(read.plane.origin, written.plane.origin);
  EXPECT_EQ(read.plane.direction, written.plane.direction);
  EXPECT_EQ(read.plane.up, written.plane.up);
  EXPECT_EQ(read.window.origin, written.window.origin);
  EXPECT_EQ(read.window.size, written.window.size);
  EXPECT_EQ(read.eyeOffset, written.eyeOffset);
  EXPECT_EQ(read.perspective, 1);
  EXPECT_EQ(read.scale, 2.5f);
  EXPECT_EQ(read.imageWidth, 1920);
  EXPECT_EQ(read.imageHeight, -1);
  EXPECT_EQ(v, Vector3D(7, 8, 9));
  EXPECT_EQ(w, Vector2D(-1, 1));
}

TEST(ProjectorInfoTest, TruncatedRecordFails) {
  ompstream out;
  out << sampleProjector();
  for (std::size_t cut = 0; cut < out.size(); ++cut) {
    impstream in(out.data(), static_cast<long>(cut));
    ProjectorInfo read;
    in >> read;
    EXPECT_TRUE(in.fail()) << cut;
    EXPECT_EQ(read.imageHeight, 0) << cut;  // read after the failure: zero
  }
}
