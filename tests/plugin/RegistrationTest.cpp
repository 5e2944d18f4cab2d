// The "VXR Animation" translator as the host registers and creates it.

#include <gtest/gtest.h>

#include <maya/MPxFileTranslator.h>
#include <maya/MString.h>

#include <memory>

#include "engine/PluginRegistry.h"
#include "tests/support/FileText.h"
#include "tests/support/MelQuote.h"
#include "tests/support/OutputCapture.h"
#include "tests/support/PluginFixture.h"

namespace {

using RegistrationTest = PluginTest;

const char kTranslator[] = "VXR Animation";

TEST_F(RegistrationTest, TheTranslatorIsRegisteredWithAnEmptyPixmapAndNoOptions) {
  const minihost::TranslatorEntry* entry =
      minihost::PluginRegistry::get().findTranslator(kTranslator);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->pixmap, "");
  EXPECT_EQ(entry->optionsScript, "");
  EXPECT_EQ(entry->defaultOptions, "");
  EXPECT_FALSE(entry->requiresFullMel);
}

TEST_F(RegistrationTest, TheTranslatorReadsAndWritesVxranimFilesButNeverOpensAScene) {
  std::unique_ptr<MPxFileTranslator> translator =
      minihost::PluginRegistry::get().createTranslator(kTranslator);
  ASSERT_NE(translator, nullptr);
  EXPECT_TRUE(translator->haveReadMethod());
  EXPECT_TRUE(translator->haveWriteMethod());
  EXPECT_FALSE(translator->canBeOpened());
  EXPECT_EQ(translator->defaultExtension(), MString("vxranim"));
}

TEST_F(RegistrationTest, UnloadingDeregistersEverythingAndReloadingRegistersAgain) {
  minihost::PluginRegistry& registry = minihost::PluginRegistry::get();
  ASSERT_TRUE(registry.isLoaded(pluginPath()));
  ASSERT_FALSE(registry.translatorNames().empty());

  // The host withdraws, with a warning, whatever a plug-in leaves registered: no warning means
  // the module deregistered every item itself.
  OutputCapture errors(2);
  const bool unloaded = melScript("unloadPlugin vxrImpEx40;");
  const std::string warnings = errors.finish();
  ASSERT_TRUE(unloaded);
  EXPECT_EQ(warnings.find("left commands or translators registered"), std::string::npos)
      << warnings;
  EXPECT_FALSE(registry.isLoaded(pluginPath()));
  EXPECT_TRUE(registry.translatorNames().empty());
  EXPECT_TRUE(registry.commandNames().empty());
  EXPECT_EQ(registry.findTranslator(kTranslator), nullptr);
  EXPECT_FALSE(
      melScript("file -exportAll -type \"VXR Animation\" \"" + path("gone.vxranim") + "\";"));
  EXPECT_TRUE(folderEntries().empty());

  ASSERT_TRUE(melScript(std::string("loadPlugin \"") + pluginPath() + "\";"));
  EXPECT_NE(registry.findTranslator(kTranslator), nullptr);
  EXPECT_TRUE(
      melScript("file -exportAll -type \"VXR Animation\" " + quoted(path("back.vxranim")) + ";"));
  EXPECT_TRUE(fileExists(path("back.vxranim")));
}

}  // namespace
