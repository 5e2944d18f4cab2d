#include "scene/SceneParser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "scene/AddAttrStatement.h"
#include "scene/AttributePath.h"
#include "scene/NonFiniteNumbers.h"
#include "scene/ReferenceStatement.h"
#include "scene/SceneUnits.h"
#include "scene/StatementVocabulary.h"
#include "scene/StatementWords.h"

namespace minihost::scenefile {
namespace {

// Warnings of one kind after the first few are counted, not kept: a file of two million unknown
// statements gives a short log.
constexpr unsigned kWarningsPerKind = 5;
// A word the file wrote that reaches a warning is cut to this many bytes.
constexpr size_t kQuotedWordBytes = 64;

std::string shortened(std::string_view text) {
  if (text.size() <= kQuotedWordBytes)
    return std::string(text);
  return std::string(text.substr(0, kQuotedWordBytes)) + "... (" + std::to_string(text.size()) +
         " bytes)";
}

// What the first statement of a scene without the header comment starts with: a command of
// the scene vocabulary. Text that starts otherwise is not a scene, even if it reads as MEL.
bool isSceneCommand(const TokenView& token) {
  return token.kind == TokenKind::kWord && commandOf(token.text) != Command::kOther;
}

bool isCurveOrMeshType(const std::string& type) {
  return type == "mesh" || type == "animCurveTL" || type == "animCurveTA" ||
         type == "animCurveTU" || type == "animCurveTT";
}

// A std::string made to hold `text`: emptied and appended to, which costs half of what the
// general replace of an assignment does for the short names of a file.
void fill(std::string& to, std::string_view text) {
  to.clear();
  to.append(text.data(), text.size());
}

// A name as the host keeps it: ":name", in the root namespace, is "name".
std::string withoutRootColon(std::string_view name) {
  if (!name.empty() && name[0] == ':')
    name.remove_prefix(1);
  return std::string(name);
}

class Parser {
 public:
  Parser(SceneLexer& lexer, SceneDescription& out) : lexer_(lexer), out_(out) {}

  ParseResult run() {
    // Arrays may together hold as many elements as the file has bytes (each element takes at
    // least two), plus a little for the smallest files.
    elementBudget_ = lexer_.size() > 0 ? static_cast<long long>(std::min<std::uint64_t>(
                                             lexer_.size(), std::uint64_t(1) << 40)) +
                                             4096
                                       : std::numeric_limits<long long>::max();
    bool first = true;
    while (advance()) {
      if (first) {
        first = false;
        // A file that starts with neither the host's header nor a command is not a scene.
        if (!lexer_.sawHeader() && !isSceneCommand(tok_)) {
          fail(tok_.line,
               "not a Maya ASCII scene: it starts with neither the header comment "
               "nor a command");
          break;
        }
      }
      if (tok_.kind == TokenKind::kSemicolon)
        continue;
      if (tok_.kind != TokenKind::kWord) {
        warn(tok_.line, "skipped a statement that starts with '" + std::string(tok_.text) + "'",
             "skipped statements");
        if (!skipStatement())
          break;
        continue;
      }
      if (!statement(commandOf(tok_.text), tok_.line))
        break;
    }
    if (first && lexer_.error().empty() && !lexer_.sawHeader())
      fail(1, "not a Maya ASCII scene: it holds no statement and no header comment");
    summariseWarnings();
    ParseResult result;
    if (!lexer_.error().empty()) {
      result.error = where(lexer_.errorLine()) + lexer_.error();
    } else if (!error_.empty()) {
      result.error = error_;
    } else {
      result.ok = true;
    }
    return result;
  }

 private:
  bool advance() { return lexer_.next(tok_); }

  std::string where(LineNumber line) const {
    return out_.fileName + ":" + std::to_string(line) + ": ";
  }

  bool fail(LineNumber line, const std::string& message) {
    if (error_.empty())
      error_ = where(line) + message;
    return false;
  }

