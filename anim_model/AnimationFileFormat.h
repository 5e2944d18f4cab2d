#pragma once

#include <cstdint>

class ipstream;

// Constants of the animation file (".vxranim").

// The file name extension, without the dot.
constexpr const char* kAnimationFileExtension = "vxranim";

// The file's first DWord; its bytes, least significant first, spell "VXan".
constexpr std::uint32_t kAnimationFileMagic = 0x6E615856;
// The version this code writes. Version 0 files (no up-axis byte, no light list) are still read.
constexpr std::uint8_t kAnimationFileVersion = 1;
// The up-axis byte of a version 1 file. Any byte other than 'z' is read as y-up.
constexpr std::uint8_t kUpAxisZByte = 'z';
constexpr std::uint8_t kUpAxisYByte = 'y';
// Every key, track and list record begins with this format version. Readers ignore the value.
constexpr std::uint8_t kRecordFormatVersion = 0;

// The identify test: a DWord equal to the magic, then a version byte of 0 or 1. Reads at most
// five bytes; a stream that ends before them is not an animation file.
bool isAnimationFile(ipstream& in);
