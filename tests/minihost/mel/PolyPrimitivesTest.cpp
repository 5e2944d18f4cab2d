#include <gtest/gtest.h>

#include <cmath>

#include "engine/PolyPrimitives.h"

namespace {

using minihost::PolyGeometry;

// Newell's normal of polygon p, unnormalised.
void polygonNormal(const PolyGeometry& g, std::size_t start, int count, double n[3]) {
  n[0] = n[1] = n[2] = 0.0;
  for (int i = 0; i < count; ++i) {
    const double* a = &g.points[3 * static_cast<std::size_t>(g.connects[start + i])];
    const double* b = &g.points[3 * static_cast<std::size_t>(g.connects[start + (i + 1) % count])];
    n[0] += (a[1] - b[1]) * (a[2] + b[2]);
    n[1] += (a[2] - b[2]) * (a[0] + b[0]);
    n[2] += (a[0] - b[0]) * (a[1] + b[1]);
  }
}

// Every index in range, and every stored normal on the outside of its polygon.
void expectConsistent(const PolyGeometry& g, double minimumAgreement) {
  ASSERT_EQ(g.connects.size(), g.normalIds.size());
  ASSERT_EQ(g.connects.size(), g.uvIds.size());
  const int points = static_cast<int>(g.points.size() / 3);
  const int normals = static_cast<int>(g.normals.size() / 3);
  const int uvs = static_cast<int>(g.u.size());
  std::size_t start = 0;
  for (int count : g.counts) {
    ASSERT_GE(count, 3);
    double n[3];
    polygonNormal(g, start, count, n);
    double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    ASSERT_GT(len, 0.0);
    for (int c = 0; c < count; ++c) {
      int v = g.connects[start + c];
      int ni = g.normalIds[start + c];
      int ui = g.uvIds[start + c];
      ASSERT_TRUE(v >= 0 && v < points);
      ASSERT_TRUE(ni >= 0 && ni < normals);
      ASSERT_TRUE(ui >= 0 && ui < uvs);
      const double* sn = &g.normals[3 * static_cast<std::size_t>(ni)];
      double agree = (n[0] * sn[0] + n[1] * sn[1] + n[2] * sn[2]) / len;
      EXPECT_GT(agree, minimumAgreement) << "polygon starting at corner " << start;
    }
    start += static_cast<std::size_t>(count);
  }
  for (std::size_t i = 0; i < g.u.size(); ++i) {
    EXPECT_TRUE(g.u[i] >= 0.0f && g.u[i] <= 1.0f);
    EXPECT_TRUE(g.v[i] >= 0.0f && g.v[i] <= 1.0f);
  }
}

TEST(PolyPrimitivesTest, CubeFacesPointOutwardAndShareTheirEdges) {
  PolyGeometry g = minihost::makeCube(2.0, 4.0, 6.0, 2, 3, 1);
  expectConsistent(g, 0.999);
  // A box of 2 x 3 x 1 cells: (3 * 4 * 2) lattice points minus the (1 * 2 * 0) inside.
  EXPECT_EQ(g.points.size() / 3, 24u);
  EXPECT_EQ(g.counts.size(), 2u * (2 * 3 + 3 * 1 + 2 * 1));
  for (std::size_t i = 0; i < g.points.size(); i += 3) {
    bool onSurface = std::fabs(std::fabs(g.points[i]) - 1.0) < 1e-12 ||
                     std::fabs(std::fabs(g.points[i + 1]) - 2.0) < 1e-12 ||
                     std::fabs(std::fabs(g.points[i + 2]) - 3.0) < 1e-12;
    EXPECT_TRUE(onSurface);
  }
}

TEST(PolyPrimitivesTest, PlaneFacesUp) {
  PolyGeometry g = minihost::makePlane(4.0, 2.0, 4, 2);
  expectConsistent(g, 0.999);
  ASSERT_EQ(g.normals.size(), 3u);
  EXPECT_DOUBLE_EQ(g.normals[1], 1.0);
  EXPECT_EQ(g.points.size() / 3, 15u);
}

TEST(PolyPrimitivesTest, SphereHasUnitNormalsOnItsRadiusAndTrianglesAtThePoles) {
  const double radius = 3.0;
  PolyGeometry g = minihost::makeSphere(radius, 6, 5);
  // Smooth normals lean away from a coarse face normal, but never inward.
  expectConsistent(g, 0.5);
  for (std::size_t i = 0; i < g.points.size(); i += 3) {
    double r = std::sqrt(g.points[i] * g.points[i] + g.points[i + 1] * g.points[i + 1] +
                         g.points[i + 2] * g.points[i + 2]);
    EXPECT_NEAR(r, radius, 1e-9);
    EXPECT_NEAR(g.normals[i] * radius, g.points[i], 1e-9);
  }
  int triangles = 0;
  for (int c : g.counts)
    triangles += c == 3;
  EXPECT_EQ(triangles, 12);
  EXPECT_EQ(g.counts.size(), 30u);
}

}  // namespace

TEST(PolyPrimitivesTest, CylinderHasItsRadiusAndHeightAndOneCapAtEachEnd) {
  PolyGeometry g = minihost::makeCylinder(2.0, 4.0, 6, 2);
  expectConsistent(g, 0.8);
  EXPECT_EQ(g.points.size() / 3, 18u);  // three rings of six
  ASSERT_EQ(g.counts.size(), 6u * 2 + 2);
  EXPECT_EQ(g.counts[12], 6);
  EXPECT_EQ(g.counts[13], 6);
  for (std::size_t i = 0; i < g.points.size(); i += 3) {
    EXPECT_NEAR(std::hypot(g.points[i], g.points[i + 2]), 2.0, 1e-12);
    EXPECT_LE(std::fabs(g.points[i + 1]), 2.0 + 1e-12);
  }
}

TEST(PolyPrimitivesTest, ConeNarrowsToOneApexWithTrianglesAroundIt) {
  PolyGeometry g = minihost::makeCone(1.0, 2.0, 8, 1);
  expectConsistent(g, 0.5);
  ASSERT_EQ(g.points.size() / 3, 9u);  // the base ring and the apex
  EXPECT_DOUBLE_EQ(g.points[8 * 3 + 1], 1.0);
  ASSERT_EQ(g.counts.size(), 9u);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(g.counts[static_cast<std::size_t>(i)], 3);
  EXPECT_EQ(g.counts[8], 8);
}
