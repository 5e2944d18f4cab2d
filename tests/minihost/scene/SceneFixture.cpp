#include "SceneFixture.h"

void SceneFileTest::SetUp() {
  minihost::Scene& s = scene();
  s.setUpAxisZ(false);
  s.setTimeUnit(MTime::kFilm);
  s.setLinearUnit(MDistance::kCentimeters);
  s.setAngleUnit(MAngle::kDegrees);
  s.newScene();
}

std::string SceneFileTest::scenePath(const std::string& name) {
  return std::string(VXR_SCENE_DIR) + "/" + name;
}

minihost::scenefile::SceneFileResult SceneFileTest::open(const std::string& name) {
  minihost::scenefile::SceneFileResult r =
      minihost::scenefile::readSceneFile(scenePath(name), scene(), true);
  EXPECT_TRUE(r.ok) << r.error;
  return r;
}

minihost::NodeRef SceneFileTest::node(const std::string& name) {
  minihost::NodeRef ref = scene().findNode(name);
  EXPECT_TRUE(ref.isSet()) << "no node " << name;
  return ref;
}

double SceneFileTest::number(const std::string& n, const std::string& attribute) {
  minihost::NodeRef ref = node(n);
  double v = -12345.0;
  EXPECT_TRUE(scene().getNumber(ref, scene().findAttribute(ref, attribute), v))
      << n << "." << attribute;
  return v;
}

double SceneFileTest::numberAtFrame(const std::string& n, const std::string& attribute,
                                    double frame) {
  minihost::NodeRef ref = node(n);
  double ticks = frame * 250.0;
  double v = -12345.0;
  EXPECT_TRUE(scene().getNumber(ref, scene().findAttribute(ref, attribute), v, &ticks))
      << n << "." << attribute;
  return v;
}

std::vector<double> SceneFileTest::worldPoint(const std::string& n, double x, double y, double z) {
  MMatrix m = scene().worldMatrix(node(n));
  const double p[4] = {x, y, z, 1.0};
  std::vector<double> out(3, 0.0);
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 4; ++r)
      out[static_cast<size_t>(c)] += p[r] * m(static_cast<unsigned>(r), static_cast<unsigned>(c));
  }
  return out;
}

bool SceneFileTest::anyContains(const std::vector<std::string>& texts, const std::string& part) {
  for (const std::string& t : texts) {
    if (t.find(part) != std::string::npos)
      return true;
  }
  return false;
}
