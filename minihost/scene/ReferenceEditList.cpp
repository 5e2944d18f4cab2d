#include "scene/ReferenceEditList.h"

#include <charconv>

namespace minihost::scenefile {
namespace {

bool countWord(const EditTokens& t, size_t i, long long& out) {
  if (t.quoted(i))
    return false;
  const std::string_view text = t.text(i);
  auto r = std::from_chars(text.data(), text.data() + text.size(), out);
  return r.ec == std::errc() && r.ptr == text.data() + text.size() && out >= 0;
}

class Decoder {
 public:
  Decoder(const EditTokens& t, ReferenceEditList& out) : t_(t), out_(out) {}

  bool run(std::string& problem) {
    if (t_.empty())
      return true;
    out_.topNode = std::string(t_.text(i_++));
    while (i_ < t_.size()) {
      long long count = 0;
      if (i_ + 1 >= t_.size() || !t_.quoted(i_) || !countWord(t_, i_ + 1, count)) {
        problem = "expected a reference node and a count of edits";
        return false;
      }
      i_ += 2;
      for (long long k = 0; k < count; ++k) {
        if (!edit(k + 1 == count, problem))
          return false;
      }
    }
    return true;
  }

 private:
  bool edit(bool lastOfGroup, std::string& problem) {
    long long code = 0;
    if (i_ >= t_.size() || !countWord(t_, i_, code) || code > 1000) {
      problem = "expected the kind of an edit";
      return false;
    }
    ++i_;
    ReferenceEdit e;
    e.code = static_cast<int>(code);
    if (e.code == static_cast<int>(EditKind::kPlaceholder)) {
      long long kind = 0;
      if (i_ >= t_.size() || !countWord(t_, i_, kind) || kind > 1000) {
        problem = "expected the kind of a placeholder edit";
        return false;
      }
      e.placeholderKind = static_cast<int>(kind);
      ++i_;
    }
    if (e.code == static_cast<int>(EditKind::kRelationship))
      return relationship(e, problem);
    // Fields run to the next count; the last edit of a group gives back the string that names
    // the next group.
    size_t end = i_;
    while (end < t_.size() && !isCount(end))
      ++end;
    e.fields.reserve(end - i_);  // a shot holds thousands of edits: one allocation each
    while (i_ < end)
      e.fields.emplace_back(t_.text(i_++));
    if (lastOfGroup && i_ < t_.size() && !e.fields.empty()) {
      e.fields.pop_back();
      --i_;
    }
    out_.edits.push_back(std::move(e));
    return true;
  }

  // name, node, count, that many plugs, flag.
  bool relationship(ReferenceEdit& e, std::string& problem) {
    for (int k = 0; k < 2 && i_ < t_.size(); ++k)
      e.fields.emplace_back(t_.text(i_++));
    long long n = 0;
    if (i_ >= t_.size() || !countWord(t_, i_, n) || n > static_cast<long long>(t_.size())) {
      problem = "expected the count of a relationship edit";
      return false;
    }
    ++i_;
    for (long long k = 0; k < n && i_ < t_.size(); ++k)
      e.fields.emplace_back(t_.text(i_++));
    if (i_ < t_.size() && !t_.quoted(i_))
      ++i_;
    out_.edits.push_back(std::move(e));
    return true;
  }

  bool isCount(size_t i) const {
    long long unused = 0;
    return countWord(t_, i, unused);
  }

  const EditTokens& t_;
  ReferenceEditList& out_;
  size_t i_ = 0;
};

}  // namespace

bool decodeReferenceEdits(const EditTokens& tokens, ReferenceEditList& out, std::string& problem) {
  return Decoder(tokens, out).run(problem);
}

bool placeholderSlot(const std::string& plug, std::string& node, long long& index) {
  size_t dot = plug.find('.');
  if (dot == std::string::npos)
    return false;
  std::string attr = plug.substr(dot + 1);
  size_t open = attr.find('[');
  if (open == std::string::npos || attr.back() != ']')
    return false;
  std::string name = attr.substr(0, open);
  if (name != "placeHolderList" && name != "phl")
    return false;
  const char* first = attr.data() + open + 1;
  const char* last = attr.data() + attr.size() - 1;
  auto r = std::from_chars(first, last, index);
  if (r.ec != std::errc() || r.ptr != last || index < 0)
    return false;
  node = plug.substr(0, dot);
  return true;
}

}  // namespace minihost::scenefile
