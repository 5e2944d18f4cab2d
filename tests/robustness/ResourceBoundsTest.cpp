// Files that claim far more than they hold: 2^32-1 cameras, keys, lights, points, normals,
// polygons or corners, and strings of 4 GB. Every reader refuses them, and the heap never grows
// by more than a small multiple of the file's size while it does: at most 16 bytes per byte of
// the file plus 64 KiB, above what the same reader needs for the smallest valid file.

#include <cstdint>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "AllocationMeter.h"
#include "HostileBytes.h"
#include "ValidAnimationFile.h"
#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileFormat.h"
#include "boundary/base/ifpstream.h"
#include "boundary/base/impstream.h"
#include "mesh_model/MeshFileFormat.h"
#include "mesh_model/MeshRecordReader.h"
#include "tests/support/FileText.h"
#include "tests/support/PluginFixture.h"
#include "tools/vxrinfo/Vxrinfo.h"
#include "tools/vxrinfo/VxrinfoOptions.h"

namespace {

constexpr std::uint32_t kClaim = 0xFFFFFFFFu;
constexpr std::size_t kAllowedPerByte = 16;
constexpr std::size_t kAllowedFixed = 64 * 1024;

// Bytes that are no valid continuation of anything, so the readers stop at them.
std::string filler() {
  return std::string(4096, '\xAB');
}

struct HostileFile {
  const char* label;
  std::string (*bytes)();
};

void PrintTo(const HostileFile& file, std::ostream* out) {
  *out << file.label;
}

// An empty camera list: its version byte is in the head.
ByteText afterEmptyCameras() {
  ByteText b = animationHead();
  b.dword(0).byte(kRecordFormatVersion);
  return b;
}

const HostileFile kAnimationFiles[] = {
    {"CameraCount", [] { return animationHead().dword(kClaim).bytes() + filler(); }},
    {"CameraClassNameLength",
     [] { return animationHead().dword(1).byte(1).dword(kClaim).bytes() + filler(); }},
    {"CameraKeyCount",
     [] {
       return animationHead()
                  .dword(1)
                  .byte(1)
                  .text("VXRAnimation_Camera")
                  .byte(0)
                  .dword(kClaim)
                  .bytes() +
              filler();
     }},
    {"CameraNameLength",
     [] {
       return animationHead()
                  .dword(1)
                  .byte(1)
                  .text("VXRAnimation_Camera")
                  .byte(0)
                  .dword(0)
                  .dword(kClaim)
                  .bytes() +
              filler();
     }},
    {"LightCount", [] { return afterEmptyCameras().dword(kClaim).bytes() + filler(); }},
    {"LightKeyCount",
     [] {
       return afterEmptyCameras()
                  .dword(1)
                  .byte(1)
                  .text("VXRAnimation_Light")
                  .byte(0)
                  .dword(kClaim)
                  .bytes() +
              filler();
     }},
    {"LightNameLength",
     [] {
       return afterEmptyCameras()
                  .dword(1)
                  .byte(1)
                  .text("VXRAnimation_Light")
                  .byte(0)
                  .dword(0)
                  .dword(kClaim)
                  .bytes() +
              filler();
     }},
    // Counts the rest of the file can hold, one byte an entry: the most a reader may set aside
    // before it finds out. Zero bytes are null entries (refused as a whole) and keys of zeros.
    {"CameraCountOfNullEntries", [] { return animationHead().dword(65536).zeros(65536).bytes(); }},
    {"CameraKeyCountOfZeroKeys",
     [] {
       return animationHead()
           .dword(1)
           .byte(1)
           .text("VXRAnimation_Camera")
           .byte(0)
           .dword(65536)
           .zeros(65536)
           .bytes();
     }},
};

ByteText meshHead() {
  ByteText b;
  b.dword(kMeshRecordMagic).byte(kMeshRecordVersion).text("m");
  return b;
}

const HostileFile kMeshFiles[] = {
    {"NameLength",
     [] { return ByteText().dword(kMeshRecordMagic).byte(0).dword(kClaim).bytes() + filler(); }},
    {"PointCount", [] { return meshHead().dword(kClaim).bytes() + filler(); }},
    {"NormalCount", [] { return meshHead().dword(0).dword(kClaim).bytes() + filler(); }},
    {"PolygonCount", [] { return meshHead().dword(0).dword(0).dword(kClaim).bytes() + filler(); }},
    {"CornerCount",
     [] { return meshHead().dword(0).dword(0).dword(1).dword(kClaim).bytes() + filler(); }},
    {"SecondRecordNameLength",
     [] {
       return meshHead()
                  .dword(0)
                  .dword(0)
                  .dword(0)
                  .dword(kMeshRecordMagic)
                  .byte(0)
                  .dword(kClaim)
                  .bytes() +
              filler();
     }},
};

std::string labelOf(const ::testing::TestParamInfo<HostileFile>& info) {
  return info.param.label;
}

// A reader run: whether it refused the bytes, what it said, and how far the heap grew.
struct ReadRun {
  bool refused = false;
  std::string message;
  std::size_t peak = 0;
};

ReadRun measure(const std::function<bool(std::string&)>& refuses) {
  ReadRun run;
  AllocationMeter meter;
  run.refused = refuses(run.message);
  run.peak = meter.peakAboveStart();
  return run;
}

class ResourceBoundsTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    if (!AllocationMeter::available())
      GTEST_SKIP() << "no way to count allocations in this build";
  }

  // Checks `hostile` against `smallest` (a valid file) through one reader.
  void expectBounded(const char* reader, const std::string& hostile, const std::string& smallest,
                     const std::function<bool(const std::string&, std::string&)>& refuses) {
    auto once = [&](const std::string& bytes) {
      return measure([&](std::string& message) { return refuses(bytes, message); });
    };
    once(smallest);  // first-use work (caches, lazily built tables) is not the file's doing
    const ReadRun valid = once(smallest);
    EXPECT_FALSE(valid.refused) << reader << " refuses the smallest valid file: " << valid.message;
    const ReadRun run = once(hostile);
    EXPECT_TRUE(run.refused) << reader;
    EXPECT_LE(run.peak, valid.peak + kAllowedPerByte * hostile.size() + kAllowedFixed)
        << reader << ": " << hostile.size() << " bytes of file, " << run.peak
        << " bytes of heap at the peak (" << valid.peak << " for the smallest valid file)";
  }

  std::string fileOf(const std::string& bytes, const char* name) {
    const std::string file = path(name);
    writeBytes(file, bytes);
    return file;
  }

  bool vxrinfoRefuses(const std::string& file, std::string& message) {
    std::ostringstream out, err;
    const int status = runVxrinfo({"--check", file}, out, err);
    message = out.str() + err.str();
    return status == kExitDamaged && message.find("error: ") != std::string::npos &&
           message.find(": damaged") != std::string::npos;
  }
};

