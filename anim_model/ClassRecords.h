#pragma once

// The axis matrices and the class records of the four streamable animation classes are static
// objects of one translation unit, built at load in a fixed order (matrices, then the records of
// camera track, camera list, light track, light list) and released at unload in reverse.
//
// Calling this function makes sure that translation unit is part of the program: a static
// library contributes an object file only when something refers to it, and a record that is not
// linked in cannot be found by name when a stream reads a track. AnimationDocument's constructor
// calls it; code that reads tracks or lists without a document should call it too.
// Returns true when all four records can be found by name.
bool ensureAnimationClassRecords();
