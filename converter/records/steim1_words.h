// The pieces of Steim-1 words, for the packer: size classes, the packing
// rules of steim1_packer.h as one function and the table drawn from it, and
// the words and sums made straight from a block's big-endian difference
// fields (8, 16 or 32 bits). Internal to the packer.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "blocks/byte_order.h"

namespace drumlin::steim1 {

#define DRUMLIN_HOT __attribute__((always_inline)) inline

// Two's-complement wrap-around arithmetic on 32-bit sample values.
DRUMLIN_HOT int32_t WrapAdd(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) + static_cast<uint32_t>(B));
}
DRUMLIN_HOT int32_t WrapSub(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) - static_cast<uint32_t>(B));
}

// 1 when the difference fits 8 bits, 2 when it fits 16, 3 otherwise.
DRUMLIN_HOT constexpr int SizeClass(int32_t Diff) {
  if (Diff >= -128 && Diff <= 127) return 1;
  if (Diff >= -32768 && Diff <= 32767) return 2;
  return 3;
}

// The packing rules, for the Count oldest queued differences of the given
// size classes: how many differences the next word takes (1, 2 or 4), or 0
// while they must wait.
constexpr int WordTake(const int* Sizes, int Count) {
  if (Count < 1) return 0;
  if (Sizes[0] == 3) return 1;  // rule 1
  if (Count < 2) return 0;
  if (Sizes[1] == 3) return 1;                   // rule 2
  if (Sizes[0] == 2 || Sizes[1] == 2) return 2;  // rule 3
  if (Count < 4) return 0;
  if (Sizes[2] > 1 || Sizes[3] > 1) return 2;  // rule 4
  return 4;                                    // rule 5
}

constexpr uint32_t CodeOfTake(int Take) { return Take == 1 ? 3u : Take == 2 ? 2u : 1u; }

// What the rules make of the next four differences when the queue is empty:
// the word takes Take of them, and is chosen once Need of them have arrived
// (the words of rules 2 and 4 are chosen with more differences queued than
// they take). Indexed by the size classes less one, the first in the lowest
// base-3 digit.
struct WordChoice {
  uint8_t Take;
  uint8_t Need;
};

constexpr std::array<WordChoice, 81> MakeWordChoices() {
  std::array<WordChoice, 81> Choices{};
  for (int Index = 0; Index < 81; ++Index) {
    const int Sizes[4] = {Index % 3 + 1, Index / 3 % 3 + 1, Index / 9 % 3 + 1, Index / 27 + 1};
    for (int Need = 1; Need <= 4; ++Need)
      if (const int Take = WordTake(Sizes, Need); Take > 0) {
        Choices[static_cast<std::size_t>(Index)] = {static_cast<uint8_t>(Take),
                                                    static_cast<uint8_t>(Need)};
        break;
      }
  }
  return Choices;
}

inline constexpr std::array<WordChoice, 81> kWordChoices = MakeWordChoices();
static_assert(kWordChoices[0].Take == 4 && kWordChoices[0].Need == 4, "four of 8 bits");
static_assert(kWordChoices[2].Take == 1 && kWordChoices[2].Need == 1, "32 bits first");
static_assert(kWordChoices[6].Take == 1 && kWordChoices[6].Need == 2, "32 bits second");
static_assert(kWordChoices[9].Take == 2 && kWordChoices[9].Need == 4, "8 8 16 8");

// The word of Take differences (1, 2 or 4; Value(K) gives the K-th), the
// oldest in the top bits, each as the low 32, 16 or 8 bits of its value.
template <typename ValueOf>
DRUMLIN_HOT uint32_t WordOf(int Take, ValueOf Value) {
  const auto D = [&](int K) { return static_cast<uint32_t>(Value(K)); };
  if (Take == 1) return D(0);
  if (Take == 2) return (D(0) & 0xFFFFu) << 16 | (D(1) & 0xFFFFu);
  return (D(0) & 0xFFu) << 24 | (D(1) & 0xFFu) << 16 | (D(2) & 0xFFu) << 8 | (D(3) & 0xFFu);
}

// The Index-th big-endian difference field of Data, sign-extended.
template <typename Field>
DRUMLIN_HOT int32_t LoadDiff(const uint8_t* Data, int Index) {
  return LoadBeSigned<Field>(Data + sizeof(Field) * static_cast<std::size_t>(Index));
}

