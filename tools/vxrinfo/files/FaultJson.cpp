#include "tools/vxrinfo/files/FaultJson.h"

#include <cstdio>
#include <string>

#include "boundary/base/FileFault.h"
#include "tools/vxrinfo/text/JsonWriter.h"
#include "tools/vxrinfo/text/Utf8Text.h"

void writeFaultMembers(JsonWriter& json, const FaultList& faults) {
  json.unsignedField("errorCount", faults.errorCount());
  json.unsignedField("warningCount", faults.warningCount());
  json.unsignedField("faultsNotListed", faults.droppedCount());
  json.key("faults");
  json.beginArray();
  for (const FileFault& fault : faults.kept()) {
    json.beginObject();
    json.field("severity",
               std::string(fault.severity == FileFault::Severity::error ? "error" : "warning"));
    json.unsignedField("offset", fault.offset);
    if (fault.record != FileFault::noRecord) {
      json.field("record", static_cast<std::int64_t>(fault.record));
      json.key("recordName");
      json.string(fault.recordName);
    }
    json.field("field", fault.field);
    json.field("message", fault.message);
    json.endObject();
  }
  json.endArray();
}

void writeNameMembers(JsonWriter& json, const char* bytes, std::size_t length) {
  json.key("name");
  json.string(bytes, length);
  if (isValidUtf8(bytes, length))
    return;
  std::string hex;
  hex.reserve(length * 2);
  for (std::size_t i = 0; i < length; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02x",
                  static_cast<unsigned>(static_cast<unsigned char>(bytes[i])));
    hex += pair;
  }
  json.field("nameHex", hex);
}
