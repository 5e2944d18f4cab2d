#pragma once
// Base class of file translators. The host makes instances through the registered
// creator and owns them.

#include <maya/MFileObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MPxFileTranslator {
 public:
  enum MFileKind { kIsMyFileType = 0, kCouldBeMyFileType = 1, kNotMyFileType = 2 };
  enum FileAccessMode {
    kUnknownAccessMode = 0,
    kOpenAccessMode = 1,
    kSaveAccessMode = 2,
    kImportAccessMode = 3,
    kExportAccessMode = 4,
    kExportActiveAccessMode = 5,
    kReferenceAccessMode = 6
  };

  MPxFileTranslator();
  virtual ~MPxFileTranslator();

  virtual MStatus reader(const MFileObject& file, const MString& optionsString,
                         FileAccessMode mode);
  virtual MStatus writer(const MFileObject& file, const MString& optionsString,
                         FileAccessMode mode);
  virtual bool haveReadMethod() const;
  virtual bool haveWriteMethod() const;
  virtual bool haveNamespaceSupport() const;
  virtual bool haveReferenceMethod() const;
  virtual MString defaultExtension() const;
  virtual MString filter() const;
  virtual bool canBeOpened() const;
  virtual MFileKind identifyFile(const MFileObject& file, const char* buffer, short size) const;

  // Access mode of the file operation in progress.
  static FileAccessMode fileAccessMode();

 private:
  MPxFileTranslator(const MPxFileTranslator&) = delete;
  MPxFileTranslator& operator=(const MPxFileTranslator&) = delete;
};

OPENMAYA_NAMESPACE_CLOSE
