// A tiny plug-in that exercises registration: it registers one command and one
// translator, tries each name twice, and reports every step as an info message
// so that the host side can check the order.
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MStringArray.h>

#include <cstring>
#include <fstream>

namespace {

class EchoCommand : public MPxCommand {
 public:
  // Returns its arguments in reverse order; "-count" returns how many it got.
  MStatus doIt(const MArgList& args) override {
    if (args.length() == 1 && args.asString(0) == "-count") {
      setResult(static_cast<int>(args.length()));
      return MS::kSuccess;
    }
    if (args.length() == 1 && args.asString(0) == "-fail")
      return MS::kFailure;
    MStringArray out;
    for (unsigned int i = args.length(); i-- > 0;)
      out.append(args.asString(i));
    setResult(out);
    return MS::kSuccess;
  }
};

class TextTranslator : public MPxFileTranslator {
 public:
  MStatus writer(const MFileObject& file, const MString&, FileAccessMode mode) override {
    std::ofstream out(file.expandedFullName().asChar());
    if (!out)
      return MS::kFailure;
    out << "MHT " << static_cast<int>(mode) << "\n";
    return MS::kSuccess;
  }
  bool haveWriteMethod() const override { return true; }
  MString defaultExtension() const override { return "mht"; }
  bool canBeOpened() const override { return false; }
  MFileKind identifyFile(const MFileObject&, const char* buffer, short size) const override {
    return size >= 3 && std::memcmp(buffer, "MHT", 3) == 0 ? kIsMyFileType : kNotMyFileType;
  }
};

void* makeCommand() {
  return new EchoCommand;
}
void* makeTranslator() {
  return new TextTranslator;
}

void report(const char* step, const MStatus& status) {
  MGlobal::displayInfo(MString(step) + (status ? " ok" : " refused"));
}

}  // namespace

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Test Vendor", "0.1", "Any");
  report("register command", plugin.registerCommand("minihostEcho", makeCommand));
  report("register command again", plugin.registerCommand("minihostEcho", makeCommand));
  report("register translator", plugin.registerFileTranslator("Minihost Text", "", makeTranslator));
  report("register translator again",
         plugin.registerFileTranslator("Minihost Text", "", makeTranslator));
  return MS::kSuccess;
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
  MFnPlugin plugin(obj);
  report("deregister translator", plugin.deregisterFileTranslator("Minihost Text"));
  report("deregister command", plugin.deregisterCommand("minihostEcho"));
  report("deregister command again", plugin.deregisterCommand("minihostEcho"));
  return MS::kSuccess;
}
