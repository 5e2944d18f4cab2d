#include "MiniJson.h"

#include <cstdlib>

const JsonValue& JsonValue::operator[](const std::string& key) const {
  static const JsonValue missing;
  auto found = members.find(key);
  return found == members.end() ? missing : found->second;
}

namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  bool document(JsonValue& value, std::string& error) {
    skipSpace();
    bool ok = parseValue(value, 0) && (skipSpace(), pos_ == s_.size());
    if (!ok)
      error = "invalid JSON at byte " + std::to_string(pos_);
    return ok;
  }

 private:
  void skipSpace() {
    while (pos_ < s_.size() &&
           (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
      ++pos_;
  }
  bool literal(const char* word) {
    const std::string w(word);
    if (s_.compare(pos_, w.size(), w) != 0)
      return false;
    pos_ += w.size();
    return true;
  }

  bool parseValue(JsonValue& v, int depth) {
    if (depth > 200 || pos_ >= s_.size())
      return false;
    const char c = s_[pos_];
    if (c == '{')
      return parseObject(v, depth);
    if (c == '[')
      return parseArray(v, depth);
    if (c == '"') {
      v.type = JsonValue::Type::string;
      return parseString(v.text);
    }
    if (c == 't' || c == 'f') {
      v.type = JsonValue::Type::boolean;
      v.boolean = c == 't';
      return literal(c == 't' ? "true" : "false");
    }
    if (c == 'n') {
      v.type = JsonValue::Type::null;
      return literal("null");
    }
    return parseNumber(v);
  }

  bool parseNumber(JsonValue& v) {
    const std::size_t start = pos_;
    auto digits = [&] {
      std::size_t from = pos_;
      while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9')
        ++pos_;
      return pos_ > from;
    };
    if (pos_ < s_.size() && s_[pos_] == '-')
      ++pos_;
    if (pos_ < s_.size() && s_[pos_] == '0') {
      ++pos_;
    } else if (!digits()) {
      return false;
    }
    if (pos_ < s_.size() && s_[pos_] == '.') {
      ++pos_;
      if (!digits())
        return false;
    }
    if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
      ++pos_;
      if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-'))
        ++pos_;
      if (!digits())
        return false;
    }
    v.type = JsonValue::Type::number;
    v.number = std::strtod(s_.substr(start, pos_ - start).c_str(), nullptr);
    return true;
  }

  static void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool hex4(unsigned& code) {
    if (s_.size() - pos_ < 4)
      return false;
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char h = s_[pos_++];
      code <<= 4;
      if (h >= '0' && h <= '9')
        code |= static_cast<unsigned>(h - '0');
      else if (h >= 'a' && h <= 'f')
        code |= static_cast<unsigned>(h - 'a' + 10);
      else if (h >= 'A' && h <= 'F')
        code |= static_cast<unsigned>(h - 'A' + 10);
      else
        return false;
    }
    return true;
  }

  bool parseString(std::string& out) {
    ++pos_;  // the opening quote
    while (pos_ < s_.size()) {
      const auto c = static_cast<unsigned char>(s_[pos_]);
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (c < 0x20)
        return false;
      if (c == '\\') {
        if (++pos_ >= s_.size())
          return false;
        const char e = s_[pos_++];
        switch (e) {
          case '"':
            out += '"';
            break;
          case '\\':
            out += '\\';
            break;
          case '/':
            out += '/';
            break;
          case 'b':
            out += '\b';
            break;
          case 'f':
            out += '\f';
            break;
          case 'n':
            out += '\n';
            break;
          case 'r':
            out += '\r';
            break;
          case 't':
            out += '\t';
            break;
          case 'u': {
            unsigned code = 0;
            if (!hex4(code))
              return false;
            if (code >= 0xD800 && code <= 0xDBFF) {
              unsigned low = 0;
              if (!literal("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF)
                return false;
              code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            } else if (code >= 0xDC00 && code <= 0xDFFF) {
              return false;
            }
            appendUtf8(out, code);
            break;
          }
          default:
            return false;
        }
        continue;
      }
      // Raw bytes must be valid UTF-8.
      std::size_t n = c < 0x80                   ? 1
                      : (c >= 0xC2 && c <= 0xDF) ? 2
                      : (c >= 0xE0 && c <= 0xEF) ? 3
                      : (c >= 0xF0 && c <= 0xF4) ? 4
                                                 : 0;
      if (n == 0 || s_.size() - pos_ < n)
        return false;
      for (std::size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s_[pos_ + i]) & 0xC0) != 0x80)
          return false;
      }
      out.append(s_, pos_, n);
      pos_ += n;
    }
    return false;
  }

  bool parseArray(JsonValue& v, int depth) {
    v.type = JsonValue::Type::array;
    ++pos_;
    skipSpace();
    if (pos_ < s_.size() && s_[pos_] == ']') {
      ++pos_;
      return true;
    }
    for (;;) {
      skipSpace();
      v.items.emplace_back();
      if (!parseValue(v.items.back(), depth + 1))
        return false;
      skipSpace();
      if (pos_ >= s_.size())
        return false;
      if (s_[pos_] == ']') {
        ++pos_;
        return true;
      }
      if (s_[pos_++] != ',')
        return false;
    }
  }

  bool parseObject(JsonValue& v, int depth) {
    v.type = JsonValue::Type::object;
    ++pos_;
    skipSpace();
    if (pos_ < s_.size() && s_[pos_] == '}') {
      ++pos_;
      return true;
    }
    for (;;) {
      skipSpace();
      std::string key;
      if (pos_ >= s_.size() || s_[pos_] != '"' || !parseString(key))
        return false;
      if (v.members.count(key) != 0)
        return false;  // the tool never writes a key twice
      skipSpace();
      if (pos_ >= s_.size() || s_[pos_++] != ':')
        return false;
      skipSpace();
      if (!parseValue(v.members[key], depth + 1))
        return false;
      skipSpace();
      if (pos_ >= s_.size())
        return false;
      if (s_[pos_] == '}') {
        ++pos_;
        return true;
      }
      if (s_[pos_++] != ',')
        return false;
    }
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

}  // namespace

bool parseJson(const std::string& text, JsonValue& value, std::string& error) {
  value = JsonValue();
  return Parser(text).document(value, error);
}
