#pragma once
// What a scene file says, as data: the nodes it creates or reaches, the attribute values it
// sets, the connections it makes and the units its numbers are in. The parser fills it from
// the file's text; the builder turns it into scene nodes only once the whole file has parsed,
// so that a damaged file changes nothing. Values are in file order, so by node entry.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/AddAttrRequest.h"
#include "scene/ChunkedQueue.h"
#include "scene/SceneLexer.h"
#include "scene/ValueNumbers.h"

namespace minihost::scenefile {

// A node the file creates (createNode) or names as existing (select -ne). Its name and -p text
// are spans of texts the description keeps for all entries (SceneDescription::nameOf, parentOf):
// tens of thousands of entries then take 32 bytes each, and are released without a look at each.
struct NodeEntry {
  LineNumber line = 0;
  // Into SceneDescription::nodeTypes: a file names a few dozen types for thousands of nodes.
  // 0, the empty name, for a node reached by select -ne.
  int typeIndex = 0;
  // The name as written, without a leading ':', in SceneDescription::nameTexts.
  uint32_t nameAt = 0;
  uint32_t nameLength = 0;
  // -p, a name or a '|'-path, in SceneDescription::parentTexts; empty for the world.
  uint32_t parentAt = 0;
  uint32_t parentLength = 0;
  bool shared = false;  // -s: reuse the scene's node of that name when there is one
};

// A polyFaces value is kept in `integers` as records: a tag, then its numbers.
enum PolyFaceTag : int {
  kFaceTag = 0,  // count, then edges (negative: edge -1-e walked backwards)
  kHoleTag = 1,  // a hole in the face before it: count, then edges
  kUVTag = 2,    // UV set index, count, then one UV per corner of the face before it
};

// What a setAttr statement sets. A file holds one per attribute of tens of thousands of nodes,
// nearly all of them a few numbers: integer arrays and strings are kept apart, made only for
// the statements that have them.
struct AttrSetting {
  int node = -1;      // index into SceneDescription::nodes
  int sizeHint = -1;  // -s
  // 48 bits count more lines than any file holds; the flags take the rest of the word.
  LineNumber line : 48;
  int8_t lock = -1;        // -l: 1 locks, 0 unlocks; -1 when not given
  bool curveData = false;  // -type "nurbsCurve"
  std::string attribute;   // as written after the node's name, without the leading '.'
  ValueNumbers numbers;

  AttrSetting() : line(0) {}
  AttrSetting(AttrSetting&&) = default;
  AttrSetting& operator=(AttrSetting&&) = default;
  AttrSetting(const AttrSetting& other);
  AttrSetting& operator=(const AttrSetting& other);

  // Edge lists and polyFaces, kept as integers to save room.
  const std::vector<int>& integers() const { return rare_ ? rare_->integers : kNoIntegers; }
  std::vector<int>& integers() { return rare().integers; }
  const std::vector<std::string>& texts() const { return rare_ ? rare_->texts : kNoTexts; }
  std::vector<std::string>& texts() { return rare().texts; }
  bool hasIntegersOrTexts() const {
    return rare_ && (!rare_->integers.empty() || !rare_->texts.empty());
  }