  void warn(LineNumber line, const std::string& text, const char* kind) {
    auto it = std::find_if(kinds_.begin(), kinds_.end(),
                           [&](const KindCount& k) { return k.kind == kind; });
    if (it == kinds_.end())
      it = kinds_.insert(kinds_.end(), KindCount{kind, 0, 0});
    if (++it->count <= kWarningsPerKind)
      out_.warnings.push_back(Warning{line, text});
    it->lastLine = line;
  }

  void summariseWarnings() {
    for (const KindCount& k : kinds_) {
      if (k.count > kWarningsPerKind)
        out_.warnings.push_back(Warning{k.lastLine, std::to_string(k.count - kWarningsPerKind) +
                                                        " more " + k.kind + " like the above"});
    }
  }

  // Skips to the end of the statement: a ';' outside brackets, or the '}' that closes a block.
  bool skipStatement() {
    int parens = 0, braces = 0;
    for (;;) {
      switch (tok_.kind) {
        case TokenKind::kOpenParen:
          ++parens;
          break;
        case TokenKind::kCloseParen:
          --parens;
          break;
        case TokenKind::kOpenBrace:
          ++braces;
          break;
        case TokenKind::kCloseBrace:
          if (--braces <= 0 && parens <= 0)
            return true;
          break;
        case TokenKind::kSemicolon:
          if (parens <= 0 && braces <= 0)
            return true;
          break;
        case TokenKind::kEnd:
          return lexer_.error().empty() && braces <= 0 && parens <= 0
                     ? true
                     : fail(tok_.line, "the file ends inside a statement");
        default:
          break;
      }
      if (!advance() && tok_.kind == TokenKind::kEnd) {
        if (!lexer_.error().empty())
          return false;
        if (braces > 0 || parens > 0)
          return fail(tok_.line, "the file ends inside a statement");
        return true;
      }
    }
  }

  // The words and strings of a short statement, up to its ';', kept in `args` unless it is null
  // (a statement the scene does not need).
  bool arguments(StatementWords* args, LineNumber line) {
    if (args)
      args->clear();
    while (nextArgument(line)) {
      if (tok_.kind == TokenKind::kSemicolon)
        return true;
      if (args)
        args->add(tok_);
    }
    return false;
  }

  // Reads the statement's next token: a word or a string, or the ';' that ends it. Anything
  // else, or the file's end, is said (`within` names where) and answers false.
  bool nextArgument(LineNumber line, const char* within = "") {
    if (!advance())
      return fail(line, "the file ends inside a statement");
    if (tok_.kind == TokenKind::kSemicolon || tok_.kind == TokenKind::kWord ||
        tok_.kind == TokenKind::kString)
      return true;
    return fail(tok_.line, "unexpected '" + std::string(tok_.text) + "'" + within);
  }

  // The statement whose command word is the current token.
  bool statement(Command command, LineNumber line) {
    switch (command) {
      case Command::kSetAttr:
        return setAttr(line);
      case Command::kCreateNode:
        return createNode(line);
      case Command::kConnectAttr:
        return connectAttr(line);
      case Command::kSelect:
        return select(line);
      case Command::kCurrentUnit:
        return currentUnit(line);
      case Command::kRequires:
        return requiresStatement(line);
      case Command::kAddAttr:
        return addAttr(line);
      case Command::kTakenAsWritten:
        return arguments(nullptr, line);
      case Command::kFile: {
        if (!arguments(&args_, line))
          return false;
        ReferenceEntry entry;
        std::string problem;
        if (readReferenceStatement(args_, line, entry, problem))
          out_.references.push_back(std::move(entry));
        else
          warn(line, problem + "; the statement is left out", "file statements left out");
        return true;
      }
      case Command::kParent:
        if (!arguments(&args_, line))
          return false;
        warn(line, "instancing (parent -add) is not supported; the instance is left out",
             "instances");
        return true;
      case Command::kOther:
        break;
    }
    warn(line,
         "skipped command '" + shortened(tok_.text) + "': a scene file is read as data, not run",
         "skipped commands");
    return skipStatement();
  }

