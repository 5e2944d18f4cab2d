#pragma once

class AnimationDocument;
class TextSink;

// Draws an animation document as an SVG picture seen from above its up axis (the document's
// keys must be in its own axes): x to the right and, for a z-up file, y up the picture; for a
// y-up file, z down the picture, as a top view shows them.
//
// Each camera with keys gets exactly one <path> (class "camera-path") through its eye points,
// a dot where it starts, and view-direction arrows every few keys. Point and spot lights show
// where they are (a spot light also a line toward its target); a directional light shows as an
// arrow from the middle of the scene toward the light. Every track is labelled with its name,
// and a legend lists them all with the axes' names. Nothing but camera paths uses <path>.
void writeAnimationPlot(const AnimationDocument& document, TextSink& out);
