#pragma once
// Every engine test starts from a fresh default scene with y-up and default units.

#include <gtest/gtest.h>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MString.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    minihost::Scene& s = minihost::Scene::get();
    s.setUpAxisZ(false);
    s.setTimeUnit(MTime::kFilm);
    s.setLinearUnit(MDistance::kCentimeters);
    s.setAngleUnit(MAngle::kDegrees);
    s.newScene();
  }

  minihost::Scene& scene() { return minihost::Scene::get(); }

  minihost::NodeRef make(const char* type, const char* name,
                         minihost::NodeRef parent = minihost::NodeRef{}) {
    std::string error;
    minihost::NodeRef r = scene().createNode(type, name, parent, &error);
    EXPECT_TRUE(r.isSet()) << error;
    return r;
  }

  void set(minihost::NodeRef node, const char* attr, double value) {
    int a = scene().findAttribute(node, attr);
    ASSERT_GE(a, 0) << attr;
    ASSERT_TRUE(scene().setNumber(node, a, value)) << attr;
  }

  double get(minihost::NodeRef node, const char* attr) {
    int a = scene().findAttribute(node, attr);
    double v = -12345.0;
    EXPECT_TRUE(scene().getNumber(node, a, v)) << attr;
    return v;
  }

  MObject object(minihost::NodeRef r) { return minihost::HandleAccess::nodeObject(r); }
  MDagPath path(minihost::NodeRef r) { return minihost::HandleAccess::dagPath(r); }
  MDagPath path(const char* name) { return path(scene().findNode(name)); }
};

constexpr double kPi = 3.14159265358979323846;
inline double deg(double d) {
  return d * kPi / 180.0;
}
