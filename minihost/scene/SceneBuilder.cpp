#include "scene/SceneBuilder.h"

#include <cmath>
#include <memory>
#include <set>
#include <unordered_map>

#include "engine/PolyPrimitives.h"
#include "scene/AttributePath.h"
#include "scene/CurveStaging.h"
#include "scene/DefaultNodes.h"
#include "scene/MeshStaging.h"
#include "scene/PlaybackOptions.h"

namespace minihost::scenefile {
namespace {

// Bounds the subdivisions of a primitive so that a damaged file cannot ask for billions of faces.
constexpr int kMaxSubdivisions = 4096;

bool isCurveType(const std::string& type) {
  return type == "animCurveTL" || type == "animCurveTA" || type == "animCurveTU" ||
         type == "animCurveTT";
}

bool isPrimitiveType(const std::string& type) {
  return type == "polyCube" || type == "polyPlane" || type == "polySphere" ||
         type == "polyCylinder" || type == "polyCone";
}

// Types the host keeps in the DAG even without a parent, so that their children stay below them.
bool isConstraint(const std::string& type) {
  return type.size() > 10 && type.compare(type.size() - 10, 10, "Constraint") == 0;
}

bool isDagPlaceholder(const std::string& type) {
  static const std::set<std::string> dag = {
      "joint",    "locator",    "nurbsCurve", "nurbsSurface",  "imagePlane",      "place3dTexture",
      "ikHandle", "ikEffector", "lookAt",     "clusterHandle", "annotationShape", "instancer",
      "follicle", "particle",   "nParticle",  "subdiv",        "baseLattice",     "lattice"};
  return dag.count(type) > 0 || isConstraint(type);
}

class Builder {
 public:
  Builder(SceneDescription& d, Scene& s, bool opening, std::vector<std::string>& warnings)
      : d_(d), s_(s), opening_(opening), warnings_(warnings) {}

  // Everything that can fail, before the scene is touched.
  bool stage(std::string& error) {
    curves_.resize(d_.nodes.size());
    meshes_.resize(d_.nodes.size());
    builtMeshes_.resize(d_.nodes.size());
    std::vector<PathSegment> path;
    for (AttrSetting& v : d_.values) {
      const NodeEntry& entry = d_.nodes[static_cast<size_t>(v.node)];
      bool curve = isCurveType(entry.type), mesh = entry.type == "mesh";
      if (!curve && !mesh)
        continue;
      if (!parseAttributePath(v.attribute, path))
        return fail(error, v.line, "cannot read the attribute name \"" + v.attribute + "\"");
      std::string problem;
      size_t n = static_cast<size_t>(v.node);
      if (curve) {
        if (!curves_[n])
          curves_[n] = std::make_unique<CurveStaging>();
        if (!curves_[n]->take(path, v, problem))
          return fail(error, v.line, "." + v.attribute + ": " + problem);
      } else {
        if (!meshes_[n])
          meshes_[n] = std::make_unique<MeshStaging>();
        if (!meshes_[n]->take(path, v, problem))
          return fail(error, v.line, "." + v.attribute + ": " + problem);
      }
    }
    for (size_t n = 0; n < meshes_.size(); ++n) {
      if (!meshes_[n] || !meshes_[n]->hasGeometry())
        continue;
      auto built = std::make_unique<MeshData>();
      std::string problem;
      std::vector<std::string> notes;
      if (!meshes_[n]->build(*built, problem, notes))
        return fail(error, d_.nodes[n].line, "mesh \"" + d_.nodes[n].name + "\": " + problem);
      for (const std::string& note : notes)
        warn(d_.nodes[n].line, "mesh \"" + d_.nodes[n].name + "\": " + note);
      builtMeshes_[n] = std::move(built);
      meshes_[n].reset();
    }
    if (!playbackOptionsText().empty()) {
      std::string problem;
      if (!parsePlaybackOptions(playbackOptionsText(), playback_, problem))
        return fail(error, playbackLine_, "sceneConfigurationScriptNode: " + problem);
    }
    return true;
  }

