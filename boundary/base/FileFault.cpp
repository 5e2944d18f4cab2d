#include "boundary/base/FileFault.h"

#include <utility>

void FaultList::add(FileFault fault) {
  if (fault.severity == FileFault::Severity::error)
    ++errors_;
  else
    ++warnings_;
  if (kept_.size() < keepLimit_)
    kept_.push_back(std::move(fault));
}

void FaultList::error(std::uint64_t offset, std::string field, std::string message) {
  FileFault fault;
  fault.offset = offset;
  fault.field = std::move(field);
  fault.message = std::move(message);
  add(std::move(fault));
}

void FaultList::warning(std::uint64_t offset, std::string field, std::string message) {
  FileFault fault;
  fault.severity = FileFault::Severity::warning;
  fault.offset = offset;
  fault.field = std::move(field);
  fault.message = std::move(message);
  add(std::move(fault));
}
