#pragma once
// An exported animation file read back with the document model, and its tracks looked up.

#include <memory>
#include <string>
#include <vector>

#include "anim_model/AnimationDocument.h"

// The document in the file at `path`, or null when it cannot be opened or read.
std::unique_ptr<AnimationDocument> readDocument(const std::string& path);

std::vector<std::string> cameraNames(const AnimationDocument& document);
std::vector<std::string> lightNames(const AnimationDocument& document);
// The track of that name, or null.
const VXRAnimation_Camera* cameraTrack(const AnimationDocument& document, const std::string& name);
const VXRAnimation_Light* lightTrack(const AnimationDocument& document, const std::string& name);
std::vector<int> keyFrames(const VXRAnimation_Camera& track);
std::vector<int> keyFrames(const VXRAnimation_Light& track);
