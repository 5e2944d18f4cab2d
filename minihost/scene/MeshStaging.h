#pragma once
// A mesh's inline geometry as a scene file sets it: points (".vt"), tweaks (".pt"), edges
// (".ed"), edge-based faces with UVs (".fc", polyFaces), per-corner normals (".n") and UV sets
// (".uvst[i].uvsn", ".uvst[i].uvsp"), gathered until the file is read and then built.

#include <string>
#include <vector>

#include "engine/MeshData.h"
#include "scene/AttributePath.h"
#include "scene/SceneDescription.h"

namespace minihost::scenefile {

class MeshStaging {
 public:
  // Takes one setAttr of the mesh (its big arrays are moved out of `value`); false when the
  // value does not fit (the reason in `problem`).
  bool take(const std::vector<PathSegment>& path, AttrSetting& value, std::string& problem);
  bool hasGeometry() const { return !points_.empty() || !faces_.empty(); }
  // Builds the mesh; false with a reason when the stored data do not describe one. Notes
  // about what was left out (holes) go to `notes`.
  bool build(MeshData& mesh, std::string& problem, std::vector<std::string>& notes);

 private:
  struct UVSetData {
    std::string name;
    std::vector<double> uv;  // u v pairs
  };
  std::vector<double> points_;
  std::vector<double> tweaks_;
  std::vector<int> edges_;  // three per edge: from, to, smooth
  std::vector<int> faces_;  // polyFaces records
  std::vector<double> normals_;
  std::vector<UVSetData> uvSets_;
  std::string currentUVSet_;
};

}  // namespace minihost::scenefile
