#pragma once

#include <cstdint>
#include <string>

#include "boundary/base/FieldReader.h"
#include "boundary/base/FileFault.h"
#include "mesh_model/MeshRecordVisitor.h"

class ipstream;

// Reads a mesh file one record at a time and hands each record's pieces to a visitor as they
// are read; nothing of a record is kept here. While reading it checks everything a consumer
// relies on and adds a fault, with byte offset, record index and field, for each thing wrong:
//
// - fatal (reading stops): a record that does not start with the magic and version 0, a value
//   cut short by the end of the file, a count larger than the rest of the file can hold;
// - values (reading goes on): a vertex index not below pointCount, a normal index not below
//   normalCount, a polygon with fewer than three corners, a coordinate that is not finite.
class MeshRecordReader {
 public:
  enum class Result {
    record,  // one record was read (its value faults, if any, are in the fault list)
    end,     // the file ends cleanly after the last record (or is empty)
    fault,   // the data is not a valid record; nothing more can be read
  };

  MeshRecordReader(ipstream& in, FaultList& faults) : reader_(in), faults_(faults) {}

  // Reads the next record into `visitor`. After `end` or `fault` it returns the same again.
  Result readNext(MeshRecordVisitor& visitor);

  // Records read whole so far.
  std::uint32_t recordsRead() const { return recordIndex_; }
  std::uint64_t offset() const { return reader_.offset(); }

 private:
  bool readHeader(MeshRecordVisitor& visitor, bool& atEnd);
  bool readVectors(MeshRecordVisitor& visitor, const char* what, std::uint32_t& count,
                   bool normals);
  bool readPolygons(MeshRecordVisitor& visitor);
  bool readPolygon(MeshRecordVisitor& visitor, std::uint32_t polygon);
  bool readCount(const char* field, std::uint64_t bytesEach, std::uint32_t& count);

  void fatal(std::uint64_t at, const std::string& field, const std::string& message);
  void valueFault(std::uint64_t at, const std::string& field, const std::string& message);
  void shortRead(std::uint64_t at, const std::string& field, std::uint64_t bytes);
  bool readFloat3(MeshFloat3& value, const char* list, std::uint32_t index);

  FieldReader reader_;
  FaultList& faults_;
  Result stopped_ = Result::record;  // `end` or `fault` once reading has stopped
  std::uint32_t recordIndex_ = 0;
  std::string recordName_;
  std::uint32_t pointCount_ = 0;
  std::uint32_t normalCount_ = 0;
};