  void apply() {
    if (opening_)
      applyUnits();
    refs_.assign(d_.nodes.size(), NodeRef{});
    parentEntry_.assign(d_.nodes.size(), -1);
    for (size_t i = 0; i < d_.nodes.size(); ++i)
      createEntry(i);
    std::vector<PathSegment> path;
    for (const AttrSetting& v : d_.values)
      applyValue(v, path);
    buildCurves();
    for (const Link& link : d_.links)
      connect(link);
    attachMeshes();
    applyTime();
  }

 private:
  bool fail(std::string& error, int line, const std::string& what) {
    error = d_.fileName + ":" + std::to_string(line) + ": " + what;
    return false;
  }
  void warn(int line, const std::string& text) {
    warnings_.push_back(d_.fileName + ":" + std::to_string(line) + ": " + text);
  }

  // The text of the sceneConfigurationScriptNode's "before" script, where the playback range is.
  const std::string& playbackOptionsText() {
    if (!playbackScanned_) {
      playbackScanned_ = true;
      for (const AttrSetting& v : d_.values) {
        const NodeEntry& e = d_.nodes[static_cast<size_t>(v.node)];
        if (e.type == "script" && e.name == "sceneConfigurationScriptNode" &&
            (v.attribute == "b" || v.attribute == "before") && !v.texts.empty()) {
          playbackText_ = v.texts[0];
          playbackLine_ = v.line;
        }
      }
    }
    return playbackText_;
  }

  void applyUnits() {
    const Units& u = d_.units;
    static const std::pair<const char*, MDistance::Unit> linear[] = {
        {"mm", MDistance::kMillimeters}, {"millimeter", MDistance::kMillimeters},
        {"cm", MDistance::kCentimeters}, {"centimeter", MDistance::kCentimeters},
        {"m", MDistance::kMeters},       {"meter", MDistance::kMeters},
        {"km", MDistance::kKilometers},  {"kilometer", MDistance::kKilometers},
        {"in", MDistance::kInches},      {"inch", MDistance::kInches},
        {"ft", MDistance::kFeet},        {"foot", MDistance::kFeet},
        {"yd", MDistance::kYards},       {"yard", MDistance::kYards},
        {"mi", MDistance::kMiles},       {"mile", MDistance::kMiles}};
    for (const auto& l : linear) {
      if (u.linearName == l.first)
        s_.setLinearUnit(l.second);
    }
    static const std::pair<const char*, MAngle::Unit> angle[] = {
        {"deg", MAngle::kDegrees},    {"degree", MAngle::kDegrees}, {"rad", MAngle::kRadians},
        {"radian", MAngle::kRadians}, {"min", MAngle::kAngMinutes}, {"sec", MAngle::kAngSeconds}};
    for (const auto& a : angle) {
      if (u.angleName == a.first)
        s_.setAngleUnit(a.second);
    }
    static const std::pair<const char*, MTime::Unit> time[] = {{"game", MTime::kGames},
                                                               {"film", MTime::kFilm},
                                                               {"pal", MTime::kPALFrame},
                                                               {"ntsc", MTime::kNTSCFrame},
                                                               {"show", MTime::kShowScan},
                                                               {"palf", MTime::kPALField},
                                                               {"ntscf", MTime::kNTSCField},
                                                               {"sec", MTime::kSeconds},
                                                               {"millisec", MTime::kMilliseconds},
                                                               {"min", MTime::kMinutes},
                                                               {"hour", MTime::kHours}};
    bool known = false;
    for (const auto& t : time) {
      if (u.timeName == t.first) {
        s_.setTimeUnit(t.second);
        known = true;
      }
    }
    if (!known)
      warn(1, "time unit \"" + u.timeName + "\" is used for the file's keys; the scene keeps " +
                  "its own time unit");
  }

