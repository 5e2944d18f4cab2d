#include <gtest/gtest.h>

#include <limits>

#include "ToolSamples.h"
#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/impstream.h"
#include "boundary/base/ompstream.h"

namespace {

bool documentReads(const std::string& bytes) {
  AnimationDocument document;
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  return document.read(in);
}

std::string animationWith(VXRAnimation_CameraList& cameras, VXRAnimation_LightList& lights) {
  ompstream out;
  AnimationFileHeader header;
  header.write(out, cameras);
  header.writeLights(out, lights);
  return std::string(out.data(), out.size());
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST(VxrinfoCheck, ValidFilesPass) {
  TempFolder folder;
  writeBytes(folder.path("a"), sampleAnimationBytes(true));
  writeBytes(folder.path("m"), meshFileBytes({sampleQuad(), sampleSolid()}));
  writeBytes(folder.path("e"), "");
  ToolRun run = runTool({"--check", folder.path("a"), folder.path("m"), folder.path("e")});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(contains(
      run.out, folder.path("a") + ": ok (animation file, version 1, 3 cameras, 3 lights)\n"));
  EXPECT_TRUE(contains(run.out, folder.path("m") + ": ok (mesh file, 2 records)\n"));
  EXPECT_TRUE(contains(run.out, folder.path("e") + ": ok (mesh file, 0 records)\n"));
}

TEST(VxrinfoCheck, EveryCutAnimationFileIsDamaged) {
  TempFolder folder;
  const std::string bytes = sampleAnimationBytes(false);
  const std::string path = folder.path("cut");
  // Length 0 is an empty file, which is an empty mesh file.
  for (std::size_t length = 1; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    writeBytes(path, bytes.substr(0, length));
    ToolRun run = runTool({"--check", path});
    ASSERT_EQ(run.status, 1) << run.out;
    if (length >= 5) {
      EXPECT_TRUE(contains(run.out, ": error: ")) << run.out;
      EXPECT_TRUE(contains(run.out, " left\n")) << run.out;
    }
  }
}

TEST(VxrinfoCheck, EveryCutMeshFileIsDamagedUnlessCutBetweenRecords) {
  TempFolder folder;
  const std::string first = meshFileBytes({sampleQuad("q")});
  const std::string bytes = first + meshFileBytes({sampleSolid("s")});
  const std::string path = folder.path("cut");
  for (std::size_t length = 1; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    writeBytes(path, bytes.substr(0, length));
    ToolRun run = runTool({"--check", path});
    ASSERT_EQ(run.status, length == first.size() ? 0 : 1) << run.out;
  }
}

TEST(VxrinfoCheck, BitFlipsNeverCrashAndNeverPassWhatThePlugInRefuses) {
  TempFolder folder;
  const std::string bytes = smallAnimationBytes();
  const std::string path = folder.path("flipped");
  int damaged = 0;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string flipped = bytes;
      flipped[at] = static_cast<char>(flipped[at] ^ (1 << bit));
      writeBytes(path, flipped);
      ToolRun run = runTool({"--check", path});
      ASSERT_TRUE(run.status == 0 || run.status == 1) << at << ":" << bit;
      ASSERT_FALSE(run.out.empty());
      if (run.status == 0) {
        ASSERT_TRUE(documentReads(flipped)) << "passed a file the reader refuses, byte " << at;
      } else {
        ++damaged;
      }
      // The magic, the high byte of the first list's entry count, the first entry's tag and
      // class name are structure.
      if (at < 4 || at == 10 || (at >= 11 && at < 35)) {
        ASSERT_EQ(run.status, 1) << "byte " << at << " bit " << bit << "\n" << run.out;
      }
    }
  }
  EXPECT_GT(damaged, 0);
}

TEST(VxrinfoCheck, MeshBitFlipsNeverCrash) {
  TempFolder folder;
  const std::string bytes = meshFileBytes({sampleSolid("s"), sampleQuad("q")});
  const std::string path = folder.path("flipped");
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string flipped = bytes;
      flipped[at] = static_cast<char>(flipped[at] ^ (1 << bit));
      writeBytes(path, flipped);
      ToolRun run = runTool({"--check", path});
      ASSERT_TRUE(run.status == 0 || run.status == 1) << at << ":" << bit;
      // Magic, version, and the high bytes of the name length and the point count are
      // structure.
      if (at < 5 || at == 8 || at == 13) {
        ASSERT_EQ(run.status, 1) << "byte " << at << " bit " << bit << "\n" << run.out;
      }
    }
  }
}

