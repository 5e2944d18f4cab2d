// The "VXR PolyMesh" translator as the host sees it.

#include <gtest/gtest.h>

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MString.h>

#include <signal.h>
#include <sys/resource.h>

#include <cstring>
#include <fstream>
#include <memory>

#include "MeshFileReadBack.h"
#include "MeshScene.h"
#include "engine/PluginRegistry.h"
#include "engine/Scene.h"
#include "tests/support/FileText.h"

namespace {

class MeshTranslatorTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    translator = minihost::PluginRegistry::get().createTranslator("VXR PolyMesh");
    ASSERT_NE(translator, nullptr);
  }

  static MFileObject fileAt(const std::string& path) {
    MFileObject file;
    file.setRawFullName(MString(path.c_str()));
    return file;
  }

  std::unique_ptr<MPxFileTranslator> translator;
};

std::vector<std::string> sceneNodeNames() {
  std::vector<std::string> names;
  minihost::Scene& scene = minihost::Scene::get();
  for (minihost::NodeRef ref : scene.nodes())
    names.push_back(scene.fullPathName(ref));
  return names;
}

TEST_F(MeshTranslatorTest, DescribesItself) {
  EXPECT_TRUE(translator->haveReadMethod());
  EXPECT_TRUE(translator->haveWriteMethod());
  EXPECT_FALSE(translator->canBeOpened());
  EXPECT_EQ(translator->defaultExtension(), MString("vxrmesh"));
}

TEST_F(MeshTranslatorTest, ExportWritesTheSelectedMeshesAtThePathAsGiven) {
  makeBox("box", 1, 1, 1);
  makeTriangleAndQuad("tq");
  select({"box", "tq"});
  const std::string target = path("scene.out");
  for (auto mode :
       {MPxFileTranslator::kExportAccessMode, MPxFileTranslator::kExportActiveAccessMode}) {
    EXPECT_TRUE(translator->writer(fileAt(target), MString(""), mode));
    const ReadMeshFile file = readMeshFile(target);
    EXPECT_TRUE(file.complete);
    ASSERT_EQ(file.meshes.size(), 2u);
    EXPECT_EQ(file.meshes[0].name, "box");
    EXPECT_EQ(file.meshes[1].name, "tq");
  }
}

TEST_F(MeshTranslatorTest, ExportIntoAMissingFolderFails) {
  select({});
  EXPECT_FALSE(translator->writer(fileAt(path("missing/scene.vxrmesh")), MString(""),
                                  MPxFileTranslator::kExportAccessMode));
  EXPECT_TRUE(folderEntries().empty());
}

TEST_F(MeshTranslatorTest, AFailedWriteFailsAndKeepsThePreviousFile) {
  const std::string target = path("scene.vxrmesh");
  {
    std::ofstream previous(target, std::ios::binary);
    previous << "previous contents";
  }
  makeBox("box", 1, 1, 1);
  select({"box"});
  rlimit saved;
  ::getrlimit(RLIMIT_FSIZE, &saved);
  sighandler_t handler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const MStatus status =
      translator->writer(fileAt(target), MString(""), MPxFileTranslator::kExportAccessMode);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, handler);
  EXPECT_FALSE(status);
  EXPECT_EQ(readBytes(target), "previous contents");
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"scene.vxrmesh"}));
}

TEST_F(MeshTranslatorTest, ImportSucceedsAndLeavesTheSceneAlone) {
  makeBox("box", 1, 1, 1);
  select({"box"});
  const std::string target = path("scene.vxrmesh");
  ASSERT_TRUE(
      translator->writer(fileAt(target), MString(""), MPxFileTranslator::kExportAccessMode));
  const std::vector<std::string> before = sceneNodeNames();
  EXPECT_TRUE(
      translator->reader(fileAt(target), MString(""), MPxFileTranslator::kImportAccessMode));
  EXPECT_EQ(sceneNodeNames(), before);
}

TEST_F(MeshTranslatorTest, ImportOfAMissingFileFails) {
  EXPECT_FALSE(translator->reader(fileAt(path("none.vxrmesh")), MString(""),
                                  MPxFileTranslator::kImportAccessMode));
}

// Each buffer is allocated with exactly its length, so a read past it is caught by the address
// sanitizer.
MPxFileTranslator::MFileKind identify(const MPxFileTranslator& translator,
                                      const unsigned char* bytes, short size) {
  std::unique_ptr<char[]> exact(new char[size > 0 ? size : 1]);
  if (size > 0)
    std::memcpy(exact.get(), bytes, static_cast<std::size_t>(size));
  return translator.identifyFile(MFileObject(), exact.get(), size);
}

TEST_F(MeshTranslatorTest, IdentifiesMagicAndVersionZeroOnly) {
  const unsigned char header[] = {0x56, 0x58, 0x70, 0x6D, 0x00, 0x03};
  EXPECT_EQ(identify(*translator, header, 5), MPxFileTranslator::kIsMyFileType);
  EXPECT_EQ(identify(*translator, header, 6), MPxFileTranslator::kIsMyFileType);
  for (short size = 0; size < 5; ++size)
    EXPECT_EQ(identify(*translator, header, size), MPxFileTranslator::kNotMyFileType) << size;
  EXPECT_EQ(identify(*translator, header, -1), MPxFileTranslator::kNotMyFileType);
  const unsigned char versionOne[] = {0x56, 0x58, 0x70, 0x6D, 0x01};
  EXPECT_EQ(identify(*translator, versionOne, 5), MPxFileTranslator::kNotMyFileType);
}

TEST_F(MeshTranslatorTest, IdentifiesWhatItExported) {
  makeBox("box", 1, 1, 1);
  select({"box"});
  const std::string target = path("scene.vxrmesh");
  ASSERT_TRUE(
      translator->writer(fileAt(target), MString(""), MPxFileTranslator::kExportAccessMode));
  const std::string bytes = readBytes(target);
  ASSERT_GE(bytes.size(), 5u);
  EXPECT_EQ(identify(*translator, reinterpret_cast<const unsigned char*>(bytes.data()), 5),
            MPxFileTranslator::kIsMyFileType);
}

}  // namespace
