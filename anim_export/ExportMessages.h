#pragma once

// The animation export's message texts, in one place. Two of them are made into the module's
// static message objects at load (plugin/ModuleStatics.cpp, declared in shell/MessageTexts.h);
// the others are used as they stand. Texts ending in a blank are followed by a name or a path.
namespace exportMessages {
constexpr char kCantGetRenderGlobals[] = "VXR animation. Can't get Render Globals.\n";
constexpr char kEnableAnimation[] = "VXR animation. Please enable animation in Render Globals.\n";
constexpr char kCantOpenOutputFile[] = "VXR animation. Can't open output file: ";
constexpr char kCantWriteOutputFile[] = "VXR animation. Can't write output file: ";
constexpr char kCantExportCamera[] = "VXR animation. Can't export camera ";
constexpr char kCantExportLight[] = "VXR animation. Can't export light ";
// Formatted with the frame number.
constexpr char kAtFrame[] = " at frame %d";
constexpr char kOutOfMemoryCapturing[] = "VXR animation. Out of memory while capturing ";
constexpr char kInterruptedAtFrame[] = "VXR animation. Export interrupted at frame %d";
constexpr char kNothingWrittenTo[] = ". Nothing was written to ";
constexpr char kOutOfMemoryPreparing[] =
    "VXR animation. Out of memory while preparing the export.\n";
}  // namespace exportMessages
