#include "support/WavFile.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace orbis::testing {
namespace {

void put16(std::ofstream& out, std::uint16_t value) {
  const char bytes[] = {static_cast<char>(value & 0xff), static_cast<char>(value >> 8)};
  out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t value) {
  put16(out, static_cast<std::uint16_t>(value & 0xffff));
  put16(out, static_cast<std::uint16_t>(value >> 16));
}

std::uint32_t get32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

void writeWav(const std::string& path, int durationMs, int sampleRate) {
  const auto samples =
      static_cast<std::uint32_t>(static_cast<long long>(sampleRate) * durationMs / 1000);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write("RIFF", 4);
  put32(out, 36 + samples * 2);
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, static_cast<std::uint32_t>(sampleRate));
  put32(out, static_cast<std::uint32_t>(sampleRate) * 2);
  put16(out, 2);
  put16(out, 16);
  out.write("data", 4);
  put32(out, samples * 2);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double wave = std::sin(2 * M_PI * 440.0 * i / sampleRate);
    put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(wave * 3000)));
  }
}

std::optional<double> wavDurationSeconds(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> head(4096);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  if (head.size() < 12 || std::string(head.begin(), head.begin() + 4) != "RIFF" ||
      std::string(head.begin() + 8, head.begin() + 12) != "WAVE")
    return std::nullopt;
  std::uint32_t byteRate = 0;
  // Walk the chunks: "fmt " gives the byte rate, "data" the length of the sound.
  for (std::size_t at = 12; at + 8 <= head.size();) {
    const std::string id(head.begin() + static_cast<long>(at),
                         head.begin() + static_cast<long>(at) + 4);
    const std::uint32_t size = get32(&head[at + 4]);
    if (id == "fmt " && at + 20 <= head.size()) byteRate = get32(&head[at + 16]);
    if (id == "data") {
      if (byteRate == 0) return std::nullopt;
      return static_cast<double>(size) / byteRate;
    }
    at += 8 + size + (size & 1);
  }
  return std::nullopt;
}

}  // namespace orbis::testing
