#pragma once

#include "tools/vxrinfo/plot/PlotScene.h"

class AnimationDocument;
class TextSink;

// Draws an animation document (its keys in its own axes) as one self-contained SVG picture:
// two views side by side at the same scale, from above the up axis and from the side, with a
// scale bar in scene units and a legend.
//
// The views are framed on what moves (see PlotScene); still tracks inside the view are drawn
// small, those outside it as a mark at the edge pointing toward them. Each moving camera gets
// one <path class="camera-path"> per view through its eye points, a dot where it starts,
// arrowheads along its direction of travel, frame numbers at even frame intervals and its view
// pyramid at the first and last key (and at a few keys between on long paths). Point and spot
// lights show where they are and where they go, a spot light also its beam; a directional light
// is an arrow from the middle of the view toward the light. Labels are placed where they cover
// neither each other nor the drawing: a track whose name finds no room is labelled with its
// legend key, or by the legend alone. Nothing but camera paths uses <path>.
void writeAnimationPlot(const AnimationDocument& document, const AnimationPlotOptions& options,
                        TextSink& out);
