#include "MeshScene.h"

#include <gtest/gtest.h>

#include <maya/MArgList.h>
#include <maya/MEulerRotation.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>
#include <maya/MVector.h>

#include <cmath>

#include "engine/CommandResult.h"
#include "engine/PluginRegistry.h"

namespace {

void nameNodes(const MObject& transform, const std::string& name) {
  MFnDagNode node(transform);
  node.setName(MString(name.c_str()));
  MObject shape = node.child(0);
  MFnDagNode(shape).setName(MString((name + "Shape").c_str()));
}

MObject makeMesh(const std::string& name, const MFloatPointArray& points, const MIntArray& counts,
                 const MIntArray& connects) {
  MFnMesh mesh;
  MStatus status;
  MObject transform =
      mesh.create(static_cast<int>(points.length()), static_cast<int>(counts.length()), points,
                  counts, connects, MObject::kNullObj, &status);
  EXPECT_TRUE(status);
  nameNodes(transform, name);
  return transform;
}

}  // namespace

MStatus exportCommand(std::initializer_list<std::string> args) {
  MArgList list;
  for (const std::string& arg : args)
    list.addArg(MString(arg.c_str(), static_cast<int>(arg.size())));
  minihost::CommandResult result;
  return minihost::PluginRegistry::get().runCommand("VXR_MeshExportCmd", list, result);
}

void select(std::initializer_list<std::string> names) {
  MSelectionList list;
  for (const std::string& name : names)
    ASSERT_TRUE(list.add(MString(name.c_str()))) << name;
  MGlobal::setActiveSelectionList(list);
}

MObject makeBox(const std::string& name, double width, double height, double depth) {
  const float x = static_cast<float>(width / 2), y = static_cast<float>(height / 2),
              z = static_cast<float>(depth / 2);
  MFloatPointArray points;
  const float corners[8][3] = {{-x, -y, z}, {x, -y, z}, {-x, y, z},   {x, y, z},
                               {-x, y, -z}, {x, y, -z}, {-x, -y, -z}, {x, -y, -z}};
  for (const auto& c : corners)
    points.append(MFloatPoint(c[0], c[1], c[2]));
  MIntArray counts, connects;
  const int faces[6][4] = {{0, 1, 3, 2}, {2, 3, 5, 4}, {4, 5, 7, 6},
                           {6, 7, 1, 0}, {1, 7, 5, 3}, {6, 0, 2, 4}};
  for (const auto& f : faces) {
    counts.append(4);
    for (int v : f)
      connects.append(v);
  }
  MObject transform = makeMesh(name, points, counts, connects);
  MFnMesh mesh(MFnDagNode(transform).child(0));
  MFloatArray u, v;
  const float square[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (const auto& s : square) {
    u.append(s[0]);
    v.append(s[1]);
  }
  EXPECT_TRUE(mesh.setUVs(u, v));
  MIntArray uvIds;
  for (int f = 0; f < 6; ++f)
    for (int j = 0; j < 4; ++j)
      uvIds.append(j);
  EXPECT_TRUE(mesh.assignUVs(counts, uvIds));
  return transform;
}

MObject makeTriangleAndQuad(const std::string& name) {
  MFloatPointArray points;
  const float p[5][3] = {{0, 0, 0}, {1, 0, 0}, {0, 0, -1}, {2, 0, 0}, {2, 0, -1}};
  for (const auto& c : p)
    points.append(MFloatPoint(c[0], c[1], c[2]));
  MIntArray counts, connects;
  counts.append(3);
  counts.append(4);
  for (int v : {0, 1, 2, 1, 3, 4, 2})
    connects.append(v);
  return makeMesh(name, points, counts, connects);
}

MObject makeTriangle(const std::string& name, const float uv[6]) {
  MFloatPointArray points;
  points.append(MFloatPoint(0, 0, 0));
  points.append(MFloatPoint(1, 0, 0));
  points.append(MFloatPoint(0, 0, -1));
  MIntArray counts, connects;
  counts.append(3);
  for (int v : {0, 1, 2})
    connects.append(v);
  MObject transform = makeMesh(name, points, counts, connects);
  MFnMesh mesh(MFnDagNode(transform).child(0));
  MFloatArray u, v;
  MIntArray ids;
  for (int j = 0; j < 3; ++j) {
    u.append(uv[2 * j]);
    v.append(uv[2 * j + 1]);
    ids.append(j);
  }
  EXPECT_TRUE(mesh.setUVs(u, v));
  EXPECT_TRUE(mesh.assignUVs(counts, ids));
  return transform;
}

MObject makePolygons(const std::string& name, const std::vector<int>& cornerCounts) {
  MFloatPointArray points;
  MIntArray counts, connects;
  MFloatArray u, v;
  const double turn = 2 * std::acos(-1.0);
  for (std::size_t p = 0; p < cornerCounts.size(); ++p) {
    const int n = cornerCounts[p];
    counts.append(n);
    for (int j = 0; j < n; ++j) {
      // Counter-clockwise seen from +y, so the polygon faces up.
      const double a = turn * j / n;
      connects.append(static_cast<int>(points.length()));
      points.append(MFloatPoint(static_cast<float>(3.0 * p + std::cos(a)), 0.0f,
                                static_cast<float>(-std::sin(a))));
      u.append(static_cast<float>(j) / 1024);
      v.append(static_cast<float>(p) / 1024);
    }
  }
  MObject transform = makeMesh(name, points, counts, connects);
  MFnMesh mesh(MFnDagNode(transform).child(0));
  EXPECT_TRUE(mesh.setUVs(u, v));
  EXPECT_TRUE(mesh.assignUVs(counts, connects));
  return transform;
}

void placeTransform(const MObject& transform, const double translate[3],
                    const double rotateDegrees[3], const double scale[3]) {
  MFnTransform fn(transform);
  const double toRadians = std::acos(-1.0) / 180.0;
  EXPECT_TRUE(
      fn.setTranslation(MVector(translate[0], translate[1], translate[2]), MSpace::kTransform));
  EXPECT_TRUE(fn.setRotation(MEulerRotation(
      rotateDegrees[0] * toRadians, rotateDegrees[1] * toRadians, rotateDegrees[2] * toRadians)));
  EXPECT_TRUE(fn.setScale(scale));
}
