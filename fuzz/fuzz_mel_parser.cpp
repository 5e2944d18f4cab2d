// Feeds arbitrary text to the MEL lexer and parser. The first byte picks, bit by bit, whether
// the lexer is asked for expression tokens or command arguments, the way the parser switches
// between them; the rest is the source. Beyond the sanitizers' findings it checks that the lexer
// always moves forward and ends, and that the parser either builds a tree or names a line of
// the source for its error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "mel/GlobalTable.h"
#include "mel/Lexer.h"
#include "mel/Parser.h"

namespace {

void check(bool condition) {
  if (!condition)
    std::abort();
}

void lexAll(std::string_view source, std::uint8_t modes) {
  mel::Lexer lexer(source);
  std::size_t lastOffset = 0;
  // Every token but the end and an error consumes at least one byte, and a command argument
  // that stops at punctuation is followed by an expression token; more calls than that is a hang.
  const std::size_t limit = 2 * source.size() + 4;
  for (std::size_t call = 0; call < limit; ++call) {
    const bool argument = (modes >> (call % 8)) & 1;
    mel::Token token = argument ? lexer.nextCommandArgument() : lexer.next();
    if (token.kind == mel::TokenKind::kEnd || token.kind == mel::TokenKind::kError)
      return;
    check(token.offset <= source.size());
    check(token.offset >= lastOffset);
    lastOffset = token.offset;
    if (argument && token.kind == mel::TokenKind::kPunct) {
      token = lexer.next();
      if (token.kind == mel::TokenKind::kEnd || token.kind == mel::TokenKind::kError)
        return;
    }
  }
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::string_view source(reinterpret_cast<const char*>(data) + 1, size - 1);
  lexAll(source, data[0]);

  mel::GlobalTable globals;
  auto file = std::make_shared<const std::string>("fuzz.mel");
  mel::Parser parser(source, file, globals);
  std::unique_ptr<mel::Unit> unit = parser.parse();
  if (!unit) {
    check(!parser.error().message.empty());
    check(parser.error().line >= 1);
  }
  return 0;
}