// The word of Take differences stored from Data[At] on (the oldest in the
// top bits), as it stands in the file: four bytes, big-endian. Every field
// holds its difference sign-extended, so a word's parts are the low bytes
// of the fields, in their order.
template <typename Field>
DRUMLIN_HOT uint32_t StoredWord(const uint8_t* Data, int At, int Take) {
  const uint8_t* D = Data + sizeof(Field) * static_cast<std::size_t>(At);
  constexpr std::size_t W = sizeof(Field);
  uint32_t Word;
  if (static_cast<std::size_t>(Take) * W == 4) {  // the fields are the word: 2 x 16, 1 x 32
    std::memcpy(&Word, D, sizeof Word);
    return Word;
  }
  uint8_t Out[4];
  if (Take == 4) {
    for (std::size_t K = 0; K < 4; ++K) Out[K] = D[K * W + W - 1];
  } else if (Take == 2) {
    const uint32_t First = static_cast<uint32_t>(LoadBeSigned<Field>(D));
    const uint32_t Second = static_cast<uint32_t>(LoadBeSigned<Field>(D + W));
    StoreBe16(Out, static_cast<uint16_t>(First));
    StoreBe16(Out + 2, static_cast<uint16_t>(Second));
  } else {
    StoreBe32(Out, static_cast<uint32_t>(LoadBeSigned<Field>(D)));
  }
  std::memcpy(&Word, Out, sizeof Word);
  return Word;
}

// Sum of Count signed bytes. Each byte with its sign bit flipped is its
// value plus 128, so whole vectors of bytes are summed as unsigned bytes
// and 128 per byte taken off at the end.
DRUMLIN_HOT int32_t SumOfBytes(const uint8_t* Bytes, int Count) {
  int K = 0;
  int64_t Unsigned = 0;
#if defined(__SSE2__)
  const __m128i SignBits = _mm_set1_epi8(static_cast<char>(0x80));
  __m128i Totals = _mm_setzero_si128();
  for (; K + 16 <= Count; K += 16) {
    const __m128i Chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Bytes + K));
    Totals =
        _mm_add_epi64(Totals, _mm_sad_epu8(_mm_xor_si128(Chunk, SignBits), _mm_setzero_si128()));
  }
  Unsigned = _mm_cvtsi128_si64(Totals) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(Totals, Totals));
#endif
  for (; K < Count; ++K) Unsigned += Bytes[K] ^ 0x80u;
  return static_cast<int32_t>(Unsigned - 128 * static_cast<int64_t>(Count));
}

// Sum (wrapping on 32 bits) of Count big-endian fields of type Field.
template <typename Field>
DRUMLIN_HOT int32_t SumOfFields(const uint8_t* Data, int Count) {
  if constexpr (sizeof(Field) == 1) return SumOfBytes(Data, Count);
  int K = 0;
  uint32_t Sum = 0;
#if defined(__SSE2__)
  if constexpr (!kHostIsBigEndian) {
    __m128i Totals = _mm_setzero_si128();
    constexpr int kPerVector = 16 / static_cast<int>(sizeof(Field));
    for (; K + kPerVector <= Count; K += kPerVector) {
      __m128i V = _mm_loadu_si128(
          reinterpret_cast<const __m128i*>(Data + sizeof(Field) * static_cast<std::size_t>(K)));
      V = _mm_or_si128(_mm_slli_epi16(V, 8), _mm_srli_epi16(V, 8));  // bytes of each 16 bits
      if constexpr (sizeof(Field) == 2) {
        Totals = _mm_add_epi32(Totals, _mm_madd_epi16(V, _mm_set1_epi16(1)));
      } else {
        V = _mm_or_si128(_mm_slli_epi32(V, 16), _mm_srli_epi32(V, 16));  // then the halves
        Totals = _mm_add_epi32(Totals, V);
      }
    }
    alignas(16) uint32_t Lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(Lanes), Totals);
    Sum = Lanes[0] + Lanes[1] + Lanes[2] + Lanes[3];
  }
#endif
  for (; K < Count; ++K) Sum += static_cast<uint32_t>(LoadDiff<Field>(Data, K));
  return static_cast<int32_t>(Sum);
}

