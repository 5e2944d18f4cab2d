// Writes valid animation files into a folder, as the seed corpus of fuzz_anim_document:
// empty files of both axes, a small and a larger version 1 file, and a version 0 file.
#include <cstdio>
#include <string>

#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileFormat.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/ompstream.h"

namespace {

VXRAnimation_Camera* cameraTrack(const char* name, int keys, int firstFrame) {
  auto* track = new VXRAnimation_Camera;
  track->setName(name);
  for (int i = 0; i < keys; ++i) {
    auto* key = new CameraKey;
    key->projector.plane =
        GViewportPlaneInfo(Vector3D(i, 2.0, -1.0 - i), Vector3D(0, 0, -1), Vector3D(0, 1, 0));
    key->projector.window = GViewportWindowInfo(Vector2D(-0.04, -0.03), Vector2D(0.08, 0.06));
    key->projector.eyeOffset = Vector3D(0, 0, 0.1);
    key->projector.perspective = static_cast<std::uint8_t>(i % 2);
    key->frame = firstFrame + i;
    track->v_insert(key);
  }
  return track;
}

VXRAnimation_Light* lightTrack(const char* name, int keys, std::uint8_t type) {
  auto* track = new VXRAnimation_Light;
  track->setName(name);
  for (int i = 0; i < keys; ++i) {
    auto* key = new LightKey;
    key->frame = i - 1;
    key->type = type;
    key->red = 255;
    key->green = static_cast<std::uint8_t>(i * 40);
    key->position = Vector3D(0, 5 + i, 0);
    key->target = Vector3D(0, 5 + i, -1);
    track->v_insert(key);
  }
  return track;
}

bool writeFile(const std::string& folder, const char* name, const ompstream& out) {
  std::string path = folder + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    return false;
  bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  return std::fclose(file) == 0 && written && !out.fail();
}

bool writeVersionOne(const std::string& folder, const char* name, const AnimationDocument& doc,
                     bool upAxisIsZ) {
  ompstream out;
  AnimationFileHeader header;
  header.upAxisIsZ = upAxisIsZ;
  header.write(out, doc.cameras);
  header.writeLights(out, doc.lights);
  return writeFile(folder, name, out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = true;

  AnimationDocument empty;
  ok &= writeVersionOne(folder, "empty-y.vxranim", empty, false);
  ok &= writeVersionOne(folder, "empty-z.vxranim", empty, true);

  AnimationDocument small;
  small.cameras.v_insert(cameraTrack("cam", 1, 1));
  small.lights.v_insert(lightTrack("lamp", 1, LightKey::kSpot));
  ok &= writeVersionOne(folder, "small.vxranim", small, false);

  AnimationDocument larger;
  larger.cameras.v_insert(cameraTrack("|persp|perspShape", 3, -1));
  larger.cameras.v_insert(cameraTrack("|top|topShape", 0, 0));
  larger.cameras.v_insert(cameraTrack("|cam1|camShape1", 2, 10));
  larger.lights.v_insert(lightTrack("|sun|sunShape", 2, LightKey::kDirectional));
  larger.lights.v_insert(lightTrack("|bulb|bulbShape", 3, LightKey::kPoint));
  larger.lights.v_insert(lightTrack("|ambient|ambientShape", 0, LightKey::kPoint));
  ok &= writeVersionOne(folder, "larger.vxranim", larger, true);

  ompstream versionZero;
  versionZero.writeDWord(kAnimationFileMagic);
  versionZero.writeByte(0);
  versionZero.writeStreamable(larger.cameras);
  ok &= writeFile(folder, "version0.vxranim", versionZero);

  if (!ok) {
    std::fprintf(stderr, "%s: could not write the corpus into %s\n", argv[0], folder.c_str());
    return 1;
  }
  return 0;
}
