#pragma once
// Building rigs through the engine as the host's constraint commands wire them.

#include <string>

#include <maya/MMatrix.h>
#include <maya/MVector.h>

#include "SceneFixture.h"
#include "engine/RigNodeTypes.h"

class RigTest : public SceneTest {
 protected:
  void link(minihost::NodeRef src, const std::string& srcAttr, minihost::NodeRef dst,
            const std::string& dstAttr) {
    std::string error;
    int s = scene().findAttribute(src, srcAttr), d = scene().findAttribute(dst, dstAttr);
    ASSERT_GE(s, 0) << srcAttr;
    ASSERT_GE(d, 0) << dstAttr;
    ASSERT_TRUE(scene().connect(src, s, dst, d, false, &error))
        << srcAttr << " -> " << dstAttr << ": " << error;
  }

  // Connects a target object to element `i` of a constraint's targets.
  void addTarget(minihost::NodeRef con, int i, minihost::NodeRef target) {
    auto el = [&](const char* child) { return minihost::elementName("tg", i, child); };
    link(target, "t", con, el("tt"));
    link(target, "rp", con, el("trp"));
    link(target, "rpt", con, el("trt"));
    link(target, "r", con, el("tr"));
    link(target, "ro", con, el("tro"));
    link(target, "s", con, el("ts"));
    link(target, "pm", con, el("tpm"));
    link(con, "w" + std::to_string(i), con, el("tw"));
  }

  // A constraint of `type` under `driven`, with its outputs driving translate and/or rotate.
  minihost::NodeRef constrain(const char* type, minihost::NodeRef target, minihost::NodeRef driven,
                              bool translate, bool rotate, bool scale = false) {
    minihost::NodeRef con = make(type, (std::string(type) + "1").c_str(), driven);
    addTarget(con, 0, target);
    link(driven, "pim", con, "cpim");
    link(driven, "rp", con, "crp");
    link(driven, "rpt", con, "crt");
    link(driven, "ro", con, "cro");
    if (translate)
      link(con, "ct", driven, "t");
    if (rotate)
      link(con, "cr", driven, "r");
    if (scale)
      link(con, "cs", driven, "s");
    return con;
  }

  void setVector(minihost::NodeRef node, const char* compound, double x, double y, double z) {
    const minihost::AttributeInfo* info =
        scene().attributeInfo(node, scene().findAttribute(node, compound));
    ASSERT_NE(info, nullptr) << compound;
    const double v[3] = {x, y, z};
    for (int i = 0; i < 3; ++i)
      ASSERT_TRUE(scene().setNumber(node, info->children[static_cast<size_t>(i)], v[i]))
          << compound;
  }

  MVector worldPosition(minihost::NodeRef node) {
    MMatrix m = scene().worldMatrix(node);
    return MVector(m[3][0], m[3][1], m[3][2]);
  }
  // Where the node's local axis (0 x, 1 y, 2 z) points in the world.
  MVector worldAxis(minihost::NodeRef node, int axis) {
    MMatrix m = scene().worldMatrix(node);
    return MVector(m[axis][0], m[axis][1], m[axis][2]).normal();
  }
};

#define EXPECT_VECTOR_NEAR(v, ex, ey, ez, tol) \
  do {                                         \
    MVector v_ = (v);                          \
    EXPECT_NEAR(v_.x, (ex), (tol));            \
    EXPECT_NEAR(v_.y, (ey), (tol));            \
    EXPECT_NEAR(v_.z, (ez), (tol));            \
  } while (0)
