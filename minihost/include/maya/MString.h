#pragma once
// Host string: narrow characters, value semantics.

#include <iosfwd>
#include <string>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MString {
 public:
  MString();
  MString(const char* text);
  MString(const char* text, int length);
  MString(const MString& other);
  ~MString();

  MString& operator=(const MString& other);
  MString& operator=(const char* text);
  MString& operator+=(const MString& other);
  MString& operator+=(const char* text);
  MString& operator+=(double value);
  MString& operator+=(int value);
  MString& operator+=(unsigned int value);
  MString operator+(const MString& other) const;
  MString operator+(const char* text) const;

  bool operator==(const MString& other) const;
  bool operator==(const char* text) const;
  bool operator!=(const MString& other) const;
  bool operator!=(const char* text) const;
  bool operator<(const MString& other) const;

  const char* asChar() const;
  const char* asChar(int& length) const;
  unsigned int length() const;
  unsigned int numChars() const;
  MString& set(const char* text);
  MString& set(const char* text, int length);
  MString& set(double value);

  int index(char c) const;
  int rindex(char c) const;
  MString substring(int start, int end) const;
  MStatus split(char delimiter, MStringArray& output) const;
  MString toLowerCase() const;
  MString toUpperCase() const;

  bool isShort() const;
  short asShort() const;
  bool isInt() const;
  int asInt() const;
  bool isUnsigned() const;
  unsigned int asUnsigned() const;
  bool isFloat() const;
  float asFloat() const;
  bool isDouble() const;
  double asDouble() const;

 private:
  std::string text_;
};

OPENMAYA_EXPORT MString operator+(const char* text, const MString& other);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& out, const MString& text);

OPENMAYA_NAMESPACE_CLOSE
