// Render settings nodes and selection lists.
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MItSelectionList.h>
#include <maya/MPlugArray.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#include "SceneFixture.h"

namespace {

class RenderNodeTest : public SceneTest {
 protected:
  MObject byName(const char* name) {
    MSelectionList list;
    EXPECT_TRUE(list.add(name)) << name;
    MObject o;
    list.getDependNode(0, o);
    return o;
  }
};

TEST_F(RenderNodeTest, ResolutionNodeFeedsTheRenderGlobalsResolutionPlug) {
  MFnDependencyNode globals(byName("defaultRenderGlobals"));
  MPlug resolution = globals.findPlug("resolution", true);
  MPlugArray sources;
  MStatus status;
  EXPECT_TRUE(resolution.connectedTo(sources, true, false, &status));
  ASSERT_TRUE(status);
  ASSERT_EQ(sources.length(), 1u);
  MFnDependencyNode res(sources[0].node());
  EXPECT_EQ(res.name(), MString("defaultResolution"));
  EXPECT_EQ(sources[0].partialName(false, false, false, false, false, true), MString("message"));
  MPlugArray none;
  EXPECT_FALSE(resolution.connectedTo(none, false, true));
  EXPECT_EQ(none.length(), 0u);
}

TEST_F(RenderNodeTest, RenderAttributesHoldTheHostDefaults) {
  MFnDependencyNode res(byName("defaultResolution"));
  int width = 0, height = 0;
  double pixelAspect = 0;
  res.findPlug("width", true).getValue(width);
  res.findPlug("height", true).getValue(height);
  res.findPlug("pixelAspect", true).getValue(pixelAspect);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_DOUBLE_EQ(pixelAspect, 1.0);
  for (const char* a : {"aspectLock", "deviceAspectRatio", "lockDeviceAspectRatio", "oddFieldFirst",
                        "fields", "zerothScanline"}) {
    EXPECT_FALSE(res.findPlug(a, true).isNull()) << a;
  }
  MFnDependencyNode globals(byName("defaultRenderGlobals"));
  bool animation = true;
  short range = -1;
  float step = 0;
  MTime start, end;
  ASSERT_TRUE(globals.findPlug("animation", true).getValue(animation));
  ASSERT_TRUE(globals.findPlug("animationRange", true).getValue(range));
  ASSERT_TRUE(globals.findPlug("byFrameStep", true).getValue(step));
  ASSERT_TRUE(globals.findPlug("startFrame", true).getValue(start));
  ASSERT_TRUE(globals.findPlug("endFrame", true).getValue(end));
  EXPECT_FALSE(animation);
  EXPECT_EQ(range, 1);
  EXPECT_EQ(step, 1.0f);
  EXPECT_DOUBLE_EQ(start.as(MTime::uiUnit()), 1.0);
  EXPECT_DOUBLE_EQ(end.as(MTime::uiUnit()), 10.0);
  for (const char* a : {"ignoreFilmGate", "renderAll"}) {
    EXPECT_FALSE(globals.findPlug(a, true).isNull()) << a;
  }
  EXPECT_TRUE(globals.findPlug("noSuchAttribute", true).isNull());
}

TEST_F(RenderNodeTest, TimeAttributesRoundTripThroughTheUiUnit) {
  MFnDependencyNode globals(byName("defaultRenderGlobals"));
  MPlug start = globals.findPlug("fs", true);
  ASSERT_TRUE(start.setValue(MTime(1.5, MTime::kFilm)));
  MTime t;
  start.getValue(t);
  EXPECT_DOUBLE_EQ(t.as(MTime::kFilm), 1.5);
  MTime::setUIUnit(MTime::kNTSCFrame);
  start.getValue(t);
  EXPECT_EQ(t.unit(), MTime::kNTSCFrame);
  EXPECT_DOUBLE_EQ(t.value(), 1.5 * 30.0 / 24.0);
}

TEST_F(RenderNodeTest, NamesThatMatchNothingLeaveTheListUnchanged) {
  MSelectionList list;
  ASSERT_TRUE(list.add("persp"));
  EXPECT_FALSE(list.add("noSuchNode"));
  EXPECT_FALSE(list.add("persp.f[0]"));  // not a mesh
  EXPECT_FALSE(list.add(""));
  EXPECT_EQ(list.length(), 1u);
  ASSERT_TRUE(list.add("*Shape"));
  EXPECT_EQ(list.length(), 5u);
}

TEST_F(RenderNodeTest, FaceComponentSelectsTheMeshShapeWithItsFaces) {
  MFloatPointArray points;
  for (int i = 0; i < 6; ++i)
    points.append(MFloatPoint(static_cast<float>(i % 3), i < 3 ? 0.f : 1.f, 0));
  const int corners[] = {0, 1, 4, 3, 1, 2, 5, 4};
  MFnMesh mesh;
  MObject transform = mesh.create(6, 2, points, MIntArray(2, 4), MIntArray(corners, 8));
  std::string name = MFnDagNode(transform).name().asChar();

  MSelectionList list;
  ASSERT_TRUE(list.add((name + ".f[1]").c_str()));
  EXPECT_FALSE(list.add((name + ".f[2]").c_str()));
  EXPECT_FALSE(list.add((name + ".f[1").c_str()));
  ASSERT_EQ(list.length(), 1u);
  MDagPath p;
  MObject component;
  ASSERT_TRUE(list.getDagPath(0, p, component));
  EXPECT_TRUE(p.hasFn(MFn::kMesh));
  EXPECT_TRUE(component.hasFn(MFn::kMeshPolygonComponent));
  EXPECT_TRUE(list.hasItem(p));
  EXPECT_TRUE(list.hasItem(p, component));
  EXPECT_TRUE(MObject::kNullObj.isNull());  // the shared default stays null
  MStringArray strings;
  list.getSelectionStrings(strings);
  EXPECT_EQ(strings[0], MString((mesh.name() + ".f[1]").asChar()));
}

TEST_F(RenderNodeTest, SelectionIteratorFiltersBySelectedTransformsShapes) {
  MFloatPointArray points;
  points.append(MFloatPoint(0, 0, 0));
  points.append(MFloatPoint(1, 0, 0));
  points.append(MFloatPoint(0, 1, 0));
  const int corners[] = {0, 1, 2};
  MFnMesh mesh;
  MObject transform = mesh.create(3, 1, points, MIntArray(1, 3), MIntArray(corners, 3));
  MGlobal::selectByName("persp");
  MGlobal::selectByName(MFnDagNode(transform).name());
  MGlobal::selectByName("defaultRenderGlobals");
  MSelectionList active;
  MGlobal::getActiveSelectionList(active);
  EXPECT_EQ(active.length(), 3u);

  std::vector<std::string> meshes;
  for (MItSelectionList it(active, MFn::kMesh); !it.isDone(); it.next()) {
    MDagPath p;
    MObject component;
    it.getDagPath(p, component);
    meshes.push_back(MFnDagNode(p).name().asChar());
    EXPECT_TRUE(MFnMesh(p).numPolygons() == 1);
  }
  EXPECT_EQ(meshes, std::vector<std::string>{MFnDagNode(transform).name().asChar()});

  MDagPath persp = path("persp");
  EXPECT_TRUE(active.hasItem(persp, MObject::kNullObj));
  EXPECT_FALSE(active.hasItem(path("top")));
  scene().deleteNode(minihost::HandleAccess::nodeRef(transform), nullptr);
  MGlobal::getActiveSelectionList(active);
  EXPECT_EQ(active.length(), 2u);
}

}  // namespace
