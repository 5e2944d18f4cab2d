#include "scene/SceneBuilder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "engine/NameHash.h"
#include "engine/NodeTypes.h"
#include "scene/AttributePath.h"
#include "scene/CurveShapeStaging.h"
#include "scene/CurveStaging.h"
#include "scene/DefaultNodes.h"
#include "scene/EntryTable.h"
#include "scene/FileUnits.h"
#include "scene/MeshStaging.h"
#include "scene/NamespacedNames.h"
#include "scene/PlaybackOptions.h"
#include "scene/PrimitiveShapes.h"
#include "scene/ReferenceEditList.h"

namespace minihost::scenefile {

class Builder {
 public:
  Builder(SceneDescription& d, Scene& s, bool opening, std::vector<std::string>& warnings,
          BuildContext context)
      : d_(d), s_(s), opening_(opening), warnings_(warnings), context_(std::move(context)) {}

  const std::vector<NodeRef>& created() const { return created_; }

  // Everything that can fail, before the scene is touched.
  bool stage(std::string& error) {
    pluginTypes_.insert(d_.pluginNodeTypes.begin(), d_.pluginNodeTypes.end());
    // Files hold tens of thousands of nodes of a few dozen types: each type is looked up once.
    typeFacts_.reserve(d_.nodeTypes.size());
    for (const std::string& type : d_.nodeTypes)
      typeFacts_.push_back(nodeTypeFacts(type));
    placeholders_.resize(typeFacts_.size());
    // Each value asks for its node's type facts: a flat copy of the entries' types answers
    // without indexing the entry list (a queue of blocks) every time.
    entryTypes_.reserve(d_.nodes.size());
    for (const NodeEntry& e : d_.nodes)
      entryTypes_.push_back(static_cast<uint32_t>(e.typeIndex));
    // Only curves, meshes and curve shapes take their values apart: their values are found by
    // entry instead of walking the tens of thousands of values of every other node.
    std::vector<PathSegment> path;
    size_t at = 0;
    for (size_t n = 0; n < entryTypes_.size(); ++n) {
      const NodeTypeFacts& f = facts(n);
      if (!stagedApart(f) && !f.isKind(NodeKind::kNurbsCurve))
        continue;
      for (at = firstValueOf(n, at); at < d_.values.size() && valueEntry(at) == n; ++at) {
        if (!stageValue(d_.values[at], path, error))
          return false;
      }
    }
    return buildStagedMeshes(error) && stagePlayback(error);
  }

  void apply() {
    if (opening_ && !applyFileUnits(d_.units, s_))
      warn(1, "time unit \"" + d_.units.timeName + "\" is used for the file's keys; the scene " +
                  "keeps its own time unit");
    // "select -ne" entries make no node: a reference's thousands of edits would otherwise have
    // the scene's slot list and name index grow (and rehash) for nothing.
    const size_t made = static_cast<size_t>(
        std::count_if(entryTypes_.begin(), entryTypes_.end(), [](uint32_t t) { return t != 0; }));
    s_.reserveNodes(made);
    created_.reserve(made);
    // A node's values follow its statement in the file, so each node takes its values as soon
    // as it is made (file order is kept) and their records are released at once: the file's
    // staging shrinks while the scene grows instead of both being held whole.
    std::vector<PathSegment> path;
    // A node's addAttr statements follow it too, before the values that set what they add.
    // The tables by entry grow as the entries are made, while the values read so far are
    // released: reserved whole at the start they would add to the file's staging at its largest.
    for (size_t i = 0; i < d_.nodes.size(); ++i) {
      if (i + kLookAhead < d_.nodes.size())
        prefetchNames(i + kLookAhead);
      refs_.emplace_back();
      parentEntry_.push_back(-1);
      previousOfName_.push_back(-1);
      createEntry(i);
      addAttributesUpTo(i);
      reserveNumbers(i);
      applyValuesUpTo(i, path);
    }
    addAttributesUpTo(d_.nodes.size());
    summariseRefusedAdditions();
    applyValuesUpTo(d_.nodes.size(), path);
    buildCurves();
    for (const Link& link : d_.links)
      connect(link);
    attachMeshes();
    attachCurveShapes();
    // Locks last: the file's own values and connections go in whatever it locks.
    applyLocks();
    if (!context_.referenced)
      applyTime();
    releaseEntries();
  }

 private:
  // Once the file is built its entries and their indexes are not needed: the files of a shot are
  // built one after another, and each one's entries would otherwise stay until the last is done.
  void releaseEntries() {
    d_.nodes.clear();
    std::string().swap(d_.nameTexts);
    std::string().swap(d_.parentTexts);
    names_ = EntryTable();
    children_ = EntryTable();
    childrenIndexed_ = false;
    std::vector<NodeRef>().swap(refs_);
    std::vector<int>().swap(parentEntry_);
    std::vector<int>().swap(previousOfName_);
    std::vector<uint32_t>().swap(entryTypes_);
  }

  const NodeTypeFacts& facts(size_t n) const { return typeFacts_[entryTypes_[n]]; }
  std::string_view nameOf(size_t n) const { return d_.nameOf(d_.nodes[n]); }
  std::string nameText(size_t n) const { return std::string(nameOf(n)); }

