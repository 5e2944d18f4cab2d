#pragma once

#include <cstddef>

class FaultList;
class JsonWriter;

// The "errorCount", "warningCount", "faultsNotListed" and "faults" members of a file's JSON
// document (see docs/vxrinfo.md).
void writeFaultMembers(JsonWriter& json, const FaultList& faults);

// "name", and "nameHex" (every byte, in hex) when the stored name is not valid UTF-8 and
// "name" therefore had bytes replaced.
void writeNameMembers(JsonWriter& json, const char* bytes, std::size_t length);
