#pragma once

#include <memory>
#include <string>

#include "AnimationReadBack.h"
#include "anim_model/AnimationDocument.h"
#include "tests/support/PluginFixture.h"

// The plug-in fixture with the animation export's own steps: exports through the "file" command
// and the render globals that set the exported range.
class ExportTest : public PluginTest {
 protected:
  struct ExportRun {
    bool succeeded = false;
    std::string output;  // what the export wrote to standard output
  };
  // Exports the whole scene (or the selection) through the "file" command.
  static ExportRun exportTo(const std::string& path, bool selectedOnly = false);
  // Exports to a file in the temporary folder and reads it back; fails the test when the export
  // or the reading fails.
  std::unique_ptr<AnimationDocument> exportAndRead(bool selectedOnly = false);

  // Render globals set for an animated export of frames start..end by step.
  static void setRenderRange(double start, double end, double step);
};