  size_t valueEntry(size_t at) const { return static_cast<size_t>(d_.values[at].node); }
  // The first value, at or after `from`, of entry `n` or a later one: values are in entry order.
  size_t firstValueOf(size_t n, size_t from) const {
    size_t count = d_.values.size() - from;
    while (count > 0) {
      const size_t half = count / 2;
      if (valueEntry(from + half) < n) {
        from += half + 1;
        count -= half + 1;
      } else {
        count = half;
      }
    }
    return from;
  }

  static bool drivenKeyCurve(const NodeTypeFacts& f) {
    return f.modelled && isDrivenKeyCurve(f.modelled->kind);
  }
  // Values of curves and meshes are staged apart and built whole.
  static bool stagedApart(const NodeTypeFacts& f) {
    return f.isAnimCurve() || drivenKeyCurve(f) || f.isKind(NodeKind::kMesh);
  }

  bool fail(std::string& error, LineNumber line, const std::string& what) {
    error = d_.fileName + ":" + std::to_string(line) + ": " + what;
    return false;
  }
  void warn(LineNumber line, const std::string& text) {
    warnings_.push_back(d_.fileName + ":" + std::to_string(line) + ": " + text);
  }

  // Curve keys and mesh data are taken apart from the other values: they are checked in full
  // before anything is built.
  bool stageValue(AttrSetting& v, std::vector<PathSegment>& path, std::string& error) {
    const size_t n = static_cast<size_t>(v.node);
    const NodeTypeFacts& f = facts(n);
    const bool curve = f.isAnimCurve() || drivenKeyCurve(f), mesh = f.isKind(NodeKind::kMesh);
    if (f.isKind(NodeKind::kNurbsCurve) && isCurveShapeData(v.attribute))
      return stageCurveShapeValue(v, n, error);
    if (!curve && !mesh)
      return true;
    // "setAttr -s 387 \".ktv\";": the size of an array whose values follow in ranges.
    if (v.sizeHint >= 0 && v.numbers.empty() && !v.hasIntegersOrTexts())
      return true;
    if (!parseAttributePath(v.attribute, path))
      return fail(error, v.line, "cannot read the attribute name \"" + v.attribute + "\"");
    std::string problem;
    if (curve) {
      std::unique_ptr<CurveStaging>& staged = curves_[n];
      if (!staged)
        staged = std::make_unique<CurveStaging>();
      if (!staged->take(path, v, problem))
        return fail(error, v.line, "." + v.attribute + ": " + problem);
    } else {
      std::unique_ptr<MeshStaging>& staged = meshes_[n];
      if (!staged)
        staged = std::make_unique<MeshStaging>();
      if (!staged->take(path, v, problem))
        return fail(error, v.line, "." + v.attribute + ": " + problem);
    }
    return true;
  }

  bool stageCurveShapeValue(AttrSetting& v, size_t n, std::string& error) {
    std::string problem;
    auto shape = stageCurveShape(v, d_.units.centimetresPerUnit, problem);
    if (!shape)
      return fail(error, v.line, "curve \"" + nameText(n) + "\": " + problem);
    curveShapes_[n] = std::move(shape);
    v.numbers.release();  // the curve holds its own copy
    return true;
  }

  bool buildStagedMeshes(std::string& error) {
    for (auto& [n, staged] : meshes_) {
      if (!staged->hasGeometry())
        continue;
      auto built = std::make_unique<MeshData>();
      std::string problem;
      std::vector<std::string> notes;
      if (!staged->build(*built, problem, notes))
        return fail(error, d_.nodes[n].line, "mesh \"" + nameText(n) + "\": " + problem);
      for (const std::string& note : notes)
        warn(d_.nodes[n].line, "mesh \"" + nameText(n) + "\": " + note);
      builtMeshes_[n] = std::move(built);
      staged.reset();
    }
    return true;
  }

  // A value the batch host cannot take keeps the default with a warning; the file still opens.
  // A referenced file's playback range is not the shot's.
  bool stagePlayback(std::string&) {
    if (context_.referenced)
      return true;
    if (playbackOptionsText().empty())
      return true;
    std::vector<std::string> problems;
    parsePlaybackOptions(playbackOptionsText(), playback_, problems);
    for (const std::string& problem : problems)
      warn(playbackLine_, "sceneConfigurationScriptNode: " + problem);
    return true;
  }

  // The text of the sceneConfigurationScriptNode's "before" script, where the playback range is.
  const std::string& playbackOptionsText() {
    if (!playbackScanned_) {
      playbackScanned_ = true;
      // Only the values of the few script nodes of that name are looked at; the last one wins,
      // in file order (entries and their values are in that order).
      size_t at = 0;
      for (size_t n = 0; n < entryTypes_.size(); ++n) {
        if (facts(n).role != UnmodelledRole::kScript || nameOf(n) != "sceneConfigurationScriptNode")
          continue;
        for (at = firstValueOf(n, at); at < d_.values.size() && valueEntry(at) == n; ++at) {
          const AttrSetting& v = d_.values[at];
          if ((v.attribute == "b" || v.attribute == "before") && !v.texts().empty()) {
            playbackText_ = v.texts()[0];
            playbackLine_ = v.line;
          }
        }
      }
    }
    return playbackText_;
  }

