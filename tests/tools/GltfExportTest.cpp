// vxrinfo --gltf through its command line. Every glTF these tests write stays in the folder
// VXR_GLTF_OUT_DIR, which the validator test then checks with the Khronos validator.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "MiniJson.h"
#include "ToolSamples.h"
#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileHeader.h"
#include "anim_model/LightKey.h"
#include "boundary/base/ompstream.h"

namespace {

std::string outputFolder() {
  static const std::string folder = [] {
    const std::string path = VXR_GLTF_OUT_DIR;
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

std::uint32_t word(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = (v << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
  return v;
}

float floatAt(const std::string& bytes, std::size_t at) {
  const std::uint32_t bits = word(bytes, at);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

// A .glb taken apart: its JSON, parsed strictly, and its binary chunk.
struct Glb {
  JsonValue json;
  std::string bin;
};

void readGlb(const std::string& path, Glb& glb) {
  const std::string bytes = readBytes(path);
  ASSERT_GE(bytes.size(), 20u);
  EXPECT_EQ(bytes.substr(0, 4), "glTF");
  EXPECT_EQ(word(bytes, 4), 2u);
  EXPECT_EQ(word(bytes, 8), bytes.size());
  const std::uint32_t jsonLength = word(bytes, 12);
  EXPECT_EQ(bytes.substr(16, 4), "JSON");
  EXPECT_EQ(jsonLength % 4, 0u);
  ASSERT_LE(20u + jsonLength, bytes.size());
  std::string error;
  ASSERT_TRUE(parseJson(bytes.substr(20, jsonLength), glb.json, error)) << error;
  const std::size_t binAt = 20u + jsonLength;
  if (binAt < bytes.size()) {
    const std::uint32_t binLength = word(bytes, binAt);
    EXPECT_EQ(bytes.substr(binAt + 4, 4), std::string("BIN\0", 4));
    ASSERT_EQ(binAt + 8 + binLength, bytes.size());
    glb.bin = bytes.substr(binAt + 8);
    EXPECT_EQ(glb.json["buffers"][0]["byteLength"].number, static_cast<double>(binLength));
  }
}

// The floats of accessor `index`, `width` a value.
std::vector<float> accessorFloats(const Glb& glb, std::size_t index) {
  const JsonValue& accessor = glb.json["accessors"][index];
  const JsonValue& view =
      glb.json["bufferViews"][static_cast<std::size_t>(accessor["bufferView"].number)];
  const std::size_t width = accessor["type"].text == "SCALAR" ? 1
                            : accessor["type"].text == "VEC2" ? 2
                            : accessor["type"].text == "VEC3" ? 3
                                                              : 4;
  const std::size_t stride =
      view.has("byteStride") ? static_cast<std::size_t>(view["byteStride"].number) : width * 4;
  const std::size_t start =
      static_cast<std::size_t>(view["byteOffset"].number) +
      (accessor.has("byteOffset") ? static_cast<std::size_t>(accessor["byteOffset"].number) : 0);
  std::vector<float> values;
  for (std::size_t i = 0; i < static_cast<std::size_t>(accessor["count"].number); ++i)
    for (std::size_t c = 0; c < width; ++c)
      values.push_back(floatAt(glb.bin, start + i * stride + c * 4));
  return values;
}

const JsonValue* nodeNamed(const Glb& glb, const std::string& name) {
  for (const JsonValue& node : glb.json["nodes"].items)
    if (node["name"].text == name)
      return &node;
  return nullptr;
}

// A y-up file with one camera "zoom" whose window narrows from frame 1 to 3 (a zoom in), eye
// still at the origin looking along -z, the near plane 1 cm in front of it.
std::string zoomBytes() {
  VXRAnimation_CameraList cameras;
  auto* zoom = new VXRAnimation_Camera;
  zoom->setName("zoom");
  for (int f = 1; f <= 3; ++f) {
    CameraKey key;
    key.frame = f;
    const double h = 1.0 / f;
    key.projector.plane.setPlaneParameters(Vector3D(0, 0, -1), Vector3D(0, 0, -1),
                                           Vector3D(0, 1, 0));
    key.projector.window = GViewportWindowInfo(Vector2D(-0.75 * h, -0.5 * h), Vector2D(1.5 * h, h));
    key.projector.eyeOffset = Vector3D(0, 0, 1);
    key.projector.perspective = 1;
    key.projector.scale = 1.0f;
    key.projector.imageWidth = 300;
    key.projector.imageHeight = 200;
    zoom->v_insert(new CameraKey(key));
  }
  cameras.v_insert(zoom);
  VXRAnimation_LightList lights;
  ompstream out;
  AnimationFileHeader header;
  header.write(out, cameras);
  header.writeLights(out, lights);
  return std::string(out.data(), out.size());
}

}  // namespace

TEST(GltfExport, AZoomIsKeyedThroughTheAnimationPointerAndTheCameraHoldsTheFirstKey) {
  TempFolder folder;
  writeBytes(folder.path("zoom.vxranim"), zoomBytes());
  const std::string out = outputFolder() + "/zoom.glb";
  ToolRun run = runTool({"--gltf", out, folder.path("zoom.vxranim")});
  ASSERT_EQ(run.status, 0) << run.out;
  Glb glb;
  readGlb(out, glb);
  EXPECT_EQ(glb.json["extensionsUsed"][0].text, "KHR_animation_pointer");
  // A viewer without the extension sees the first key's field of view.
  EXPECT_FLOAT_EQ(static_cast<float>(glb.json["cameras"][0]["perspective"]["yfov"].number),
                  static_cast<float>(2.0 * std::atan(0.5)));
  const JsonValue& animation = glb.json["animations"][0];
  ASSERT_EQ(animation["channels"].size(), 1u);  // the eye stands still: only the lens changes
  const JsonValue& channel = animation["channels"][0];
  EXPECT_EQ(channel["target"]["path"].text, "pointer");
  EXPECT_FALSE(channel["target"].has("node"));
  EXPECT_EQ(channel["target"]["extensions"]["KHR_animation_pointer"]["pointer"].text,
            "/cameras/0/perspective/yfov");
  const JsonValue& sampler =
      animation["samplers"][static_cast<std::size_t>(channel["sampler"].number)];
  const std::vector<float> fov =
      accessorFloats(glb, static_cast<std::size_t>(sampler["output"].number));
  ASSERT_EQ(fov.size(), 3u);
  for (int f = 1; f <= 3; ++f)
    EXPECT_FLOAT_EQ(fov[f - 1], static_cast<float>(2.0 * std::atan(0.5 / f))) << f;
}

TEST(GltfExport, AShotWithMeshesIsOneGlbWhoseDataMatchesTheFiles) {
  TempFolder folder;
  writeBytes(
      folder.path("shot.vxranim"),
      animationBytes(true,
                     {{"|cam|camShape",
                       0,
                       {{1, Vector3D(0, -500, 100), Vector3D(0, 1, 0)},
                        {2, Vector3D(100, -500, 100), Vector3D(0, 1, 0)}}},
                      {"lamp", LightKey::kSpot, {{1, Vector3D(0, 0, 300), Vector3D(0, 0, -1)}}}}));
  writeBytes(folder.path("set.vxrmesh"), meshFileBytes({sampleSolid("rock"), sampleQuad("floor")}));
  const std::string out = outputFolder() + "/shot.glb";
  ToolRun run = runTool({"--gltf", out, folder.path("shot.vxranim"), folder.path("set.vxrmesh")});
  ASSERT_EQ(run.status, 0) << run.out;

  Glb glb;
  readGlb(out, glb);
  EXPECT_EQ(glb.json["asset"]["version"].text, "2.0");
  const JsonValue* cam = nodeNamed(glb, "|cam|camShape");
  ASSERT_NE(cam, nullptr);
  // The eye at frame 1, in metres and y-up: (0, 1, 5).
  EXPECT_FLOAT_EQ(static_cast<float>((*cam)["translation"][1].number), 1.0f);
  EXPECT_FLOAT_EQ(static_cast<float>((*cam)["translation"][2].number), 5.0f);
  // The camera moves 1 m along x between its two keys, 1/24 s apart.
  const JsonValue& channels = glb.json["animations"][0]["channels"];
  bool found = false;
  for (const JsonValue& channel : channels.items) {
    if (channel["target"]["path"].text != "translation")
      continue;
    const JsonValue& sampler =
        glb.json["animations"][0]["samplers"][static_cast<std::size_t>(channel["sampler"].number)];
    const std::vector<float> times =
        accessorFloats(glb, static_cast<std::size_t>(sampler["input"].number));
    const std::vector<float> places =
        accessorFloats(glb, static_cast<std::size_t>(sampler["output"].number));
    ASSERT_EQ(times.size(), 2u);
    EXPECT_FLOAT_EQ(times[0], 1.0f / 24.0f);
    EXPECT_FLOAT_EQ(times[1], 2.0f / 24.0f);
    EXPECT_FLOAT_EQ(places[3] - places[0], 1.0f);
    found = true;
  }
  EXPECT_TRUE(found);
  // The spot light is in the extension, on its node.
  const JsonValue* lamp = nodeNamed(glb, "lamp");
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ((*lamp)["extensions"]["KHR_lights_punctual"]["light"].number, 0.0);
  EXPECT_EQ(glb.json["extensions"]["KHR_lights_punctual"]["lights"][0]["type"].text, "spot");
  // The quad: 2 triangles, 6 vertices, turned y-up and in metres; bounds as the data.
  const JsonValue* floor = nodeNamed(glb, "floor");
  ASSERT_NE(floor, nullptr);
  const JsonValue& mesh = glb.json["meshes"][static_cast<std::size_t>((*floor)["mesh"].number)];
  EXPECT_EQ(mesh["name"].text, "floor");
  const JsonValue& attributes = mesh["primitives"][0]["attributes"];
  const std::size_t position = static_cast<std::size_t>(attributes["POSITION"].number);
  const std::vector<float> points = accessorFloats(glb, position);
  const MeshRecord quad = sampleQuad("floor");
  ASSERT_EQ(points.size(), 6u * 3u);
  const MeshFloat3& first = quad.points[quad.polygons[0].corners[0].vertexIndex];
  EXPECT_FLOAT_EQ(points[0], static_cast<float>(first.x * 0.01));
  EXPECT_FLOAT_EQ(points[1], static_cast<float>(first.z * 0.01));
  EXPECT_FLOAT_EQ(points[2], static_cast<float>(-first.y * 0.01));
  for (std::size_t c = 0; c < 3; ++c) {
    float lo = points[c];
    float hi = points[c];
    for (std::size_t i = c; i < points.size(); i += 3) {
      lo = std::min(lo, points[i]);
      hi = std::max(hi, points[i]);
    }
    EXPECT_EQ(glb.json["accessors"][position]["min"][c].number, static_cast<double>(lo));
    EXPECT_EQ(glb.json["accessors"][position]["max"][c].number, static_cast<double>(hi));
  }
  const std::vector<float> normals =
      accessorFloats(glb, static_cast<std::size_t>(attributes["NORMAL"].number));
  for (std::size_t i = 0; i < normals.size(); i += 3)
    EXPECT_NEAR(std::sqrt(normals[i] * normals[i] + normals[i + 1] * normals[i + 1] +
                          normals[i + 2] * normals[i + 2]),
                1.0, 1e-6);
  const std::vector<float> uvs =
      accessorFloats(glb, static_cast<std::size_t>(attributes["TEXCOORD_0"].number));
  EXPECT_FLOAT_EQ(uvs[0], quad.polygons[0].corners[0].u);
  EXPECT_FLOAT_EQ(uvs[1], 1.0f - quad.polygons[0].corners[0].v);  // glTF counts v from the top
}

TEST(GltfExport, HostileNamesStayValidJsonAndTheSeparateBufferIsFound) {
  TempFolder folder;
  const std::string hostile = "a \"b\" \\c\nd\te\x01 caf\xC3\xA9 \xFF </script>";
  writeBytes(folder.path("shot.vxranim"),
             animationBytes(false, {{hostile, 0, {{3, Vector3D(1, 2, 3), Vector3D(0, 0, -1)}}},
                                    {hostile, LightKey::kPoint, {{3, Vector3D(0, 1, 0)}}}}));
  writeBytes(folder.path("m.vxrmesh"), meshFileBytes({sampleQuad(hostile)}));
  const std::string out = outputFolder() + "/hostile name #1.gltf";
  ToolRun run = runTool({"--gltf", out, folder.path("shot.vxranim"), folder.path("m.vxrmesh")});
  ASSERT_EQ(run.status, 0) << run.out;
  JsonValue json;
  std::string error;
  ASSERT_TRUE(parseJson(readBytes(out), json, error)) << error;
  EXPECT_EQ(json["buffers"][0]["uri"].text, "hostile%20name%20%231.bin");
  const std::string bin = readBytes(outputFolder() + "/hostile name #1.bin");
  EXPECT_EQ(static_cast<double>(bin.size()), json["buffers"][0]["byteLength"].number);
  // The name as stored, the byte that is not UTF-8 as U+FFFD.
  const std::string expected = "a \"b\" \\c\nd\te\x01 caf\xC3\xA9 \xEF\xBF\xBD </script>";
  EXPECT_EQ(json["nodes"][0]["name"].text, expected);
  EXPECT_EQ(json["cameras"][0]["name"].text, expected);
  EXPECT_EQ(json["extensions"]["KHR_lights_punctual"]["lights"][0]["name"].text, expected);
  EXPECT_EQ(json["meshes"][0]["name"].text, expected);
}

TEST(GltfExport, EmptyInputsGiveAValidEmptyScene) {
  TempFolder folder;
  writeBytes(folder.path("empty.vxrmesh"), "");
  writeBytes(folder.path("none.vxranim"), animationBytes(true, {}));
  writeBytes(folder.path("keyless.vxranim"), animationBytes(true, {{"cam", 0, {}}}));
  struct Case {
    const char* output;
    std::vector<std::string> inputs;
  } cases[] = {{"empty-mesh.glb", {"empty.vxrmesh"}},
               {"no-tracks.glb", {"none.vxranim", "empty.vxrmesh"}},
               {"keyless.gltf", {"keyless.vxranim"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    std::vector<std::string> args = {"--gltf", outputFolder() + "/" + c.output};
    for (const std::string& input : c.inputs)
      args.push_back(folder.path(input));
    ToolRun run = runTool(args);
    ASSERT_EQ(run.status, 0) << run.out;
  }
  Glb glb;
  readGlb(outputFolder() + "/empty-mesh.glb", glb);
  EXPECT_FALSE(glb.json.has("nodes"));
  EXPECT_FALSE(glb.json.has("buffers"));
  EXPECT_TRUE(glb.bin.empty());
  // A keyless camera track keeps its name on an empty node, and needs no .bin.
  JsonValue json;
  std::string error;
  ASSERT_TRUE(parseJson(readBytes(outputFolder() + "/keyless.gltf"), json, error)) << error;
  EXPECT_EQ(json["nodes"][0]["name"].text, "cam");
  EXPECT_FALSE(json.has("buffers"));
  EXPECT_FALSE(std::filesystem::exists(outputFolder() + "/keyless.bin"));
}

TEST(GltfExport, ARefusedOrDamagedInputLeavesTheTargetAsItWas) {
  TempFolder folder;
  writeBytes(folder.path("early.vxranim"),
             animationBytes(true, {{"cam", 0, {{-5, Vector3D(0, 0, 0), Vector3D(0, 1, 0)}}}}));
  MeshRecord bad = sampleQuad("q");
  bad.polygons[0].corners[0].vertexIndex = 99;
  writeBytes(folder.path("bad.vxrmesh"), meshFileBytes({bad}));
  writeBytes(folder.path("junk"), "not a file vxrinfo knows");
  writeBytes(folder.path("out.glb"), "previous contents");
  struct Case {
    std::vector<std::string> inputs;
    const char* says;
  } cases[] = {
      {{"early.vxranim"}, "camera \"cam\" at frame -5: comes before the start frame 0"},
      {{"bad.vxrmesh"}, "damaged, nothing written"},
      {{"junk"}, "nothing written"},
      {{"early.vxranim", "early.vxranim"}, "a second animation file"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--gltf", folder.path("out.glb")};
    for (const std::string& input : c.inputs)
      args.push_back(folder.path(input));
    ToolRun run = runTool(args);
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
    EXPECT_EQ(readBytes(folder.path("out.glb")), "previous contents");
  }
  // With a start frame before the first key the same file converts.
  ToolRun run = runTool(
      {"--gltf", folder.path("out.glb"), "--start-frame", "-5", folder.path("early.vxranim")});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(readBytes(folder.path("out.glb")).substr(0, 4), "glTF");
  // Only the target and the inputs are in the folder: no temporary left behind.
  std::size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.root())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 4u);
}

TEST(GltfExport, CommandLineMistakesAndUnwritableTargets) {
  TempFolder folder;
  writeBytes(folder.path("m.vxrmesh"), meshFileBytes({sampleQuad()}));
  EXPECT_EQ(runTool({"--gltf", folder.path("m.vxrmesh"), folder.path("m.vxrmesh")}).status, 2);
  EXPECT_EQ(
      runTool({"--gltf", folder.path("o.glb"), "--fps", "0", folder.path("m.vxrmesh")}).status, 2);
  EXPECT_EQ(
      runTool({"--gltf", folder.path("o.glb"), "--fps", "nan", folder.path("m.vxrmesh")}).status,
      2);
  EXPECT_EQ(runTool({"--fps", "30", folder.path("m.vxrmesh")}).status, 2);
  EXPECT_EQ(
      runTool({"--gltf", folder.path("no/such/folder/o.glb"), folder.path("m.vxrmesh")}).status, 3);
  EXPECT_EQ(
      runTool({"--gltf", folder.path("no/such/folder/o.gltf"), folder.path("m.vxrmesh")}).status,
      3);
}