TEST(VxrinfoCheck, ValueFaultsNameTheirFieldAndOffset) {
  VXRAnimation_CameraList cameras;
  auto* camera = new VXRAnimation_Camera;
  camera->setName("cam");
  camera->v_insert(new CameraKey);
  auto* broken = new CameraKey;
  broken->projector.plane.origin.x = std::numeric_limits<double>::infinity();
  camera->v_insert(broken);
  cameras.v_insert(camera);
  cameras.v_insert(nullptr);
  VXRAnimation_LightList lights;
  auto* light = new VXRAnimation_Light;
  auto* odd = new LightKey;
  odd->type = 9;
  light->v_insert(odd);
  lights.v_insert(light);
  const std::string bytes = animationWith(cameras, lights);

  TempFolder folder;
  const std::string path = folder.path("faulty");
  writeBytes(path, bytes);
  ToolRun run = runTool({"--check", path});
  EXPECT_EQ(run.status, 1);
  // Header 6, list version 1, count 4, tag 1, class name 4 + 19, track version 1, key count 4,
  // then key 0 (146 bytes), then key 1: version 1, then origin.x.
  const std::size_t originX = 6 + 1 + 4 + 1 + 23 + 1 + 4 + 146 + 1;
  EXPECT_TRUE(contains(run.out, path + ":" + std::to_string(originX) +
                                    ": error: cameras[0].keys[1].projector.plane.origin.x: "
                                    "value is not finite\n"))
      << run.out;
  EXPECT_TRUE(contains(run.out, ": error: cameras[1]: null entry")) << run.out;
  EXPECT_TRUE(contains(run.out, ": error: lights[0].keys[0].type: light type 9")) << run.out;
  EXPECT_TRUE(contains(run.out, path + ": damaged, 3 errors")) << run.out;

  MeshRecord mesh = sampleQuad("floor");
  mesh.polygons[0].corners[1].vertexIndex = 40;
  writeBytes(path, meshFileBytes({sampleSolid("s"), mesh}));
  run = runTool({"--check", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(contains(run.out,
                       ": error: record 1 \"floor\", polygons[0].corners[1].vertexIndex: "
                       "vertex index 40 is not below pointCount 4\n"))
      << run.out;
}

// The checker applies the import's rule for a usable key: what it passes the import applies.
TEST(VxrinfoCheck, KeysTheImportCannotApplyAreErrors) {
  VXRAnimation_CameraList cameras;
  auto* camera = new VXRAnimation_Camera;
  camera->setName("cam");
  camera->v_insert(new CameraKey);
  auto* nearZero = new CameraKey;
  nearZero->projector.eyeOffset.z = 0.0;
  camera->v_insert(nearZero);
  auto* tiny = new CameraKey;
  tiny->projector.eyeOffset.z = 5e-324;
  camera->v_insert(tiny);
  auto* negative = new CameraKey;
  negative->projector.window.size.y = -1.0;
  camera->v_insert(negative);
  cameras.v_insert(camera);
  VXRAnimation_LightList lights;
  auto* light = new VXRAnimation_Light;
  auto* spot = new LightKey;
  spot->type = LightKey::kSpot;
  spot->position = Vector3D(1e308, 0, 0);
  spot->target = Vector3D(-1e308, 0, 0);
  light->v_insert(spot);
  lights.v_insert(light);

  TempFolder folder;
  const std::string path = folder.path("unusable");
  writeBytes(path, animationWith(cameras, lights));
  const ToolRun run = runTool({"--check", path});
  EXPECT_EQ(run.status, 1);
  for (const std::string& fault :
       {std::string("cameras[0].keys[1]: the key has an eye distance (near clipping plane) that "
                    "is not above 0; the import skips it"),
        std::string("cameras[0].keys[2]: the key has an eye distance too small for its window"),
        std::string("cameras[0].keys[3]: the key has a window whose width or height is not "
                    "above 0"),
        std::string("lights[0].keys[0]: the key has a beam from its position to its target that "
                    "is not finite")})
    EXPECT_TRUE(contains(run.out, fault)) << fault << "\n" << run.out;
  EXPECT_FALSE(contains(run.out, "cameras[0].keys[0]")) << run.out;
  EXPECT_TRUE(contains(run.out, path + ": damaged, 4 errors")) << run.out;
}

TEST(VxrinfoCheck, OddButReadableAnimationFilesPassWithWarnings) {
  TempFolder folder;
  std::string oddAxis = sampleAnimationBytes(true);
  oddAxis[5] = 'q';
  writeBytes(folder.path("axis"), oddAxis);
  writeBytes(folder.path("tail"), sampleAnimationBytes(true) + "xyz");
  ToolRun run = runTool({"--check", folder.path("axis"), folder.path("tail")});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(
      contains(run.out, folder.path("axis") + ":5: warning: upAxis: up-axis byte 0x71 is neither"))
      << run.out;
  EXPECT_TRUE(contains(run.out, "warning: 3 bytes after the end of the animation data")) << run.out;
  // A y-up reading of the odd axis byte, as the plug-in reads it.
  EXPECT_TRUE(contains(runTool({folder.path("axis")}).out, "up axis y"));
}

TEST(VxrinfoCheck, VersionZeroAnimationFilesAreRead) {
  VXRAnimation_CameraList cameras;
  auto* camera = new VXRAnimation_Camera;
  camera->setName("old");
  camera->v_insert(new CameraKey);
  cameras.v_insert(camera);
  ompstream out;
  out.writeDWord(0x6E615856);
  out.writeByte(0);
  out.writeStreamable(cameras);
  TempFolder folder;
  writeBytes(folder.path("v0"), std::string(out.data(), out.size()));
  ToolRun run = runTool({"--check", folder.path("v0")});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(contains(run.out, "ok (animation file, version 0, 1 camera, 0 lights)")) << run.out;
}

TEST(VxrinfoCheck, UnknownUnreadableAndWrongKindFilesFail) {
  TempFolder folder;
  writeBytes(folder.path("text"), "plain text, not a file of ours");
  writeBytes(folder.path("short"), "VX");
  std::string future = sampleAnimationBytes(true);
  future[4] = 2;
  writeBytes(folder.path("future"), future);
  writeBytes(folder.path("anim"), sampleAnimationBytes(true));
  writeBytes(folder.path("mesh"), meshFileBytes({sampleQuad()}));

  ToolRun run = runTool({"--check", folder.path("text"), folder.path("short"),
                         folder.path("future"), folder.root(), folder.path("missing")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(contains(run.out, folder.path("text") + ": unknown file kind: neither")) << run.out;
  EXPECT_TRUE(contains(run.out, folder.path("short") + ": unknown file kind: only 2 bytes"));
  EXPECT_TRUE(contains(run.out,
                       folder.path("future") + ": unknown file kind: animation file of version 2"));
  EXPECT_TRUE(contains(run.out, folder.root() + ": unreadable: is a folder"));
  EXPECT_TRUE(contains(run.out, folder.path("missing") + ": unreadable: cannot open"));

  // One bad file among good ones fails the run but every file is reported.
  run = runTool({folder.path("anim"), folder.path("text"), folder.path("mesh")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(contains(run.out, folder.path("mesh") + ": mesh file"));

  run = runTool({"--obj", folder.path("out.obj"), folder.path("anim")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(contains(run.out, "--obj needs a mesh file")) << run.out;
  EXPECT_FALSE(fileExists(folder.path("out.obj")));
  run = runTool({"--plot", folder.path("out.svg"), folder.path("mesh")});
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(fileExists(folder.path("out.svg")));
}

TEST(VxrinfoOptions, WrongCommandLinesExitWithTwoAndShowTheUsage) {
  TempFolder folder;
  writeBytes(folder.path("m"), meshFileBytes({sampleQuad()}));
  const std::string m = folder.path("m");
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"--frobnicate", m},
      {"--obj"},
      {"--obj", "out.obj"},
      {"--obj", folder.path("o.obj"), m, m},
      {"--json", "--check", m},
      {"--plot", "a.svg", "--obj", "b.obj", m},
      // The plot's own options: only with --plot, and a frame range that makes sense.
      {"--frames", "1:5", m},
      {"--all-tracks", "--check", m},
      {"--plot", "a.svg", m, "--frames"},
      {"--plot", "a.svg", "--frames", "5:1", m},
      {"--plot", "a.svg", "--frames", "5", m},
      {"--plot", "a.svg", "--frames", "1:x", m},
      {"--plot", "a.svg", "--frames", "1.5:3", m},
      {"--plot", "a.svg", "--frames", ":3", m},
      {"--plot", "a.svg", "--frames", "1:99999999999", m},
      {"--plot", "a.svg", "--frames", "1:2", "--frames", "3:4", m},
  };
  for (const auto& args : wrong) {
    ToolRun run = runTool(args);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_TRUE(contains(run.err, "Usage: vxrinfo")) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
  ToolRun help = runTool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(contains(help.out, "Exit status: 0"));
  // "--" lets a file name start with a dash.
  writeBytes(folder.path("-odd"), "");
  ToolRun dashed = runTool({"--check", "--", folder.path("-odd")});
  EXPECT_EQ(dashed.status, 0) << dashed.out;
}

TEST(VxrinfoOptions, AConversionNeverReplacesItsOwnInput) {
  TempFolder folder;
  const std::string bytes = meshFileBytes({sampleQuad()});
  writeBytes(folder.path("m"), bytes);
  ToolRun run = runTool({"--obj", folder.path("m"), folder.path("m")});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(readBytes(folder.path("m")), bytes);
}