  // The file's node of a name or path: the last one created under that name whose parents
  // match the path. The walk starts from whichever end names fewer nodes, so that neither
  // thousands of nodes of one name nor thousands of children of one parent make each lookup
  // cost as much as all of them.
  int findEntry(const std::string& text) const {
    std::vector<std::string_view>& parts = pathParts_;
    parts.clear();
    const std::string_view whole = text;
    for (size_t pos = 0;;) {
      const size_t bar = whole.find('|', pos);
      parts.push_back(whole.substr(pos, bar == std::string_view::npos ? bar : bar - pos));
      if (bar == std::string_view::npos)
        break;
      pos = bar + 1;
    }
    bool absolute = parts.size() > 1 && parts.front().empty();
    if (absolute)
      parts.erase(parts.begin());
    const EntryTable::Slot* it = named(parts.back());
    if (!it)
      return -1;
    if (parts.size() > 1) {
      const EntryTable::Slot* top = named(parts.front());
      if (!top)
        return -1;
      if (absolute || top->count < it->count)
        return findEntryDownwards(parts, absolute, top->entry);
    }
    for (int c = it->entry; c >= 0; c = previousOfName_[static_cast<size_t>(c)]) {
      int walk = c;
      bool match = true;
      for (size_t k = parts.size() - 1; k-- > 0;) {
        walk = parentEntry_[static_cast<size_t>(walk)];
        if (walk < 0 || nameOf(static_cast<size_t>(walk)) != parts[k]) {
          match = false;
          break;
        }
      }
      if (match && (!absolute || parentEntry_[static_cast<size_t>(walk)] < 0))
        return c;
    }
    return -1;
  }

  // The same from the path's first name down, one child lookup per level.
  int findEntryDownwards(const std::vector<std::string_view>& parts, bool absolute,
                         int lastTop) const {
    int best = -1;
    auto descend = [&](int walk) {
      for (size_t k = 1; k < parts.size() && walk >= 0; ++k) {
        const EntryTable::Slot* child = childNamed(walk, parts[k]);
        walk = child ? child->entry : -1;
      }
      best = std::max(best, walk);
    };
    if (absolute) {
      if (const EntryTable::Slot* top = childNamed(-1, parts.front()))
        descend(top->entry);
    } else {
      for (int top = lastTop; top >= 0; top = previousOfName_[static_cast<size_t>(top)])
        descend(top);
    }
    return best;
  }

  // The made entries of a name, and of a name under a parent entry (-1: the top), by the last.
  static size_t nameHash(std::string_view name) { return hashName(name); }
  static size_t childHash(int parent, std::string_view name) {
    return nameHash(name) ^ (static_cast<size_t>(parent + 1) * 0x9e3779b97f4a7c15ULL);
  }
  const EntryTable::Slot* named(std::string_view name) const {
    return names_.find(nameHash(name),
                       [&](int32_t c) { return nameOf(static_cast<size_t>(c)) == name; });
  }
  const EntryTable::Slot* childNamed(int parent, std::string_view name) const {
    indexChildren();
    return children_.find(childHash(parent, name), [&](int32_t c) {
      return parentEntry_[static_cast<size_t>(c)] == parent &&
             nameOf(static_cast<size_t>(c)) == name;
    });
  }

  NodeRef resolve(const std::string& text, int* entry = nullptr) {
    int e = findEntry(text);
    if (entry)
      *entry = e;
    if (e >= 0 && s_.isAlive(refs_[static_cast<size_t>(e)]))
      return refs_[static_cast<size_t>(e)];
    NodeRef ref;
    if (!context_.nameSpace.empty())
      ref = s_.findNode(inNamespace(context_.nameSpace, text));
    if (!ref.isSet())
      ref = s_.findNode(text);
    if (ref.isSet())
      return ref;
    if (const char* type = defaultNodeType(text)) {
      ref = s_.createNode(placeholderType(type, false), text, NodeRef{}, nullptr);
      if (Node* n = s_.node(ref))
        n->isDefault = true;
    }
    return ref;
  }

  void noteNotEvaluated(size_t i) {
    const NodeEntry& e = d_.nodes[i];
    const std::string& t = d_.typeOf(e);
    const std::string_view name = nameOf(i);
    std::string what;
    switch (facts(i).role) {
      case UnmodelledRole::kExpression:
        what = "expression \"" + std::string(name) + "\" is not evaluated";
        break;
      case UnmodelledRole::kConstraint:
        what = "constraint \"" + std::string(name) + "\" (" + t + ") is not evaluated";
        break;
      case UnmodelledRole::kReference:
        break;  // the reference's own warnings say whether it is loaded
      case UnmodelledRole::kScript:
        if (name != "sceneConfigurationScriptNode" && name != "uiConfigurationScriptNode")
          what = "script node \"" + std::string(name) + "\" is not run";
        break;
      case UnmodelledRole::kDrivenKeyCurve:
        what = "driven-key curve \"" + std::string(name) + "\" (" + t + ") is not evaluated";
        break;
      case UnmodelledRole::kJoint:
        what = "joint \"" + std::string(name) + "\" is kept without its transform";
        break;
      case UnmodelledRole::kNone:
        if (!pluginTypes_.empty() && pluginTypes_.count(t) > 0)
          what = "plug-in node \"" + std::string(name) + "\" (" + t + ") is not evaluated";
        break;
    }
    if (!what.empty())
      warn(e.line, what);
  }

