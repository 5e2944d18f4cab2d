#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace minihost::scenefile {

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Opens a scene file for reading without waiting: a named pipe without a writer would block
// open() and a device such as /dev/zero never ends, so only regular files are read. On failure
// the handle is empty and `error` says why, naming the file by `name`. `size` is the file's size.
FileHandle openRegularFile(const std::string& path, const std::string& name, std::uint64_t& size,
                           std::string& error);

}  // namespace minihost::scenefile
