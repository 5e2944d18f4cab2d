// World matrices through hierarchies, rotate orders and transformation round trips.
#include <maya/MEulerRotation.h>
#include <maya/MFnTransform.h>
#include <maya/MPoint.h>
#include <maya/MTransformationMatrix.h>

#include "SceneFixture.h"

namespace {

MPoint worldOrigin(const MDagPath& p) {
  return MPoint(0, 0, 0) * p.inclusiveMatrix();
}

class TransformTest : public SceneTest {};

TEST_F(TransformTest, ChildIsPlacedThroughParentRotationAndTranslation) {
  auto group = make("transform", "group1");
  auto child = make("transform", "child1", group);
  set(group, "translateX", 10.0);
  set(group, "rotateZ", deg(90));
  set(child, "translateX", 1.0);
  MPoint p = worldOrigin(path(child));
  EXPECT_NEAR(p.x, 10.0, 1e-12);
  EXPECT_NEAR(p.y, 1.0, 1e-12);
  EXPECT_NEAR(p.z, 0.0, 1e-12);
  EXPECT_EQ(path(child).fullPathName(), MString("|group1|child1"));
}

TEST_F(TransformTest, ParentScaleStretchesChildOffset) {
  auto group = make("transform", "group1");
  auto child = make("transform", "child1", group);
  set(group, "scaleX", 2.0);
  set(child,
      "translate"
      "X",
      1.5);
  EXPECT_NEAR(worldOrigin(path(child)).x, 3.0, 1e-12);
}

TEST_F(TransformTest, RotateOrderDecidesWhichAxisActsFirst) {
  auto t = make("transform", "t1");
  set(t, "rotateX", deg(90));
  set(t, "rotateY", deg(90));
  // xyz: x first takes +y to +z, then y takes +z to +x.
  MVector v = MVector(0, 1, 0) * path(t).inclusiveMatrix();
  EXPECT_TRUE(v.isEquivalent(MVector(1, 0, 0), 1e-12)) << v;
  // zyx: y leaves +y alone, then x takes it to +z.
  set(t, "rotateOrder", 5);
  v = MVector(0, 1, 0) * path(t).inclusiveMatrix();
  EXPECT_TRUE(v.isEquivalent(MVector(0, 0, 1), 1e-12)) << v;
}

TEST_F(TransformTest, RotateOrderOutsideItsRangeIsRefused) {
  auto t = make("transform", "t1");
  int order = scene().findAttribute(t, "ro");
  EXPECT_FALSE(scene().setNumber(t, order, 6));
  EXPECT_FALSE(scene().setNumber(t, order, -1));
  EXPECT_EQ(get(t, "rotateOrder"), 0.0);
}

TEST_F(TransformTest, EulerDecompositionRecoversEveryOrder) {
  const double angles[][3] = {{0.3, -0.7, 1.1}, {-2.0, 0.4, 0.25}, {1.0, 1.2, -3.0}};
  for (int order = MEulerRotation::kXYZ; order <= MEulerRotation::kZYX; ++order) {
    for (const auto& a : angles) {
      MEulerRotation e(a[0], a[1], a[2], static_cast<MEulerRotation::RotationOrder>(order));
      MMatrix m = e.asMatrix();
      MEulerRotation back = MEulerRotation::decompose(m, e.order);
      EXPECT_TRUE(back.asMatrix().isEquivalent(m, 1e-9)) << "order " << order;
    }
  }
}

TEST_F(TransformTest, GimbalLockedRotationStillDecomposes) {
  MEulerRotation e(0.5, kPi / 2, 0.2, MEulerRotation::kXYZ);
  MEulerRotation back = MEulerRotation::decompose(e.asMatrix(), MEulerRotation::kXYZ);
  EXPECT_TRUE(back.asMatrix().isEquivalent(e.asMatrix(), 1e-9));
}

TEST_F(TransformTest, TransformationMatrixSplitsScaleRotationTranslation) {
  MTransformationMatrix source;
  const double r[3] = {0.2, -0.5, 0.9};
  const double s[3] = {2.0, 3.0, 0.5};
  source.setRotation(r, MTransformationMatrix::kXYZ);
  source.setScale(s, MSpace::kTransform);
  source.setTranslation(MVector(1, 2, 3), MSpace::kTransform);
  MTransformationMatrix split(source.asMatrix());
  double s2[3];
  split.getScale(s2, MSpace::kTransform);
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(s2[i], s[i], 1e-12);
  EXPECT_TRUE(split.getTranslation(MSpace::kTransform).isEquivalent(MVector(1, 2, 3)));
  EXPECT_TRUE(split.asMatrix().isEquivalent(source.asMatrix(), 1e-12));
}

TEST_F(TransformTest, MirroringMatrixKeepsItsHandedness) {
  MMatrix m;
  m.matrix[0][0] = -1.0;
  MTransformationMatrix split(m);
  EXPECT_TRUE(split.asMatrix().isEquivalent(m, 1e-12));
}

TEST_F(TransformTest, FunctionSetWritesAttributesFromTransformation) {
  auto t = make("transform", "t1");
  MFnTransform fn(object(t));
  MTransformationMatrix tm;
  const double r[3] = {0.0, deg(30), 0.0};
  tm.setRotation(r, MTransformationMatrix::kZXY);
  tm.setTranslation(MVector(4, 5, 6), MSpace::kTransform);
  ASSERT_TRUE(fn.set(tm));
  EXPECT_NEAR(get(t, "translateY"), 5.0, 1e-12);
  EXPECT_NEAR(get(t, "rotateY"), deg(30), 1e-12);
  EXPECT_EQ(get(t, "rotateOrder"), 2.0);
  EXPECT_TRUE(fn.transformationMatrix().isEquivalent(tm.asMatrix(), 1e-12));
}

TEST_F(TransformTest, WorldTranslationCanBeSetUnderAMovedParent) {
  auto group = make("transform", "group1");
  auto child = make("transform", "child1", group);
  set(group, "translateY", 5.0);
  MFnTransform fn(object(child));
  ASSERT_TRUE(fn.setTranslation(MVector(1, 1, 1), MSpace::kWorld));
  EXPECT_NEAR(get(child, "translateY"), -4.0, 1e-12);
  EXPECT_TRUE(fn.getTranslation(MSpace::kWorld).isEquivalent(MVector(1, 1, 1), 1e-12));
}

TEST_F(TransformTest, SingularMatrixInverseIsIdentityNotInfinite) {
  MMatrix zero;
  for (auto& row : zero.matrix)
    for (double& v : row)
      v = 0.0;
  EXPECT_TRUE(zero.inverse().isEquivalent(MMatrix::identity));
  MMatrix m = MEulerRotation(0.3, 0.2, 0.1).asMatrix();
  m.matrix[3][0] = 7.0;
  EXPECT_TRUE((m * m.inverse()).isEquivalent(MMatrix::identity, 1e-12));
}

}  // namespace
