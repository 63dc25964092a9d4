#pragma once
// The fuzz targets: each feeds one input to a reader and aborts when an invariant breaks. The
// fuzzers call them from libFuzzer; the corpus replay test calls them on every committed input.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace nl::fuzz {

int Archive(const std::uint8_t* data, std::size_t size);
int Bitmap(const std::uint8_t* data, std::size_t size);
int DataFile(const std::uint8_t* data, std::size_t size);
int Document(const std::uint8_t* data, std::size_t size);
int Measurement(const std::uint8_t* data, std::size_t size);
int RulerData(const std::uint8_t* data, std::size_t size);
int WinState(const std::uint8_t* data, std::size_t size);
// Every palette form of Import Colors (GIMP, CSS, JSON, Swatch Exchange, text exports).
int Palette(const std::uint8_t* data, std::size_t size);
// A recipe that grows a valid data file or document into a large hostile one (see its file).
int Large(const std::uint8_t* data, std::size_t size);

struct Target {
    std::string_view name;  // also the name of its corpus folder, fuzz/corpus/<name>
    int (*run)(const std::uint8_t* data, std::size_t size);
};

std::span<const Target> Targets();

}  // namespace nl::fuzz