  bool addAttr(LineNumber line) {
    if (!arguments(&args_, line))
      return false;
    if (current_ < 0) {
      warn(line, "addAttr before any createNode or select is ignored",
           "addAttr statements without a node");
      return true;
    }
    AttrAddition addition;
    addition.node = current_;
    addition.line = line;
    std::string problem;
    if (readAddAttrStatement(args_, addition.request, problem))
      out_.additions.push_back(std::move(addition));
    else
      warn(line, "addAttr " + problem + "; the attribute is left out",
           "addAttr statements left out");
    return true;
  }

  bool requiresStatement(LineNumber line) {
    if (!arguments(&args_, line))
      return false;
    for (size_t i = 0; i + 1 < args_.size(); ++i) {
      const StatementWord a = args_[i];
      if (a.kind == TokenKind::kWord && (sameWord(a.text, "-nodeType") || sameWord(a.text, "-nt")))
        out_.pluginNodeTypes.emplace_back(args_[i + 1].text);
    }
    return true;
  }

  bool currentUnit(LineNumber line) {
    if (!arguments(&args_, line))
      return false;
    for (size_t i = 0; i + 1 < args_.size(); i += 2) {
      const std::string flag(args_[i].text);
      const std::string value(args_[i + 1].text);
      bool known = true;
      if (flag == "-l" || flag == "-linear") {
        known = linearUnitScale(value, out_.units.centimetresPerUnit);
        if (known)
          out_.units.linearName = value;
      } else if (flag == "-a" || flag == "-angle") {
        known = angleUnitScale(value, out_.units.radiansPerUnit);
        if (known)
          out_.units.angleName = value;
      } else if (flag == "-t" || flag == "-time") {
        known = timeUnitRate(value, out_.units.framesPerSecond);
        if (known)
          out_.units.timeName = value;
      } else {
        continue;
      }
      if (!known)
        return fail(line, "unknown unit \"" + value + "\" for currentUnit " + flag);
      out_.unitsGiven = true;
    }
    return true;
  }

  // The entry is made in its place at the end of the list, and taken off again on a fault.
  bool createNode(LineNumber line) {
    NodeEntry& entry = out_.nodes.emplace_back();
    if (!readCreateNode(entry, line)) {
      out_.nodes.pop_back();
      return false;
    }
    setCurrent(entry);
    return true;
  }

  // Tens of thousands of createNode statements: their words are taken as they are read rather
  // than collected first, and only the type and the -p texts are kept until the ';'. What the
  // statement says takes effect, and a fault of its words is reported, once it has read whole,
  // so that a fault of its syntax is the one reported wherever it falls.
  bool readCreateNode(NodeEntry& entry, LineNumber line) {
    entry.line = line;
    args_.clear();  // the type words; the last of them is the type
    parents_.clear();
    std::string problem;
    const char* wantsValue = nullptr;  // the flag, as written, whose value is the next word
    for (;;) {
      if (!nextArgument(line))
        return false;
      if (tok_.kind == TokenKind::kSemicolon)
        break;
      if (!problem.empty())
        continue;
      const std::string_view a = tok_.text;
      if (wantsValue) {
        if (wantsValue[1] != 'n')
          parents_.add(tok_);
        else if (!out_.setName(entry, a))
          problem = "the file's node names pass 4 GB";
        wantsValue = nullptr;
        continue;
      }
      const bool flag = tok_.kind == TokenKind::kWord && a.size() > 1 && a[0] == '-';
      if (!flag) {
        // An empty type is no type: a word after it is taken in its place.
        if (args_.size() > 0 && !args_[args_.size() - 1].text.empty())
          problem = "createNode takes one node type";
        else
          args_.add(tok_);
      } else if (sameWord(a, "-s") || sameWord(a, "-shared")) {
        entry.shared = true;
      } else if (sameWord(a, "-ss") || sameWord(a, "-skipSelect")) {
      } else if (const char* valued = valuedCreateNodeFlag(a)) {
        wantsValue = valued;
      } else {
        problem = "createNode does not take " + std::string(a);
      }
    }
    if (wantsValue)
      problem = std::string("createNode ") + wantsValue + " needs a value";
    for (size_t i = 0; i < parents_.size(); ++i) {
      if (!out_.setParent(entry, parents_[i].text))
        return fail(line, "the file's parent names pass 4 GB");
    }
    if (!problem.empty())
      return fail(line, problem);
    if (args_.size() == 0 || args_[args_.size() - 1].text.empty())
      return fail(line, "createNode needs a node type");
    entry.typeIndex = typeIndex(args_[args_.size() - 1].text);
    return true;
  }

