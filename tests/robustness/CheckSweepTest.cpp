// Damaged files through `vxrinfo --check` (run in-process) and the mesh record reader: every
// proper prefix and every single-bit flip of a small valid mesh file written by the plug-in, and
// the same for an animation file. Nothing crashes or hangs; a file cut short is reported damaged
// with a message and a non-zero status; a flipped file is either valid or reported damaged.

#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MString.h>

#include <sstream>
#include <string>
#include <vector>

#include "ValidAnimationFile.h"
#include "anim_model/AnimationDocument.h"
#include "boundary/base/impstream.h"
#include "tests/support/FileText.h"
#include "tests/support/PluginFixture.h"
#include "tests/tools/MiniJson.h"
#include "mesh_model/MeshRecordReader.h"
#include "tools/vxrinfo/Vxrinfo.h"
#include "tools/vxrinfo/VxrinfoOptions.h"

namespace {

struct CheckResult {
  int status = -1;
  std::string report;
};

// What the mesh record reader makes of the bytes on its own.
struct ReaderResult {
  MeshRecordReader::Result last = MeshRecordReader::Result::record;
  std::uint32_t records = 0;
  bool errors = false;
  bool everyFaultSaysWhy = true;
};

ReaderResult readMeshRecords(const std::string& bytes) {
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  FaultList faults;
  MeshRecordReader reader(in, faults);
  MeshRecordVisitor ignore;
  ReaderResult result;
  while ((result.last = reader.readNext(ignore)) == MeshRecordReader::Result::record) {
  }
  result.records = reader.recordsRead();
  result.errors = faults.hasErrors();
  for (const FileFault& fault : faults.kept())
    result.everyFaultSaysWhy = result.everyFaultSaysWhy && !fault.message.empty();
  return result;
}

// True when `report` has an error line that says something after "error: ".
bool namesAnError(const std::string& report) {
  const std::string marker = "error: ";
  const std::size_t at = report.find(marker);
  if (at == std::string::npos)
    return false;
  const std::size_t end = report.find('\n', at);
  return end != std::string::npos && end > at + marker.size();
}

class CheckSweepTest : public PluginTest {
 protected:
  // `mode` is an option of the tool, or "" for its plain summary.
  CheckResult check(const std::string& bytes, const char* mode = "--check") {
    const std::string file = path("damaged");
    writeBytes(file, bytes);
    std::ostringstream out, err;
    CheckResult result;
    std::vector<std::string> args{file};
    if (*mode != '\0')
      args.insert(args.begin(), mode);
    result.status = runVxrinfo(args, out, err);
    result.report = out.str() + err.str();
    return result;
  }

  // The JSON report of damaged bytes is still one well-formed document, and its "valid" member
  // agrees with the exit status; the plain summary ends with the same status.
  void expectReportsAgree(const std::string& bytes, const std::string& what) {
    const CheckResult json = check(bytes, "--json");
    JsonValue document;
    std::string error;
    ASSERT_TRUE(parseJson(json.report, document, error)) << what << ": " << error << "\n"
                                                         << json.report;
    ASSERT_EQ(document["valid"].type, JsonValue::Type::boolean) << what << "\n" << json.report;
    EXPECT_EQ(document["valid"].boolean, json.status == kExitOk) << what;
    const CheckResult summary = check(bytes, "");
    EXPECT_EQ(summary.status, json.status) << what << "\n" << summary.report;
  }

