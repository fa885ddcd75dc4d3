// Little-endian integers inside file headers and index pages.
#pragma once

#include <cstdint>

namespace kav::xbase {

inline uint16_t rd16(const char* p) {
  return static_cast<uint16_t>(static_cast<unsigned char>(p[0]) |
                               (static_cast<unsigned char>(p[1]) << 8));
}
inline uint32_t rd32(const char* p) {
  return static_cast<uint32_t>(rd16(p)) | (static_cast<uint32_t>(rd16(p + 2)) << 16);
}
inline void wr16(char* p, uint32_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void wr32(char* p, uint32_t v) {
  wr16(p, v & 0xFFFF);
  wr16(p + 2, v >> 16);
}

}  // namespace kav::xbase