  // createNode's flags that take a value, as written; null for others.
  static const char* valuedCreateNodeFlag(std::string_view flag) {
    for (const char* name : {"-n", "-name", "-p", "-parent"}) {
      if (flag == name)
        return name;
    }
    return nullptr;
  }

  // The type's place in the file's list of type names, added on first use. A file names a few
  // types for thousands of nodes: while they are few, a look along the list finds one without
  // making a key.
  int typeIndex(std::string_view type) {
    constexpr size_t kLookedAlong = 32;
    if (out_.nodeTypes.size() <= kLookedAlong) {
      for (size_t i = 1; i < out_.nodeTypes.size(); ++i) {
        const std::string& known = out_.nodeTypes[i];
        if (known.size() == type.size() && std::memcmp(known.data(), type.data(), type.size()) == 0)
          return static_cast<int>(i);
      }
    }
    word_.assign(type.data(), type.size());
    auto known = typeIndices_.find(word_);
    if (known != typeIndices_.end())
      return known->second;
    const int index = static_cast<int>(out_.nodeTypes.size());
    out_.nodeTypes.push_back(word_);
    typeIndices_.emplace(word_, index);
    return index;
  }

  bool select(LineNumber line) {
    if (!arguments(&args_, line))
      return false;
    std::string_view name;
    for (size_t i = 0; i < args_.size(); ++i) {
      const StatementWord a = args_[i];
      if (a.kind == TokenKind::kWord && a.text.size() > 1 && a.text[0] == '-')
        continue;
      name = a.text;
    }
    if (name.empty())
      return fail(line, "select names no node");
    // ":name", in the root namespace, is "name".
    if (name[0] == ':')
      name.remove_prefix(1);
    NodeEntry& entry = out_.nodes.emplace_back();
    if (!out_.setName(entry, name)) {
      out_.nodes.pop_back();
      return fail(line, "the file's node names pass 4 GB");
    }
    entry.line = line;
    setCurrent(entry);
    return true;
  }

  // The entry just added is the node the next statements set; its type is kept with it, so that
  // a setting need not look the entry up again.
  void setCurrent(const NodeEntry& entry) {
    current_ = static_cast<int>(out_.nodes.size()) - 1;
    currentType_ = entry.typeIndex;
  }

  bool connectAttr(LineNumber line) {
    if (!arguments(&args_, line))
      return false;
    Link link;
    link.line = line;
    std::string_view plugs[2];
    size_t plugCount = 0;
    for (size_t i = 0; i < args_.size(); ++i) {
      const StatementWord a = args_[i];
      if (a.kind == TokenKind::kWord && a.text.size() > 1 && a.text[0] == '-' &&
          !std::isdigit(static_cast<unsigned char>(a.text[1]))) {
        if (sameWord(a.text, "-na") || sameWord(a.text, "-nextAvailable"))
          link.nextAvailable = true;
        else if (sameWord(a.text, "-l") || sameWord(a.text, "-lock"))
          ++i;  // on/off
        continue;
      }
      if (plugCount < 2)
        plugs[plugCount] = a.text;
      ++plugCount;
    }
    if (plugCount != 2)
      return fail(line, "connectAttr needs a source and a destination");
    link.source = withoutRootColon(plugs[0]);
    link.destination = withoutRootColon(plugs[1]);
    out_.links.push_back(std::move(link));
    return true;
  }

