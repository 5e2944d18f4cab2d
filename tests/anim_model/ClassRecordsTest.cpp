// The class records of the four streamable classes: found by name, creating and destroying the
// right objects, deriving from the collection record.
#include <gtest/gtest.h>

#include "anim_model/AnimationDocument.h"
#include "anim_model/AxisMatrices.h"
#include "anim_model/ClassRecords.h"

namespace {

template <class T>
void expectRecordMakesClass(const char* name) {
  SCOPED_TRACE(name);
  const GMetaClass* record = GMetaClass::find(name);
  ASSERT_EQ(record, &T::metaclass_);
  EXPECT_STREQ(record->name(), name);
  EXPECT_STREQ(record->typeInfo().name(), name);
  EXPECT_EQ(record->base(), &GCollection::metaclass_);
  EXPECT_TRUE(record->derivesFrom(GCollection::gTypeInfo_));
  ASSERT_NE(record->moduleHandleSlot(), nullptr);
  EXPECT_EQ(*record->moduleHandleSlot(), nullptr);

  GRTTIObject* made = record->create();
  ASSERT_NE(made, nullptr);
  T* typed = gcast<T>(made);
  ASSERT_NE(typed, nullptr);
  EXPECT_EQ(typed->getMetaClass(), record);
  EXPECT_EQ(&typed->getTypeInfo_(), &T::gTypeInfo_);
  EXPECT_EQ(typed->count, 0);
  EXPECT_NE(gcast<GCollection>(made), nullptr);
  EXPECT_NE(gcast<GStreamable>(made), nullptr);
  record->destroy(made);
  record->destroy(nullptr);
}

TEST(ClassRecordsTest, AllFourAreRegisteredByName) {
  EXPECT_TRUE(ensureAnimationClassRecords());
  expectRecordMakesClass<VXRAnimation_Camera>("VXRAnimation_Camera");
  expectRecordMakesClass<VXRAnimation_CameraList>("VXRAnimation_CameraList");
  expectRecordMakesClass<VXRAnimation_Light>("VXRAnimation_Light");
  expectRecordMakesClass<VXRAnimation_LightList>("VXRAnimation_LightList");
}

TEST(ClassRecordsTest, ANewTrackHasNoNameAndNoKeys) {
  GRTTIObject* made = VXRAnimation_Light::metaclass_.create();
  auto* track = gcast<VXRAnimation_Light>(made);
  ASSERT_NE(track, nullptr);
  EXPECT_TRUE(track->name.isEmpty());
  EXPECT_EQ(track->keyCount(), 0);
  VXRAnimation_Light::metaclass_.destroy(made);
}

TEST(ClassRecordsTest, DestroyLeavesObjectsOfAnotherClassAlone) {
  VXRAnimation_Camera camera;
  camera.setName("kept");
  // The light record must not delete a camera track (it lives on the stack here: deleting it
  // would be caught by the sanitizers and crash the test otherwise).
  VXRAnimation_Light::metaclass_.destroy(&camera);
  EXPECT_EQ(camera.name, "kept");
}

TEST(ClassRecordsTest, CastsAnswerOnlyTheirOwnClassAndItsBases) {
  VXRAnimation_Camera camera;
  VXRAnimation_CameraList cameras;
  EXPECT_EQ(gcast<VXRAnimation_Camera>(&camera), &camera);
  EXPECT_EQ(gcast<VXRAnimation_Light>(&camera), nullptr);
  EXPECT_EQ(gcast<VXRAnimation_CameraList>(&camera), nullptr);
  EXPECT_EQ(gcast<VXRAnimation_CameraList>(&cameras), &cameras);
  EXPECT_EQ(gcast<VXRAnimation_LightList>(&cameras), nullptr);
  EXPECT_EQ(gcast<VXRAnimation_Camera>(&cameras), nullptr);
}

TEST(AxisMatricesTest, AreQuarterTurnsAboutXThatUndoEachOther) {
  const Vector3D v(1, 2, 3);
  EXPECT_EQ(kYUpToZUp * v, Vector3D(1, -3, 2));
  EXPECT_EQ(kZUpToYUp * v, Vector3D(1, 3, -2));
  EXPECT_EQ(kZUpToYUp * kYUpToZUp, Matrix3D());
  EXPECT_EQ(kYUpToZUp * kZUpToYUp, Matrix3D());
  EXPECT_EQ(&upAxisConversionFor(false), &kYUpToZUp);
  EXPECT_EQ(&upAxisConversionFor(true), &kZUpToYUp);
}

TEST(TrackListTest, EnumeratesTracksWithKeysInListOrder) {
  VXRAnimation_CameraList cameras;
  auto* first = new VXRAnimation_Camera;
  first->v_insert(new CameraKey);
  auto* empty = new VXRAnimation_Camera;
  auto* third = new VXRAnimation_Camera;
  third->v_insert(new CameraKey);
  third->v_insert(new CameraKey);
  cameras.v_insert(first);
  cameras.v_insert(empty);
  cameras.v_insert(third);

  EXPECT_EQ(cameras.trackCount(), 3);
  EXPECT_EQ(cameras.countTracksWithKeys(), 2);
  std::vector<VXRAnimation_Camera*> withKeys = cameras.tracksWithKeys();
  ASSERT_EQ(withKeys.size(), 2u);
  EXPECT_EQ(withKeys[0], first);
  EXPECT_EQ(withKeys[1], third);
  EXPECT_EQ(cameras.track(3), nullptr);
  EXPECT_EQ(cameras.track(-1), nullptr);
}

}  // namespace