// Size classes less one (0, 1, 2) of Count big-endian fields, into Classes.
template <typename Field>
DRUMLIN_HOT void SizeClasses(const uint8_t* Data, int Count, uint8_t* Classes) {
  if constexpr (sizeof(Field) == 1) {
    std::memset(Classes, 0, static_cast<std::size_t>(Count));  // every one fits 8 bits
    return;
  }
  int K = 0;
#if defined(__SSE2__)
  if constexpr (!kHostIsBigEndian) {
    const __m128i Ones = _mm_set1_epi8(1);
    constexpr int kPerVector = 16 / static_cast<int>(sizeof(Field));
    for (; K + 2 * kPerVector <= Count; K += 2 * kPerVector) {
      __m128i Wide[2];
      for (int Half = 0; Half < 2; ++Half) {
        const uint8_t* At = Data + sizeof(Field) * static_cast<std::size_t>(K + Half * kPerVector);
        __m128i V = _mm_loadu_si128(reinterpret_cast<const __m128i*>(At));
        V = _mm_or_si128(_mm_slli_epi16(V, 8), _mm_srli_epi16(V, 8));
        if constexpr (sizeof(Field) == 2) {
          Wide[Half] = _mm_or_si128(_mm_cmpgt_epi16(V, _mm_set1_epi16(127)),
                                    _mm_cmplt_epi16(V, _mm_set1_epi16(-128)));
        } else {
          V = _mm_or_si128(_mm_slli_epi32(V, 16), _mm_srli_epi32(V, 16));
          const __m128i Past8 = _mm_or_si128(_mm_cmpgt_epi32(V, _mm_set1_epi32(127)),
                                             _mm_cmplt_epi32(V, _mm_set1_epi32(-128)));
          const __m128i Past16 = _mm_or_si128(_mm_cmpgt_epi32(V, _mm_set1_epi32(32767)),
                                              _mm_cmplt_epi32(V, _mm_set1_epi32(-32768)));
          Wide[Half] = _mm_add_epi32(Past8, Past16);  // 0, -1 or -2 per field
        }
      }
      if constexpr (sizeof(Field) == 2) {
        // 0 or -1 per field, sixteen fields as bytes: 0 or 1.
        const __m128i Bytes = _mm_and_si128(_mm_packs_epi16(Wide[0], Wide[1]), Ones);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Classes + K), Bytes);
      } else {
        // 0, -1 or -2 per field, eight fields as bytes: 0, 1 or 2.
        const __m128i Words = _mm_packs_epi32(Wide[0], Wide[1]);
        const __m128i Bytes = _mm_sub_epi8(_mm_setzero_si128(), _mm_packs_epi16(Words, Words));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(Classes + K), Bytes);
      }
    }
  }
#endif
  for (; K < Count; ++K) {
    const int32_t D = LoadDiff<Field>(Data, K);
    Classes[K] = static_cast<uint8_t>((D < -128 || D > 127) + (D < -32768 || D > 32767));
  }
}

// How many words of the same kind follow one another from Classes on (the
// size classes less one; at most Words of them): words of four differences
// that fit 8 bits (Take 4), pairs with a 16-bit one and no 32-bit one (Take
// 2), or 32-bit differences alone (Take 1). Eight classes are looked at in
// one step where they can be.
DRUMLIN_HOT int RunOfWords(const uint8_t* Classes, int Words, int Take) {
  int Run = 0;
  const auto Load = [&](int At) {
    uint64_t Eight;
    std::memcpy(&Eight, Classes + At, sizeof Eight);
    if constexpr (kHostIsBigEndian) Eight = ByteSwap64(Eight);  // the first class lowest
    return Eight;
  };
  // Whole steps of eight classes; the first that breaks the run ends them.
  const int PerStep = 8 / Take;
  for (; Run + PerStep <= Words; Run += PerStep) {
    const uint64_t Eight = Load(Run * Take);
    uint64_t Broken = 0;  // a nonzero lane for each word that is not of the kind
    if (Take == 4) {
      Broken = Eight;
    } else if (Take == 1) {
      Broken = Eight ^ 0x0202020202020202u;
    } else {
      // Per pair, the two classes or-ed in the low byte of its 16 bits: 1
      // exactly when neither is 32 bits and not both are 8 bits.
      Broken = ((Eight | Eight >> 8) & 0x00FF00FF00FF00FFu) ^ 0x0001000100010001u;
    }
    if (Broken != 0) {
      const int FirstBad = __builtin_ctzll(Broken) / (8 * Take);
      return Run + FirstBad;
    }
  }
  for (; Run < Words; ++Run) {
    const uint8_t* N = Classes + Run * Take;
    const bool Same = Take == 4   ? (N[0] | N[1] | N[2] | N[3]) == 0
                      : Take == 2 ? N[0] != 2 && N[1] != 2 && (N[0] | N[1]) != 0
                                  : N[0] == 2;
    if (!Same) break;
  }
  return Run;
}

}  // namespace drumlin::steim1