  // A parenthesised sum of strings, as long texts are written: ( "a" + "b" ).
  bool stringSum(std::string& out, LineNumber line) {
    out.clear();
    bool wantString = true;
    for (;;) {
      if (!advance())
        return fail(line, "the file ends inside a statement");
      if (tok_.kind == TokenKind::kCloseParen && !wantString)
        return true;
      if (wantString && tok_.kind == TokenKind::kString) {
        out += tok_.text;
        wantString = false;
      } else if (!wantString && tok_.kind == TokenKind::kWord && tok_.text == "+") {
        wantString = true;
      } else {
        return fail(tok_.line, "unexpected '" + std::string(tok_.text) + "' in a string value");
      }
    }
  }

  // A braced list of strings, as attribute aliases are written: {"pCube2","weight[0]"}.
  bool braceList(std::vector<std::string>& out, LineNumber line) {
    for (;;) {
      if (!advance())
        return fail(line, "the file ends inside a statement");
      if (tok_.kind == TokenKind::kCloseBrace)
        return true;
      if (tok_.kind == TokenKind::kString)
        out.emplace_back(tok_.text);
      else if (tok_.kind != TokenKind::kWord || tok_.text != ",")
        return fail(tok_.line, "unexpected '" + std::string(tok_.text) + "' in a list value");
    }
  }

  bool polyFaces(AttrSetting& value, LineNumber line) {
    std::vector<int>& data = value.integers();
    int expect = 0;  // numbers still owed to the current record
    bool haveFace = false;
    for (;;) {
      if (!advance())
        return fail(line, "the file ends inside a statement");
      if (tok_.kind == TokenKind::kSemicolon)
        break;
      if (tok_.kind != TokenKind::kWord)
        return fail(tok_.line, "unexpected '" + std::string(tok_.text) + "' in polyFaces");
      int n = 0;
      if (expect > 0) {
        if (!parseInteger(tok_.text, n))
          return fail(tok_.line,
                      "expected a number in polyFaces, found '" + std::string(tok_.text) + "'");
        data.push_back(n);
        --expect;
        continue;
      }
      const std::string_view tag = tok_.text;  // used before the token moves on
      int skip = 0;  // leading numbers before the count: the UV or colour set
      int keepTag = -1;
      if (tag == "f") {
        keepTag = kFaceTag;
        haveFace = true;
      } else if (tag == "h") {
        keepTag = kHoleTag;
      } else if (tag == "mu") {
        keepTag = kUVTag;
        skip = 1;
      } else if (tag == "mc" || tag == "mf") {
        skip = tag == "mc" ? 1 : 0;
      } else if (tag == "fc") {
      } else {
        return fail(tok_.line, "unknown polyFaces record '" + std::string(tag) + "'");
      }
      if (keepTag != kFaceTag && !haveFace)
        return fail(tok_.line, "polyFaces record '" + std::string(tag) + "' before any face");
      if (keepTag >= 0)
        data.push_back(keepTag);
      int set = 0;
      if (skip == 1) {
        if (!advance() || !parseInteger(tok_.text, set) || set < 0)
          return fail(tok_.line, "expected a set index in polyFaces");
        if (keepTag >= 0)
          data.push_back(set);
      }
      if (!advance() || !parseInteger(tok_.text, n) || n < 0)
        return fail(tok_.line, "expected a count in polyFaces");
      if (keepTag >= 0) {
        data.push_back(n);
        expect = n;
      } else {
        // Skipped records: read their numbers without keeping them.
        for (int i = 0; i < n; ++i) {
          int ignored = 0;
          if (!advance() || !parseInteger(tok_.text, ignored))
            return fail(tok_.line, "expected a number in polyFaces");
        }
      }
    }
    if (expect > 0)
      return fail(line, "polyFaces value ends inside a record");
    return true;
  }

