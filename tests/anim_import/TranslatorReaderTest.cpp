// The "VXR Animation" translator's reader and identify test.

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>

#include <cstdio>
#include <memory>
#include <string>

#include "ImportFixture.h"
#include "engine/PluginRegistry.h"

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

TEST_F(TranslatorReaderTest, ImportHandsTheDocumentToTheScriptWhichClosesIt) {
  AnimationDocument document;
  addCameraTrack(document, "|shot|shotShape", 2);
  const std::string file = writeDocument(document, "shot.vxranim");
  std::string result, errors;
  ASSERT_TRUE(mel("file -import \"" + file + "\"", &result, &errors)) << errors;
  const std::string prefix =
      "scriptJob -runOnce true -conditionFalse \"busy\" \"VXRAnimImportById(";
  const auto at = errors.find(prefix);
  ASSERT_NE(at, std::string::npos) << errors;
  const auto close = errors.find(")\";", at);
  ASSERT_NE(close, std::string::npos) << errors;
  const std::string handle = errors.substr(at + prefix.size(), close - at - prefix.size());
  EXPECT_EQ(handle, std::to_string(std::atoi(handle.c_str())));
  EXPECT_NE(std::atoi(handle.c_str()), 0);

  // The script ran once the import had returned: it made the camera, keyed it and closed
  // the document.
  EXPECT_EQ(melResult("objExists shot"), "1");
  EXPECT_EQ(melResult("keyframe -q -keyframeCount shot.translateX"), "2");
  EXPECT_FALSE(mel("VXR_AnimationImportCmd -id " + handle + " -cameras"));
}

}  // namespace
