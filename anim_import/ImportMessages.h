#pragma once

// The animation import's message texts, in one place: the translator's reader and the query
// command. kCantOpenInputFile is made into one of the module's static message objects at load
// (plugin/ModuleStatics.cpp, declared in shell/MessageTexts.h).
namespace importMessages {
constexpr char kCantOpenInputFile[] = "VXR animation. Can't open input file. ";
// Put before each reason the reader reports.
constexpr char kPrefix[] = "VXR animation. ";
constexpr char kCantFindScript[] =
    "Can't find the import script VXRAnimImport.mel beside the plug-in (<module>/scripts) or on "
    "the script path.";
constexpr char kCantScheduleScript[] = "Can't schedule the import script.";
constexpr char kScriptStoppedEarly[] =
    "The import script stopped before the whole file was applied.";

// The query command's, through MStatus::perror.
constexpr char kUnrecognizedOption[] = "Unrecognized option ";
constexpr char kInvalidCameraId[] = "Invalid cameraid = %i";
constexpr char kInvalidLightId[] = "Invalid lightid = %i";
constexpr char kInvalidKeyframeId[] = "Invalid keyframeid = %i";
constexpr char kInvalidCameraData[] = "Invalid camera data at keyframeid = %i";
constexpr char kInvalidLightData[] = "Invalid light data at keyframeid = %i";
}  // namespace importMessages
