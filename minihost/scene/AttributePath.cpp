#include "scene/AttributePath.h"

#include <charconv>

namespace minihost::scenefile {
namespace {
bool number(const std::string& text, size_t begin, size_t end, long long& out, bool* tooLarge) {
  if (begin >= end)
    return false;
  auto r = std::from_chars(text.data() + begin, text.data() + end, out);
  if (r.ptr != text.data() + end)
    return false;
  if (r.ec == std::errc::result_out_of_range || (r.ec == std::errc() && out > kMaxElementIndex)) {
    if (tooLarge)
      *tooLarge = true;
    return false;
  }
  return r.ec == std::errc() && out >= 0;
}
}  // namespace

bool parseAttributePath(const std::string& text, std::vector<PathSegment>& out,
                        bool* indexTooLarge) {
  out.clear();
  if (indexTooLarge)
    *indexTooLarge = false;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('.', pos);
    if (end == std::string::npos)
      end = text.size();
    PathSegment seg;
    size_t open = text.find('[', pos);
    if (open != std::string::npos && open < end) {
      size_t close = text.find(']', open);
      if (close == std::string::npos || close + 1 != end)
        return false;
      seg.name = text.substr(pos, open - pos);
      seg.indexed = true;
      size_t colon = text.find(':', open);
      if (colon != std::string::npos && colon < close) {
        if (!number(text, open + 1, colon, seg.first, indexTooLarge) ||
            !number(text, colon + 1, close, seg.last, indexTooLarge))
          return false;
      } else {
        if (!number(text, open + 1, close, seg.first, indexTooLarge))
          return false;
        seg.last = seg.first;
      }
      if (seg.last < seg.first)
        return false;
    } else {
      seg.name = text.substr(pos, end - pos);
    }
    if (seg.name.empty())
      return false;
    out.push_back(std::move(seg));
    pos = end + 1;
  }
  return !out.empty();
}

}  // namespace minihost::scenefile
