#pragma once

// The mesh export's message texts, in one place, without the front end's prefix (the translator
// or the command names itself before them). Each is followed by a path or a mesh name.
namespace meshExportMessages {
constexpr char kCantCreateFile[] = "can't create the mesh file ";
constexpr char kCantExportMesh[] = "can't export the mesh ";
// After the mesh's name; the path and ")" follow.
constexpr char kValueNotFinite[] =
    ": a value is too large for the file or not a number (nothing written to ";
constexpr char kCantWriteFile[] = "can't write the mesh file ";
}  // namespace meshExportMessages
