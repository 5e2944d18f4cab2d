#include <maya/MMatrix.h>

#include <cmath>
#include <ostream>

OPENMAYA_MAJOR_NAMESPACE_OPEN

const MMatrix MMatrix::identity;

MMatrix::MMatrix() {
  setToIdentity();
}
MMatrix::MMatrix(const MMatrix& other) = default;
MMatrix::MMatrix(const double m[4][4]) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      matrix[r][c] = m[r][c];
}
MMatrix::MMatrix(const float m[4][4]) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      matrix[r][c] = m[r][c];
}
MMatrix::~MMatrix() = default;

MMatrix& MMatrix::operator=(const MMatrix& other) = default;
double MMatrix::operator()(unsigned int row, unsigned int col) const {
  return matrix[row & 3][col & 3];
}
double& MMatrix::operator()(unsigned int row, unsigned int col) {
  return matrix[row & 3][col & 3];
}
const double* MMatrix::operator[](unsigned int row) const {
  return matrix[row & 3];
}
double* MMatrix::operator[](unsigned int row) {
  return matrix[row & 3];
}
MStatus MMatrix::get(double dest[4][4]) const {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      dest[r][c] = matrix[r][c];
  return MS::kSuccess;
}
MStatus MMatrix::get(float dest[4][4]) const {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      dest[r][c] = static_cast<float>(matrix[r][c]);
  return MS::kSuccess;
}

MMatrix MMatrix::transpose() const {
  MMatrix t;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      t.matrix[r][c] = matrix[c][r];
  return t;
}
MMatrix& MMatrix::setToIdentity() {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      matrix[r][c] = r == c ? 1.0 : 0.0;
  return *this;
}
MMatrix& MMatrix::setToProduct(const MMatrix& left, const MMatrix& right) {
  return *this = left * right;
}

MMatrix MMatrix::adjoint() const {
  // Cofactor matrix transposed, by 3x3 minors.
  MMatrix adj;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      double m[3][3];
      for (int i = 0, mi = 0; i < 4; ++i) {
        if (i == r)
          continue;
        for (int j = 0, mj = 0; j < 4; ++j) {
          if (j == c)
            continue;
          m[mi][mj++] = matrix[i][j];
        }
        ++mi;
      }
      double minor = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
      adj.matrix[c][r] = ((r + c) % 2 ? -1.0 : 1.0) * minor;
    }
  }
  return adj;
}

double MMatrix::det4x4() const {
  MMatrix adj = adjoint();
  double d = 0.0;
  for (int c = 0; c < 4; ++c)
    d += matrix[0][c] * adj.matrix[c][0];
  return d;
}

double MMatrix::det3x3() const {
  const auto& m = matrix;
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
         m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

MMatrix MMatrix::inverse() const {
  // A singular matrix has no inverse; the identity is returned rather than infinities.
  double d = det4x4();
  if (d == 0.0 || !std::isfinite(d))
    return MMatrix();
  MMatrix adj = adjoint();
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      adj.matrix[r][c] /= d;
  return adj;
}

MMatrix MMatrix::homogenize() const {
  MMatrix h(*this);
  double w = matrix[3][3];
  if (w != 0.0) {
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c)
        h.matrix[r][c] /= w;
  }
  return h;
}

MMatrix MMatrix::operator*(const MMatrix& right) const {
  MMatrix p;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      double s = 0.0;
      for (int k = 0; k < 4; ++k)
        s += matrix[r][k] * right.matrix[k][c];
      p.matrix[r][c] = s;
    }
  }
  return p;
}
MMatrix& MMatrix::operator*=(const MMatrix& right) {
  return *this = *this * right;
}
MMatrix MMatrix::operator*(double scale) const {
  MMatrix p(*this);
  for (auto& row : p.matrix)
    for (double& v : row)
      v *= scale;
  return p;
}
MMatrix MMatrix::operator+(const MMatrix& right) const {
  MMatrix p(*this);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      p.matrix[r][c] += right.matrix[r][c];
  return p;
}
MMatrix MMatrix::operator-(const MMatrix& right) const {
  return *this + right * -1.0;
}
bool MMatrix::operator==(const MMatrix& other) const {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (matrix[r][c] != other.matrix[r][c])
        return false;
  return true;
}
bool MMatrix::operator!=(const MMatrix& other) const {
  return !(*this == other);
}
bool MMatrix::isEquivalent(const MMatrix& other, double tolerance) const {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (std::fabs(matrix[r][c] - other.matrix[r][c]) > tolerance)
        return false;
  return true;
}
bool MMatrix::isSingular() const {
  return std::fabs(det4x4()) < 1e-12;
}

std::ostream& operator<<(std::ostream& out, const MMatrix& m) {
  out << "[";
  for (int r = 0; r < 4; ++r) {
    out << "[" << m.matrix[r][0] << ", " << m.matrix[r][1] << ", " << m.matrix[r][2] << ", "
        << m.matrix[r][3] << "]";
  }
  return out << "]";
}

OPENMAYA_NAMESPACE_CLOSE
