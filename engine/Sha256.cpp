#include "Sha256.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vyra {

namespace {

using Word = std::uint32_t;

constexpr std::array<Word, 64> kRoundConstants{
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

constexpr Word Rotate(Word x, int n) { return (x >> n) | (x << (32 - n)); }

void Compress(std::array<Word, 8>& state, const unsigned char* block)
{
    std::array<Word, 64> w{};
    for (int t = 0; t < 16; ++t) {
        w[t] = Word{block[4 * t]} << 24 | Word{block[4 * t + 1]} << 16 | Word{block[4 * t + 2]} << 8
               | Word{block[4 * t + 3]};
    }
    for (int t = 16; t < 64; ++t) {
        const Word s0 = Rotate(w[t - 15], 7) ^ Rotate(w[t - 15], 18) ^ (w[t - 15] >> 3);
        const Word s1 = Rotate(w[t - 2], 17) ^ Rotate(w[t - 2], 19) ^ (w[t - 2] >> 10);
        w[t] = w[t - 16] + s0 + w[t - 7] + s1;
    }
    auto [a, b, c, d, e, f, g, h] = state;
    for (int t = 0; t < 64; ++t) {
        const Word t1 =
            h + (Rotate(e, 6) ^ Rotate(e, 11) ^ Rotate(e, 25)) + ((e & f) ^ (~e & g)) + kRoundConstants[t] + w[t];
        const Word t2 = (Rotate(a, 2) ^ Rotate(a, 13) ^ Rotate(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    const std::array<Word, 8> added{a, b, c, d, e, f, g, h};
    for (std::size_t k = 0; k < state.size(); ++k) {
        state[k] += added[k];
    }
}

}  // namespace

std::string Sha256Hex(std::string_view bytes)
{
    std::array<Word, 8> state{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                              0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t whole = bytes.size() / 64 * 64;
    for (std::size_t at = 0; at < whole; at += 64) {
        Compress(state, data + at);
    }
    // The rest of the message, a 1 bit, zeros and its length in bits fill
    // one or two more blocks.
    std::array<unsigned char, 128> tail{};
    const std::size_t rest = bytes.size() - whole;
    std::copy_n(data + whole, rest, tail.begin());
    tail[rest] = 0x80;
    const std::size_t tailSize = rest < 56 ? 64 : 128;
    const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
    for (std::size_t k = 0; k < 8; ++k) {
        tail[tailSize - 1 - k] = static_cast<unsigned char>(bits >> (8 * k));
    }
    for (std::size_t at = 0; at < tailSize; at += 64) {
        Compress(state, tail.data() + at);
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex(64, '0');
    for (std::size_t k = 0; k < hex.size(); ++k) {
        hex[k] = kHex[(state[k / 8] >> (28 - 4 * (k % 8))) & 0xF];
    }
    return hex;
}

}  // namespace vyra
