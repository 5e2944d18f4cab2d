#pragma once
// Scene reader tests start from a new scene with the host's default units, read one of the
// scene files in scenes/ and look at the nodes it made.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <maya/MMatrix.h>

#include "engine/Scene.h"
#include "scene/SceneFile.h"

class SceneFileTest : public ::testing::Test {
 protected:
  void SetUp() override;

  minihost::Scene& scene() { return minihost::Scene::get(); }
  static std::string scenePath(const std::string& name);
  // Opens a file of scenes/; fails the test when it does not read.
  minihost::scenefile::SceneFileResult open(const std::string& name);

  minihost::NodeRef node(const std::string& name);
  double number(const std::string& node, const std::string& attribute);
  // The value of a curve-driven attribute at a frame (24 fps).
  double numberAtFrame(const std::string& node, const std::string& attribute, double frame);
  // A point taken through a node's world matrix.
  std::vector<double> worldPoint(const std::string& node, double x, double y, double z);
  static bool anyContains(const std::vector<std::string>& texts, const std::string& part);
};

constexpr double kPi = 3.14159265358979323846;
