#include "scene/ReferenceEditApply.h"

#include <string_view>
#include <unordered_map>

#include "scene/NamespacedNames.h"
#include "scene/SceneLexer.h"
#include "scene/SceneParser.h"

namespace minihost::scenefile {
namespace {

bool is(const ReferenceEdit& e, EditKind kind) {
  return e.code == static_cast<int>(kind);
}

// Names and plugs of edits go between quotes in the text the reader is given: nothing in them
// may end the string or the statement.
bool plainName(const std::string& text) {
  for (char c : text) {
    if (c == '"' || c == '\\' || c == ';' || c == '\n' || c == '\r')
      return false;
  }
  return !text.empty();
}

// The setAttr arguments of an edit are one statement's words and strings, nothing more.
bool oneStatement(const std::string& arguments) {
  SceneLexer lexer(arguments);
  TokenView t;
  while (lexer.next(t)) {
    if (t.kind == TokenKind::kSemicolon || t.kind == TokenKind::kOpenBrace ||
        t.kind == TokenKind::kCloseBrace)
      return false;
  }
  return lexer.error().empty();
}

NodeRef plugNode(Scene& scene, const std::string& plug, int& attribute) {
  size_t dot = plug.find('.');
  if (dot == std::string::npos)
    return NodeRef{};
  NodeRef ref = scene.findNode(plug.substr(0, dot));
  attribute = ref.isSet() ? scene.findAttribute(ref, plug.substr(dot + 1)) : -1;
  return ref;
}

class EditApplier {
 public:
  EditApplier(const LoadedFile& file, const NodeEdits& edits, Scene& scene,
              std::vector<std::string>& warnings)
      : file_(file), edits_(edits), scene_(scene), warnings_(warnings) {}

  void run(EditPhase phase) {
    std::string text;
    for (const ReferenceEdit& e : edits_.list.edits) {
      if (phase == EditPhase::kAddedAttributes) {
        if (is(e, EditKind::kAddAttr))
          text += addAttrStatement(e);
        continue;
      }
      if (is(e, EditKind::kParent)) {
        parent(e);
      } else if (is(e, EditKind::kDisconnect)) {
        disconnect(e);
      } else if (is(e, EditKind::kSetAttr) || is(e, EditKind::kConnect)) {
        text += statement(e);
      } else if (is(e, EditKind::kDeleteAttr) || is(e, EditKind::kLock) ||
                 is(e, EditKind::kUnlock)) {
        // The values and connections before it go in first: a lock or a deletion must not
        // overtake them.
        if (!text.empty())
          build(text);
        text.clear();
        attributeEdit(e);
      }
    }
    if (!text.empty())
      build(text);
    if (missing_ > 0)
      warnings_.push_back(where() + std::to_string(missing_) + " edit(s) of reference node \"" +
                          edits_.refNode + "\" name nodes that are not there; they are left out");
    if (unreadable_ > 0)
      warnings_.push_back(where() + std::to_string(unreadable_) + " edit(s) of reference node \"" +
                          edits_.refNode + "\" are not well-formed; they are left out");
  }

 private:
  std::string where() const {
    return file_.description->fileName + ":" + std::to_string(edits_.line) + ": ";
  }
  std::string named(const std::string& text) const { return inNamespace(file_.nameSpace, text); }

  void parent(const ReferenceEdit& e) {
    if (e.fields.empty())
      return;
    NodeRef child = scene_.findNode(named(e.fields[0]));
    NodeRef parent = e.fields.size() > 1 && !e.fields[1].empty()
                         ? scene_.findNode(named(e.fields[1]))
                         : scene_.world();
    std::string error;
    if (!child.isSet() || !parent.isSet())
      ++missing_;
    else if (!scene_.reparent(child, parent, &error))
      warnings_.push_back(where() + "cannot parent \"" + e.fields[0] + "\": " + error);
  }

  void disconnect(const ReferenceEdit& e) {
    if (e.fields.size() < 2)
      return;
    int srcAttr = -1, dstAttr = -1;
    NodeRef src = plugNode(scene_, named(e.fields[0]), srcAttr);
    NodeRef dst = plugNode(scene_, named(e.fields[1]), dstAttr);
    if (!src.isSet() || !dst.isSet())
      ++missing_;
    else if (srcAttr >= 0 && dstAttr >= 0)
      scene_.disconnect(src, srcAttr, dst, dstAttr);
  }

  // An addAttr edit (node, long name, short name, flags) as the statement it records.
  std::string addAttrStatement(const ReferenceEdit& e) {
    if (e.fields.size() < 3 || !plainName(e.fields[0]) || !plainName(e.fields[1]) ||
        !plainName(e.fields[2]) || (e.fields.size() > 3 && !oneStatement(e.fields[3]))) {
      ++unreadable_;
      return std::string();
    }
    return "select -ne \"" + named(e.fields[0]) + "\";\naddAttr -ln \"" + e.fields[1] +
           "\" -sn \"" + e.fields[2] + "\" " + (e.fields.size() > 3 ? e.fields[3] : "") + ";\n";
  }

