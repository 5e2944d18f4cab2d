#pragma once
// Glob patterns as gmatch and ls take them: '*', '?', "[a-z]" and '\' escapes.

#include <string_view>

namespace mel {

bool globMatch(std::string_view pattern, std::string_view text);

}  // namespace mel