  // A polygon cube and a triangle with texture coordinates, both selected, written by the mesh
  // command: two records.
  std::string meshFile() {
    EXPECT_TRUE(mel("polyCube -name box;"));
    MFloatPointArray points;
    points.append(MFloatPoint(0, 0, 0));
    points.append(MFloatPoint(1, 0, 0));
    points.append(MFloatPoint(0, 0, -1));
    MIntArray counts, connects;
    counts.append(3);
    for (int v : {0, 1, 2})
      connects.append(v);
    MFnMesh mesh;
    MStatus status;
    MObject transform = mesh.create(3, 1, points, counts, connects, MObject::kNullObj, &status);
    EXPECT_TRUE(status);
    MFnDagNode(transform).setName("tri");
    MFloatArray u, v;
    MIntArray ids;
    for (int j = 0; j < 3; ++j) {
      u.append(j == 1 ? 1.0f : 0.0f);
      v.append(j == 2 ? 1.0f : 0.0f);
      ids.append(j);
    }
    EXPECT_TRUE(mesh.setUVs(u, v));
    EXPECT_TRUE(mesh.assignUVs(counts, ids));
    EXPECT_TRUE(mel("select -r box tri;"));
    EXPECT_TRUE(mel("VXR_MeshExportCmd -file \"" + path("sweep") + "\";"));
    return readBytes(path("sweep.vxrmesh"));
  }
};

class MeshCheckSweepTest : public CheckSweepTest {
 protected:
  void SetUp() override {
    CheckSweepTest::SetUp();
    whole_ = meshFile();
    // Where the second record begins: the reader stops there after the first.
    impstream in(whole_.data(), static_cast<long>(whole_.size()));
    FaultList faults;
    MeshRecordReader reader(in, faults);
    MeshRecordVisitor ignore;
    ASSERT_EQ(reader.readNext(ignore), MeshRecordReader::Result::record);
    secondRecord_ = static_cast<std::size_t>(reader.offset());
    ASSERT_EQ(reader.readNext(ignore), MeshRecordReader::Result::record);
    ASSERT_EQ(reader.readNext(ignore), MeshRecordReader::Result::end);
    ASSERT_FALSE(faults.hasErrors());
  }
  std::string whole_;
  std::size_t secondRecord_ = 0;
};

TEST_F(MeshCheckSweepTest, TheWholeFileIsValid) {
  ASSERT_GT(whole_.size(), 300u);
  const CheckResult result = check(whole_);
  EXPECT_EQ(result.status, kExitOk) << result.report;
  EXPECT_NE(result.report.find(": ok (mesh file, 2 records)"), std::string::npos) << result.report;
}

// A mesh file has no count of records and no end marker: cut at a record boundary it is a
// shorter valid file. Everywhere else the cut is found.
TEST_F(MeshCheckSweepTest, EveryProperPrefixIsDamagedUnlessItEndsBetweenRecords) {
  int damaged = 0;
  for (std::size_t length = 0; length < whole_.size(); ++length) {
    const std::string prefix = whole_.substr(0, length);
    const CheckResult result = check(prefix);
    const ReaderResult read = readMeshRecords(prefix);
    if (length == 0 || length == secondRecord_) {
      EXPECT_EQ(result.status, kExitOk) << length << " bytes\n" << result.report;
      EXPECT_EQ(read.last, MeshRecordReader::Result::end) << length << " bytes";
      EXPECT_EQ(read.records, length == 0 ? 0u : 1u);
      continue;
    }
    ++damaged;
    EXPECT_EQ(result.status, kExitDamaged) << length << " bytes\n" << result.report;
    if (length < 4) {
      // Too short to tell the kind of file.
      EXPECT_NE(result.report.find("too short"), std::string::npos) << result.report;
    } else {
      EXPECT_NE(result.report.find(": damaged"), std::string::npos) << result.report;
      EXPECT_TRUE(namesAnError(result.report)) << result.report;
    }
    EXPECT_EQ(read.last, MeshRecordReader::Result::fault) << length << " bytes";
    EXPECT_EQ(read.records, length < secondRecord_ ? 0u : 1u) << length << " bytes";
    EXPECT_TRUE(read.errors && read.everyFaultSaysWhy) << length << " bytes";
  }
  EXPECT_EQ(damaged, static_cast<int>(whole_.size()) - 2);
}

TEST_F(MeshCheckSweepTest, EveryProperPrefixGivesWellFormedReports) {
  for (std::size_t length = 0; length < whole_.size(); ++length)
    expectReportsAgree(whole_.substr(0, length), std::to_string(length) + " bytes");
}

TEST_F(MeshCheckSweepTest, EverySingleBitFlipIsValidOrDamaged) {
  int refused = 0;
  for (std::size_t byte = 0; byte < whole_.size(); ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string flipped = whole_;
      flipped[byte] = static_cast<char>(flipped[byte] ^ (1 << bit));
      const CheckResult result = check(flipped);
      const ReaderResult read = readMeshRecords(flipped);
      ASSERT_TRUE(result.status == kExitOk || result.status == kExitDamaged)
          << "byte " << byte << " bit " << bit << "\n"
          << result.report;
      // The tool and the reader agree; a damaged file says what is wrong.
      EXPECT_EQ(result.status == kExitDamaged, read.errors) << "byte " << byte << " bit " << bit;
      if (result.status == kExitDamaged) {
        ++refused;
        EXPECT_TRUE(byte < 4 || namesAnError(result.report)) << result.report;
        EXPECT_TRUE(read.everyFaultSaysWhy);
      } else {
        EXPECT_NE(result.report.find(": ok (mesh file, "), std::string::npos) << result.report;
        EXPECT_EQ(read.last, MeshRecordReader::Result::end);
      }
      // Each record's magic and version are checked before anything else of it.
      const bool header = byte < 5 || (byte >= secondRecord_ && byte < secondRecord_ + 5);
      if (header) {
        EXPECT_EQ(result.status, kExitDamaged) << "byte " << byte << " bit " << bit;
      }
    }
  }
  // Counts, name lengths and indices are structure: many flips there are found.
  EXPECT_GT(refused, 100);
}

