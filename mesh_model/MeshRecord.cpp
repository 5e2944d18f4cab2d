#include "mesh_model/MeshRecord.h"

void MeshRecordCollector::beginRecord(std::uint32_t /*recordIndex*/, std::uint64_t /*offset*/,
                                      const GString& name) {
  records.emplace_back();
  records.back().name.assign(name.data(), name.length());
}

void MeshRecordCollector::beginPolygon(std::uint32_t /*cornerCount*/) {
  records.back().polygons.emplace_back();
}