  // deleteAttr, lock and unlock edits: node, attribute.
  void attributeEdit(const ReferenceEdit& e) {
    if (e.fields.size() < 2) {
      ++unreadable_;
      return;
    }
    NodeRef ref = scene_.findNode(named(e.fields[0]));
    if (!ref.isSet()) {
      ++missing_;
      return;
    }
    const int attribute = scene_.findAttribute(ref, e.fields[1]);
    std::string error = "no such attribute";
    bool done = attribute >= 0;
    if (done && is(e, EditKind::kDeleteAttr))
      done = scene_.deleteAttribute(ref, attribute, &error);
    else if (done)
      done = scene_.setLocked(ref, attribute, is(e, EditKind::kLock));
    if (!done)
      warnings_.push_back(where() + "the " +
                          (is(e, EditKind::kDeleteAttr) ? "deleteAttr"
                           : is(e, EditKind::kLock)     ? "lock"
                                                        : "unlock") +
                          " edit of \"" + e.fields[0].substr(0, 64) + "." +
                          e.fields[1].substr(0, 64) + "\" is left out: " + error);
  }

  // The edit as the statement it records, for the reader to take like a file's own.
  std::string statement(const ReferenceEdit& e) {
    if (e.fields.size() < 2 || !plainName(e.fields[0]) || !plainName(e.fields[1])) {
      ++unreadable_;
      return std::string();
    }
    if (is(e, EditKind::kConnect))
      return "connectAttr \"" + named(e.fields[0]) + "\" \"" + named(e.fields[1]) + "\";\n";
    const std::string arguments = e.fields.size() > 2 ? e.fields[2] : std::string();
    if (!oneStatement(arguments)) {
      ++unreadable_;
      return std::string();
    }
    return "select -ne \"" + named(e.fields[0]) + "\";\nsetAttr \"." + e.fields[1] + "\" " +
           arguments + ";\n";
  }

  void build(const std::string& text) {
    SceneDescription d;
    d.fileName = file_.description->fileName;
    d.units = file_.description->units;
    SceneLexer lexer(text);
    ParseResult parsed = parseScene(lexer, d);
    if (!parsed.ok) {
      warnings_.push_back(where() + "the edits of reference node \"" + edits_.refNode +
                          "\" cannot be read: " + parsed.error);
      return;
    }
    // Messages name the reference node's line, not the made-up text's.
    for (NodeEntry& n : d.nodes)
      n.line = edits_.line;
    for (AttrSetting& v : d.values)
      v.line = edits_.line;
    for (AttrAddition& a : d.additions)
      a.line = edits_.line;
    for (Link& l : d.links)
      l.line = edits_.line;
    std::string error;
    FileBuild b(d, scene_, false, warnings_, BuildContext{});
    if (!b.stage(error)) {
      warnings_.push_back(where() + "an edit of reference node \"" + edits_.refNode +
                          "\" is left out: " + error);
      return;
    }
    b.apply();
  }

  const LoadedFile& file_;
  const NodeEdits& edits_;
  Scene& scene_;
  std::vector<std::string>& warnings_;
  int missing_ = 0;
  int unreadable_ = 0;
};

}  // namespace

std::vector<NodeEdits> collectReferenceEdits(const LoadPlan& plan,
                                             std::vector<std::string>& warnings) {
  std::vector<NodeEdits> out;
  // The last reference of each node name, as a scene may hold many thousands.
  std::unordered_map<std::string_view, int> referenceNamed;
  for (size_t r = 0; r < plan.references.size(); ++r)
    referenceNamed[plan.references[r].refNode] = static_cast<int>(r);
  for (size_t f = 0; f < plan.files.size(); ++f) {
    const LoadedFile& file = plan.files[f];
    for (const ReferenceEdits& re : file.description->referenceEdits) {
      NodeEdits e;
      e.file = static_cast<int>(f);
      e.line = re.line;
      e.refNode = inNamespace(file.nameSpace, re.refNode);
      e.source = &re;
      auto named = referenceNamed.find(e.refNode);
      if (named != referenceNamed.end())
        e.reference = named->second;
      std::string problem;
      if (!decodeReferenceEdits(re.tokens, e.list, problem))
        warnings.push_back(file.description->fileName + ":" + std::to_string(re.line) +
                           ": the edits of reference node \"" + e.refNode + "\" stop at " +
                           "something unreadable (" + problem + "); the edits before it are kept");
      out.push_back(std::move(e));
    }
  }
  return out;
}

void releaseDecodedEdits(std::vector<NodeEdits>& edits) {
  for (NodeEdits& e : edits)
    e.list = ReferenceEditList();
}

void decodeEditsAgain(std::vector<NodeEdits>& edits) {
  for (NodeEdits& e : edits) {
    std::string problem;  // said when the edits were first read
    e.list = ReferenceEditList();
    decodeReferenceEdits(e.source->tokens, e.list, problem);
  }
}

PlaceholderPlugs placeholderPlugs(const LoadPlan& plan, const std::vector<NodeEdits>& edits) {
  PlaceholderPlugs out;
  for (const NodeEdits& e : edits) {
    if (e.reference < 0)
      continue;
    const std::string& prefix = plan.files[static_cast<size_t>(e.file)].nameSpace;
    for (const ReferenceEdit& edit : e.list.edits) {
      std::string node;
      long long index = 0;
      if (!is(edit, EditKind::kPlaceholder) || edit.fields.size() < 3 ||
          !placeholderSlot(edit.fields[2], node, index))
        continue;
      out[inNamespace(prefix, node)][index] = inNamespace(prefix, edit.fields[1]);
    }
  }
  return out;
}

void applyReferenceEdits(const LoadPlan& plan, const std::vector<NodeEdits>& edits, Scene& scene,
                         std::vector<std::string>& warnings, EditPhase phase) {
  for (const NodeEdits& e : edits) {
    if (e.reference < 0 || !plan.references[static_cast<size_t>(e.reference)].loaded)
      continue;
    EditApplier(plan.files[static_cast<size_t>(e.file)], e, scene, warnings).run(phase);
  }
}

}  // namespace minihost::scenefile
