// Which build of the vector kernels runs: one per instruction-set level,
// chosen once, at the first call, from what the processor offers (the
// widest it supports). SONOCLAMPER_CPU=generic|avx2|avx512 in the
// environment asks for a narrower one; a value the processor or the build
// cannot run is ignored. Every variant gives the same bytes.
#pragma once

#include <optional>
#include <string_view>

namespace sc::engine::cpu {

enum class Variant { Generic, Avx2, Avx512 };

inline constexpr Variant ALL_VARIANTS[] = {Variant::Generic, Variant::Avx2, Variant::Avx512};

const char* name(Variant v);
std::optional<Variant> variant_named(std::string_view name);
// Built into this program and runnable on this processor.
bool supported(Variant v);
// The widest supported variant.
Variant best();
// The variant the kernels run with.
Variant active();
// Makes `v` the variant of every later call (tests and benchmarks compare
// them); false, and nothing changes, when it is not supported.
bool force(Variant v);

}  // namespace sc::engine::cpu
