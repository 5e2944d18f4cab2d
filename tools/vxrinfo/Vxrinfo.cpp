#include "tools/vxrinfo/Vxrinfo.h"

#include <sys/stat.h>

#include <memory>
#include <ostream>

#include "boundary/base/FileFault.h"
#include "boundary/base/ofpstream.h"
#include "tools/vxrinfo/VxrinfoOptions.h"
#include "tools/vxrinfo/convert/GltfConvert.h"
#include "tools/vxrinfo/convert/ObjExport.h"
#include "tools/vxrinfo/files/AnimationFile.h"
#include "tools/vxrinfo/files/FaultJson.h"
#include "tools/vxrinfo/files/FileKind.h"
#include "tools/vxrinfo/files/MeshFile.h"
#include "tools/vxrinfo/plot/AnimationPlot.h"
#include "tools/vxrinfo/text/JsonWriter.h"
#include "tools/vxrinfo/text/ReplacingFileStream.h"
#include "tools/vxrinfo/text/TextSink.h"
#include "tools/vxrinfo/text/Utf8Text.h"

namespace {

std::string faultLine(const std::string& path, const FileFault& fault) {
  std::string line = path + ":" + std::to_string(fault.offset) + ": " +
                     (fault.severity == FileFault::Severity::error ? "error: " : "warning: ");
  if (fault.record != FileFault::noRecord)
    line +=
        "record " + std::to_string(fault.record) + " " + quoteForDisplay(fault.recordName) + ", ";
  if (!fault.field.empty())
    line += fault.field + ": ";
  return line + fault.message + "\n";
}

}  // namespace

