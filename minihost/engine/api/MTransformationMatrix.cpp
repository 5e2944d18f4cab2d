#include <maya/MTransformationMatrix.h>

#include <cmath>

OPENMAYA_MAJOR_NAMESPACE_OPEN

namespace {

MEulerRotation::RotationOrder eulerOrder(MTransformationMatrix::RotationOrder order) {
  int i = static_cast<int>(order) - MTransformationMatrix::kXYZ;
  if (i < 0 || i > 5)
    i = 0;
  return static_cast<MEulerRotation::RotationOrder>(i);
}

}  // namespace

const MTransformationMatrix MTransformationMatrix::identity;

MTransformationMatrix::MTransformationMatrix()
    : translate_{0, 0, 0}, rotate_{0, 0, 0}, scale_{1, 1, 1}, order_(kXYZ) {}
MTransformationMatrix::MTransformationMatrix(const MTransformationMatrix& other) = default;
MTransformationMatrix::MTransformationMatrix(const MMatrix& matrix) : MTransformationMatrix() {
  *this = matrix;
}
MTransformationMatrix::~MTransformationMatrix() = default;

MTransformationMatrix& MTransformationMatrix::operator=(const MTransformationMatrix& other) =
    default;

MTransformationMatrix& MTransformationMatrix::operator=(const MMatrix& m) {
  // Split rows into scale and rotation; a mirroring matrix keeps its flip in z scale.
  for (int i = 0; i < 3; ++i)
    translate_[i] = m.matrix[3][i];
  MMatrix rotation;
  for (int r = 0; r < 3; ++r) {
    double len = std::sqrt(m.matrix[r][0] * m.matrix[r][0] + m.matrix[r][1] * m.matrix[r][1] +
                           m.matrix[r][2] * m.matrix[r][2]);
    scale_[r] = len;
  }
  if (m.det3x3() < 0.0)
    scale_[2] = -scale_[2];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      rotation.matrix[r][c] = scale_[r] != 0.0 ? m.matrix[r][c] / scale_[r] : (r == c ? 1.0 : 0.0);
    }
  }
  MEulerRotation e = MEulerRotation::decompose(rotation, eulerOrder(order_));
  rotate_[0] = e.x;
  rotate_[1] = e.y;
  rotate_[2] = e.z;
  return *this;
}

bool MTransformationMatrix::operator==(const MTransformationMatrix& other) const {
  return asMatrix() == other.asMatrix();
}
bool MTransformationMatrix::operator!=(const MTransformationMatrix& other) const {
  return !(*this == other);
}
bool MTransformationMatrix::isEquivalent(const MTransformationMatrix& other,
                                         double tolerance) const {
  return asMatrix().isEquivalent(other.asMatrix(), tolerance);
}

MMatrix MTransformationMatrix::asScaleMatrix() const {
  MMatrix s;
  for (int i = 0; i < 3; ++i)
    s.matrix[i][i] = scale_[i];
  return s;
}

MMatrix MTransformationMatrix::asRotateMatrix() const {
  return eulerRotation().asMatrix();
}

MMatrix MTransformationMatrix::asMatrix() const {
  MMatrix m = asScaleMatrix() * asRotateMatrix();
  for (int i = 0; i < 3; ++i)
    m.matrix[3][i] = translate_[i];
  return m;
}

MMatrix MTransformationMatrix::asMatrixInverse() const {
  return asMatrix().inverse();
}

MVector MTransformationMatrix::getTranslation(MSpace::Space, MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return MVector(translate_);
}
MVector MTransformationMatrix::translation(MSpace::Space space, MStatus* ReturnStatus) const {
  return getTranslation(space, ReturnStatus);
}
MStatus MTransformationMatrix::setTranslation(const MVector& v, MSpace::Space) {
  translate_[0] = v.x;
  translate_[1] = v.y;
  translate_[2] = v.z;
  return MS::kSuccess;
}
MStatus MTransformationMatrix::addTranslation(const MVector& v, MSpace::Space space) {
  return setTranslation(MVector(translate_) + v, space);
}

MEulerRotation MTransformationMatrix::eulerRotation() const {
  return MEulerRotation(rotate_[0], rotate_[1], rotate_[2], eulerOrder(order_));
}
MTransformationMatrix& MTransformationMatrix::rotateTo(const MEulerRotation& r) {
  rotate_[0] = r.x;
  rotate_[1] = r.y;
  rotate_[2] = r.z;
  order_ = static_cast<RotationOrder>(kXYZ + static_cast<int>(r.order));
  return *this;
}
MStatus MTransformationMatrix::getRotation(double rotation[3], RotationOrder& order) const {
  for (int i = 0; i < 3; ++i)
    rotation[i] = rotate_[i];
  order = order_;
  return MS::kSuccess;
}
MStatus MTransformationMatrix::setRotation(const double rotation[3], RotationOrder order) {
  if (order <= kInvalid || order >= kLast)
    return MS::kInvalidParameter;
  for (int i = 0; i < 3; ++i)
    rotate_[i] = rotation[i];
  order_ = order;
  return MS::kSuccess;
}
MTransformationMatrix::RotationOrder MTransformationMatrix::rotationOrder(
    MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return order_;
}
MStatus MTransformationMatrix::reorderRotation(const RotationOrder& order) {
  if (order <= kInvalid || order >= kLast)
    return MS::kInvalidParameter;
  MEulerRotation e = eulerRotation().reorder(eulerOrder(order));
  rotate_[0] = e.x;
  rotate_[1] = e.y;
  rotate_[2] = e.z;
  order_ = order;
  return MS::kSuccess;
}
MStatus MTransformationMatrix::getScale(double scale[3], MSpace::Space) const {
  for (int i = 0; i < 3; ++i)
    scale[i] = scale_[i];
  return MS::kSuccess;
}
MStatus MTransformationMatrix::setScale(const double scale[3], MSpace::Space) {
  for (int i = 0; i < 3; ++i)
    scale_[i] = scale[i];
  return MS::kSuccess;
}

OPENMAYA_NAMESPACE_CLOSE