  void createEntry(size_t i) {
    const NodeEntry& e = d_.nodes[i];
    if (e.typeIndex == 0 && context_.referenced) {
      // The scene's own nodes (time1, the render globals, ...) keep the shot's settings: a
      // referenced file's "select -ne" lines are not taken, as in the host.
      return;
    }
    if (e.typeIndex == 0) {
      // select -ne: a node that already exists.
      refs_[i] = resolve(nameText(i));
      if (!refs_[i].isSet())
        warn(e.line, "no node \"" + nameText(i) + "\"; its settings are ignored");
      return;
    }
    NodeRef ref;
    if (e.shared)
      ref = s_.findNode(nameText(i));
    NodeRef parent;
    if (e.parentLength > 0) {
      int pe = justMadeNamed(i, d_.parentOf(e));
      if (pe >= 0 && s_.isAlive(refs_[static_cast<size_t>(pe)]))
        parent = refs_[static_cast<size_t>(pe)];
      else
        parent = resolve(std::string(d_.parentOf(e)), &pe);
      parentEntry_[i] = pe;
      if (!parent.isSet())
        warn(e.line, "no parent \"" + std::string(d_.parentOf(e)) + "\" for \"" + nameText(i) +
                         "\"; it is put at the top");
    }
    if (!ref.isSet())
      ref = createNode(i, parent);
    if (!ref.isSet())
      return;
    refs_[i] = ref;
    indexName(i);
    if (childrenIndexed_)
      indexChild(i);
  }

  // Tens of thousands of names go into two tables far larger than the cache: their slots are
  // read a few entries ahead, so that making a node does not wait on each one in turn.
  static constexpr size_t kLookAhead = 4;
  void prefetchNames(size_t i) const {
    const NodeEntry& e = d_.nodes[i];
    if (e.typeIndex == 0)
      return;
    names_.prefetch(nameHash(d_.nameOf(e)));
    if (context_.nameSpace.empty())
      s_.prefetchName(d_.nameOf(e));
  }

  // A parent is nearly always the entry just before (a transform above its shape) or the one
  // before that: when one of those two is made under that plain name, it is the last of the
  // name, as findEntry would answer, without a look-up.
  int justMadeNamed(size_t i, std::string_view name) const {
    for (size_t back = 1; back <= 2 && back <= i; ++back) {
      if (indexed(i - back) && nameOf(i - back) == name)
        return static_cast<int>(i - back);
    }
    return -1;
  }

  // Entries that reached the tables: made (or shared) nodes, not "select -ne" lines.
  bool indexed(size_t c) const { return d_.nodes[c].typeIndex != 0 && refs_[c].isSet(); }

  // A table that is full is made anew, twice as large, from the entries in file order: the same
  // table as adding them one by one gives, read from memory in order.
  template <typename Add>
  void makeRoom(EntryTable& table, size_t upTo, Add add) const {
    if (!table.full())
      return;
    size_t keys = 0;
    for (size_t c = 0; c < upTo; ++c)
      keys += indexed(c) ? 1 : 0;
    table.clearWithRoom(2 * keys + 8);
    for (size_t c = 0; c < upTo; ++c) {
      if (indexed(c))
        add(c);
    }
  }

  void indexName(size_t i) {
    makeRoom(names_, i, [this](size_t c) { addName(c); });
    addName(i);
  }
  void addName(size_t i) {
    const std::string_view name = nameOf(i);
    EntryTable::Slot& chain = names_.slot(
        nameHash(name), [&](int32_t c) { return nameOf(static_cast<size_t>(c)) == name; });
    previousOfName_[i] = chain.entry;
    chain.entry = static_cast<int32_t>(i);
    EntryTable::countUp(chain);
  }

  // The table by parent and name serves lookups from a path's first name down, which most files
  // never make: it is filled from the entries made so far the first time one is needed, and kept
  // up from then on.
  void indexChild(size_t i) const {
    makeRoom(children_, i, [this](size_t c) { addChild(c); });
    addChild(i);
  }
  void addChild(size_t i) const {
    const std::string_view name = nameOf(i);
    const int parentIndex = parentEntry_[i];
    children_
        .slot(childHash(parentIndex, name),
              [&](int32_t c) {
                return parentEntry_[static_cast<size_t>(c)] == parentIndex &&
                       nameOf(static_cast<size_t>(c)) == name;
              })
        .entry = static_cast<int32_t>(i);
  }
  void indexChildren() const {
    if (childrenIndexed_)
      return;
    childrenIndexed_ = true;
    for (size_t c = 0; c < refs_.size(); ++c) {
      if (indexed(c))
        indexChild(c);
    }
  }

  // The placeholder type of an entry's unmodelled type, looked up once per file for each type:
  // a shot's thousands of locators would otherwise each look theirs up by name.
  const NodeType& placeholderFor(size_t i, bool dag) {
    const NodeType*& type = placeholders_[entryTypes_[i]][dag ? 1 : 0];
    if (!type)
      type = &placeholderType(d_.typeOf(d_.nodes[i]), dag);
    return *type;
  }