class AnimationCheckSweepTest : public CheckSweepTest {};

bool documentTakes(const std::string& bytes) {
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  AnimationDocument document;
  return document.read(in);
}

TEST_F(AnimationCheckSweepTest, EveryProperPrefixIsRefused) {
  const std::string whole = validAnimationFile(2, 1, 3);
  const CheckResult valid = check(whole);
  ASSERT_EQ(valid.status, kExitOk) << valid.report;
  // No bytes at all make an empty mesh file, which is valid; every longer prefix is refused.
  const CheckResult empty = check("");
  EXPECT_EQ(empty.status, kExitOk) << empty.report;
  EXPECT_NE(empty.report.find(": ok (mesh file, 0 records)"), std::string::npos) << empty.report;
  for (std::size_t length = 1; length < whole.size(); ++length) {
    const CheckResult result = check(whole.substr(0, length));
    EXPECT_EQ(result.status, kExitDamaged) << length << " bytes\n" << result.report;
    if (length >= 5) {
      EXPECT_NE(result.report.find(": damaged"), std::string::npos) << result.report;
      EXPECT_TRUE(namesAnError(result.report)) << result.report;
    }
  }
}

TEST_F(AnimationCheckSweepTest, EverySingleBitFlipIsValidOrRefusedWithAMessage) {
  const std::string original = validAnimationFile(1, 1, 1);
  int refused = 0;
  for (std::size_t byte = 0; byte < original.size(); ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string flipped = original;
      flipped[byte] = static_cast<char>(flipped[byte] ^ (1 << bit));
      const CheckResult result = check(flipped);
      ASSERT_TRUE(result.status == kExitOk || result.status == kExitDamaged)
          << "byte " << byte << " bit " << bit << "\n"
          << result.report;
      if (result.status == kExitDamaged) {
        ++refused;
        EXPECT_FALSE(result.report.empty());
      } else {
        // What the tool passes, the import's reader takes.
        EXPECT_TRUE(documentTakes(flipped)) << "byte " << byte << " bit " << bit;
      }
      // What the import's reader refuses, the tool reports.
      if (!documentTakes(flipped)) {
        EXPECT_EQ(result.status, kExitDamaged) << "byte " << byte << " bit " << bit;
      }
      if (byte < 4 || (byte == 4 && bit != 0)) {
        EXPECT_EQ(result.status, kExitDamaged) << "byte " << byte << " bit " << bit;
      }
    }
  }
  EXPECT_GT(refused, 40);
}

TEST_F(AnimationCheckSweepTest, EveryProperPrefixAndFlipGivesWellFormedReports) {
  const std::string whole = validAnimationFile(2, 1, 3);
  for (std::size_t length = 0; length < whole.size(); ++length)
    expectReportsAgree(whole.substr(0, length), std::to_string(length) + " bytes");
  const std::string original = validAnimationFile(1, 1, 1);
  for (std::size_t byte = 0; byte < original.size(); ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string flipped = original;
      flipped[byte] = static_cast<char>(flipped[byte] ^ (1 << bit));
      expectReportsAgree(flipped, "byte " + std::to_string(byte) + " bit " + std::to_string(bit));
    }
  }
}

}  // namespace
