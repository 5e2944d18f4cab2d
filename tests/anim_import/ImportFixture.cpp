#include "ImportFixture.h"

#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <cstdlib>

#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/GIO.h"
#include "boundary/base/ofpstream.h"

std::string ImportTest::writeDocument(const AnimationDocument& document, const std::string& name,
                                      bool upAxisIsZ) {
  const std::string file = path(name);
  ofpstream out(file.c_str(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  AnimationFileHeader header;
  header.upAxisIsZ = upAxisIsZ;
  header.write(out, document.cameras);
  header.writeLights(out, document.lights);
  EXPECT_TRUE(out.close());
  return file;
}

int ImportTest::open(const std::string& file) {
  const int handle = std::atoi(melResult("VXR_AnimationImportCmd -open \"" + file + "\"").c_str());
  EXPECT_NE(handle, 0);
  return handle;
}

MObject ImportTest::node(const std::string& name) {
  return nodeNamed(name);
}

MObject nodeNamed(const std::string& name) {
  MSelectionList list;
  list.add(MString(name.c_str()));
  MObject object;
  list.getDependNode(0, object);
  return object;
}

VXRAnimation_Camera* addCameraTrack(AnimationDocument& document, const std::string& name,
                                    int keys) {
  auto* track = new VXRAnimation_Camera();
  track->setName(GString(name.c_str()));
  for (int i = 0; i < keys; ++i) {
    auto* key = new CameraKey(makeCameraKey(Vector3D(0, 0, -1), Vector3D(0, 0, -1),
                                            Vector3D(0, 1, 0), 1.0, 0.8, 0.6, 10 * i + 1));
    track->v_insert(key);
  }
  document.cameras.v_insert(track);
  return track;
}

VXRAnimation_Light* addLightTrack(AnimationDocument& document, const std::string& name,
                                  const LightKey& key, int keys) {
  auto* track = new VXRAnimation_Light();
  track->setName(GString(name.c_str()));
  for (int i = 0; i < keys; ++i) {
    auto* copy = new LightKey(key);
    copy->frame = key.frame + i;
    track->v_insert(copy);
  }
  document.lights.v_insert(track);
  return track;
}

CameraKey makeCameraKey(const Vector3D& planePoint, const Vector3D& view, const Vector3D& up,
                        double eyeDistance, double windowWidth, double windowHeight, int frame) {
  CameraKey key;
  key.frame = frame;
  key.projector.plane.setPlaneParameters(planePoint, view, up);
  key.projector.window.origin = Vector2D(-windowWidth / 2, -windowHeight / 2);
  key.projector.window.size = Vector2D(windowWidth, windowHeight);
  key.projector.eyeOffset = Vector3D(0, 0, eyeDistance);
  key.projector.perspective = 1;
  return key;
}
