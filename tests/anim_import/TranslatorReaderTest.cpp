// The "VXR Animation" translator's reader and identify test.

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>

#include <cstdio>
#include <memory>
#include <string>

#include "ImportFixture.h"
#include "engine/PluginRegistry.h"
#include "mel/host/MelHost.h"

namespace {

class TranslatorReaderTest : public ImportTest {
 protected:
  std::unique_ptr<MPxFileTranslator> translator() {
    return minihost::PluginRegistry::get().createTranslator("VXR Animation");
  }
};

TEST_F(TranslatorReaderTest, IdentifiesByMagicAndVersionOnly) {
  auto t = translator();
  ASSERT_TRUE(t);
  const MFileObject file;
  const char v0[] = {'V', 'X', 'a', 'n', 0};
  const char v1[] = {'V', 'X', 'a', 'n', 1};
  const char v2[] = {'V', 'X', 'a', 'n', 2};
  const char mesh[] = {'V', 'X', 'p', 'm', 0};
  EXPECT_EQ(t->identifyFile(file, v0, 5), MPxFileTranslator::kIsMyFileType);
  EXPECT_EQ(t->identifyFile(file, v1, 5), MPxFileTranslator::kIsMyFileType);
  EXPECT_EQ(t->identifyFile(file, v2, 5), MPxFileTranslator::kNotMyFileType);
  EXPECT_EQ(t->identifyFile(file, mesh, 5), MPxFileTranslator::kNotMyFileType);
  // Buffers too short to hold magic and version, and a negative length, are not the type;
  // the copies on the heap let the sanitizer catch a read past their end.
  for (short size = 0; size < 5; ++size) {
    std::unique_ptr<char[]> prefix(new char[size > 0 ? size : 1]);
    std::copy(v1, v1 + size, prefix.get());
    EXPECT_EQ(t->identifyFile(file, prefix.get(), size), MPxFileTranslator::kNotMyFileType) << size;
  }
  EXPECT_EQ(t->identifyFile(file, v1, -1), MPxFileTranslator::kNotMyFileType);
}

TEST_F(TranslatorReaderTest, MissingFileFailsSilentlyAndAWrongFileIsReported) {
  auto t = translator();
  ASSERT_TRUE(t);
  MFileObject missing;
  missing.setRawFullName(MString(path("missing.vxranim").c_str()));
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(t->reader(missing, MString(), MPxFileTranslator::kImportAccessMode));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");

  const std::string other = path("other.vxranim");
  FILE* f = std::fopen(other.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("VXpm not an animation", f);
  std::fclose(f);
  MFileObject wrong;
  wrong.setRawFullName(MString(other.c_str()));
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(t->reader(wrong, MString(), MPxFileTranslator::kImportAccessMode));
  const std::string out = ::testing::internal::GetCapturedStdout();
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(out, "VXR animation. Can't open input file. ");
  EXPECT_NE(err.find("vxr error - see output window for details."), std::string::npos) << err;
}

// The handle in "<prefix><handle><end>" on the host's standard error.
std::string echoedHandle(const std::string& errors, const std::string& prefix,
                         const std::string& end) {
  const auto at = errors.find(prefix);
  if (at == std::string::npos)
    return std::string();
  const auto close = errors.find(end, at);
  if (close == std::string::npos)
    return std::string();
  return errors.substr(at + prefix.size(), close - at - prefix.size());
}

// A batch session has no script jobs: the reader runs the script itself, so the import is
// complete when the statement returns, also inside a script that goes on using it.
TEST_F(TranslatorReaderTest, ABatchImportIsCompleteWhenTheStatementReturns) {
  AnimationDocument document;
  addCameraTrack(document, "|shot|shotShape", 2);
  const std::string file = writeDocument(document, "shot.vxranim");
  std::string result, errors;
  ASSERT_TRUE(mel("file -import \"" + file +
                      "\"; global int $gKeysRightAfter;"
                      "$gKeysRightAfter = `keyframe -q -keyframeCount shot.translateX`;",
                  &result, &errors))
      << errors;
  EXPECT_EQ(melResult("global int $gKeysRightAfter; $gKeysRightAfter"), "2");
  const std::string handle = echoedHandle(errors, "VXRAnimImportById(", ");");
  ASSERT_FALSE(handle.empty()) << errors;
  EXPECT_EQ(handle, std::to_string(std::atoi(handle.c_str())));
  EXPECT_NE(std::atoi(handle.c_str()), 0);
  EXPECT_EQ(errors.find("scriptJob"), std::string::npos) << errors;
  // The script closed the document.
  EXPECT_FALSE(mel("VXR_AnimationImportCmd -id " + handle + " -cameras"));
}

// An interactive session hands the document to a one-shot idle job: the import happens after
// the script that asked for it, once.
TEST_F(TranslatorReaderTest, AnInteractiveImportHappensOnceTheScriptIsOver) {
  mel::melHost()->setInteractive(true);
  AnimationDocument document;
  addCameraTrack(document, "|shot|shotShape", 2);
  const std::string file = writeDocument(document, "shot.vxranim");
  ::testing::internal::CaptureStderr();
  const bool ok = melScript("file -import \"" + file +
                            "\"; global int $gThereDuring;"
                            "$gThereDuring = `objExists shot`;");
  const std::string errors = ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(ok) << errors;
  const std::string handle = echoedHandle(
      errors, "scriptJob -runOnce true -conditionFalse \"busy\" \"VXRAnimImportById(", ")\";");
  ASSERT_FALSE(handle.empty()) << errors;
  EXPECT_NE(std::atoi(handle.c_str()), 0);
  EXPECT_EQ(melResult("global int $gThereDuring; $gThereDuring"), "0");
  EXPECT_EQ(melResult("keyframe -q -keyframeCount shot.translateX"), "2");
  EXPECT_EQ(melResult("ls -type camera \"shotShape*\""), "shotShape");
  EXPECT_TRUE(mel::melHost()->jobs().empty());
  EXPECT_FALSE(mel("VXR_AnimationImportCmd -id " + handle + " -cameras"));
}

}  // namespace
