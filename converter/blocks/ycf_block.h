// One 1024-byte YCF block: 16-byte header, first value, differences of 32, 16
// or 8 bits and the closing last value. Big-endian in the file; ConvertBlock
// turns the fields in place into host order, and every reader below expects
// a converted block.
#pragma once

#include <cstddef>
#include <cstdint>

#include "blocks/byte_order.h"
#include "time/us_time.h"

namespace drumlin {

inline constexpr std::size_t kYcfBlockSize = 1024;
// Offsets of the fields within a block.
inline constexpr std::size_t kSystemIdOffset = 0;
inline constexpr std::size_t kStreamIdOffset = 4;
inline constexpr std::size_t kTimeCodeOffset = 8;
inline constexpr std::size_t kByte12Offset = 12;
inline constexpr std::size_t kSampleRateCodeOffset = 13;
inline constexpr std::size_t kCompressionByteOffset = 14;
inline constexpr std::size_t kRecordCountOffset = 15;
inline constexpr std::size_t kFirstValueOffset = 16;
inline constexpr std::size_t kDataOffset = 20;
// A usable block has at most this many 4-byte data records.
inline constexpr uint8_t kMaxRecordCount = 250;

struct YcfBlock {
  alignas(4) uint8_t Bytes[kYcfBlockSize];
};

// Converts the block in place from file order to host order (once per block).
void ConvertBlock(YcfBlock& Block);

uint32_t SystemId(const YcfBlock& Block);
uint32_t StreamId(const YcfBlock& Block);
uint32_t TimeCode(const YcfBlock& Block);
uint8_t Byte12(const YcfBlock& Block);
// 0 marks a status block.
uint8_t SampleRateCode(const YcfBlock& Block);
uint8_t CompressionByte(const YcfBlock& Block);
// Bits 0-2 of the compression byte: 1, 2 or 4 differences per record.
uint8_t CompressionCode(const YcfBlock& Block);
// Bits 4-7 of the compression byte: fraction of a second added to the start.
uint8_t FracNumerator(const YcfBlock& Block);
uint8_t RecordCount(const YcfBlock& Block);
int32_t FirstValue(const YcfBlock& Block);
// The value behind the data records (record count capped at 250).
int32_t LastValue(const YcfBlock& Block);

// Samples per second of a rate code (the high rates are coded).
uint16_t SampleRate(uint8_t Code);
// The Index-th difference, sign-extended; 0 for an invalid compression code
// and for an index outside the block's data records.
int32_t Difference(const YcfBlock& Block, int Index);
// Start of the first sample: time code plus the fractional offset.
UsTime BlockStart(const YcfBlock& Block);
// Time the samples span, truncated to whole microseconds.
int64_t BlockDuration(const YcfBlock& Block);
// Start expected of the next block of the stream.
UsTime BlockEnd(const YcfBlock& Block);

}  // namespace drumlin
