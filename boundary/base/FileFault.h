#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One thing wrong with a file, and where: the byte offset at which the value concerned begins,
// the mesh record it belongs to (if any) and the field's path inside it ("points[3].y").
struct FileFault {
  enum class Severity { error, warning };

  static constexpr std::int64_t noRecord = -1;

  Severity severity = Severity::error;
  std::uint64_t offset = 0;
  std::int64_t record = noRecord;
  std::string recordName;
  std::string field;
  std::string message;
};

// The faults found in one file. A badly damaged file can hold millions of bad values; only the
// first `keepLimit` are kept (the counts stay exact), so checking never runs out of memory.
class FaultList {
 public:
  static constexpr std::size_t defaultKeepLimit = 200;

  explicit FaultList(std::size_t keepLimit = defaultKeepLimit) : keepLimit_(keepLimit) {}

  void add(FileFault fault);
  void error(std::uint64_t offset, std::string field, std::string message);
  void warning(std::uint64_t offset, std::string field, std::string message);

  const std::vector<FileFault>& kept() const { return kept_; }
  std::uint64_t errorCount() const { return errors_; }
  std::uint64_t warningCount() const { return warnings_; }
  std::uint64_t droppedCount() const { return errors_ + warnings_ - kept_.size(); }
  bool hasErrors() const { return errors_ > 0; }

 private:
  std::size_t keepLimit_;
  std::vector<FileFault> kept_;
  std::uint64_t errors_ = 0;
  std::uint64_t warnings_ = 0;
};
