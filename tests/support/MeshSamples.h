#pragma once
// Sample mesh records and the bytes of mesh files holding them, for the tests of the mesh
// format's reader and of the tools that read mesh files.

#include <string>
#include <vector>

#include "mesh_model/MeshRecord.h"

// A mesh record as tests describe it (MeshRecord without the reader's bookkeeping).
MeshRecord makeMesh(const std::string& name, std::vector<MeshFloat3> points,
                    std::vector<MeshFloat3> normals, std::vector<MeshPolygon> polygons);
// A unit quad (4 points, 1 normal, 1 polygon) and a tetrahedron-like triangle fan
// (4 points, 4 normals, a triangle and a quad), both with distinct UVs.
MeshRecord sampleQuad(const std::string& name = "quad");
MeshRecord sampleSolid(const std::string& name = "solid");

// The bytes of a mesh file holding these records, written as the plug-in's writer lays them out.
std::string meshFileBytes(const std::vector<MeshRecord>& records);
