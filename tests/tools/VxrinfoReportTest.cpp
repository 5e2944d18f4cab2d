#include <gtest/gtest.h>

#include <sstream>

#include "MiniJson.h"
#include "ToolSamples.h"
#include "anim_model/AnimationDocument.h"
#include "boundary/base/impstream.h"

namespace {

JsonValue parseOneLine(const std::string& text) {
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(text.find('\n'), text.size() - 1) << "one document per line";
  JsonValue value;
  std::string error;
  EXPECT_TRUE(parseJson(text, value, error)) << error << "\n" << text.substr(0, 2000);
  return value;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    out.push_back(line);
  return out;
}

void expectTriple(const JsonValue& value, const Vector3D& v) {
  ASSERT_EQ(value.size(), 3u);
  EXPECT_EQ(value[0].number, v.x);
  EXPECT_EQ(value[1].number, v.y);
  EXPECT_EQ(value[2].number, v.z);
}

}  // namespace

TEST(VxrinfoSummary, AnimationFileShowsEveryTrack) {
  TempFolder folder;
  const std::string path = folder.path("shot.bin");  // the name says nothing of the kind
  writeBytes(path, sampleAnimationBytes(true));
  ToolRun run = runTool({path});
  EXPECT_EQ(run.status, 0) << run.out;
  const std::vector<std::string> got = lines(run.out);
  const std::vector<std::string> expected = {
      path + ": animation file, version 1, up axis z, 3 cameras, 3 lights",
      "  camera \"persp\": 5 keys, frames -2 to 2",
      "  camera \"side\": 3 keys, frames 1 to 3",
      "  camera \"unused\": no keys",
      "  light \"sun\": 2 keys, frames 1 to 2, directional",
      "  light \"bulb\": 4 keys, frames 0 to 3, point",
      "  light \"spot\": 1 key, frames 7 to 7, spot",
  };
  EXPECT_EQ(got, expected);
}

TEST(VxrinfoSummary, MeshFileShowsCountsAndBounds) {
  TempFolder folder;
  const std::string path = folder.path("meshes");
  writeBytes(path, meshFileBytes({sampleQuad("floor"), sampleSolid("rock \"big\"\n")}));
  writeBytes(folder.path("empty"), "");
  ToolRun run = runTool({path, folder.path("empty")});
  EXPECT_EQ(run.status, 0) << run.out;
  const std::vector<std::string> expected = {
      path + ": mesh file",
      "  record 0 \"floor\" at offset 0: 4 points, 1 normal, 1 polygon, 4 corners, bounds "
      "(-1.5, -1, 0.25) to (1.5, 1, 0.25)",
      "  record 1 \"rock \\\"big\\\"\\x0A\" at offset 178: 4 points, 4 normals, 2 polygons, 7 "
      "corners, bounds (-7.25, 0, -1) to (2, 3, 100)",
      "  2 records",
      folder.path("empty") + ": mesh file, empty",
  };
  EXPECT_EQ(lines(run.out), expected);
}

