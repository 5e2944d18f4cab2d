#include "mel/Lexer.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>

namespace mel {

namespace {

bool isNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Characters that end a bare command word.
bool endsWord(char c) {
  return c == '\0' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ';' || c == '`' ||
         c == '"' || c == '(' || c == ')' || c == '{' || c == '}' || c == ',';
}

// The whole text is a MEL number: optional sign, digits, optional fraction and exponent.
bool parseNumberWord(const std::string& text, Token& token) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    ++i;
  }
  bool digits = false;
  bool isFloat = false;
  while (i < text.size() && isDigit(text[i])) {
    ++i;
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    isFloat = true;
    ++i;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      digits = true;
    }
  }
  if (!digits) {
    return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < text.size() && (text[e] == '-' || text[e] == '+')) {
      ++e;
    }
    if (e >= text.size() || !isDigit(text[e])) {
      return false;
    }
    while (e < text.size() && isDigit(text[e])) {
      ++e;
    }
    isFloat = true;
    i = e;
  }
  if (i != text.size()) {
    return false;
  }
  if (isFloat) {
    token.kind = TokenKind::kFloat;
    token.floatValue = std::strtod(text.c_str(), nullptr);
  } else {
    errno = 0;
    long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || v > 2147483647LL || v < -2147483648LL) {
      // Too large for an int: MEL keeps it as a float rather than wrapping.
      token.kind = TokenKind::kFloat;
      token.floatValue = std::strtod(text.c_str(), nullptr);
    } else {
      token.kind = TokenKind::kInt;
      token.intValue = v;
    }
  }
  return true;
}

}  // namespace

bool Lexer::skipBlanksAndComments(Token& errorOut) {
  std::size_t start = pos_;
  while (!atEnd()) {
    char c = peek();
    if (c == '\n') {
      ++line_;
      ++pos_;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
      ++pos_;
    } else if (c == '/' && peek(1) == '/') {
      while (!atEnd() && peek() != '\n') {
        ++pos_;
      }
    } else if (c == '/' && peek(1) == '*') {
      int startLine = line_;
      pos_ += 2;
      while (!atEnd() && !(peek() == '*' && peek(1) == '/')) {
        if (peek() == '\n') {
          ++line_;
        }
        ++pos_;
      }
      if (atEnd()) {
        errorOut.kind = TokenKind::kError;
        errorOut.text = "Unterminated comment";
        errorOut.line = startLine;
        return pos_ != start;
      }
      pos_ += 2;
    } else {
      break;
    }
  }
  return pos_ != start;
}

Token Lexer::next() {
  Token token;
  token.offset = pos_;
  token.line = line_;
  bool space = skipBlanksAndComments(token);
  if (token.kind == TokenKind::kError) {
    return token;
  }
  token.spaceBefore = space;
  token.line = line_;
  token.offset = pos_;
  if (atEnd()) {
    token.kind = TokenKind::kEnd;
    return token;
  }
  char c = peek();
  if (c == '$') {
    ++pos_;
    std::size_t begin = pos_;
    while (!atEnd() && isNameChar(peek())) {
      ++pos_;
    }
    if (pos_ == begin) {
      token.kind = TokenKind::kError;
      token.text = "Syntax error: '$' without a variable name";
      return token;
    }
    token.kind = TokenKind::kVariable;
    token.text = std::string(source_.substr(begin, pos_ - begin));
    return token;
  }
  if (isNameStart(c)) {
    std::size_t begin = pos_;
    while (!atEnd() && isNameChar(peek())) {
      ++pos_;
    }
    token.kind = TokenKind::kIdentifier;
    token.text = std::string(source_.substr(begin, pos_ - begin));
    return token;
  }
  if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
    return scanNumber(token);
  }
  if (c == '"') {
    return scanString(token);
  }
  if (c == '`') {
    ++pos_;
    token.kind = TokenKind::kBacktick;
    token.text = "`";
    return token;
  }
  return scanPunct(token);
}

