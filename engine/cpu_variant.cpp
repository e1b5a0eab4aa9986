#include "engine/cpu_variant.h"

#include <atomic>
#include <cstdlib>

#include "engine/variant_tables.h"

namespace sc::engine {

namespace {

constexpr VariantTables GENERIC = {&generic::kernel_table, &generic::lane_table, &generic::fft_table};
#if SC_X86_VARIANTS
constexpr VariantTables AVX2 = {&avx2::kernel_table, &avx2::lane_table, &avx2::fft_table};
constexpr VariantTables AVX512 = {&avx512::kernel_table, &avx512::lane_table, &avx512::fft_table};
#endif

const VariantTables& tables_of(cpu::Variant v) {
#if SC_X86_VARIANTS
    if (v == cpu::Variant::Avx2) return AVX2;
    if (v == cpu::Variant::Avx512) return AVX512;
#endif
    (void)v;
    return GENERIC;
}

bool processor_has(cpu::Variant v) {
#if SC_X86_VARIANTS
    __builtin_cpu_init();
    const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    switch (v) {
        case cpu::Variant::Generic: return true;
        case cpu::Variant::Avx2: return avx2;
        case cpu::Variant::Avx512:
            return avx2 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                   __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl") &&
                   __builtin_cpu_supports("avx512cd");
    }
    return false;
#else
    return v == cpu::Variant::Generic;
#endif
}

// The variant of the first call: the widest, or a narrower supported one
// the environment asks for.
cpu::Variant initial_variant() {
    if (const char* asked = std::getenv("SONOCLAMPER_CPU")) {
        const auto v = cpu::variant_named(asked);
        if (v && cpu::supported(*v)) return *v;
    }
    return cpu::best();
}

std::atomic<const VariantTables*> forced{nullptr};
std::atomic<cpu::Variant> forced_variant{cpu::Variant::Generic};

cpu::Variant chosen() {
    static const cpu::Variant v = initial_variant();
    return v;
}

}  // namespace

const VariantTables& active_tables() {
    if (const VariantTables* t = forced.load(std::memory_order_acquire)) return *t;
    static const VariantTables& t = tables_of(chosen());
    return t;
}

namespace cpu {

const char* name(Variant v) {
    switch (v) {
        case Variant::Generic: return "generic";
        case Variant::Avx2: return "avx2";
        case Variant::Avx512: return "avx512";
    }
    return "?";
}

std::optional<Variant> variant_named(std::string_view n) {
    for (Variant v : ALL_VARIANTS)
        if (n == name(v)) return v;
    return std::nullopt;
}

bool supported(Variant v) { return processor_has(v); }

Variant best() {
    Variant b = Variant::Generic;
    for (Variant v : ALL_VARIANTS)
        if (supported(v)) b = v;
    return b;
}

Variant active() {
    return forced.load(std::memory_order_acquire) ? forced_variant.load(std::memory_order_acquire) : chosen();
}

bool force(Variant v) {
    if (!supported(v)) return false;
    forced_variant.store(v, std::memory_order_release);
    forced.store(&tables_of(v), std::memory_order_release);
    return true;
}

}  // namespace cpu

// The dispatching kernels: each call runs the active build's.
namespace kernels {

namespace {
const Table& k() { return *active_tables().kernels; }
}  // namespace

void filter_and_gain(const int32_t* x, const double* acc, double gain, int32_t* out, int n) {
    k().filter_and_gain(x, acc, gain, out, n);
}
bool filter_and_gain_checked(const int32_t* x, const double* acc, double gain, int32_t* out, int n,
                             double margin) {
    return k().filter_and_gain_checked(x, acc, gain, out, n, margin);
}
void input_gain(const int32_t* x, double gain, int32_t* out, int n) { k().input_gain(x, gain, out, n); }
int32_t peak(const int32_t* x, int n) { return k().peak(x, n); }
void apply_gains(int32_t* v, const float* g, int n) { k().apply_gains(v, g, n); }
void apply_gain(int32_t* v, double g, int n) { k().apply_gain(v, g, n); }
void split_bands(const int32_t* x, const double* ls, const double* hs, int32_t* low, int32_t* mid,
                 int32_t* high, int n) {
    k().split_bands(x, ls, hs, low, mid, high, n);
}
bool split_bands_checked(const int32_t* x, const double* ls, const double* hs, int32_t* low, int32_t* mid,
                         int32_t* high, int n, double margin) {
    return k().split_bands_checked(x, ls, hs, low, mid, high, n, margin);
}
void band_sum(const int32_t* l, const int32_t* m, const int32_t* h, const float* fl, const float* fm,
              const float* fh, const float* tl, const float* tm, const float* th, double ol, double om,
              double oh, int32_t* sum, int n) {
    k().band_sum(l, m, h, fl, fm, fh, tl, tm, th, ol, om, oh, sum, n);
}
void band_sum_bypass(const int32_t* l, const int32_t* m, const int32_t* h, double ol, double om,
                     double oh, int32_t* sum, int n) {
    k().band_sum_bypass(l, m, h, ol, om, oh, sum, n);
}
void low_detector(const int32_t* x, int la, int shift, int32_t* v, int n) { k().low_detector(x, la, shift, v, n); }
void abs_detector(const int32_t* x, int la, int shift, int extra_shift, int32_t* v, int n) {
    k().abs_detector(x, la, shift, extra_shift, v, n);
}
void mono_detectors4(const int32_t* low, const int32_t* mid, const int32_t* high, int la_low, int la_mid,
                     int la_high, int shift, int32_t* v4, int n) {
    k().mono_detectors4(low, mid, high, la_low, la_mid, la_high, shift, v4, n);
}
void linked_levels(const int32_t* a, const int32_t* b, int32_t add, int32_t floor_, float decay,
                   int32_t* level, int n) {
    k().linked_levels(a, b, add, floor_, decay, level, n);
}
void linked_targets(const int32_t* a, const int32_t* b, int32_t add, float decay, const float* table, int32_t top,
                    int32_t* level, float* out, int stride, int n) {
    k().linked_targets(a, b, add, decay, table, top, level, out, stride, n);
}
void leveler_held(const int32_t* a, int32_t& level, float decay, const float* table, int32_t top, float attack,
                  float release, float& gain, float& smallest, float* g, int n) {
    k().leveler_held(a, level, decay, table, top, attack, release, gain, smallest, g, n);
}
void leveler_gains(const float* target, float attack, float release, float& gain, float& smallest, float* g,
                   int n) {
    k().leveler_gains(target, attack, release, gain, smallest, g, n);
}
void band_sum4(const int32_t* l, const int32_t* m, const int32_t* h, const float* g, const float* t,
               double ol, double om, double oh, int32_t* sum, int n) {
    k().band_sum4(l, m, h, g, t, ol, om, oh, sum, n);
}
void limiter_detector(const int32_t* a, const int32_t* b, int extra_shift, int shift, int32_t* v, int n) {
    k().limiter_detector(a, b, extra_shift, shift, v, n);
}
void pack16(const int32_t* a, const int32_t* b, uint8_t* out, int n) { k().pack16(a, b, out, n); }
void pack24(const int32_t* a, uint8_t* out, int n) { k().pack24(a, out, n); }
int32_t limiter_output(const int32_t* sum, const float* g, double og, int32_t lo, int32_t hi, int32_t* out,
                       int n) {
    return k().limiter_output(sum, g, og, lo, hi, out, n);
}

void eq_direct_sums(const int32_t* x, const float* c, int half, double* out, int count) {
    k().eq_direct_sums(x, c, half, out, count);
}
void band_direct_sums(const int32_t* x, const double* c_low, const double* c_high, double* low, double* high,
                      int count) {
    k().band_direct_sums(x, c_low, c_high, low, high, count);
}

}  // namespace kernels

namespace lanes {

void prepare_buffers(LaneBuffers& buf, int bands) {
    const size_t room = static_cast<size_t>(bands > 0 ? bands : 0) + 8;
    if (buf.targets.size() < 4 * room) {
        buf.targets.assign(4 * room, 1.0f);  // the limiter's place stays 1
        buf.gains.assign(4 * room, 1.0f);
        buf.gates.assign(4 * room, 1.0f);
        buf.inputs4.assign(4 * room, 0);
    }
    for (auto& levels : buf.levels)
        if (levels.size() < room) levels.resize(room);
    if (buf.limiter_inputs.size() < room) buf.limiter_inputs.resize(room);
}

void run_mono(const LaneSetup& s, LaneState& st, LaneBuffers& buf, const Side& side, int bands, int limited,
              float* limiter_gains) {
    prepare_buffers(buf, bands);
    active_tables().lanes->run_mono(s, st, buf, side, bands, limited, limiter_gains);
}

void run_stereo(const LaneSetup& s, LaneState& st, LaneBuffers& buf, const Side& left, const Side& right,
                const int32_t* const inputs_left[3], const int32_t* const inputs_right[3], int bands, int limited,
                float* limiter_gains) {
    prepare_buffers(buf, bands);
    active_tables().lanes->run_stereo(s, st, buf, left, right, inputs_left, inputs_right, bands, limited,
                                      limiter_gains);
}

}  // namespace lanes

}  // namespace sc::engine