TEST(VxrinfoJson, AnimationDocumentHoldsEveryKeyField) {
  TempFolder folder;
  const std::string path = folder.path("shot.vxranim");
  const std::string bytes = sampleAnimationBytes(false, "cam \"q\"\x01\xFF");
  writeBytes(path, bytes);
  ToolRun run = runTool({"--json", path});
  ASSERT_EQ(run.status, 0) << run.out;
  const JsonValue doc = parseOneLine(run.out);
  EXPECT_EQ(doc["kind"].text, "animation");
  EXPECT_TRUE(doc["valid"].boolean);
  EXPECT_EQ(doc["version"].number, 1);
  EXPECT_EQ(doc["upAxis"].text, "y");
  EXPECT_EQ(doc["size"].number, static_cast<double>(bytes.size()));
  EXPECT_EQ(doc["errorCount"].number, 0);

  AnimationDocument expected;
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  ASSERT_TRUE(expected.read(in));
  ASSERT_EQ(doc["cameras"].size(), 3u);
  ASSERT_EQ(doc["lights"].size(), 3u);
  // The invalid name bytes are replaced in "name" and kept in "nameHex".
  EXPECT_EQ(doc["cameras"][0]["name"].text, std::string("cam \"q\"\x01\xEF\xBF\xBD"));
  EXPECT_EQ(doc["cameras"][0]["nameHex"].text,
            "63616d20227122"
            "01ff");
  EXPECT_FALSE(doc["cameras"][1].has("nameHex"));
  EXPECT_TRUE(doc["cameras"][2]["frameRange"].isNull());
  for (int t = 0; t < expected.cameras.trackCount(); ++t) {
    const VXRAnimation_Camera& track = *expected.cameras.track(t);
    const JsonValue& json = doc["cameras"][t];
    ASSERT_EQ(json["keyCount"].number, track.keyCount());
    ASSERT_EQ(json["keys"].size(), static_cast<std::size_t>(track.keyCount()));
    for (int k = 0; k < track.keyCount(); ++k) {
      const CameraKey& key = *track.key(k);
      const JsonValue& j = json["keys"][k];
      EXPECT_EQ(j["frame"].number, key.frame);
      expectTriple(j["plane"]["origin"], key.projector.plane.origin);
      expectTriple(j["plane"]["direction"], key.projector.plane.direction);
      expectTriple(j["plane"]["up"], key.projector.plane.up);
      EXPECT_EQ(j["window"]["origin"][0].number, key.projector.window.origin.x);
      EXPECT_EQ(j["window"]["origin"][1].number, key.projector.window.origin.y);
      EXPECT_EQ(j["window"]["size"][0].number, key.projector.window.size.x);
      EXPECT_EQ(j["window"]["size"][1].number, key.projector.window.size.y);
      expectTriple(j["eyeOffset"], key.projector.eyeOffset);
      EXPECT_EQ(j["perspective"].number, key.projector.perspective);
      EXPECT_EQ(static_cast<float>(j["scale"].number), key.projector.scale);
      EXPECT_EQ(j["imageWidth"].number, key.projector.imageWidth);
      EXPECT_EQ(j["imageHeight"].number, key.projector.imageHeight);
    }
  }
  EXPECT_EQ(doc["cameras"][0]["frameRange"][0].number, -2);
  EXPECT_EQ(doc["cameras"][0]["frameRange"][1].number, 2);
  for (int t = 0; t < expected.lights.trackCount(); ++t) {
    const VXRAnimation_Light& track = *expected.lights.track(t);
    const JsonValue& json = doc["lights"][t];
    EXPECT_EQ(json["name"].text, std::string(track.name.c_str()));
    ASSERT_EQ(json["keys"].size(), static_cast<std::size_t>(track.keyCount()));
    for (int k = 0; k < track.keyCount(); ++k) {
      const LightKey& key = *track.key(k);
      const JsonValue& j = json["keys"][k];
      EXPECT_EQ(j["frame"].number, key.frame);
      EXPECT_EQ(j["type"].number, key.type);
      EXPECT_EQ(j["color"][0].number, key.red);
      EXPECT_EQ(j["color"][1].number, key.green);
      EXPECT_EQ(j["color"][2].number, key.blue);
      expectTriple(j["position"], key.position);
      expectTriple(j["target"], key.target);
      EXPECT_EQ(j["intensity"].number, key.intensity);
      EXPECT_EQ(j["coneHalfAngle"].number, key.coneHalfAngle);
      EXPECT_EQ(j["penumbraAngle"].number, key.penumbraAngle);
      EXPECT_EQ(j["reserved"].number, key.reserved);
    }
  }
  EXPECT_EQ(doc["lights"][0]["types"][0].text, "directional");
  EXPECT_EQ(doc["lights"][2]["keys"][0]["typeName"].text, "spot");
}