  // The file's node of a name or path: the last one created under that name whose parents
  // match the path.
  int findEntry(const std::string& text) const {
    std::vector<std::string> parts;
    size_t pos = 0;
    for (;;) {
      size_t bar = text.find('|', pos);
      parts.push_back(text.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos));
      if (bar == std::string::npos)
        break;
      pos = bar + 1;
    }
    bool absolute = parts.size() > 1 && parts.front().empty();
    if (absolute)
      parts.erase(parts.begin());
    auto it = byName_.find(parts.back());
    if (it == byName_.end())
      return -1;
    for (auto c = it->second.rbegin(); c != it->second.rend(); ++c) {
      int walk = *c;
      bool match = true;
      for (size_t k = parts.size() - 1; k-- > 0;) {
        walk = parentEntry_[static_cast<size_t>(walk)];
        if (walk < 0 || d_.nodes[static_cast<size_t>(walk)].name != parts[k]) {
          match = false;
          break;
        }
      }
      if (match && (!absolute || parentEntry_[static_cast<size_t>(walk)] < 0))
        return *c;
    }
    return -1;
  }

  NodeRef resolve(const std::string& text, int* entry = nullptr) {
    int e = findEntry(text);
    if (entry)
      *entry = e;
    if (e >= 0 && s_.isAlive(refs_[static_cast<size_t>(e)]))
      return refs_[static_cast<size_t>(e)];
    NodeRef ref = s_.findNode(text);
    if (ref.isSet())
      return ref;
    if (const char* type = defaultNodeType(text)) {
      ref = s_.createNode(placeholderType(type, false), text, NodeRef{}, nullptr);
      if (Node* n = s_.node(ref))
        n->isDefault = true;
    }
    return ref;
  }

  void noteNotEvaluated(const NodeEntry& e) {
    const std::string& t = e.type;
    std::string what;
    if (t == "expression")
      what = "expression \"" + e.name + "\" is not evaluated";
    else if (isConstraint(t))
      what = "constraint \"" + e.name + "\" (" + t + ") is not evaluated";
    else if (t == "reference")
      what = "reference node \"" + e.name + "\": references are not loaded";
    else if (t == "script" && e.name != "sceneConfigurationScriptNode" &&
             e.name != "uiConfigurationScriptNode")
      what = "script node \"" + e.name + "\" is not run";
    else if (t.compare(0, 10, "animCurveU") == 0)
      what = "driven-key curve \"" + e.name + "\" (" + t + ") is not evaluated";
    else if (t == "joint")
      what = "joint \"" + e.name + "\" is kept without its transform";
    else
      for (const std::string& plugin : d_.pluginNodeTypes) {
        if (plugin == t)
          what = "plug-in node \"" + e.name + "\" (" + t + ") is not evaluated";
      }
    if (!what.empty())
      warn(e.line, what);
  }