  // "-type", "-s": a '-' and a letter; "-1" and "-0.5" are numbers, and so are "-inf" and
  // "-nan", the only flag-shaped words that can be.
  // Words are ASCII (the lexer refuses other bytes outside strings): letters are told without
  // the locale.
  static bool isFlagWord(std::string_view text) {
    if (text.size() < 2 || text[0] != '-')
      return false;
    const char second = static_cast<char>(text[1] | 0x20);  // lower case, for a letter
    if (second < 'a' || second > 'z')
      return false;
    double unused = 0.0;
    return (second != 'i' && second != 'n') || !parseNonFiniteNumber(text, unused);
  }

  // One setAttr flag, the current token, with its value if it takes one.
  bool setAttrFlag(AttrSetting& value, LineNumber line) {
    const SetAttrFlagName* named = setAttrFlagOf(tok_.text.substr(1));
    if (!named)
      return fail(tok_.line, "setAttr does not take " + std::string(tok_.text));
    const SetAttrFlag flag = named->flag;
    if (flag == SetAttrFlag::kNoValue)
      return true;
    // The token moves on to the value: the message names the flag by the table's copy.
    if (!advance() || (tok_.kind != TokenKind::kWord && tok_.kind != TokenKind::kString))
      return fail(line, "setAttr -" + std::string(named->name) + " needs a value");
    if (flag == SetAttrFlag::kType) {
      dataType_ = dataTypeOf(tok_.text);
    } else if (flag == SetAttrFlag::kSize) {
      if (!parseInteger(tok_.text, value.sizeHint) || value.sizeHint < 0)
        return fail(tok_.line, "setAttr -s needs a count");
    } else if (flag == SetAttrFlag::kLock) {
      double on = 0.0;
      if (!parseBoolWord(tok_.text, on) && !parseNumber(tok_.text, on))
        return fail(tok_.line, "setAttr -l needs on or off");
      value.lock = static_cast<int8_t>(on != 0.0 ? 1 : 0);
    }
    return true;
  }

  // Room for the values a large array announces with -s, so that reading it does not copy it
  // over and over; the count is the file's word, so the room it can claim is bounded.
  void reserveFor(AttrSetting& value, bool integers) {
    constexpr long long kMaxReserved = 1LL << 24;
    if (value.sizeHint <= 0)
      return;
    long long per = dataType_ == DataType::kPolyFaces ? 6 : 3;
    // Each value takes at least two bytes of what is left of the file.
    const long long left = static_cast<long long>(
        std::min<std::uint64_t>(lexer_.remaining() / 2, static_cast<std::uint64_t>(kMaxReserved)));
    long long want = std::min({static_cast<long long>(value.sizeHint) * per, kMaxReserved, left});
    if (integers || dataType_ == DataType::kPolyFaces)
      value.integers().reserve(static_cast<size_t>(want));
    else if (value.attribute.compare(0, 3, "vt[") == 0 || value.attribute.compare(0, 2, "n[") == 0)
      numbers_.reserve(static_cast<size_t>(want));
  }

  // Hands the statement's numbers to its value. Nearly every statement has a few: they are
  // copied into the value (one in place, more in a vector of their own size), and the parser's
  // vector, already grown, serves the next statement. A long array whose vector is mostly full
  // moves over as it is.
  void keepNumbers(AttrSetting& value) {
    constexpr size_t kCopiedNumbers = 4096;
    if (numbers_.size() > kCopiedNumbers && numbers_.capacity() / 2 <= numbers_.size())
      value.numbers.assign(std::move(numbers_));
    else
      value.numbers.assign(numbers_.data(), numbers_.data() + numbers_.size());
    if (numbers_.capacity() > kCopiedNumbers)
      std::vector<double>().swap(numbers_);  // room a large array claimed is not kept
    numbers_.clear();
  }

  // "-nan(ind)": the lexer ends the word at '('; the part in brackets says nothing more.
  bool followsNan(const AttrSetting& value) const {
    return !numbers_.empty() && std::isnan(numbers_.back()) && value.texts().empty();
  }
  bool skipNanPayload(LineNumber line) {
    if (!advance() || tok_.kind != TokenKind::kWord || !advance() ||
        tok_.kind != TokenKind::kCloseParen)
      return fail(line, "unexpected text after nan");
    return true;
  }