 private:
  struct Rare {
    std::vector<int> integers;
    std::vector<std::string> texts;
  };
  Rare& rare() {
    if (!rare_)
      rare_ = std::make_unique<Rare>();
    return *rare_;
  }
  static const std::vector<int> kNoIntegers;
  static const std::vector<std::string> kNoTexts;
  std::unique_ptr<Rare> rare_;
};

// An addAttr statement: an attribute added to the node it follows.
struct AttrAddition {
  int node = -1;  // index into SceneDescription::nodes
  AddAttrRequest request;
  LineNumber line = 0;
};

struct Link {
  std::string source;  // "node.attr[...]"
  std::string destination;
  bool nextAvailable = false;
  LineNumber line = 0;
};

struct Units {
  double centimetresPerUnit = 1.0;
  double radiansPerUnit = 3.14159265358979323846 / 180.0;
  double framesPerSecond = 24.0;
  std::string linearName = "centimeter";
  std::string angleName = "degree";
  std::string timeName = "film";
};

// A "file" statement of the file's head: "file -r" references a file (the host loads it after
// reading the file), "file -rdi N" records the loaded state of a reference N levels down.
struct ReferenceEntry {
  std::string path;          // as written
  std::string nameSpace;     // -ns; ":" for the root namespace; empty when not given
  std::string renamePrefix;  // -rpr: names prefixed instead of a namespace (older files)
  std::string refNode;       // -rfn
  std::string type;          // -typ; empty when not given
  int depth = 0;             // -rdi; 0 for "file -r"
  bool deferred = false;     // -dr 1: left unloaded
  int line = 0;
};

// The words and strings of a reference node's edits (setAttr ".ed" -type "dataReferenceEdits"),
// in file order: quoting tells a count or kind from a name. A shot's reference node holds tens
// of thousands of them, kept until the scene is built (and after, for reloading the reference):
// they are kept in one text, each as its end in it, with its quoting in the top bit.
class EditTokens {
 public:
  void add(std::string_view text, bool quoted) {
    text_ += text;
    ends_.push_back(static_cast<uint64_t>(text_.size()) | (quoted ? kQuoted : 0));
  }
  size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view text(size_t i) const {
    const size_t begin = i == 0 ? 0 : static_cast<size_t>(ends_[i - 1] & ~kQuoted);
    return std::string_view(text_).substr(begin, static_cast<size_t>(ends_[i] & ~kQuoted) - begin);
  }
  bool quoted(size_t i) const { return (ends_[i] & kQuoted) != 0; }
  void shrinkToFit() {
    text_.shrink_to_fit();
    ends_.shrink_to_fit();
  }

 private:
  static constexpr uint64_t kQuoted = uint64_t(1) << 63;
  std::string text_;
  std::vector<uint64_t> ends_;
};

struct ReferenceEdits {
  std::string refNode;  // the reference node's name as the file writes it
  EditTokens tokens;
  int line = 0;
};

// A warning about something the file asks for that is not taken into the scene.
struct Warning {
  LineNumber line = 0;
  std::string text;
};

struct SceneDescription {
  std::string fileName;  // for messages
  Units units;
  bool unitsGiven = false;
  // Queues of blocks: they keep no room for twice the statements, and an entry stays where it is
  // as more are read (the builder's name index refers to the entries' names).
  ChunkedQueue<NodeEntry> nodes;
  std::vector<AttrAddition> additions;  // in file order, before the values that set them
  std::vector<std::string> nodeTypes{std::string()};  // each type name once, in order of use
  ChunkedQueue<AttrSetting> values;  // released from the front as the builder applies them
  std::vector<Link> links;
  std::vector<std::string> pluginNodeTypes;  // requires -nodeType
  std::vector<ReferenceEntry> references;    // "file" statements, in file order
  std::vector<ReferenceEdits> referenceEdits;
  std::vector<Warning> warnings;

  std::string nameTexts;    // the node entries' names, one after another
  std::string parentTexts;  // the node entries' -p texts, one after another

  const std::string& typeOf(const NodeEntry& e) const {
    return nodeTypes[static_cast<size_t>(e.typeIndex)];
  }
  std::string_view nameOf(const NodeEntry& e) const {
    return std::string_view(nameTexts).substr(e.nameAt, e.nameLength);
  }
  std::string_view parentOf(const NodeEntry& e) const {
    return std::string_view(parentTexts).substr(e.parentAt, e.parentLength);
  }
  // Record the entry's name or -p text; false, recording nothing, when the file's texts of that
  // kind would pass what a span can address (4 GB).
  bool setName(NodeEntry& e, std::string_view text) {
    return appendSpan(nameTexts, text, e.nameAt, e.nameLength);
  }
  bool setParent(NodeEntry& e, std::string_view text) {
    return appendSpan(parentTexts, text, e.parentAt, e.parentLength);
  }

 private:
  static bool appendSpan(std::string& texts, std::string_view text, uint32_t& at,
                         uint32_t& length) {
    if (texts.size() + text.size() > UINT32_MAX)
      return false;
    at = static_cast<uint32_t>(texts.size());
    length = static_cast<uint32_t>(text.size());
    texts += text;
    return true;
  }
};

}  // namespace minihost::scenefile
