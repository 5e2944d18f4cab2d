#include <maya/MString.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include <maya/MStringArray.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

namespace {

// Whole-text numeric parses: leading and trailing blanks allowed, nothing else.
bool parseLong(const std::string& s, long long& out) {
  if (s.empty())
    return false;
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (end == s.c_str() || errno == ERANGE)
    return false;
  while (*end && std::isspace(static_cast<unsigned char>(*end)))
    ++end;
  if (*end)
    return false;
  out = v;
  return true;
}

bool parseDouble(const std::string& s, double& out) {
  if (s.empty())
    return false;
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (end == s.c_str() || errno == ERANGE)
    return false;
  while (*end && std::isspace(static_cast<unsigned char>(*end)))
    ++end;
  if (*end)
    return false;
  out = v;
  return true;
}

}  // namespace

MString::MString() = default;
MString::MString(const char* text) : text_(text ? text : "") {}
MString::MString(const char* text, int length) {
  if (text && length > 0)
    text_.assign(text, static_cast<size_t>(length));
}
MString::MString(const MString& other) = default;
MString::~MString() = default;

MString& MString::operator=(const MString& other) = default;
MString& MString::operator=(const char* text) {
  text_ = text ? text : "";
  return *this;
}
MString& MString::operator+=(const MString& other) {
  text_ += other.text_;
  return *this;
}
MString& MString::operator+=(const char* text) {
  if (text)
    text_ += text;
  return *this;
}
MString& MString::operator+=(double value) {
  MString v;
  v.set(value);
  text_ += v.text_;
  return *this;
}
MString& MString::operator+=(int value) {
  text_ += std::to_string(value);
  return *this;
}
MString& MString::operator+=(unsigned int value) {
  text_ += std::to_string(value);
  return *this;
}
MString MString::operator+(const MString& other) const {
  MString r(*this);
  r += other;
  return r;
}
MString MString::operator+(const char* text) const {
  MString r(*this);
  r += text;
  return r;
}

bool MString::operator==(const MString& other) const {
  return text_ == other.text_;
}
bool MString::operator==(const char* text) const {
  return text && text_ == text;
}
bool MString::operator!=(const MString& other) const {
  return !(*this == other);
}
bool MString::operator!=(const char* text) const {
  return !(*this == text);
}
bool MString::operator<(const MString& other) const {
  return text_ < other.text_;
}

const char* MString::asChar() const {
  return text_.c_str();
}
const char* MString::asChar(int& length) const {
  length = static_cast<int>(text_.size());
  return text_.c_str();
}
unsigned int MString::length() const {
  return static_cast<unsigned int>(text_.size());
}
unsigned int MString::numChars() const {
  return length();
}
MString& MString::set(const char* text) {
  return *this = text;
}
MString& MString::set(const char* text, int length) {
  *this = MString(text, length);
  return *this;
}
MString& MString::set(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  // Shortest form that reads back to the same double, as scripts expect ("0.1", not 0.1000...01).
  for (int precision = 1; precision <= 17; ++precision) {
    char shorter[64];
    std::snprintf(shorter, sizeof shorter, "%.*g", precision, value);
    if (std::strtod(shorter, nullptr) == value) {
      text_ = shorter;
      return *this;
    }
  }
  text_ = buffer;
  return *this;
}

int MString::index(char c) const {
  size_t p = text_.find(c);
  return p == std::string::npos ? -1 : static_cast<int>(p);
}
int MString::rindex(char c) const {
  size_t p = text_.rfind(c);
  return p == std::string::npos ? -1 : static_cast<int>(p);
}
MString MString::substring(int start, int end) const {
  const int n = static_cast<int>(text_.size());
  if (start < 0)
    start = 0;
  if (end >= n)
    end = n - 1;
  if (start > end)
    return MString();
  return MString(text_.c_str() + start, end - start + 1);
}
MStatus MString::split(char delimiter, MStringArray& output) const {
  output.clear();
  std::string current;
  for (char c : text_) {
    if (c == delimiter) {
      if (!current.empty())
        output.append(MString(current.c_str()));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty())
    output.append(MString(current.c_str()));
  return MS::kSuccess;
}
MString MString::toLowerCase() const {
  MString r(*this);
  for (char& c : r.text_)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}
MString MString::toUpperCase() const {
  MString r(*this);
  for (char& c : r.text_)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return r;
}

bool MString::isShort() const {
  long long v;
  return parseLong(text_, v) && v >= SHRT_MIN && v <= SHRT_MAX;
}
short MString::asShort() const {
  return isShort() ? static_cast<short>(asInt()) : 0;
}
bool MString::isInt() const {
  long long v;
  return parseLong(text_, v) && v >= INT_MIN && v <= INT_MAX;
}
int MString::asInt() const {
  long long v = 0;
  if (parseLong(text_, v) && v >= INT_MIN && v <= INT_MAX)
    return static_cast<int>(v);
  return 0;
}
bool MString::isUnsigned() const {
  long long v;
  return parseLong(text_, v) && v >= 0 && v <= UINT_MAX;
}
unsigned int MString::asUnsigned() const {
  return isUnsigned() ? static_cast<unsigned int>(std::strtoll(text_.c_str(), nullptr, 10)) : 0u;
}
bool MString::isFloat() const {
  return isDouble();
}
float MString::asFloat() const {
  return static_cast<float>(asDouble());
}
bool MString::isDouble() const {
  double v;
  return parseDouble(text_, v);
}
double MString::asDouble() const {
  double v = 0.0;
  return parseDouble(text_, v) ? v : 0.0;
}

MString operator+(const char* text, const MString& other) {
  return MString(text) + other;
}
std::ostream& operator<<(std::ostream& out, const MString& text) {
  return out << text.asChar();
}

OPENMAYA_NAMESPACE_CLOSE