  // A new node of the entry's type (a placeholder for a type the scene does not model); at the
  // top when it cannot go under its parent.
  NodeRef createNode(size_t i, NodeRef parent) {
    const NodeEntry& e = d_.nodes[i];
    const NodeType* type = facts(i).modelled;
    if (!type) {
      type = &placeholderFor(i, e.parentLength > 0 || facts(i).dag);
      noteNotEvaluated(i);
    }
    const std::string bare = nameText(i);
    std::string name = Scene::validName(bare) ? context_.nameSpace + bare : std::string();
    std::string error;
    NodeRef ref = s_.createNode(*type, name, parent, &error);
    if (!ref.isSet() && parent.isSet()) {
      warn(e.line, "\"" + bare + "\" cannot go under \"" + std::string(d_.parentOf(e)) + "\" (" +
                       error + "); it is put at the top");
      ref = s_.createNode(*type, name, NodeRef{}, &error);
    }
    if (!ref.isSet()) {
      warn(e.line, "cannot create \"" + bare + "\": " + error);
      return ref;
    }
    created_.push_back(ref);
    // `name` is empty when the file's is not valid: the node is then named anew.
    const std::string& given = s_.node(ref)->name;
    if (!bare.empty() && given != name)
      warn(e.line, "\"" + bare + "\" is named \"" + given +
                       "\": a sibling (or, for a dependency node, any node) has that name");
    return ref;
  }

  double convert(AttrType type, double v) const {
    switch (type) {
      case AttrType::kDistance:
        return v * d_.units.centimetresPerUnit;
      case AttrType::kAngle:
        return v * d_.units.radiansPerUnit;
      case AttrType::kTime:
        return v * kTicksPerSecond / d_.units.framesPerSecond;
      default:
        return v;
    }
  }

  // A node's numbers go in one allocation: as many as its values hold, a compound's few each.
  void reserveNumbers(size_t n) {
    if (!facts(n).modelled || stagedApart(facts(n)))
      return;  // placeholders keep no values; curves and meshes are built apart
    size_t count = 0;
    for (size_t at = 0; at < d_.values.size() && valueEntry(at) == n; ++at)
      count += std::min<size_t>(d_.values[at].numbers.size(), 4);
    if (count > 1)
      s_.reserveNumbers(refs_[n], count);
  }

  // Applies and releases the values of the node entries up to `last`.
  void applyValuesUpTo(size_t last, std::vector<PathSegment>& path) {
    while (!d_.values.empty() && static_cast<size_t>(d_.values.front().node) <= last) {
      const AttrSetting& v = d_.values.front();
      if (v.lock >= 0)
        locks_.push_back(Lock{v.node, v.attribute, v.lock == 1});
      applyValue(v, path);
      d_.values.pop_front();
    }
  }

  void applyValue(const AttrSetting& v, std::vector<PathSegment>& path) {
    size_t n = static_cast<size_t>(v.node);
    NodeRef ref = refs_[n];
    Node* node = s_.node(ref);
    const NodeTypeFacts& f = facts(n);
    if (!node || stagedApart(f))
      return;  // staged already, or a node that could not be made
    // Nearly every value names a plain attribute ("tx"): its path is the name itself.
    const bool plain = std::none_of(v.attribute.begin(), v.attribute.end(),
                                    [](char c) { return c == '.' || c == '['; });
    if (!plain && !parseAttributePath(v.attribute, path))
      return;
    const std::string& first = plain ? v.attribute : path[0].name;
    const bool oneSegment = plain || path.size() == 1;
    if (node->kind() == NodeKind::kPlaceholder) {
      if (f.primitive != PolyPrimitive::kNone && oneSegment && v.numbers.size() == 1)
        primitiveAttrs_[n][first] = v.numbers[0];
      if (node->name == "time1" && oneSegment && (first == "o" || first == "outTime") &&
          v.numbers.size() == 1)
        currentFrame_ = v.numbers[0];
      return;
    }
    // Rig nodes model their multi attributes' elements by name ("tg[0].tot").
    int attr = s_.findAttribute(ref, v.attribute);
    if (attr < 0 && (plain || path.size() != 1 || path[0].indexed))
      return;  // other multis and nested plugs are not modelled
    if (attr < 0)
      attr = s_.findAttribute(ref, path[0].name);
    const AttributeInfo* info = s_.attributeInfo(ref, attr);
    if (!info)
      return;
    if (info->type == AttrType::kString) {
      if (!v.texts().empty())
        s_.setText(ref, attr, v.texts()[0]);
      return;
    }
    if (info->type == AttrType::kCompound) {
      for (size_t k = 0; k < info->children.size() && k < v.numbers.size(); ++k) {
        const AttributeInfo* child = s_.attributeInfo(ref, info->children[k]);
        s_.setNumber(ref, info->children[k], convert(child->type, v.numbers[k]));
      }
      return;
    }
    if (v.numbers.size() == 1 && !s_.setNumber(ref, attr, convert(info->type, v.numbers[0])) &&
        std::isnan(v.numbers[0]))
      warn(v.line, "\"" + node->name + "." + info->longName +
                       "\" is not a number (nan) in the file; the scene keeps no such value and " +
                       "leaves it as it was");
  }

