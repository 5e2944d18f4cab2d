#pragma once

#include <cstdint>
#include <string>

#include "boundary/base/FieldReader.h"
#include "boundary/base/FileFault.h"

class ipstream;

// Walks an animation file byte by byte as the animation reader would read it, and adds a fault
// with the byte offset and the field's path ("cameras[1].keys[4].projector.scale") for each
// thing wrong:
//
// - errors that stop the walk: another magic or version, a value cut short, a count larger
//   than the rest of the file can hold, a list entry tag other than 0 or 1, a track class that
//   does not belong in the list;
// - errors in values (the walk goes on): a null list entry (the reader refuses those), a value
//   that is not finite, a light type other than 1, 2 or 3, a key the import cannot apply (the
//   rules of anim_model/KeyValidity.h: an eye distance or window side not above 0, say);
// - warnings: an up-axis byte other than 'y' or 'z' (read as y-up), a perspective flag other
//   than 0 or 1, bytes after the end of the animation data.
class AnimationFileChecker {
 public:
  struct Totals {
    std::uint8_t version = 0;
    std::uint32_t cameraTracks = 0;
    std::uint32_t lightTracks = 0;
    std::uint64_t cameraKeys = 0;
    std::uint64_t lightKeys = 0;
  };

  AnimationFileChecker(ipstream& in, FaultList& faults) : reader_(in), faults_(faults) {}

  // True when the walk reached the end of the data (value errors may still have been found).
  bool check();
  const Totals& totals() const { return totals_; }

 private:
  class KeyFieldWalk;

  bool readList(bool lights);
  bool readTrack(bool lights, const std::string& path);
  bool readCameraKey(const std::string& path);
  bool readLightKey(const std::string& path);

  bool byteField(const std::string& base, const char* member, std::uint8_t& value);
  bool dwordField(const std::string& base, const char* member, std::uint32_t& value);
  bool floatField(const std::string& base, const char* member, float* kept = nullptr);
  // The value read is also stored through `kept` (`dimensions` doubles) when given.
  bool doubleField(const std::string& base, const char* member, double* kept = nullptr);
  bool vectorField(const std::string& base, const char* member, int dimensions,
                   double* kept = nullptr);
  // The checks of single byte fields whose values are limited (light type, perspective flag).
  void checkByteValue(std::uint64_t at, const std::string& field, const char* name,
                      std::uint8_t value);
  // An error at the key's first byte when `fault` (from the shared key rules) is not null.
  void unusableKey(std::uint64_t at, const std::string& path, const char* fault);

  void stop(std::uint64_t at, const std::string& field, const std::string& message);
  void shortRead(std::uint64_t at, const std::string& field, std::uint64_t bytes);

  FieldReader reader_;
  FaultList& faults_;
  Totals totals_;
};