namespace {

std::string countText(std::uint64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The verdict line of --check.
void verdict(const std::string& path, const std::string& what, const FaultList& faults,
             TextSink& out) {
  out.put(path + ": ");
  if (faults.hasErrors())
    out.put("damaged, " + countText(faults.errorCount(), "error", "errors"));
  else
    out.put("ok");
  if (faults.warningCount() > 0)
    out.put(", " + countText(faults.warningCount(), "warning", "warnings"));
  out.put(" (" + what + ")\n");
}

class FileRun {
 public:
  FileRun(const VxrinfoOptions& options, TextSink& out) : options_(options), out_(out) {}

  // Reports one file in the chosen mode; false when the file is not valid.
  bool run(const std::string& path) {
    const FileIdentity id = identifyFile(path);
    switch (id.kind) {
      case FileIdentity::Kind::animation:
        return animation(path, id);
      case FileIdentity::Kind::mesh:
        return mesh(path, id);
      case FileIdentity::Kind::unknown:
      case FileIdentity::Kind::unreadable:
        break;
    }
    FaultList faults;
    faults.error(0, "", id.reason);
    if (options_.mode == VxrinfoOptions::Mode::json) {
      JsonWriter json(out_);
      json.beginObject();
      json.field("file", path);
      json.field("kind", std::string(kindName(id.kind)));
      json.booleanField("valid", false);
      json.unsignedField("size", id.size);
      writeFaultMembers(json, faults);
      json.endObject();
      out_.put('\n');
    } else {
      out_.put(path + ": " +
               (id.kind == FileIdentity::Kind::unknown ? "unknown file kind: " : "unreadable: ") +
               id.reason + "\n");
    }
    return false;
  }

 private:
  bool animation(const std::string& path, const FileIdentity& id) {
    AnimationFile file;
    file.path = path;
    file.identity = id;
    loadAnimationFile(file);
    switch (options_.mode) {
      case VxrinfoOptions::Mode::json: {
        JsonWriter json(out_);
        writeAnimationJson(file, json);
        out_.put('\n');
        break;
      }
      case VxrinfoOptions::Mode::check: {
        listFaults(path, file.faults, out_);
        const AnimationDocument& doc = file.document;
        verdict(path,
                "animation file, version " + std::to_string(id.animationVersion) +
                    (file.loaded ? ", " + countText(doc.cameras.trackCount(), "camera", "cameras") +
                                       ", " + countText(doc.lights.trackCount(), "light", "lights")
                                 : std::string()),
                file.faults, out_);
        break;
      }
      default:
        out_.put(path + ": ");
        writeAnimationSummary(file, out_);
        listFaults(path, file.faults, out_);
        break;
    }
    return !file.faults.hasErrors();
  }

  bool mesh(const std::string& path, const FileIdentity& id) {
    FaultList faults;
    switch (options_.mode) {
      case VxrinfoOptions::Mode::json: {
        JsonWriter json(out_);
        writeMeshJson(path, id, json, faults);
        out_.put('\n');
        break;
      }
      case VxrinfoOptions::Mode::check: {
        MeshRecordVisitor checkOnly;
        const std::uint32_t records = readMeshFile(path, checkOnly, faults);
        listFaults(path, faults, out_);
        verdict(path, "mesh file, " + countText(records, "record", "records"), faults, out_);
        break;
      }
      default: {
        out_.put(path + (id.size == 0 ? ": mesh file, empty\n" : ": mesh file\n"));
        const std::uint32_t records = writeMeshSummary(path, out_, faults);
        if (id.size > 0)
          out_.put("  " + countText(records, "record", "records") + "\n");
        listFaults(path, faults, out_);
        break;
      }
    }
    return !faults.hasErrors();
  }

  const VxrinfoOptions& options_;
  TextSink& out_;
};

// True when both name one existing file (a conversion must never replace its own input).
bool sameFile(const std::string& a, const std::string& b) {
  struct stat first;
  struct stat second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

int convert(const VxrinfoOptions& options, TextSink& out) {
  const std::string& input = options.files.front();
  const bool toObj = options.mode == VxrinfoOptions::Mode::obj;
  if (sameFile(input, options.outputPath)) {
    out.put(options.outputPath + ": the output file is the input file; nothing written\n");
    return kExitUsage;
  }
  const FileIdentity id = identifyFile(input);
  const FileIdentity::Kind wanted =
      toObj ? FileIdentity::Kind::mesh : FileIdentity::Kind::animation;
  if (id.kind != wanted) {
    out.put(input + ": " +
            (id.reason.empty() ? std::string("is a ") + kindName(id.kind) + " file" : id.reason) +
            "; " + (toObj ? "--obj needs a mesh file" : "--plot needs an animation file") +
            ", nothing written\n");
    return kExitDamaged;
  }
  if (toObj) {
    FaultList faults;
    const ConversionResult result = convertMeshToObj(input, options.outputPath, faults);
    listFaults(input, faults, out);
    if (result == ConversionResult::inputDamaged) {
      out.put(input + ": damaged, nothing written\n");
      return kExitDamaged;
    }
    if (result == ConversionResult::outputFailed) {
      out.put(options.outputPath + ": cannot be written\n");
      return kExitOutputFailed;
    }
    return kExitOk;
  }
  AnimationFile file;
  file.path = input;
  file.identity = id;
  loadAnimationFile(file);
  listFaults(input, file.faults, out);
  if (!file.loaded) {
    out.put(input + ": damaged, nothing written\n");
    return kExitDamaged;
  }
  ReplacingFileStream svg(options.outputPath.c_str());
  {
    PersistentTextSink text(svg);
    writeAnimationPlot(file.document, options.plot, text);
    if (!text.flush())
      svg.abandon();
  }
  if (svg.fail() || !svg.close()) {
    out.put(options.outputPath + ": cannot be written\n");
    return kExitOutputFailed;
  }
  // Value errors (a non-finite coordinate, an unknown light type) leave those keys out of the
  // picture; the status still says the file is damaged.
  return file.faults.hasErrors() ? kExitDamaged : kExitOk;
}

}  // namespace

void listFaults(const std::string& path, const FaultList& faults, TextSink& out) {
  for (const FileFault& fault : faults.kept())
    out.put(faultLine(path, fault));
  if (faults.droppedCount() > 0)
    out.put(path + ": " + std::to_string(faults.droppedCount()) + " more faults not listed\n");
}

int runVxrinfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  VxrinfoOptions options;
  std::string error;
  if (!parseVxrinfoOptions(args, options, error)) {
    err << "vxrinfo: " << error << "\n" << vxrinfoUsage();
    return kExitUsage;
  }
  StreamTextSink text(out);
  if (options.mode == VxrinfoOptions::Mode::help) {
    text.put(vxrinfoUsage());
    return text.flush() ? kExitOk : kExitOutputFailed;
  }
  int status = kExitOk;
  if (options.mode == VxrinfoOptions::Mode::gltf) {
    status = convertToGltf(options, text);
  } else if (options.mode == VxrinfoOptions::Mode::obj ||
             options.mode == VxrinfoOptions::Mode::plot) {
    status = convert(options, text);
  } else {
    FileRun run(options, text);
    for (const std::string& path : options.files) {
      if (!run.run(path))
        status = kExitDamaged;
    }
  }
  if (!text.flush())
    return kExitOutputFailed;
  return status;
}