  // A reference node's edits keep their words and strings in order, as data for the loader.
  bool referenceEdits(const AttrSetting& value, LineNumber line) {
    ReferenceEdits edits;
    edits.refNode = std::string(out_.nameOf(out_.nodes[static_cast<size_t>(value.node)]));
    edits.line = line;
    for (;;) {
      if (!nextArgument(line, " in reference edits"))
        return false;
      if (tok_.kind == TokenKind::kSemicolon)
        break;
      edits.tokens.add(tok_.text, tok_.kind == TokenKind::kString);
    }
    edits.tokens.shrinkToFit();  // kept until the references are built
    out_.referenceEdits.push_back(std::move(edits));
    return true;
  }

  bool setAttr(LineNumber line) {
    if (current_ < 0) {
      // Without a current node there is nothing to set; the statement is read and dropped.
      warn(line, "setAttr before any createNode or select is ignored",
           "setAttr statements without a node");
      return skipStatement();
    }
    // The value is read in its place at the end of the list, so that it is not moved there; a
    // statement that sets nothing (reference edits, or a fault) takes it off again.
    AttrSetting& value = out_.values.emplace_back();
    bool kept = false;
    const bool read = readSetAttr(value, line, kept);
    if (!kept)
      out_.values.pop_back();
    return read;
  }

  bool readSetAttr(AttrSetting& value, LineNumber line, bool& kept) {
    dataType_ = DataType::kPlain;
    numbers_.clear();
    value.node = current_;
    value.line = line;
    bool haveName = false;
    for (;;) {
      if (!advance())
        return fail(line, "the file ends inside a statement");
      if (tok_.kind == TokenKind::kSemicolon)
        return fail(line, "setAttr names no attribute");
      if (tok_.kind == TokenKind::kString) {
        const bool dot = !tok_.text.empty() && tok_.text[0] == '.';
        const std::string_view name = tok_.text.substr(dot ? 1 : 0);
        fill(value.attribute, name);
        haveName = !tok_.text.empty();
        break;
      }
      if (!isFlagWord(tok_.text))
        return fail(tok_.line, "unexpected '" + std::string(tok_.text) + "' in setAttr");
      if (!setAttrFlag(value, line))
        return false;
    }
    if (!haveName)
      return fail(line, "setAttr names no attribute");
    // Edge lists are the largest integer data of a mesh.
    const std::string_view attribute(value.attribute);
    const bool integers = sameWord(attribute.substr(0, 3), "ed[") || sameWord(attribute, "ed");
    reserveFor(value, integers);
    if (dataType_ == DataType::kReferenceEdits)
      return referenceEdits(value, line);
    for (;;) {
      if (dataType_ == DataType::kPolyFaces) {
        if (!polyFaces(value, line))
          return false;
        break;
      }
      if (!advance())
        return fail(line, "the file ends inside a statement");
      if (tok_.kind == TokenKind::kSemicolon)
        break;
      if (tok_.kind == TokenKind::kWord) {
        if (isFlagWord(tok_.text) && numbers_.empty() && !value.hasIntegersOrTexts()) {
          // Flags may follow the attribute's name: setAttr ".b" -type "string" "...".
          if (!setAttrFlag(value, line))
            return false;
          if (dataType_ == DataType::kReferenceEdits)
            return referenceEdits(value, line);
          continue;
        }
        double number = 0.0;
        int whole = 0;
        const std::string_view word = tok_.text;
        if (integers && parseInteger(word, whole)) {
          value.integers().push_back(whole);
        } else if (parseShortDecimal(word.data(), word.data() + word.size(), number) ||
                   parseBoolWord(word, number) || parseLongNumber(word, number)) {
          numbers_.push_back(number);
        } else {
          value.texts().emplace_back(tok_.text);
        }
      } else if (tok_.kind == TokenKind::kString) {
        value.texts().emplace_back(tok_.text);
      } else if (tok_.kind == TokenKind::kOpenParen && followsNan(value)) {
        if (!skipNanPayload(line))
          return false;
      } else if (tok_.kind == TokenKind::kOpenParen) {
        std::string text;
        if (!stringSum(text, line))
          return false;
        value.texts().push_back(std::move(text));
      } else if (tok_.kind == TokenKind::kOpenBrace) {
        if (!braceList(value.texts(), line))
          return false;
      } else {
        return fail(tok_.line, "unexpected '" + std::string(tok_.text) + "' in setAttr");
      }
    }
    if (!chargeElements(value, line))
      return false;
    value.curveData = dataType_ == DataType::kNurbsCurve;
    keepNumbers(value);
    kept = true;
    return true;
  }