  // A refused attribute is said for the first few; the rest are counted.
  void refuseAddition(const AttrAddition& a, const std::string& why) {
    if (++refusedAdditions_ <= kAdditionWarnings)
      warn(a.line, "addAttr \"" + a.request.longName + "\" on \"" +
                       nameText(static_cast<size_t>(a.node)) + "\" is left out: " + why);
  }

  // Adds the attributes of the addAttr statements of node entries up to `last`.
  void addAttributesUpTo(size_t last) {
    for (; nextAddition_ < d_.additions.size() &&
           static_cast<size_t>(d_.additions[nextAddition_].node) <= last;
         ++nextAddition_)
      addAttribute(d_.additions[nextAddition_]);
  }

  void addAttribute(const AttrAddition& a) {
    const size_t n = static_cast<size_t>(a.node);
    NodeRef ref = refs_[n];
    const Node* node = s_.node(ref);
    // Placeholders keep names and connections only, as they keep no values.
    if (!node || node->kind() == NodeKind::kPlaceholder)
      return;
    DynamicAttribute wanted;
    std::string problem;
    if (!makeDynamicAttribute(a.request, wanted, problem)) {
      refuseAddition(a, problem);
      return;
    }
    // Defaults and limits are in the file's units, as its values are.
    wanted.info.defaultValue = convert(wanted.info.type, wanted.info.defaultValue);
    wanted.limits.minValue = convert(wanted.info.type, wanted.limits.minValue);
    wanted.limits.maxValue = convert(wanted.info.type, wanted.limits.maxValue);
    wanted.limits.softMin = convert(wanted.info.type, wanted.limits.softMin);
    wanted.limits.softMax = convert(wanted.info.type, wanted.limits.softMax);
    int parent = -1;
    if (!a.request.parent.empty()) {
      parent = s_.findAttribute(ref, a.request.parent);
      if (!s_.dynamicAttribute(ref, parent)) {
        refuseAddition(a, "its parent \"" + a.request.parent + "\" is not an added compound");
        return;
      }
    }
    if (s_.addAttribute(ref, wanted, parent, &problem) < 0)
      refuseAddition(a, problem);
  }

  void summariseRefusedAdditions() {
    if (refusedAdditions_ > kAdditionWarnings)
      warn(d_.additions.back().line, std::to_string(refusedAdditions_ - kAdditionWarnings) +
                                         " more addAttr statements are left out");
  }

  // Locks go in last, so the file's own values and connections reach what it locks.
  void applyLocks() {
    for (const Lock& l : locks_) {
      NodeRef ref = refs_[static_cast<size_t>(l.node)];
      const Node* node = s_.node(ref);
      if (!node || node->kind() == NodeKind::kPlaceholder)
        continue;
      const int attr = s_.findAttribute(ref, l.attribute);
      if (attr >= 0)
        s_.setLocked(ref, attr, l.locked);
    }
    locks_.clear();
  }

  void buildCurves() {
    for (auto& [n, staged] : curves_) {
      Node* node = s_.node(refs_[n]);
      if (!node || !(node->curve() || node->drivenCurve()))
        continue;
      double scale = 1.0;
      Units keyUnits = d_.units;
      if (node->drivenCurve()) {
        // A driven key's keys sit on its input's values, taken as they are.
        keyUnits.framesPerSecond = kTicksPerSecond;
      }
      switch (node->kind()) {
        case NodeKind::kAnimCurveTL:
        case NodeKind::kAnimCurveUL:
          scale = d_.units.centimetresPerUnit;
          break;
        case NodeKind::kAnimCurveTA:
        case NodeKind::kAnimCurveUA:
          scale = d_.units.radiansPerUnit;
          break;
        case NodeKind::kAnimCurveTT:
          scale = kTicksPerSecond / d_.units.framesPerSecond;
          break;
        default:
          break;
      }
      bool weighted = false;
      staged->build(node->curve() ? *node->curve() : *node->drivenCurve(), keyUnits, scale,
                    weighted);
      if (weighted)
        warn(d_.nodes[n].line,
             "weighted tangents of \"" + nameText(n) + "\" are evaluated without their weights");
      staged.reset();
    }
  }

  struct PlugText {
    std::string node;
    std::string attribute;
  };
  static PlugText splitPlug(const std::string& text) {
    size_t dot = text.find('.');
    if (dot == std::string::npos)
      return {text, std::string()};
    return {text.substr(0, dot), text.substr(dot + 1)};
  }

  // A connection to "<refNode>.placeHolderList[i]" stands for the referenced plug the
  // reference's edits name for that slot; for a reference not loaded it waits for the load.
  enum class Slot { kNone, kRedirected, kPending };
  Slot throughPlaceholder(std::string& plug, std::string& refNodeName) const {
    std::string refNode;
    long long index = 0;
    if (!context_.placeholders || !placeholderSlot(plug, refNode, index))
      return Slot::kNone;
    refNodeName = inNamespace(context_.nameSpace, refNode);
    auto node = context_.placeholders->find(refNodeName);
    if (node == context_.placeholders->end())
      return Slot::kNone;
    auto slot = node->second.find(index);
    if (slot == node->second.end())
      return Slot::kNone;
    plug = slot->second;
    return context_.unloaded && context_.unloaded->count(refNodeName) ? Slot::kPending
                                                                      : Slot::kRedirected;
  }