class AnimationClaimTest : public ResourceBoundsTest,
                           public ::testing::WithParamInterface<HostileFile> {};

bool documentRefuses(ipstream& in, std::string& message) {
  AnimationDocument document;
  const bool taken = document.read(in);
  const bool empty = document.cameras.trackCount() == 0 && document.lights.trackCount() == 0;
  message = taken ? "taken" : empty ? "refused" : "refused, but tracks were kept";
  return !taken && empty;
}

TEST_P(AnimationClaimTest, IsRefusedWithinBoundedMemory) {
  const std::string hostile = GetParam().bytes();
  const std::string smallest = validAnimationFile(0, 0, 0);

  expectBounded("AnimationDocument::read from memory", hostile, smallest,
                [](const std::string& bytes, std::string& message) {
                  impstream in(bytes.data(), static_cast<long>(bytes.size()));
                  return documentRefuses(in, message);
                });
  expectBounded("AnimationDocument::read from a stream of unknown size", hostile, smallest,
                [](const std::string& bytes, std::string& message) {
                  UnsizedStream in(bytes);
                  return documentRefuses(in, message);
                });
  const std::string hostileFile = fileOf(hostile, "hostile.vxranim");
  const std::string smallestFile = fileOf(smallest, "smallest.vxranim");
  auto fromFile = [&](const std::string& bytes) {
    return bytes == hostile ? hostileFile : smallestFile;
  };
  expectBounded("AnimationDocument::read from a file", hostile, smallest,
                [&](const std::string& bytes, std::string& message) {
                  ifpstream in(fromFile(bytes).c_str());
                  return documentRefuses(in, message);
                });
  expectBounded("VXR_AnimationImportCmd -open", hostile, smallest,
                [&](const std::string& bytes, std::string& message) {
                  std::string handle;
                  const bool ran = mel("VXR_AnimationImportCmd -open \"" + fromFile(bytes) + "\";",
                                       &handle, &message);
                  if (ran && handle != "0")
                    mel("VXR_AnimationImportCmd -id " + handle + " -close;");
                  return !ran || handle == "0";
                });
  expectBounded("vxrinfo --check", hostile, smallest,
                [&](const std::string& bytes, std::string& message) {
                  return vxrinfoRefuses(fromFile(bytes), message);
                });
}