Token Lexer::scanNumber(Token token) {
  std::size_t begin = pos_;
  if (peek() == '0' && (peek(1) == 'x' || peek(1) == 'X') &&
      std::isxdigit(static_cast<unsigned char>(peek(2)))) {
    pos_ += 2;
    while (!atEnd() && std::isxdigit(static_cast<unsigned char>(peek()))) {
      ++pos_;
    }
    std::string hex(source_.substr(begin, pos_ - begin));
    unsigned long long v = std::strtoull(hex.c_str(), nullptr, 16);
    token.kind = TokenKind::kInt;
    token.intValue = static_cast<long long>(static_cast<int>(static_cast<unsigned int>(v)));
    return token;
  }
  while (!atEnd() && isDigit(peek())) {
    ++pos_;
  }
  if (peek() == '.') {
    ++pos_;
    while (!atEnd() && isDigit(peek())) {
      ++pos_;
    }
  }
  if ((peek() == 'e' || peek() == 'E') &&
      (isDigit(peek(1)) || ((peek(1) == '-' || peek(1) == '+') && isDigit(peek(2))))) {
    pos_ += 2;
    while (!atEnd() && isDigit(peek())) {
      ++pos_;
    }
  }
  std::string text(source_.substr(begin, pos_ - begin));
  parseNumberWord(text, token);
  token.text = text;
  return token;
}

Token Lexer::scanString(Token token) {
  int startLine = line_;
  ++pos_;  // opening quote
  std::string text;
  while (true) {
    if (atEnd()) {
      token.kind = TokenKind::kError;
      token.text = "Unterminated string";
      token.line = startLine;
      return token;
    }
    char c = peek();
    if (c == '"') {
      ++pos_;
      break;
    }
    if (c == '\n') {
      ++line_;
    }
    if (c == '\\' && pos_ + 1 < source_.size()) {
      char e = peek(1);
      pos_ += 2;
      switch (e) {
        case 'n':
          text += '\n';
          break;
        case 't':
          text += '\t';
          break;
        case 'r':
          text += '\r';
          break;
        case '\\':
          text += '\\';
          break;
        case '"':
          text += '"';
          break;
        case '\n':
          ++line_;  // an escaped line end continues the string
          break;
        default:
          text += e;
          break;
      }
      continue;
    }
    text += c;
    ++pos_;
  }
  token.kind = TokenKind::kString;
  token.text = std::move(text);
  return token;
}

Token Lexer::scanPunct(Token token) {
  static const char* const kThree[] = {"<<", ">>", "==", "!=", "<=", ">=", "&&",
                                       "||", "+=", "-=", "*=", "/=", "++", "--"};
  for (const char* op : kThree) {
    if (peek() == op[0] && peek(1) == op[1]) {
      pos_ += 2;
      token.kind = TokenKind::kPunct;
      token.text = op;
      return token;
    }
  }
  char c = peek();
  static const std::string kSingle = "+-*/%^=<>!?:;,.()[]{}";
  if (kSingle.find(c) != std::string::npos) {
    ++pos_;
    token.kind = TokenKind::kPunct;
    token.text = std::string(1, c);
    return token;
  }
  ++pos_;
  token.kind = TokenKind::kError;
  token.text = std::string("Syntax error: unexpected character '") + c + "'";
  return token;
}

Token Lexer::nextCommandArgument() {
  Token token;
  token.offset = pos_;
  token.line = line_;
  bool space = skipBlanksAndComments(token);
  if (token.kind == TokenKind::kError) {
    return token;
  }
  std::size_t start = pos_;
  int startLine = line_;
  char c = peek();
  // Anything that starts an expression or ends the command is scanned as an ordinary token.
  if (atEnd() || c == ';' || c == '$' || c == '(' || c == ')' || c == '{' || c == '}' || c == '`' ||
      c == '"' || c == ',' || (c == '<' && peek(1) == '<')) {
    pos_ = start;
    line_ = startLine;
    Token t = next();
    t.spaceBefore = space;
    return t;
  }
  token.spaceBefore = space;
  token.line = line_;
  token.offset = pos_;
  if (c == '-' && isNameStart(peek(1))) {
    ++pos_;
    while (!atEnd() && isNameChar(peek())) {
      ++pos_;
    }
    token.kind = TokenKind::kFlag;
    token.text = std::string(source_.substr(start, pos_ - start));
    return token;
  }
  while (!endsWord(peek())) {
    ++pos_;
  }
  // A character that ends a word without being one of the cases above (a NUL byte in the text)
  // would give an empty word forever; the expression scanner reports it instead.
  if (pos_ == start) {
    Token t = next();
    t.spaceBefore = space;
    return t;
  }
  token.text = std::string(source_.substr(start, pos_ - start));
  if (!parseNumberWord(token.text, token)) {
    token.kind = TokenKind::kWord;
  }
  return token;
}

}  // namespace mel
