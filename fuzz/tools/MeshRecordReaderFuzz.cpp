// Feeds arbitrary bytes to the mesh record reader, gathering whole records as the tools do.
// Whatever the bytes, reading must end (cleanly or with a fault) without reading past the input,
// and storage must never grow beyond what the input itself holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "boundary/base/impstream.h"
#include "mesh_model/MeshRecord.h"
#include "mesh_model/MeshRecordReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  impstream in(data, static_cast<long>(size));
  FaultList faults;
  MeshRecordCollector collected;
  MeshRecordReader reader(in, faults);
  MeshRecordReader::Result result;
  while ((result = reader.readNext(collected)) == MeshRecordReader::Result::record) {
  }
  std::size_t values = 0;
  for (const MeshRecord& record : collected.records) {
    values += record.points.size() + record.normals.size() + record.polygons.size();
    for (const MeshPolygon& polygon : record.polygons)
      values += polygon.corners.size();
  }
  // Every stored value took at least 12 bytes of input (a point, a normal, a polygon's face
  // normal or a corner).
  if (values * 12 > size)
    std::abort();
  if (result == MeshRecordReader::Result::fault && !faults.hasErrors())
    std::abort();
  for (const FileFault& fault : faults.kept()) {
    if (fault.offset > size)
      std::abort();
  }
  if (reader.offset() > size)
    std::abort();
  return 0;
}