TEST(VxrinfoJson, MeshDocumentHoldsEveryValue) {
  TempFolder folder;
  const std::string path = folder.path("m.vxrmesh");
  const std::vector<MeshRecord> written = {sampleSolid("solid\t\"1\""), sampleQuad("")};
  writeBytes(path, meshFileBytes(written));
  ToolRun run = runTool({"--json", path});
  ASSERT_EQ(run.status, 0) << run.out;
  const JsonValue doc = parseOneLine(run.out);
  EXPECT_EQ(doc["kind"].text, "mesh");
  EXPECT_TRUE(doc["valid"].boolean);
  ASSERT_EQ(doc["recordCount"].number, 2);
  ASSERT_EQ(doc["records"].size(), 2u);
  EXPECT_EQ(doc["records"][0]["name"].text, "solid\t\"1\"");
  EXPECT_EQ(doc["records"][1]["offset"].number, meshFileBytes({written[0]}).size());
  for (std::size_t r = 0; r < written.size(); ++r) {
    const MeshRecord& mesh = written[r];
    const JsonValue& j = doc["records"][r];
    EXPECT_TRUE(j["complete"].boolean);
    EXPECT_EQ(j["pointCount"].number, mesh.points.size());
    EXPECT_EQ(j["normalCount"].number, mesh.normals.size());
    EXPECT_EQ(j["polygonCount"].number, mesh.polygons.size());
    ASSERT_EQ(j["points"].size(), mesh.points.size());
    for (std::size_t i = 0; i < mesh.points.size(); ++i) {
      EXPECT_EQ(static_cast<float>(j["points"][i][0].number), mesh.points[i].x);
      EXPECT_EQ(static_cast<float>(j["points"][i][1].number), mesh.points[i].y);
      EXPECT_EQ(static_cast<float>(j["points"][i][2].number), mesh.points[i].z);
    }
    ASSERT_EQ(j["normals"].size(), mesh.normals.size());
    for (std::size_t i = 0; i < mesh.normals.size(); ++i)
      EXPECT_EQ(static_cast<float>(j["normals"][i][1].number), mesh.normals[i].y);
    ASSERT_EQ(j["polygons"].size(), mesh.polygons.size());
    std::size_t corners = 0;
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
      const JsonValue& poly = j["polygons"][p];
      ASSERT_EQ(poly["corners"].size(), mesh.polygons[p].corners.size());
      for (std::size_t c = 0; c < mesh.polygons[p].corners.size(); ++c) {
        const MeshCorner& corner = mesh.polygons[p].corners[c];
        EXPECT_EQ(poly["corners"][c]["vertex"].number, corner.vertexIndex);
        EXPECT_EQ(poly["corners"][c]["normal"].number, corner.normalIndex);
        EXPECT_EQ(static_cast<float>(poly["corners"][c]["uv"][0].number), corner.u);
        EXPECT_EQ(static_cast<float>(poly["corners"][c]["uv"][1].number), corner.v);
      }
      corners += mesh.polygons[p].corners.size();
      EXPECT_EQ(poly["faceNormal"][0].number, mesh.polygons[p].faceNormal.x);
      EXPECT_EQ(poly["faceNormal"][1].number, mesh.polygons[p].faceNormal.y);
      EXPECT_EQ(poly["faceNormal"][2].number, mesh.polygons[p].faceNormal.z);
    }
    EXPECT_EQ(j["cornerCount"].number, corners);
  }
  EXPECT_EQ(doc["records"][0]["boundingBox"]["min"][0].number, -7.25);
  EXPECT_EQ(doc["records"][0]["boundingBox"]["max"][2].number, 100);
}

TEST(VxrinfoJson, DamagedAndUnknownFilesStillGiveDocumentsThatParse) {
  TempFolder folder;
  MeshRecord bad = sampleSolid("s");
  bad.points[0].x = std::numeric_limits<float>::quiet_NaN();
  const std::string bytes = meshFileBytes({sampleQuad("q"), bad});
  writeBytes(folder.path("cut"), bytes.substr(0, bytes.size() - 30));
  writeBytes(folder.path("nan"), bytes);
  writeBytes(folder.path("text"), "hello, world");
  for (const char* name : {"cut", "nan", "text"}) {
    SCOPED_TRACE(name);
    ToolRun run = runTool({"--json", folder.path(name)});
    EXPECT_EQ(run.status, 1);
    const JsonValue doc = parseOneLine(run.out);
    EXPECT_FALSE(doc["valid"].boolean);
    EXPECT_GE(doc["errorCount"].number, 1);
    ASSERT_GE(doc["faults"].size(), 1u);
    EXPECT_FALSE(doc["faults"][0]["message"].text.empty());
  }
  const JsonValue cut = parseOneLine(runTool({"--json", folder.path("cut")}).out);
  EXPECT_EQ(cut["recordCount"].number, 1);
  EXPECT_FALSE(cut["records"][1]["complete"].boolean);
  const JsonValue nan = parseOneLine(runTool({"--json", folder.path("nan")}).out);
  EXPECT_TRUE(nan["records"][1]["points"][0][0].isNull());
  EXPECT_EQ(nan["faults"][0]["field"].text, "points[0].x");
  EXPECT_EQ(nan["faults"][0]["record"].number, 1);
  EXPECT_EQ(parseOneLine(runTool({"--json", folder.path("text")}).out)["kind"].text, "unknown");
}

TEST(VxrinfoJson, SeveralFilesGiveOneDocumentPerLine) {
  TempFolder folder;
  writeBytes(folder.path("a"), sampleAnimationBytes(true));
  writeBytes(folder.path("m"), meshFileBytes({sampleQuad()}));
  ToolRun run = runTool({"--json", folder.path("a"), folder.path("m")});
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> docs = lines(run.out);
  ASSERT_EQ(docs.size(), 2u);
  EXPECT_EQ(parseOneLine(docs[0] + "\n")["kind"].text, "animation");
  EXPECT_EQ(parseOneLine(docs[1] + "\n")["kind"].text, "mesh");
}