  void createEntry(size_t i) {
    const NodeEntry& e = d_.nodes[i];
    NodeRef ref;
    if (e.type.empty()) {
      // select -ne: a node that already exists.
      ref = resolve(e.name);
      if (!ref.isSet())
        warn(e.line, "no node \"" + e.name + "\"; its settings are ignored");
      refs_[i] = ref;
      return;
    }
    if (e.shared)
      ref = s_.findNode(e.name);
    NodeRef parent;
    if (!e.parent.empty()) {
      int pe = -1;
      parent = resolve(e.parent, &pe);
      parentEntry_[i] = pe;
      if (!parent.isSet())
        warn(e.line, "no parent \"" + e.parent + "\" for \"" + e.name + "\"; it is put at the top");
    }
    if (!ref.isSet()) {
      const NodeType* type = findNodeType(e.type);
      if (!type) {
        type = &placeholderType(e.type, !e.parent.empty() || isDagPlaceholder(e.type));
        noteNotEvaluated(e);
      }
      std::string name = Scene::validName(e.name) ? e.name : std::string();
      std::string error;
      ref = s_.createNode(*type, name, parent, &error);
      if (!ref.isSet() && parent.isSet()) {
        warn(e.line, "\"" + e.name + "\" cannot go under \"" + e.parent + "\" (" + error +
                         "); it is put at the top");
        ref = s_.createNode(*type, name, NodeRef{}, &error);
      }
      if (!ref.isSet()) {
        warn(e.line, "cannot create \"" + e.name + "\": " + error);
        return;
      }
      const std::string& given = s_.node(ref)->name;
      if (!e.name.empty() && given != e.name)
        warn(e.line, "\"" + e.name + "\" is named \"" + given +
                         "\": a sibling (or, for a dependency node, any node) has that name");
    }
    refs_[i] = ref;
    byName_[e.name].push_back(static_cast<int>(i));
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

  void applyValue(const AttrSetting& v, std::vector<PathSegment>& path) {
    size_t n = static_cast<size_t>(v.node);
    NodeRef ref = refs_[n];
    const NodeEntry& e = d_.nodes[n];
    Node* node = s_.node(ref);
    if (!node || curves_[n] || builtMeshes_[n] || isCurveType(e.type) || e.type == "mesh")
      return;  // staged already, or a node that could not be made
    if (!parseAttributePath(v.attribute, path))
      return;
    if (node->kind() == NodeKind::kPlaceholder) {
      if (isPrimitiveType(e.type) && path.size() == 1 && v.numbers.size() == 1)
        primitiveAttrs_[n][path[0].name] = v.numbers[0];
      if (node->name == "time1" && path.size() == 1 &&
          (path[0].name == "o" || path[0].name == "outTime") && v.numbers.size() == 1)
        currentFrame_ = v.numbers[0];
      return;
    }
    if (path.size() != 1 || path[0].indexed)
      return;  // multis and nested plugs are not modelled
    int attr = s_.findAttribute(ref, path[0].name);
    const AttributeInfo* info = s_.attributeInfo(ref, attr);
    if (!info)
      return;
    if (info->type == AttrType::kString) {
      if (!v.texts.empty())
        s_.setText(ref, attr, v.texts[0]);
      return;
    }
    if (info->type == AttrType::kCompound) {
      for (size_t k = 0; k < info->children.size() && k < v.numbers.size(); ++k) {
        const AttributeInfo* child = s_.attributeInfo(ref, info->children[k]);
        s_.setNumber(ref, info->children[k], convert(child->type, v.numbers[k]));
      }
      return;
    }
    if (v.numbers.size() == 1)
      s_.setNumber(ref, attr, convert(info->type, v.numbers[0]));
  }

  void buildCurves() {
    for (size_t n = 0; n < curves_.size(); ++n) {
      Node* node = s_.node(refs_[n]);
      if (!curves_[n] || !node || !node->curve)
        continue;
      double scale = 1.0;
      switch (node->kind()) {
        case NodeKind::kAnimCurveTL:
          scale = d_.units.centimetresPerUnit;
          break;
        case NodeKind::kAnimCurveTA:
          scale = d_.units.radiansPerUnit;
          break;
        case NodeKind::kAnimCurveTT:
          scale = kTicksPerSecond / d_.units.framesPerSecond;
          break;
        default:
          break;
      }
      bool weighted = false;
      curves_[n]->build(*node->curve, d_.units, scale, weighted);
      if (weighted)
        warn(d_.nodes[n].line, "weighted tangents of \"" + d_.nodes[n].name +
                                   "\" are evaluated without their weights");
      curves_[n].reset();
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

  void connect(const Link& link) {
    PlugText src = splitPlug(link.source), dst = splitPlug(link.destination);
    int srcEntry = -1, dstEntry = -1;
    NodeRef from = resolve(src.node, &srcEntry);
    NodeRef to = resolve(dst.node, &dstEntry);
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
      Node* node = s_.node(refs_[n]);
      if (!node || node->kind() != NodeKind::kMesh || d_.nodes[n].type != "mesh")
        continue;
      auto input = meshInput_.find(n);
      int from = input == meshInput_.end() ? -1 : input->second;
      std::string fromName = input == meshInput_.end() ? std::string() : meshInputName_[n];
      const std::string& name = d_.nodes[n].name;
      bool primitive = from >= 0 && isPrimitiveType(d_.nodes[static_cast<size_t>(from)].type);
      if (builtMeshes_[n]) {
        node->mesh = std::move(builtMeshes_[n]);
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

  int subdivisions(size_t entry, const char* attr, int fallback, int minimum) {
    auto& attrs = primitiveAttrs_[entry];
    auto it = attrs.find(attr);
    double v = it == attrs.end() ? fallback : it->second;
    if (!(v >= minimum))
      return minimum;
    return v > kMaxSubdivisions ? kMaxSubdivisions : static_cast<int>(v);
  }

  double size(size_t entry, const char* attr, double fallback) {
    auto& attrs = primitiveAttrs_[entry];
    auto it = attrs.find(attr);
    double v = it == attrs.end() ? fallback : it->second;
    return std::isfinite(v) ? v * d_.units.centimetresPerUnit : fallback;
  }

  void buildPrimitive(Node& mesh, size_t from) {
    const std::string& type = d_.nodes[from].type;
    PolyGeometry g;
    if (type == "polyCube") {
      g = makeCube(size(from, "w", 1), size(from, "h", 1), size(from, "d", 1),
                   subdivisions(from, "sw", 1, 1), subdivisions(from, "sh", 1, 1),
                   subdivisions(from, "sd", 1, 1));
    } else if (type == "polyPlane") {
      g = makePlane(size(from, "w", 1), size(from, "h", 1), subdivisions(from, "sw", 10, 1),
                    subdivisions(from, "sh", 10, 1));
    } else if (type == "polyCylinder") {
      g = makeCylinder(size(from, "r", 1), size(from, "h", 2), subdivisions(from, "sa", 20, 3),
                       subdivisions(from, "sh", 1, 1));
    } else if (type == "polyCone") {
      g = makeCone(size(from, "r", 1), size(from, "h", 2), subdivisions(from, "sa", 20, 3),
                   subdivisions(from, "sh", 1, 1));
    } else {
      g = makeSphere(size(from, "r", 1), subdivisions(from, "sa", 20, 3),
                     subdivisions(from, "sh", 20, 2));
    }
    auto data = std::make_unique<MeshData>();
    std::string error;
    if (!data->build(std::move(g.points), std::move(g.counts), std::move(g.connects), &error) ||
        !data->setNormals(std::move(g.normals), std::move(g.normalIds), &error)) {
      warn(d_.nodes[from].line,
           "cannot make the shape of \"" + d_.nodes[from].name + "\": " + error);
      return;
    }
    UVSet& set = data->uvSets()[0];
    set.u = std::move(g.u);
    set.v = std::move(g.v);
    set.cornerIds = std::move(g.uvIds);
    mesh.mesh = std::move(data);
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
  std::vector<NodeRef> refs_;
  std::vector<int> parentEntry_;
  std::unordered_map<std::string, std::vector<int>> byName_;
  std::vector<std::unique_ptr<CurveStaging>> curves_;
  std::vector<std::unique_ptr<MeshStaging>> meshes_;
  std::vector<std::unique_ptr<MeshData>> builtMeshes_;
  std::unordered_map<size_t, std::unordered_map<std::string, double>> primitiveAttrs_;
  std::unordered_map<size_t, int> meshInput_;
  std::unordered_map<size_t, std::string> meshInputName_;
  std::set<std::string> warnedFeeders_;
  bool playbackScanned_ = false;
  std::string playbackText_;
  int playbackLine_ = 0;
  PlaybackOptions playback_;
  double currentFrame_ = std::nan("");
};

}  // namespace

bool buildScene(SceneDescription& description, Scene& scene, bool opening,
                std::vector<std::string>& warnings, std::string& error) {
  Builder builder(description, scene, opening, warnings);
  if (!builder.stage(error))
    return false;
  if (opening)
    scene.newScene();
  builder.apply();
  return true;
}

}  // namespace minihost::scenefile
