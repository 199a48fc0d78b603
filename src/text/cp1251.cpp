#include "text/cp1251.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace korvex {
namespace {

// Bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order. 0x98 is unassigned in
// the code page; like Windows' own conversion it maps to U+0098, so every byte
// survives a round trip through the UI and back.
// clang-format off
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};
// clang-format on

char32_t toUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kHighHalf[byte - 0x80];
}

using ReverseTable = std::array<std::pair<char32_t, unsigned char>, 128>;

ReverseTable buildReverseTable() {
  ReverseTable table;
  for (int i = 0; i < 128; ++i) {
    const auto byte = static_cast<unsigned char>(0x80 + i);
    table[static_cast<std::size_t>(i)] = {toUnicode(byte), byte};
  }
  std::sort(table.begin(), table.end());
  return table;
}

char toCp1251(char32_t code) {
  if (code < 0x80) return static_cast<char>(code);
  static const ReverseTable table = buildReverseTable();
  const auto found =
      std::lower_bound(table.begin(), table.end(), std::pair<char32_t, unsigned char>{code, 0});
  if (found == table.end() || found->first != code) return '?';
  return static_cast<char>(found->second);
}

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// What a lead byte promises: the sequence length, its payload bits and the range the
// second byte must fall in (narrower than 0x80..0xBF where that rules out overlong
// forms, surrogates and code points beyond U+10FFFF). Length 0: not a lead byte.
struct Lead {
  int length = 0;
  char32_t bits = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
};

Lead readLead(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {2, byte & 0x1Fu};
  if (byte == 0xE0) return {3, byte & 0x0Fu, 0xA0};
  if (byte == 0xED) return {3, byte & 0x0Fu, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {3, byte & 0x0Fu};
  if (byte == 0xF0) return {4, byte & 0x07u, 0x90};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, byte & 0x07u};
  if (byte == 0xF4) return {4, byte & 0x07u, 0x80, 0x8F};
  return {};
}

}  // namespace

std::string cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
  return out;
}

// A malformed sequence becomes one '?' for its longest valid-looking start, and
// decoding resumes at the first byte that broke it, so a stray byte costs at most the
// character it interrupted.
std::string utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto first = static_cast<unsigned char>(utf8[i++]);
    if (first < 0x80) {
      out.push_back(static_cast<char>(first));
      continue;
    }
    Lead lead = readLead(first);
    if (lead.length == 0) {
      out.push_back('?');
      continue;
    }
    char32_t code = lead.bits;
    int taken = 1;
    for (; taken < lead.length && i < utf8.size(); ++taken, ++i) {
      const auto next = static_cast<unsigned char>(utf8[i]);
      if (next < lead.low || next > lead.high) break;
      code = (code << 6) | (next & 0x3Fu);
      lead.low = 0x80;
      lead.high = 0xBF;
    }
    out.push_back(taken == lead.length ? toCp1251(code) : '?');
  }
  return out;
}

}  // namespace korvex
