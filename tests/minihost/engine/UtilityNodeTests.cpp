// Blends, utility nodes and driven keys against values worked out by hand.
#include <cmath>

#include "RigFixture.h"

namespace {

using minihost::elementName;
using minihost::NodeRef;

class UtilityNodeTest : public RigTest {};

TEST_F(UtilityNodeTest, PairBlendMixesTranslateLinearlyAndRotateByEulerOrQuaternion) {
  NodeRef blend = make("pairBlend", "pairBlend1");
  NodeRef cam = make("transform", "cam");
  link(blend, "ot", cam, "t");
  link(blend, "or", cam, "r");
  setVector(blend, "it2", 8, 4, 0);
  setVector(blend, "ir1", deg(10), 0, 0);
  setVector(blend, "ir2", deg(50), deg(90), 0);
  set(blend, "weight", 0.25);
  EXPECT_VECTOR_NEAR(worldPosition(cam), 2, 1, 0, 1e-9);
  EXPECT_NEAR(get(cam, "rx"), deg(20), 1e-9);
  EXPECT_NEAR(get(cam, "ry"), deg(22.5), 1e-9);
  // Quaternion: halfway between no turn and 90 about y is 45 about y.
  setVector(blend, "ir1", 0, 0, 0);
  setVector(blend, "ir2", 0, deg(90), 0);
  set(blend, "weight", 0.5);
  set(blend, "rotInterpolation", 1);
  EXPECT_VECTOR_NEAR(MVector(get(cam, "rx"), get(cam, "ry"), get(cam, "rz")), 0, deg(45), 0, 1e-9);
}

TEST_F(UtilityNodeTest, BlendWeightedSumsWeightedInputs) {
  NodeRef bw = make("blendWeighted", "blendWeighted1");
  NodeRef cam = make("transform", "cam");
  link(bw, "o", cam, "tx");
  set(bw, elementName("i", 0).c_str(), 2.0);
  set(bw, elementName("w", 0).c_str(), 0.5);
  set(bw, elementName("i", 1).c_str(), 3.0);
  set(bw, elementName("w", 1).c_str(), 2.0);
  EXPECT_NEAR(get(cam, "tx"), 7.0, 1e-12);
}

TEST_F(UtilityNodeTest, DoubleLinearNodesAddAndMultiply) {
  NodeRef driver = make("transform", "driver");
  NodeRef add = make("addDoubleLinear", "addDoubleLinear1");
  NodeRef mult = make("multDoubleLinear", "multDoubleLinear1");
  NodeRef cam = make("transform", "cam");
  link(driver, "tx", add, "i1");
  set(add, "i2", 2.5);
  link(add, "o", mult, "i1");
  set(mult, "i2", -2.0);
  link(mult, "o", cam, "ty");
  set(driver, "tx", 4.0);
  EXPECT_NEAR(get(cam, "ty"), -13.0, 1e-12);  // (4 + 2.5) * -2
}

TEST_F(UtilityNodeTest, UnitConversionScalesTheInternalValue) {
  NodeRef driver = make("transform", "driver");
  NodeRef conv = make("unitConversion", "unitConversion1");
  NodeRef cam = make("transform", "cam");
  link(driver, "ry", conv, "i");
  link(conv, "o", cam, "tx");
  set(conv, "cf", 180.0 / kPi);
  set(driver, "ry", deg(30));
  EXPECT_NEAR(get(cam, "tx"), 30.0, 1e-9);
}

TEST_F(UtilityNodeTest, PlusMinusAverageSumsSubtractsAndAverages) {
  NodeRef pma = make("plusMinusAverage", "pma1");
  set(pma, elementName("i1", 0).c_str(), 10.0);
  set(pma, elementName("i1", 1).c_str(), 4.0);
  set(pma, elementName("i1", 2).c_str(), 1.0);
  setVector(pma, elementName("i3", 0).c_str(), 1, 2, 3);
  setVector(pma, elementName("i3", 1).c_str(), 3, 2, 1);
  EXPECT_NEAR(get(pma, "output1D"), 15.0, 1e-12);
  EXPECT_NEAR(get(pma, "o3z"), 4.0, 1e-12);
  set(pma, "operation", 2);
  EXPECT_NEAR(get(pma, "output1D"), 5.0, 1e-12);
  EXPECT_NEAR(get(pma, "o3x"), -2.0, 1e-12);
  set(pma, "operation", 3);
  EXPECT_NEAR(get(pma, "output1D"), 5.0, 1e-12);
  EXPECT_NEAR(get(pma, "o3y"), 2.0, 1e-12);
}

TEST_F(UtilityNodeTest, MultiplyDivideAndADivisionByZeroKeepsTheLastValue) {
  NodeRef md = make("multiplyDivide", "md1");
  setVector(md, "input1", 6, 2, 3);
  setVector(md, "input2", 2, 0, 2);
  set(md, "operation", 0);
  EXPECT_NEAR(get(md, "oy"), 2.0, 1e-12);
  set(md, "operation", 2);
  EXPECT_NEAR(get(md, "ox"), 3.0, 1e-12);
  EXPECT_NEAR(get(md, "oy"), 2.0, 1e-12);  // 2 / 0: the last value stays
  set(md, "operation", 1);
  EXPECT_NEAR(get(md, "ox"), 12.0, 1e-12);
  set(md, "operation", 3);
  EXPECT_NEAR(get(md, "oz"), 9.0, 1e-12);
}

TEST_F(UtilityNodeTest, MultMatrixAndDecomposeMatrixGiveOneNodeInAnothersSpace) {
  // a at (5, 0, 0) turned 90 about z and scaled 2; b at (1, 0, 0). a in b's space:
  // translate (4, 0, 0), rotate z 90, scale 2.
  NodeRef a = make("transform", "a");
  set(a, "tx", 5.0);
  set(a, "rz", deg(90));
  setVector(a, "s", 2, 2, 2);
  NodeRef b = make("transform", "b");
  set(b, "tx", 1.0);
  NodeRef mult = make("multMatrix", "multMatrix1");
  NodeRef dec = make("decomposeMatrix", "decomposeMatrix1");
  NodeRef cam = make("transform", "cam");
  link(a, "wm", mult, elementName("i", 0));
  link(b, "wim", mult, elementName("i", 1));
  link(mult, "o", dec, "imat");
  link(dec, "ot", cam, "t");
  link(dec, "or", cam, "r");
  link(dec, "os", cam, "s");
  EXPECT_VECTOR_NEAR(worldPosition(cam), 4, 0, 0, 1e-9);
  EXPECT_NEAR(get(cam, "rz"), deg(90), 1e-9);
  EXPECT_VECTOR_NEAR(MVector(get(cam, "sx"), get(cam, "sy"), get(cam, "sz")), 2, 2, 2, 1e-9);
}

TEST_F(UtilityNodeTest, DrivenKeyFollowsItsDriver) {
  NodeRef driver = make("transform", "driver");
  NodeRef curve = make("animCurveUL", "cam_translateX");
  NodeRef cam = make("transform", "cam");
  link(driver, "tx", curve, "i");
  link(curve, "o", cam, "tx");
  minihost::Node* n = scene().node(curve);
  ASSERT_NE(n->drivenCurve(), nullptr);
  n->drivenCurve()->setKey(
      minihost::CurveKey{0.0, 0.0, minihost::TangentType::kLinear, minihost::TangentType::kLinear});
  n->drivenCurve()->setKey(minihost::CurveKey{10.0, 20.0, minihost::TangentType::kLinear,
                                              minihost::TangentType::kLinear});
  set(driver, "tx", 5.0);
  EXPECT_NEAR(get(cam, "tx"), 10.0, 1e-9);
  set(driver, "tx", 40.0);  // past the last key the curve holds
  EXPECT_NEAR(get(cam, "tx"), 20.0, 1e-9);
  // A driven-key curve is not a time curve: moving the time leaves it alone.
  EXPECT_FALSE(scene().curveDriving(cam, scene().findAttribute(cam, "tx")).isSet());
  scene().setCurrentTicks(5000.0);
  EXPECT_NEAR(get(cam, "tx"), 20.0, 1e-9);
}

}  // namespace

