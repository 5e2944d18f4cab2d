// A plug-in for the script tests: commands that check how arguments and results cross
// the MArgList boundary, and a text translator whose reader hands over to a script through
// a one-shot idle job, as real import translators do.

#include <fstream>
#include <string>

#include <maya/MArgList.h>
#include <maya/MFileObject.h>
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MStringArray.h>

namespace {

int lastAccessMode = -1;
int identifyAccessMode = -1;

// Sums its integer arguments; "-fail" fails the call after setting a fallback result.
class SumCommand : public MPxCommand {
 public:
  MStatus doIt(const MArgList& args) override {
    int sum = 0;
    for (unsigned int i = 0; i < args.length(); ++i) {
      if (args.asString(i) == "-fail") {
        setResult(-1);
        MStatus failed(MS::kFailure);
        failed.perror("melTestSum: asked to fail");
        return failed;
      }
      MStatus status;
      int v = args.asInt(i, &status);
      if (!status)
        return status;
      sum += v;
    }
    setResult(sum);
    return MS::kSuccess;
  }
};

// Returns its arguments as strings in reverse order.
class ReverseCommand : public MPxCommand {
 public:
  MStatus doIt(const MArgList& args) override {
    MStringArray out;
    for (unsigned int i = args.length(); i-- > 0;)
      out.append(args.asString(i));
    setResult(out);
    return MS::kSuccess;
  }
};

// Asks the host for its up axis and answers "z" or "y" as the module's query does.
class UpAxisCommand : public MPxCommand {
 public:
  MStatus doIt(const MArgList&) override {
    MString result;
    MGlobal::executeCommand("upAxis -q -axis;", result, false, false);
    setResult(result);
    return MS::kSuccess;
  }
};

// Shows the warning text the module's error report uses, through the script host.
class WarnCommand : public MPxCommand {
 public:
  MStatus doIt(const MArgList&) override {
    return MGlobal::executeCommand("warning \" vxr error - see output window for details.\"\n",
                                   false, false);
  }
};

// The access mode the last reader or writer ran in; "-identify": the one identifyFile saw.
class ModeCommand : public MPxCommand {
 public:
  MStatus doIt(const MArgList& args) override {
    bool identify = args.length() == 1 && args.asString(0) == "-identify";
    setResult(identify ? identifyAccessMode : lastAccessMode);
    return MS::kSuccess;
  }
};

// Files start with "MTT1" and list node names, one a line.
class TextTranslator : public MPxFileTranslator {
 public:
  MStatus reader(const MFileObject& file, const MString&, FileAccessMode mode) override {
    lastAccessMode = static_cast<int>(mode);
    // The host's access mode must agree with the one it passes.
    if (fileAccessMode() != mode)
      return MS::kFailure;
    std::ifstream in(file.expandedFullName().asChar());
    std::string line;
    if (!std::getline(in, line) || line != "MTT1")
      return MS::kFailure;
    int count = 0;
    while (std::getline(in, line)) {
      if (line.empty())
        continue;
      MGlobal::executeCommand(MString("createNode transform -n \"") + line.c_str() + "\";");
      ++count;
    }
    MGlobal::sourceFile("melTestImport.mel");
    MString job = MString("scriptJob -runOnce true -conditionFalse \"busy\" \"melTestImported(") +
                  std::to_string(count).c_str() + ")\";";
    MGlobal::executeCommand(job, false, false);
    return MS::kSuccess;
  }
  MStatus writer(const MFileObject& file, const MString& options, FileAccessMode mode) override {
    lastAccessMode = static_cast<int>(mode);
    if (fileAccessMode() != mode)
      return MS::kFailure;
    MString list;
    MGlobal::executeCommand(
        mode == kExportActiveAccessMode ? "ls -sl -type transform" : "ls -type transform", list,
        false, false);
    std::ofstream out(file.expandedFullName().asChar());
    out << "MTT1\n";
    std::string names = list.asChar();
    std::size_t start = 0;
    while (start < names.size()) {
      std::size_t end = names.find(' ', start);
      if (end == std::string::npos)
        end = names.size();
      if (end > start)
        out << names.substr(start, end - start) << '\n';
      start = end + 1;
    }
    if (options.length() > 0)
      out << "# " << options.asChar() << '\n';
    return out ? MS::kSuccess : MS::kFailure;
  }
  bool haveReadMethod() const override { return true; }
  bool haveWriteMethod() const override { return true; }
  MString defaultExtension() const override { return "mtt"; }
  MFileKind identifyFile(const MFileObject&, const char* buffer, short size) const override {
    identifyAccessMode = static_cast<int>(fileAccessMode());
    return size >= 4 && std::string(buffer, 4) == "MTT1" ? kIsMyFileType : kNotMyFileType;
  }
};

template <typename T>
void* create() {
  return new T;
}

}  // namespace

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Test", "1.0");
  plugin.registerCommand("melTestSum", create<SumCommand>);
  plugin.registerCommand("melTestReverse", create<ReverseCommand>);
  plugin.registerCommand("melTestUpAxis", create<UpAxisCommand>);
  plugin.registerCommand("melTestWarn", create<WarnCommand>);
  plugin.registerCommand("melTestLastMode", create<ModeCommand>);
  plugin.registerFileTranslator("MelTest Text", "", create<TextTranslator>);
  return MS::kSuccess;
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
  MFnPlugin plugin(obj);
  plugin.deregisterFileTranslator("MelTest Text");
  for (const char* name :
       {"melTestSum", "melTestReverse", "melTestUpAxis", "melTestWarn", "melTestLastMode"}) {
    plugin.deregisterCommand(name);
  }
  return MS::kSuccess;
}
