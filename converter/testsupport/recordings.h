// Recordings for the whole-program tests: continuous digitiser streams in
// the bytes of a YCF file, and what DRUMLIN makes of such bytes on their own.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "blocks/ycf_block.h"
#include "time/us_time.h"

namespace drumlin::test {

// Blocks of a continuous stream at 100 samples per second of 8-bit
// differences, 1000 samples each, from Start on; Seed varies the samples.
std::vector<YcfBlock> Recording(int Blocks, uint32_t Seed, UsTime Start,
                                const std::string& System = "SY01",
                                const std::string& Stream = "6Z2");
// The same from 2024-05-01 00:00:00.
std::vector<YcfBlock> Recording(int Blocks, uint32_t Seed);

// The bytes of a file of the blocks.
std::string Bytes(const std::vector<YcfBlock>& Blocks);

// The output DRUMLIN makes of Input, converted on its own with Switches;
// throws when DRUMLIN fails.
std::string ConvertedAlone(const std::string& Input, const std::vector<std::string>& Switches = {});

// The names in a directory.
std::set<std::string> Entries(const std::string& Directory);

// DRUMLIN started in the background in WorkDir, its standard output going
// to the file StdoutFile (discarded when empty).
pid_t StartDrumlin(const std::string& WorkDir, const std::vector<std::string>& Arguments,
                   const std::string& StdoutFile = "");

}  // namespace drumlin::test
