#include "ExportHarness.h"

#include <sstream>

#include "tests/support/MelQuote.h"
#include "tests/support/OutputCapture.h"

ExportTest::ExportRun ExportTest::exportTo(const std::string& target, bool selectedOnly) {
  ExportRun run;
  OutputCapture capture;
  run.succeeded =
      melScript(std::string("file ") + (selectedOnly ? "-exportSelected" : "-exportAll") +
                " -type \"VXR Animation\" " + quoted(target) + ";");
  run.output = capture.finish();
  return run;
}

std::unique_ptr<AnimationDocument> ExportTest::exportAndRead(bool selectedOnly) {
  const std::string target = path("scene.vxranim");
  const ExportRun run = exportTo(target, selectedOnly);
  EXPECT_TRUE(run.succeeded) << run.output;
  std::unique_ptr<AnimationDocument> document = readDocument(target);
  EXPECT_NE(document, nullptr) << "the exported file does not read back";
  return document;
}

void ExportTest::setRenderRange(double start, double end, double step) {
  std::ostringstream text;
  text.precision(17);
  text << "setAttr defaultRenderGlobals.animation 1;"
       << "setAttr defaultRenderGlobals.animationRange 0;"
       << "setAttr defaultRenderGlobals.startFrame " << start << ";"
       << "setAttr defaultRenderGlobals.endFrame " << end << ";"
       << "setAttr defaultRenderGlobals.byFrameStep " << step << ";";
  ASSERT_TRUE(melScript(text.str())) << text.str();
}
