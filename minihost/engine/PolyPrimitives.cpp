#include "engine/PolyPrimitives.h"

#include <cmath>
#include <map>
#include <tuple>

namespace minihost {

namespace {

constexpr double kPi = 3.14159265358979323846;

void push3(std::vector<double>& v, double x, double y, double z) {
  v.push_back(x);
  v.push_back(y);
  v.push_back(z);
}

void addNormal(PolyGeometry& g, double x, double y, double z) {
  push3(g.normals, x, y, z);
}

}  // namespace

PolyGeometry makePlane(double width, double height, int sx, int sy) {
  PolyGeometry g;
  for (int j = 0; j <= sy; ++j) {
    for (int i = 0; i <= sx; ++i) {
      double x = -width / 2 + width * i / sx;
      double z = height / 2 - height * j / sy;
      push3(g.points, x, 0.0, z);
      g.u.push_back(static_cast<float>(static_cast<double>(i) / sx));
      g.v.push_back(static_cast<float>(static_cast<double>(j) / sy));
    }
  }
  addNormal(g, 0, 1, 0);
  for (int j = 0; j < sy; ++j) {
    for (int i = 0; i < sx; ++i) {
      int a = j * (sx + 1) + i;
      // (+x) then (-z): counter-clockwise seen from +y.
      int corners[4] = {a, a + 1, a + sx + 2, a + sx + 1};
      g.counts.push_back(4);
      for (int c : corners) {
        g.connects.push_back(c);
        g.uvIds.push_back(c);
        g.normalIds.push_back(0);
      }
    }
  }
  return g;
}

PolyGeometry makeCube(double width, double height, double depth, int sx, int sy, int sz) {
  PolyGeometry g;
  // Vertices are keyed by their lattice position so that faces share their edges.
  std::map<std::tuple<int, int, int>, int> lattice;
  auto vertex = [&](int i, int j, int k) {
    auto key = std::make_tuple(i, j, k);
    auto it = lattice.find(key);
    if (it != lattice.end())
      return it->second;
    int index = static_cast<int>(g.points.size() / 3);
    push3(g.points, -width / 2 + width * i / sx, -height / 2 + height * j / sy,
          -depth / 2 + depth * k / sz);
    lattice.emplace(key, index);
    return index;
  };
  struct Face {
    int axis;  // the axis the face is normal to
    int side;  // 0: negative, 1: positive
    int a, b;  // the two in-plane axes, ordered so that a x b points outwards
  };
  const Face faces[6] = {{2, 1, 0, 1}, {2, 0, 1, 0}, {1, 1, 2, 0},
                         {1, 0, 0, 2}, {0, 1, 1, 2}, {0, 0, 2, 1}};
  const int div[3] = {sx, sy, sz};
  for (int f = 0; f < 6; ++f) {
    const Face& face = faces[f];
    double n[3] = {0, 0, 0};
    n[face.axis] = face.side ? 1.0 : -1.0;
    addNormal(g, n[0], n[1], n[2]);
    int normal = f;
    int na = div[face.a], nb = div[face.b];
    int uvBase = static_cast<int>(g.u.size());
    for (int jb = 0; jb <= nb; ++jb) {
      for (int ia = 0; ia <= na; ++ia) {
        g.u.push_back(static_cast<float>(static_cast<double>(ia) / na));
        g.v.push_back(static_cast<float>(static_cast<double>(jb) / nb));
      }
    }
    for (int jb = 0; jb < nb; ++jb) {
      for (int ia = 0; ia < na; ++ia) {
        int grid[4][2] = {{ia, jb}, {ia + 1, jb}, {ia + 1, jb + 1}, {ia, jb + 1}};
        g.counts.push_back(4);
        for (auto& c : grid) {
          int idx[3];
          idx[face.axis] = face.side ? div[face.axis] : 0;
          idx[face.a] = c[0];
          idx[face.b] = c[1];
          g.connects.push_back(vertex(idx[0], idx[1], idx[2]));
          g.normalIds.push_back(normal);
          g.uvIds.push_back(uvBase + c[1] * (na + 1) + c[0]);
        }
      }
    }
  }
  return g;
}

PolyGeometry makeSphere(double radius, int sx, int sy) {
  PolyGeometry g;
  // Rings from the south pole up; ring 0 and ring sy are the poles.
  auto ringPoint = [&](int ring, int i, double out[3]) {
    double phi = -kPi / 2 + kPi * ring / sy;
    double theta = 2 * kPi * i / sx;
    out[0] = std::cos(phi) * std::cos(theta);
    out[1] = std::sin(phi);
    out[2] = -std::cos(phi) * std::sin(theta);
  };
  // Vertex indices: south pole 0, ring r (1..sy-1) starts at 1 + (r-1)*sx, north pole last.
  push3(g.points, 0.0, -radius, 0.0);
  addNormal(g, 0, -1, 0);
  for (int r = 1; r < sy; ++r) {
    for (int i = 0; i < sx; ++i) {
      double p[3];
      ringPoint(r, i, p);
      push3(g.points, p[0] * radius, p[1] * radius, p[2] * radius);
      addNormal(g, p[0], p[1], p[2]);
    }
  }
  int north = 1 + (sy - 1) * sx;
  push3(g.points, 0.0, radius, 0.0);
  addNormal(g, 0, 1, 0);
  auto ringVertex = [&](int r, int i) {
    if (r == 0)
      return 0;
    if (r == sy)
      return north;
    return 1 + (r - 1) * sx + (i % sx);
  };
  // UVs on a (sx + 1) x (sy + 1) grid, so the seam has its own column.
  for (int r = 0; r <= sy; ++r) {
    for (int i = 0; i <= sx; ++i) {
      g.u.push_back(static_cast<float>(static_cast<double>(i) / sx));
      g.v.push_back(static_cast<float>(static_cast<double>(r) / sy));
    }
  }
  auto uv = [&](int r, int i) { return r * (sx + 1) + i; };
  for (int r = 0; r < sy; ++r) {
    for (int i = 0; i < sx; ++i) {
      int corners[4][2] = {{r, i}, {r, i + 1}, {r + 1, i + 1}, {r + 1, i}};
      std::vector<int> vs, us;
      for (auto& c : corners) {
        int vtx = ringVertex(c[0], c[1]);
        // A pole corner appears once per triangle.
        if (!vs.empty() && vs.back() == vtx)
          continue;
        if (vs.size() == 3 && vs.front() == vtx)
          continue;
        vs.push_back(vtx);
        us.push_back(uv(c[0], c[1]));
      }
      if (vs.size() >= 2 && vs.front() == vs.back()) {
        vs.pop_back();
        us.pop_back();
      }
      g.counts.push_back(static_cast<int>(vs.size()));
      for (std::size_t k = 0; k < vs.size(); ++k) {
        g.connects.push_back(vs[k]);
        g.normalIds.push_back(vs[k]);
        g.uvIds.push_back(us[k]);
      }
    }
  }
  return g;
}

namespace {

// A surface of revolution about y: rings from the bottom (-height/2) to the top, ring r of
// radius radius * (1 - r/sy) for a cone and radius for a cylinder, a flat cap at the bottom
// and, for the cylinder, at the top; the cone's top ring is one apex vertex.
PolyGeometry lathe(double radius, double height, int sx, int sy, bool cone) {
  PolyGeometry g;
  const int rings = sy + 1;
  auto ringRadius = [&](int r) {
    return cone ? radius * (1.0 - static_cast<double>(r) / sy) : radius;
  };
  const int apex = cone ? sy * sx : -1;
  auto vertex = [&](int r, int i) { return cone && r == sy ? apex : r * sx + (i % sx); };
  for (int r = 0; r < rings; ++r) {
    const double y = -height / 2 + height * r / sy;
    const int count = cone && r == sy ? 1 : sx;
    for (int i = 0; i < count; ++i) {
      double a = 2 * kPi * i / sx;
      push3(g.points, ringRadius(r) * std::cos(a), y, -ringRadius(r) * std::sin(a));
    }
  }
  // Side normals, one per column and ring: the slope of a cone tilts them up by radius/height.
  for (int r = 0; r < rings; ++r) {
    for (int i = 0; i < sx; ++i) {
      double a = 2 * kPi * i / sx;
      double up = cone ? radius / height : 0.0;
      double len = std::sqrt(1.0 + up * up);
      addNormal(g, std::cos(a) / len, up / len, -std::sin(a) / len);
    }
  }
  const int bottomNormal = rings * sx;
  addNormal(g, 0, -1, 0);
  addNormal(g, 0, 1, 0);
  for (int r = 0; r < rings; ++r) {
    for (int i = 0; i <= sx; ++i) {
      g.u.push_back(static_cast<float>(static_cast<double>(i) / sx));
      g.v.push_back(static_cast<float>(static_cast<double>(r) / sy));
    }
  }
  const int capUV = static_cast<int>(g.u.size());
  for (int i = 0; i < sx; ++i) {
    double a = 2 * kPi * i / sx;
    g.u.push_back(static_cast<float>(0.5 + 0.5 * std::cos(a)));
    g.v.push_back(static_cast<float>(0.5 + 0.5 * std::sin(a)));
  }
  for (int r = 0; r < sy; ++r) {
    for (int i = 0; i < sx; ++i) {
      // Around (-z from +x), then up: counter-clockwise seen from outside.
      int corners[4][2] = {{r, i}, {r, i + 1}, {r + 1, i + 1}, {r + 1, i}};
      int n = cone && r + 1 == sy ? 3 : 4;
      g.counts.push_back(n);
      for (int k = 0; k < n; ++k) {
        int cr = corners[k][0], ci = corners[k][1];
        g.connects.push_back(vertex(cr, ci));
        g.normalIds.push_back(cr * sx + (ci % sx));
        g.uvIds.push_back(cr * (sx + 1) + ci);
      }
    }
  }
  // Caps: the bottom one walks backwards to face down, the top one forwards to face up.
  g.counts.push_back(sx);
  for (int i = sx; i-- > 0;) {
    g.connects.push_back(vertex(0, i));
    g.normalIds.push_back(bottomNormal);
    g.uvIds.push_back(capUV + i);
  }
  if (!cone) {
    g.counts.push_back(sx);
    for (int i = 0; i < sx; ++i) {
      g.connects.push_back(vertex(sy, i));
      g.normalIds.push_back(bottomNormal + 1);
      g.uvIds.push_back(capUV + i);
    }
  }
  return g;
}

}  // namespace

PolyGeometry makeCylinder(double radius, double height, int sx, int sy) {
  return lathe(radius, height, sx, sy, false);
}

PolyGeometry makeCone(double radius, double height, int sx, int sy) {
  return lathe(radius, height, sx, sy, true);
}

}  // namespace minihost
