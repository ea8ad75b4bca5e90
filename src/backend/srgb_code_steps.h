// The 10-bit code of an encoded row without its power: CUI tables hold only the codes, and the
// linear values at which each code begins are fixed, so they are worked out once per process.
#pragma once

#include <cstdint>

namespace varnet {

// LutCodeFromUnit(EncodeSrgbLimited(v)) for any v, bit for bit. Where v lies so near the start
// of a code that rounding could decide it, the formula itself is worked out.
uint32_t SrgbLutCode(double v);

} // namespace varnet
