#pragma once
// 4x4 double matrix acting on row vectors; translation in the fourth row.

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

#define kMMatrixTolerance 1.0e-10

class OPENMAYA_EXPORT MMatrix {
 public:
  MMatrix();
  MMatrix(const MMatrix& other);
  MMatrix(const double m[4][4]);
  MMatrix(const float m[4][4]);
  ~MMatrix();

  MMatrix& operator=(const MMatrix& other);
  double operator()(unsigned int row, unsigned int col) const;
  double& operator()(unsigned int row, unsigned int col);
  const double* operator[](unsigned int row) const;
  double* operator[](unsigned int row);
  MStatus get(double dest[4][4]) const;
  MStatus get(float dest[4][4]) const;

  MMatrix transpose() const;
  MMatrix& setToIdentity();
  MMatrix& setToProduct(const MMatrix& left, const MMatrix& right);
  MMatrix inverse() const;
  MMatrix adjoint() const;
  MMatrix homogenize() const;
  double det4x4() const;
  double det3x3() const;

  MMatrix operator*(const MMatrix& right) const;
  MMatrix& operator*=(const MMatrix& right);
  MMatrix operator*(double scale) const;
  MMatrix operator+(const MMatrix& right) const;
  MMatrix operator-(const MMatrix& right) const;
  bool operator==(const MMatrix& other) const;
  bool operator!=(const MMatrix& other) const;
  bool isEquivalent(const MMatrix& other, double tolerance = kMMatrixTolerance) const;
  bool isSingular() const;

  static const MMatrix identity;

  double matrix[4][4];
};

OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& out, const MMatrix& m);

OPENMAYA_NAMESPACE_CLOSE