INSTANTIATE_TEST_SUITE_P(ResourceBounds, AnimationClaimTest, ::testing::ValuesIn(kAnimationFiles),
                         labelOf);

class MeshClaimTest : public ResourceBoundsTest,
                      public ::testing::WithParamInterface<HostileFile> {};

bool meshReaderRefuses(ipstream& in, std::string& message) {
  FaultList faults;
  MeshRecordReader reader(in, faults);
  MeshRecordVisitor ignore;
  MeshRecordReader::Result result;
  while ((result = reader.readNext(ignore)) == MeshRecordReader::Result::record) {
  }
  message = faults.kept().empty() ? std::string() : faults.kept().back().message;
  return result == MeshRecordReader::Result::fault && faults.hasErrors() && !message.empty();
}

TEST_P(MeshClaimTest, IsRefusedWithinBoundedMemory) {
  const std::string hostile = GetParam().bytes();
  const std::string smallest = meshHead().dword(0).dword(0).dword(0).bytes();

  expectBounded("mesh record reader from memory", hostile, smallest,
                [](const std::string& bytes, std::string& message) {
                  impstream in(bytes.data(), static_cast<long>(bytes.size()));
                  return meshReaderRefuses(in, message);
                });
  expectBounded("mesh record reader from a stream of unknown size", hostile, smallest,
                [](const std::string& bytes, std::string& message) {
                  UnsizedStream in(bytes);
                  return meshReaderRefuses(in, message);
                });
  const std::string hostileFile = fileOf(hostile, "hostile.vxrmesh");
  const std::string smallestFile = fileOf(smallest, "smallest.vxrmesh");
  expectBounded("vxrinfo --check", hostile, smallest,
                [&](const std::string& bytes, std::string& message) {
                  return vxrinfoRefuses(bytes == hostile ? hostileFile : smallestFile, message);
                });
}

INSTANTIATE_TEST_SUITE_P(ResourceBounds, MeshClaimTest, ::testing::ValuesIn(kMeshFiles), labelOf);

// The bound above means something only if the meter sees every way of allocating, in the test
// and inside the loaded plug-in.
class AllocationMeterTest : public ResourceBoundsTest {};

TEST_F(AllocationMeterTest, SeesMallocNewAndThePlugIn) {
  const std::size_t mebibyte = 1024 * 1024;
  {
    AllocationMeter meter;
    void* block = std::malloc(mebibyte);
    ASSERT_NE(block, nullptr);
    static_cast<char*>(block)[0] = 1;
    std::free(block);
    EXPECT_GE(meter.peakAboveStart(), mebibyte) << AllocationMeter::method();
  }
  {
    AllocationMeter meter;
    std::vector<char> block(mebibyte, 'x');
    EXPECT_GE(meter.peakAboveStart(), mebibyte) << AllocationMeter::method();
  }
  // The document the plug-in keeps for a file of some 300 KB of keys.
  const std::string file = fileOf(validAnimationFile(4, 0, 500), "large.vxranim");
  const std::size_t size = readBytes(file).size();
  AllocationMeter meter;
  std::string handle;
  ASSERT_TRUE(mel("VXR_AnimationImportCmd -open \"" + file + "\";", &handle));
  const std::size_t peak = meter.peakAboveStart();
  ASSERT_NE(handle, "0");
  EXPECT_TRUE(mel("VXR_AnimationImportCmd -id " + handle + " -close;"));
  EXPECT_GE(peak, size / 2) << AllocationMeter::method();
}

}  // namespace
