#include "blocks/stream_id.h"

namespace drumlin {

bool BitIsSet(uint32_t Value, int Bit) { return ((Value >> Bit) & 1u) != 0; }

std::string Base36Id(uint32_t Id) {
  static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  uint32_t Value = Id;
  if (BitIsSet(Id, 31)) Value = BitIsSet(Id, 30) ? (Id & 0x1FFFFFu) : (Id & 0x3FFFFFFu);
  std::string Text;
  do {
    Text.insert(Text.begin(), kDigits[Value % 36]);
    Value /= 36;
  } while (Value != 0);
  return Text;
}

std::string ChannelCode(const YcfBlock& Block) {
  std::string Code = "LH?";
  const uint16_t Rate = SampleRate(SampleRateCode(Block));
  if (Rate >= 80)
    Code[0] = 'H';
  else if (Rate >= 10)
    Code[0] = 'B';
  else if (Rate >= 2)
    Code[0] = 'M';

  const std::string Stream = Base36Id(StreamId(Block));
  // A one-character identifier names no component: the orientation stays '?'.
  if (Stream.size() < 2) return Code;
  const char Component = Stream[Stream.size() - 2];
  if (Component == 'M') {
    Code[1] = 'M';
    switch (Stream.back()) {
      case '8': Code[2] = 'Z'; break;
      case '9': Code[2] = 'N'; break;
      case 'A': Code[2] = 'E'; break;
      default: break;
    }
  } else {
    Code[2] = Component;
  }
  return Code;
}

}  // namespace drumlin
