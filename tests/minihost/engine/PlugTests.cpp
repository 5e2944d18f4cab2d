// Plugs: typed reads and writes, compound children, and what each type refuses.
#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MFileObject.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>

#include <cmath>

#include "SceneFixture.h"

namespace {

class PlugTest : public SceneTest {
 protected:
  MPlug plug(minihost::NodeRef n, const char* attr) {
    return MFnDependencyNode(object(n)).findPlug(attr, true);
  }
};

TEST_F(PlugTest, CompoundPlugsExposeTheirChildren) {
  auto t = make("transform", "t1");
  MPlug translate = plug(t, "translate");
  ASSERT_TRUE(translate.isCompound());
  ASSERT_EQ(translate.numChildren(), 3u);
  EXPECT_EQ(translate.child(1), plug(t, "ty"));
  EXPECT_EQ(plug(t, "tz").parent(), translate);
  MStatus status;
  translate.child(3, &status);
  EXPECT_FALSE(status);
  double v = 0;
  EXPECT_FALSE(translate.getValue(v));  // a compound has no single value
  EXPECT_FALSE(translate.setValue(1.0));
}

TEST_F(PlugTest, TypedWritesConvertToTheAttributeType) {
  auto t = make("transform", "t1");
  ASSERT_TRUE(plug(t, "v").setValue(0.3));  // a bool stores whether it is nonzero
  EXPECT_EQ(plug(t, "visibility").asDouble(), 1.0);
  ASSERT_TRUE(plug(t, "ro").setValue(2.9));  // enums truncate
  EXPECT_EQ(plug(t, "rotateOrder").asInt(), 2);
  ASSERT_TRUE(plug(t, "tx").setValue(MDistance(1.0, MDistance::kMeters)));
  EXPECT_DOUBLE_EQ(plug(t, "tx").asDouble(), 100.0);
  ASSERT_TRUE(plug(t, "rx").setValue(MAngle(90.0, MAngle::kDegrees)));
  EXPECT_NEAR(plug(t, "rx").asDouble(), kPi / 2, 1e-15);
  EXPECT_FALSE(plug(t, "tx").setValue(std::nan("")));
  EXPECT_FALSE(plug(t, "tx").setValue(MString("text")));
  EXPECT_FALSE(plug(t, "message").setValue(1));
}

TEST_F(PlugTest, IntegerAttributesRefuseValuesTheyCannotHold) {
  auto res = scene().findNode("defaultResolution");
  EXPECT_FALSE(plug(res, "width").setValue(1.0e12));
  ASSERT_TRUE(plug(res, "width").setValue(-7.8));
  EXPECT_EQ(plug(res, "width").asInt(), -7);
  ASSERT_TRUE(plug(res, "pixelAspect").setValue(0.1));
  EXPECT_EQ(plug(res, "pixelAspect").asFloat(), 0.1f);
  EXPECT_DOUBLE_EQ(plug(res, "pixelAspect").asDouble(), static_cast<double>(0.1f));
}

TEST_F(PlugTest, StringAttributesHoldText) {
  auto globals = scene().findNode("defaultRenderGlobals");
  MPlug prefix = plug(globals, "imageFilePrefix");
  ASSERT_TRUE(prefix.setValue(MString("shot_%04d")));
  EXPECT_EQ(prefix.asString(), MString("shot_%04d"));
  double v = 0;
  EXPECT_FALSE(prefix.getValue(v));
}

TEST_F(PlugTest, FaceComponentLimitsThePolygonIterator) {
  MFloatPointArray points;
  for (int i = 0; i < 8; ++i)
    points.append(MFloatPoint(static_cast<float>(i % 4), i < 4 ? 0.f : 1.f, 0));
  const int corners[] = {0, 1, 5, 4, 1, 2, 6, 5, 2, 3, 7, 6};
  MFnMesh mesh;
  mesh.create(8, 3, points, MIntArray(3, 4), MIntArray(corners, 12));
  MSelectionList list;
  ASSERT_TRUE(list.add((mesh.name() + ".f[1:2]").asChar()));
  MDagPath p;
  MObject faces;
  list.getDagPath(0, p, faces);
  MItMeshPolygon it(p, faces);
  std::vector<unsigned int> visited;
  for (; !it.isDone(); it.next())
    visited.push_back(it.index());
  EXPECT_EQ(visited, (std::vector<unsigned int>{1, 2}));
  EXPECT_EQ(it.count(), 2u);
  MItMeshPolygon all(p);
  EXPECT_EQ(all.count(), 3u);
  EXPECT_TRUE(all.center(MSpace::kWorld).isEquivalent(MPoint(0.5, 0.5, 0)));
}

TEST(FileObjectTest, SplitsDirectoryAndName) {
  MFileObject f;
  f.setRawFullName("/tmp/shots/a%1.vxranim");
  EXPECT_EQ(f.rawPath(), MString("/tmp/shots/"));
  EXPECT_EQ(f.name(), MString("a%1.vxranim"));
  EXPECT_EQ(f.expandedFullName(), MString("/tmp/shots/a%1.vxranim"));
  f.setRawFullName("plain.vxrmesh");
  EXPECT_EQ(f.expandedFullName(), MString("plain.vxrmesh"));
  EXPECT_FALSE(f.exists());
}

}  // namespace