  void keepPending(const std::string& refNode, const PlugText& other, NodeRef otherNode,
                   const std::string& referenced, bool into) {
    if (context_.pending && s_.isAlive(otherNode))
      context_.pending->push_back(PendingSlot{
          refNode, s_.fullPathName(otherNode) + "." + other.attribute, referenced, into});
  }

  void connect(const Link& link) {
    std::string srcText = link.source, dstText = link.destination, srcRef, dstRef;
    Slot srcSlot = throughPlaceholder(srcText, srcRef);
    Slot dstSlot = throughPlaceholder(dstText, dstRef);
    PlugText src = splitPlug(srcSlot == Slot::kNone ? link.source : srcText);
    PlugText dst = splitPlug(dstSlot == Slot::kNone ? link.destination : dstText);
    if (srcSlot == Slot::kPending || dstSlot == Slot::kPending) {
      bool into = dstSlot == Slot::kPending;
      PlugText other = into ? src : dst;
      keepPending(into ? dstRef : srcRef, other, resolve(other.node), into ? dstText : srcText,
                  into);
      return;
    }
    const bool srcRedirected = srcSlot == Slot::kRedirected;
    const bool dstRedirected = dstSlot == Slot::kRedirected;
    int srcEntry = -1, dstEntry = -1;
    NodeRef from = srcRedirected ? s_.findNode(src.node) : resolve(src.node, &srcEntry);
    NodeRef to = dstRedirected ? s_.findNode(dst.node) : resolve(dst.node, &dstEntry);
    const Node* a = s_.node(from);
    const Node* b = s_.node(to);
    if (!a || !b) {
      warn(link.line, "cannot connect " + link.source + " to " + link.destination + ": no node \"" +
                          (a ? dst.node : src.node) + "\"");
      return;
    }
    if (b->kind() == NodeKind::kMesh && (dst.attribute == "i" || dst.attribute == "inMesh")) {
      if (dstEntry >= 0) {
        meshInput_[static_cast<size_t>(dstEntry)] = srcEntry;
        meshInputName_[static_cast<size_t>(dstEntry)] = src.node;
      }
      return;
    }
    int srcAttr = s_.findAttribute(from, src.attribute);
    int dstAttr = s_.findAttribute(to, dst.attribute);
    if (srcAttr >= 0 && dstAttr >= 0) {
      s_.connect(from, srcAttr, to, dstAttr, true, nullptr);
      return;
    }
    // A modelled attribute fed by a node the batch host does not evaluate keeps its stored
    // value; say so once per feeding node.
    const AttributeInfo* info = s_.attributeInfo(to, dstAttr);
    if (info && info->type != AttrType::kMessage && b->kind() != NodeKind::kPlaceholder &&
        a->kind() == NodeKind::kPlaceholder && !a->isDefault &&
        warnedFeeders_.insert(a->name).second) {
      warn(link.line, "\"" + src.node + "\" (" + a->type->name + ") drives " + link.destination +
                          " and is not evaluated; the stored value is used");
    }
  }

  void attachMeshes() {
    for (size_t n = 0; n < d_.nodes.size(); ++n) {
      if (!facts(n).isKind(NodeKind::kMesh))
        continue;
      Node* node = s_.node(refs_[n]);
      if (!node || node->kind() != NodeKind::kMesh)
        continue;
      auto input = meshInput_.find(n);
      int from = input == meshInput_.end() ? -1 : input->second;
      std::string fromName = input == meshInput_.end() ? std::string() : meshInputName_[n];
      const std::string name = nameText(n);
      bool primitive =
          from >= 0 && facts(static_cast<size_t>(from)).primitive != PolyPrimitive::kNone;
      auto built = builtMeshes_.find(n);
      if (built != builtMeshes_.end()) {
        node->rareParts().mesh = std::move(built->second);
        if (input != meshInput_.end())
          warn(d_.nodes[n].line, "the history of mesh \"" + name + "\" (" + fromName +
                                     ") is not evaluated; its last stored shape is used");
      } else if (primitive) {
        buildPrimitive(*node, static_cast<size_t>(from));
      } else if (input != meshInput_.end()) {
        warn(d_.nodes[n].line, "mesh \"" + name + "\" has no stored shape and its input (" +
                                   fromName + ") is not evaluated; it is left empty");
      }
    }
  }

  // Curve shapes get their geometry and the numbers that describe it; then every path animation
  // node that has no curve to follow says which attribute keeps its stored value.
  void attachCurveShapes() {
    for (auto& [n, shape] : curveShapes_) {
      NodeRef ref = refs_[n];
      Node* node = s_.node(ref);
      if (!node || node->kind() != NodeKind::kNurbsCurve)
        continue;
      s_.setNumber(ref, s_.findAttribute(ref, "degree"), shape->degree());
      s_.setNumber(ref, s_.findAttribute(ref, "spans"), shape->spans());
      s_.setNumber(ref, s_.findAttribute(ref, "form"), shape->form());
      s_.setNumber(ref, s_.findAttribute(ref, "minValue"), shape->minParam());
      s_.setNumber(ref, s_.findAttribute(ref, "maxValue"), shape->maxParam());
      node->rareParts().curveGeometry = std::move(shape);
    }
    curveShapes_.clear();
    for (size_t n = 0; n < d_.nodes.size(); ++n) {
      if (!facts(n).isKind(NodeKind::kMotionPath))
        continue;
      std::string text = unevaluatedPathWarning(s_, refs_[n]);
      if (!text.empty())
        warn(d_.nodes[n].line, text);
    }
  }

