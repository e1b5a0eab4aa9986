// The element-wise kernels' signatures, shared by the dispatching functions
// (engine/kernels.h) and every instruction-set build of them
// (engine/variant_tables.h). Included inside the namespace that owns them.

// out = round((x - round(acc)) * gain): the equalizer result and input gain.
void filter_and_gain(const int32_t* x, const double* acc, double gain, int32_t* out, int n);
// The same, telling whether any acc was near one half (see near_half).
bool filter_and_gain_checked(const int32_t* x, const double* acc, double gain, int32_t* out, int n,
                             double margin);
// out = round(x * gain): the same with a flat filter (acc = 0).
void input_gain(const int32_t* x, double gain, int32_t* out, int n);
// max |x|.
int32_t peak(const int32_t* x, int n);
// v = round(v * g[i]) with a gain per element.
void apply_gains(int32_t* v, const float* g, int n);
// v = round(v * g).
void apply_gain(int32_t* v, double g, int n);
// LOW = round(ls), HIGH = round(hs), MID = round(x - ls - hs).
void split_bands(const int32_t* x, const double* ls, const double* hs, int32_t* low, int32_t* mid,
                 int32_t* high, int n);
// split_bands, telling whether any of the sums was near one half.
bool split_bands_checked(const int32_t* x, const double* ls, const double* hs, int32_t* low, int32_t* mid,
                         int32_t* high, int n, double margin);
// sum = round(L * fl * ol * tl) + round(M * fm * om * tm) + round(H * fh * oh * th).
void band_sum(const int32_t* l, const int32_t* m, const int32_t* h, const float* fl, const float* fm,
              const float* fh, const float* tl, const float* tm, const float* th, double ol, double om,
              double oh, int32_t* sum, int n);
// sum = round(L * ol) + round(M * om) + round(H * oh) (multiband bypass).
void band_sum_bypass(const int32_t* l, const int32_t* m, const int32_t* h, double ol, double om,
                     double oh, int32_t* sum, int n);
// Rectified detector inputs, `shift` 0 or 8 (24-bit sources):
// LOW: 2 (|x(i + la)| - floor(|x(i + la - 20)| / 2)); others |x(i + la)|.
void low_detector(const int32_t* x, int la, int shift, int32_t* v, int n);
void abs_detector(const int32_t* x, int la, int shift, int extra_shift, int32_t* v, int n);
// The three of a mono block at once, four apart (the fourth 0), as the
// lanes read them: LOW from `low` with look-ahead `la_low`, MID, HIGH.
void mono_detectors4(const int32_t* low, const int32_t* mid, const int32_t* high, int la_low, int la_mid,
                     int la_high, int shift, int32_t* v4, int n);
// The stereo link of two rectified inputs, each raised to at least `floor_`
// (1), then decayed: one level per element, no state.
void linked_levels(const int32_t* a, const int32_t* b, int32_t add, int32_t floor_, float decay,
                   int32_t* level, int n);
// The levels of `linked_levels` with the floor 1, without a division (the
// quieter side while 5 hi < 7 lo, else round(hi / 1.4), which is
// round(hi * 5 / 7) since hi * 5 / 7 never lies within 1/14 of one half),
// and their curve targets table[clamp(floor(level / 4), 0, top)] into
// out[stride * i].
void linked_targets(const int32_t* a, const int32_t* b, int32_t add, float decay, const float* table, int32_t top,
                    int32_t* level, float* out, int stride, int n);
// The leveler of a mono source: its held level of the rectified values a
// (round(max(level, a) * decay)), the curve target of that level and the
// gain computer (attack toward a lower target, else release, at most 1):
// g[i] the gain after element i. level, gain and smallest run on.
void leveler_held(const int32_t* a, int32_t& level, float decay, const float* table, int32_t top, float attack,
                  float release, float& gain, float& smallest, float* g, int n);
// The same gain computer on given targets (the stereo leveler).
void leveler_gains(const float* target, float attack, float release, float& gain, float& smallest, float* g, int n);
// band_sum with the gains (and gate values) four per sample, LOW, MID, HIGH
// first; without gate values (null) the gates are 1.0 and left out.
void band_sum4(const int32_t* l, const int32_t* m, const int32_t* h, const float* g, const float* t,
               double ol, double om, double oh, int32_t* sum, int n);
// The limiter's rectified input: (|a| / 8) / 256 for shift 8 ..., the larger
// of both sides when `b` is given.
void limiter_detector(const int32_t* a, const int32_t* b, int extra_shift, int shift, int32_t* v, int n);
// Little-endian output bytes: 16-bit values (left, right interleaved when
// `b` is given), or 24-bit values (the low three bytes).
void pack16(const int32_t* a, const int32_t* b, uint8_t* out, int n);
void pack24(const int32_t* a, uint8_t* out, int n);
// out = clip(round(sum * g[i] * og)) to [lo, hi]; returns max |out|.
int32_t limiter_output(const int32_t* sum, const float* g, double og, int32_t lo, int32_t hi,
                       int32_t* out, int n);
// Direct sums of the equalizer for `count` consecutive positions, out[k] =
// sum over m = 0 .. half of c(m) (x(k - m) + x(k + m)), added in that order
// for every k (the order of Equalizer::sum_at, so the same doubles).
void eq_direct_sums(const int32_t* x, const float* c, int half, double* out, int count);
// Direct sums of the band split for `count` consecutive chain indices, in the
// order of Crossover::sums_at: pair = x(k + 80 - m) + x(k - 80 + m),
// low += pair c_low(m), high += pair c_high(m), m = 0 .. 80.
void band_direct_sums(const int32_t* x, const double* c_low, const double* c_high, double* low, double* high,
                      int count);