namespace {

class HostileGraphTest : public RigTest {};

TEST_F(HostileGraphTest, GraphsThatFanOutAreEvaluatedOncePerNodeAtAnyTime) {
  // Forty blendWeighted nodes, each summing the one before through all eight inputs: 8^40
  // paths, one value per node. Read now and at another time, each must come back at once.
  NodeRef previous = make("blendWeighted", "bw0");
  set(previous, minihost::elementName("i", 0).c_str(), 1.0);
  set(previous, minihost::elementName("w", 0).c_str(), 1.0);
  for (int n = 1; n < 40; ++n) {
    NodeRef next = make("blendWeighted", ("bw" + std::to_string(n)).c_str());
    for (int i = 0; i < minihost::kRigMultiSize; ++i) {
      link(previous, "o", next, minihost::elementName("i", i));
      set(next, minihost::elementName("w", i).c_str(), 0.125);  // 8 x 1/8: the sum carries on
    }
    previous = next;
  }
  EXPECT_NEAR(get(previous, "o"), 1.0, 1e-9);
  double at = 5000.0, value = 0.0;
  ASSERT_TRUE(scene().getNumber(previous, scene().findAttribute(previous, "o"), value, &at));
  EXPECT_NEAR(value, 1.0, 1e-9);
}

TEST_F(HostileGraphTest, MultMatrixNodesFeedingThemselvesEndAtTheIdentity) {
  NodeRef mult = make("multMatrix", "loop");
  NodeRef other = make("multMatrix", "other");
  for (int i = 0; i < minihost::kRigMultiSize; ++i) {
    link(mult, "o", other, minihost::elementName("i", i));
    link(other, "o", mult, minihost::elementName("i", i));
  }
  NodeRef dec = make("decomposeMatrix", "dec");
  link(mult, "o", dec, "imat");
  EXPECT_NEAR(get(dec, "osx"), 1.0, 1e-12);
  EXPECT_NEAR(get(dec, "otx"), 0.0, 1e-12);
}

}  // namespace
