#pragma once
// Meshes built with the host API for the mesh export tests, and the export command run as a
// script passes it. The plug-in and a scene per test come from PluginTest.

#include <maya/MObject.h>
#include <maya/MStatus.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/PluginFixture.h"

// Runs VXR_MeshExportCmd with these arguments, as a script passes them.
MStatus exportCommand(std::initializer_list<std::string> args);
// Selects the named items (nodes or components such as "box.f[2]"), replacing the selection.
void select(std::initializer_list<std::string> names);

// A box of the given size centred on the origin, six quads with texture coordinates, under a
// transform called `name` with a shape called `name` + "Shape". Returns the transform.
MObject makeBox(const std::string& name, double width, double height, double depth);
// A triangle followed by a quad, without texture coordinates.
MObject makeTriangleAndQuad(const std::string& name);
// One triangle with the given texture coordinates.
MObject makeTriangle(const std::string& name, const float uv[6]);
// Regular polygons in the ground plane, one per entry of `cornerCounts`, side by side, each
// with its own points and a texture coordinate per corner (u = corner / 1024, v = polygon / 1024).
MObject makePolygons(const std::string& name, const std::vector<int>& cornerCounts);
// Moves, rotates (degrees, xyz order) and scales a transform.
void placeTransform(const MObject& transform, const double translate[3],
                    const double rotateDegrees[3], const double scale[3]);