  void buildPrimitive(Node& mesh, size_t from) {
    std::string error;
    mesh.rareParts().mesh = buildPrimitiveShape(facts(from).primitive, primitiveAttrs_[from],
                                                d_.units.centimetresPerUnit, error);
    if (!mesh.mesh())
      warn(d_.nodes[from].line, "cannot make the shape of \"" + nameText(from) + "\": " + error);
  }

  void applyTime() {
    const double ticksPerFrame = kTicksPerSecond / d_.units.framesPerSecond;
    if (playback_.given) {
      double ast = playback_.hasAnimationStart ? playback_.animationStart : playback_.minimum;
      double aet = playback_.hasAnimationEnd ? playback_.animationEnd : playback_.maximum;
      if (playback_.hasAnimationStart || playback_.hasAnimationEnd)
        s_.setAnimationRange(ast * ticksPerFrame, aet * ticksPerFrame);
      if (playback_.hasMinimum || playback_.hasMaximum) {
        double lo = playback_.hasMinimum ? playback_.minimum * ticksPerFrame : s_.minTicks();
        double hi = playback_.hasMaximum ? playback_.maximum * ticksPerFrame : s_.maxTicks();
        s_.setPlaybackRange(lo, hi);
      }
      if (playback_.hasBy)
        s_.setPlaybackByTicks(playback_.by * ticksPerFrame);
    }
    double ticks = std::isfinite(currentFrame_) ? currentFrame_ * ticksPerFrame : s_.minTicks();
    s_.setCurrentTicks(ticks);
  }

  SceneDescription& d_;
  Scene& s_;
  bool opening_;
  std::vector<std::string>& warnings_;
  BuildContext context_;
  std::vector<NodeRef> created_;
  std::vector<NodeTypeFacts> typeFacts_;  // per type of SceneDescription::nodeTypes
  std::vector<uint32_t> entryTypes_;      // per node entry, its index into typeFacts_
  // Per type of typeFacts_, its placeholder types (not under a parent, under one) once asked for.
  std::vector<std::array<const NodeType*, 2>> placeholders_;
  std::vector<NodeRef> refs_;
  std::vector<int> parentEntry_;
  // The entries of each name, as a chain from the last made back (previousOfName_), and the last
  // entry of each name under each parent entry. Keyed by the entries' own names, which stay
  // where they are until the build is done.
  EntryTable names_;
  std::vector<int> previousOfName_;
  mutable EntryTable children_;
  mutable bool childrenIndexed_ = false;
  mutable std::vector<std::string_view> pathParts_;  // findEntry's, kept to spare an allocation
  std::unordered_set<std::string> pluginTypes_;      // requires -nodeType
  // By node entry, for the few entries that are curves or meshes; in file order.
  std::map<size_t, std::unique_ptr<CurveStaging>> curves_;
  std::map<size_t, std::unique_ptr<MeshStaging>> meshes_;
  std::map<size_t, std::unique_ptr<MeshData>> builtMeshes_;
  std::unordered_map<size_t, std::shared_ptr<const NurbsCurve>> curveShapes_;
  std::unordered_map<size_t, std::unordered_map<std::string, double>> primitiveAttrs_;
  std::unordered_map<size_t, int> meshInput_;
  std::unordered_map<size_t, std::string> meshInputName_;
  std::set<std::string> warnedFeeders_;
  bool playbackScanned_ = false;
  std::string playbackText_;
  LineNumber playbackLine_ = 0;
  PlaybackOptions playback_;
  double currentFrame_ = std::nan("");
  static constexpr int kAdditionWarnings = 5;
  int refusedAdditions_ = 0;
  size_t nextAddition_ = 0;  // the first addAttr statement not yet applied
  struct Lock {
    int node;
    std::string attribute;
    bool locked;
  };
  std::vector<Lock> locks_;  // setAttr -l, in file order, applied once the file is built
};

bool buildScene(SceneDescription& description, Scene& scene, bool opening,
                std::vector<std::string>& warnings, std::string& error) {
  Builder builder(description, scene, opening, warnings, BuildContext{});
  if (!builder.stage(error))
    return false;
  if (opening)
    scene.newScene();
  builder.apply();
  return true;
}

FileBuild::FileBuild(SceneDescription& description, Scene& scene, bool opening,
                     std::vector<std::string>& warnings, BuildContext context)
    : builder_(
          std::make_unique<Builder>(description, scene, opening, warnings, std::move(context))) {}

FileBuild::~FileBuild() = default;

bool FileBuild::stage(std::string& error) {
  return builder_->stage(error);
}

void FileBuild::apply() {
  builder_->apply();
}

const std::vector<NodeRef>& FileBuild::createdNodes() const {
  return builder_->created();
}

}  // namespace minihost::scenefile