  struct KindCount {
    std::string kind;
    std::uint64_t count = 0;
    LineNumber lastLine = 0;
  };

  // Arrays the reader keeps (a mesh's points, edges, normals and UVs, a curve's keys) grow to
  // the highest index the file names, and so does the list of a mesh's UV sets (each set
  // counted as 16 elements: it holds a name and a list of its own). All of them together may
  // hold no more elements than the budget: a few bytes naming a far index must not claim
  // gigabytes.
  bool chargeElements(const AttrSetting& value, LineNumber line) {
    if (!keepsArrays(currentType_))  // the value's node is the current one
      return true;
    if (value.attribute.find('[') == std::string::npos)
      return true;  // no index, nothing to charge
    bool tooLarge = false;
    if (!parseAttributePath(value.attribute, path_, &tooLarge))
      return tooLarge ? fail(line, "." + value.attribute + ": index out of range") : true;
    std::string key = std::to_string(value.node) + ":";
    for (size_t i = 0; i < path_.size(); ++i) {
      const PathSegment& seg = path_[i];
      key += seg.name;
      if (seg.indexed) {
        const long long weight = i + 1 < path_.size() ? 16 : 1;
        long long& extent = extents_[key];
        const long long end = seg.last + 1;
        if (end > extent) {
          if ((end - extent) * weight > elementBudget_) {
            return fail(line, "." + value.attribute +
                                  ": index out of range (the file is too short to hold so many "
                                  "elements)");
          }
          elementBudget_ -= (end - extent) * weight;
          extent = end;
        }
        key += "[" + std::to_string(seg.first) + "]";
      }
      key += ".";
    }
    return true;
  }

  // Whether nodes of the type keep arrays: worked out once per type the file names.
  bool keepsArrays(int typeIndex) {
    const size_t at = static_cast<size_t>(typeIndex);
    if (at >= arrayTypes_.size())
      arrayTypes_.resize(out_.nodeTypes.size(), kUnknownType);
    if (arrayTypes_[at] == kUnknownType)
      arrayTypes_[at] = isCurveOrMeshType(out_.nodeTypes[at]) ? 1 : 0;
    return arrayTypes_[at] == 1;
  }

  SceneLexer& lexer_;
  SceneDescription& out_;
  static constexpr signed char kUnknownType = -1;
  std::vector<signed char> arrayTypes_;  // by type index: 1, 0 or kUnknownType
  std::vector<KindCount> kinds_;
  std::vector<PathSegment> path_;
  std::unordered_map<std::string, long long> extents_;
  long long elementBudget_ = 0;
  TokenView tok_;
  StatementWords args_;
  StatementWords parents_;  // a createNode's -p texts
  std::string word_;        // a word of the current statement, copied where a std::string is wanted
  int current_ = -1;
  int currentType_ = 0;                               // the current node's type index
  DataType dataType_ = DataType::kPlain;              // the current setAttr's -type
  std::vector<double> numbers_;                       // the current setAttr's numbers
  std::unordered_map<std::string, int> typeIndices_;  // of out_.nodeTypes
  std::string error_;
};

}  // namespace

ParseResult parseScene(SceneLexer& lexer, SceneDescription& out) {
  return Parser(lexer, out).run();
}

}  // namespace minihost::scenefile
