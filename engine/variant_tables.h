// The instruction-set builds of the vector kernels and the tables the
// dispatch (engine/cpu_variant.cpp) picks from. kernels.cpp,
// section_lanes.cpp and fft_kernels.cpp are compiled once per build with
// their own code-generation flags; SC_VARIANT names the namespace each
// build's functions live in (generic, avx2, avx512), so that nothing of one
// build can stand in for another's at link time.
#pragma once

#include <cstdint>

#include "engine/kernels.h"
#include "engine/section_lanes.h"

#define SC_KERNEL_NAMES(X)                                                                                 \
    X(filter_and_gain) X(filter_and_gain_checked) X(input_gain) X(peak) X(apply_gains) X(apply_gain)      \
    X(split_bands) X(split_bands_checked) X(band_sum) X(band_sum_bypass) X(low_detector) X(abs_detector) \
    X(mono_detectors4) X(linked_levels) X(linked_targets) X(band_sum4) X(limiter_detector) X(pack16)    \
    X(pack24) X(limiter_output)                                                                          \
    X(eq_direct_sums) X(band_direct_sums) X(leveler_held) X(leveler_gains)

namespace sc::engine {

namespace kernels {
struct Table {
#define SC_KERNEL_FIELD(f) decltype(&::sc::engine::kernels::f) f;
    SC_KERNEL_NAMES(SC_KERNEL_FIELD)
#undef SC_KERNEL_FIELD
};
}  // namespace kernels

namespace lanes {
struct Table {
    void (*run_mono)(const LaneSetup&, LaneState&, LaneBuffers&, const Side&, int, int, float*);
    void (*run_stereo)(const LaneSetup&, LaneState&, LaneBuffers&, const Side&, const Side&,
                       const int32_t* const[3], const int32_t* const[3], int, int, float*);
};
}  // namespace lanes

// The transform's butterfly passes (engine/fft.cpp describes them).
struct FftKernels {
    void (*butterflies)(double* re, double* im, const double* wr, const double* wi, int n, int h);
    void (*dif_butterflies)(double* re, double* im, const double* wr, const double* wi, int n, int h);
    void (*dif_pair)(double* re, double* im, const double* w1r, const double* w1i, const double* w2r,
                     const double* w2i, const double* w3r, const double* w3i, int n, int q);
    void (*dit_pair)(double* re, double* im, const double* w1r, const double* w1i, const double* w2r,
                     const double* w2i, int n, int q);
    void (*sixteens)(double* re, double* im, const double* s1, const double* s2, double* re2, double* im2, int n,
                     const double* twr, const double* twi);
};

struct VariantTables {
    const kernels::Table* kernels;
    const lanes::Table* lanes;
    const FftKernels* fft;
};

#define SC_DECLARE_VARIANT_TABLES(ns)                  \
    namespace ns {                                     \
    extern const ::sc::engine::kernels::Table kernel_table; \
    extern const ::sc::engine::lanes::Table lane_table;     \
    extern const ::sc::engine::FftKernels fft_table;        \
    }
SC_DECLARE_VARIANT_TABLES(generic)
SC_DECLARE_VARIANT_TABLES(avx2)
SC_DECLARE_VARIANT_TABLES(avx512)
#undef SC_DECLARE_VARIANT_TABLES

// The tables of the active build.
const VariantTables& active_tables();

}  // namespace sc::engine
