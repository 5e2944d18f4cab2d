// Track names as hostile data, for what the translator's own test does not reach: lights of every
// type, names holding a NUL byte, bytes that are no text, words that look like command flags or
// name patterns, and a light named after an existing camera. The file goes through the import
// script twice: handed over by the translator, and with the script's entry procedure called
// directly on a document opened with "-open". Nothing is run, default cameras are untouched and
// every node made has a valid name.

#include <cctype>
#include <string>
#include <vector>

#include "anim_model/AnimationFileHeader.h"
#include "anim_model/CameraKey.h"
#include "anim_model/LightKey.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "anim_model/VXRAnimation_CameraList.h"
#include "anim_model/VXRAnimation_Light.h"
#include "anim_model/VXRAnimation_LightList.h"
#include "boundary/base/ompstream.h"
#include "tests/support/FileText.h"
#include "tests/support/PluginFixture.h"

namespace {

const char* const kPwned[] = {"pwnA", "pwnB", "pwnC", "pwnD", "pwnE", "pwnF", "pwnG", "pwnH"};

const std::string kCameraNames[] = {
    std::string("|c1\0\";polyCube -name pwnA;\"|s", 30),
    "-children",
    "-parent -fullPath",
    "*Shape",
    "|persp*|*",
    "|\xff\xfe\x80|\xc3(",
    "|c2\r\npolyCube -name pwnB\r\n|s",
};

struct LightName {
  std::string name;
  std::uint8_t type;
};

const LightName kLightNames[] = {
    {"|l1\";polyCube -name pwnC;\"|s", LightKey::kDirectional},
    {"|l2`polyCube -name pwnD`|s", LightKey::kSpot},
    {std::string("|l3\0`polyCube -name pwnE`|s", 27), LightKey::kPoint},
    {"|l4;polyCube -name pwnF;|s;|", LightKey::kDirectional},
    {"|l5\n$x = `polyCube -name pwnG`;\n|s", LightKey::kSpot},
    {"|persp|perspShape", LightKey::kPoint},
    {"-parent", LightKey::kSpot},
    {"*", LightKey::kDirectional},
    {"|" + std::string(300, 'L') + "|" + std::string(300, 'S'), LightKey::kPoint},
    {"|||", LightKey::kSpot},
    {"|l6 eval(\"polyCube -name pwnH\")|s", LightKey::kPoint},
};

std::string hostileFile() {
  VXRAnimation_CameraList cameras;
  VXRAnimation_LightList lights;
  for (const std::string& name : kCameraNames) {
    auto* track = new VXRAnimation_Camera();
    track->setName(GString(name.data(), name.size()));
    for (int k = 0; k < 2; ++k) {
      auto* key = new CameraKey();
      key->frame = 1 + 5 * k;
      key->projector.plane.setPlaneParameters(Vector3D(0, 0, -1), Vector3D(0, 0, -1),
                                              Vector3D(0, 1, 0));
      key->projector.window.origin = Vector2D(-0.4, -0.3);
      key->projector.window.size = Vector2D(0.8, 0.6);
      key->projector.eyeOffset = Vector3D(0, 0, 1.0);
      key->projector.perspective = 1;
      track->v_insert(key);
    }
    cameras.v_insert(track);
  }
  for (const LightName& light : kLightNames) {
    auto* track = new VXRAnimation_Light();
    track->setName(GString(light.name.data(), light.name.size()));
    auto* key = new LightKey();
    key->frame = 1;
    key->type = light.type;
    key->position = Vector3D(1, 2, 3);
    key->target = Vector3D(0, 0, 0);
    track->v_insert(key);
    lights.v_insert(track);
  }
  ompstream out;
  AnimationFileHeader header;
  header.upAxisIsZ = false;
  header.write(out, cameras);
  header.writeLights(out, lights);
  EXPECT_FALSE(out.fail());
  return std::string(out.data(), out.size());
}

class HostileNameImportTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    file_ = path("hostile.vxranim");
    writeBytes(file_, hostileFile());
    ASSERT_TRUE(mel("getAttr persp.translate", &perspBefore_));
  }

  std::string count(const std::string& type) {
    std::string n;
    EXPECT_TRUE(mel("size(`ls -type " + type + "`)", &n));
    return n;
  }

  void expectNothingRunAndValidNames() {
    for (const char* pwned : kPwned) {
      std::string exists;
      EXPECT_TRUE(mel(std::string("objExists ") + pwned, &exists));
      EXPECT_EQ(exists, "0") << pwned;
    }
    EXPECT_EQ(count("mesh"), "0");
    // Four default cameras and one per camera track; one light per light track but the one
    // named after the existing camera "|persp|perspShape", which is skipped.
    EXPECT_EQ(count("camera"), std::to_string(4 + std::size(kCameraNames)));
    const std::size_t lights = std::size(kLightNames) - 1;
    EXPECT_EQ(std::stoul(count("directionalLight")) + std::stoul(count("pointLight")) +
                  std::stoul(count("spotLight")),
              lights);
    std::string perspAfter;
    EXPECT_TRUE(mel("getAttr persp.translate", &perspAfter));
    EXPECT_EQ(perspAfter, perspBefore_) << "a pattern or a light's name moved a default camera";
    std::string names;
    ASSERT_TRUE(mel("string $n[] = `ls -type transform`; stringArrayToString($n, \" \")", &names));
    // `ls` prints a path ("|a|_") where several nodes share a name; every name in it is valid.
    for (char c : names)
      EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ' ' || c == '|')
          << names;
    EXPECT_EQ(names.find("||"), std::string::npos) << names;
  }

  std::string file_;
  std::string perspBefore_;
};

TEST_F(HostileNameImportTest, ThroughTheTranslator) {
  std::string errors;
  ASSERT_TRUE(mel("file -import \"" + file_ + "\";", nullptr, &errors)) << errors;
  EXPECT_EQ(errors.find("stopped early"), std::string::npos) << errors;
  EXPECT_NE(errors.find("Skipped the light track \"|persp|perspShape\": it names an existing "
                        "node that is not a pointLight"),
            std::string::npos)
      << errors;
  expectNothingRunAndValidNames();
}

TEST_F(HostileNameImportTest, ThroughTheScriptsEntryProcedure) {
  std::string handle, errors;
  ASSERT_TRUE(mel("VXR_AnimationImportCmd -open \"" + file_ + "\";", &handle));
  ASSERT_NE(handle, "0");
  ASSERT_TRUE(
      mel("source \"VXRAnimImport.mel\"; VXRAnimImportById(" + handle + ");", nullptr, &errors))
      << errors;
  EXPECT_EQ(errors.find("stopped early"), std::string::npos) << errors;
  // The procedure closes the document when it is done.
  EXPECT_FALSE(mel("VXR_AnimationImportCmd -id " + handle + " -cameras;"));
  expectNothingRunAndValidNames();
}

}  // namespace
