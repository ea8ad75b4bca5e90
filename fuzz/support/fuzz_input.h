// The fuzzer's bytes as a stream of answers. A fuzzed driver asks it for every result code,
// record field and data block; once the bytes run out every answer is zero, so an input of any
// length is a complete run.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace varnet::fuzz {

class FuzzInput {
public:
    void Reset(const uint8_t* data, std::size_t size) {
        data_ = data;
        size_ = size;
        at_ = 0;
    }
    bool Empty() const { return at_ >= size_; }

    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    // Fills n bytes, zeros past the end of the input.
    void Bytes(void* out, std::size_t n) {
        auto* bytes = static_cast<uint8_t*>(out);
        const std::size_t have = at_ < size_ ? std::min(n, size_ - at_) : 0;
        if (have > 0) {
            std::memcpy(bytes, data_ + at_, have);
        }
        std::memset(bytes + have, 0, n - have);
        at_ += have;
    }
    template <class T> T Value() {
        T value;
        Bytes(&value, sizeof value);
        return value;
    }
    bool Bool() { return (Byte() & 1) != 0; }
    // True about once in every `in` answers; never once the input has run out.
    bool OneIn(uint8_t in) { return Byte() % in == in - 1; }
    // Small counts mostly (a zero byte is one), now and then up to 65535. The library sizes
    // some allocations by a driver's counts; larger ones only measure the machine's memory.
    uint32_t Count() {
        const uint8_t b = Byte();
        return b < 0xF0 ? (b + 1u) % 8 : Value<uint16_t>();
    }

private:
    const uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t at_ = 0;
};

// The one stream the fuzzed run time and the fuzzed SDK object both read.
FuzzInput& Input();

} // namespace varnet::fuzz
