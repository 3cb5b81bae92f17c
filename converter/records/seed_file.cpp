#include "records/seed_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "blocks/stream_id.h"

namespace drumlin {

namespace {

// Copies Text into a space-padded field of Width characters, taking either
// the first or the last Width characters of a longer text.
enum class Keep { First, Last };

void SetCodeField(char* Field, std::size_t Width, const std::string& Text, Keep Which) {
  std::memset(Field, ' ', Width);
  std::size_t From = 0;
  std::size_t Count = Text.size();
  if (Count > Width) {
    if (Which == Keep::Last) From = Count - Width;
    Count = Width;
  }
  std::memcpy(Field, Text.data() + From, Count);
}

}  // namespace

TSEEDFile::TSEEDFile(const std::string& FileName, StreamMode Mode) : FileStream(FileName, Mode) {}

void TSEEDFile::InitHeader(const YcfBlock& Block) {
  Header_ = RecordHeader{};
  // A block without samples has no first sample to give X0.
  Packer_.StartRun(FirstValue(Block), RecordCount(Block) > 0);
  RunSamplesWritten_ = 0;

  std::memcpy(Header_.SequenceNumber, "000001", 6);
  Header_.Quality = 'D';
  Header_.Reserved = ' ';
  const std::string StreamText = Base36Id(StreamId(Block));
  SetStation(StreamText.size() > 2 ? StreamText.substr(0, StreamText.size() - 2) : "");
  SetLocation("");
  SetChannel(ChannelCode(Block));
  SetNetwork("");
  LoadExportInfo(StreamText, Base36Id(SystemId(Block)));

  RunStart_ = BlockStart(Block);
  SetStartTime(RunStart_);
  Header_.RateFactor = static_cast<int16_t>(SampleRate(SampleRateCode(Block)));
  Header_.RateMultiplier = 1;
  Header_.BlocketteCount = 1;
  Header_.DataOffset = 64;
  Header_.BlocketteOffset = 48;
  Header_.BlockByte12 = Byte12(Block);
  const uint32_t System = SystemId(Block);
  Header_.SystemIdHighByte = BitIsSet(System, 31) ? static_cast<uint8_t>((System >> 24) & 0xFC) : 0;
  Header_.BlocketteType = 1000;
  Header_.NextBlockette = 0;
  Header_.Encoding = 10;
  Header_.WordOrder = 1;
  Header_.RecordLengthPower = 12;
  NeedHeader = false;
}

void TSEEDFile::SetStartTime(UsTime Start) {
  Header_.Year = static_cast<uint16_t>(UsYear(Start));
  Header_.DayOfYear = static_cast<uint16_t>(UsDayOfYear(Start));
  Header_.Hour = static_cast<uint8_t>(UsHour(Start));
  Header_.Minute = static_cast<uint8_t>(UsMinute(Start));
  Header_.Second = static_cast<uint8_t>(UsSecond(Start));
  Header_.Fraction = static_cast<uint16_t>(UsFract(Start));
}

void TSEEDFile::AdvanceStartTime() {
  RunSamplesWritten_ += Header_.SampleCount;
  SetStartTime(RunStart_ + RunSamplesWritten_ * kUsPerSecond / Header_.RateFactor);
}

void TSEEDFile::AddSample(int32_t Value) {
  if (Packer_.AddSample(Value)) WriteRecord();
}

void TSEEDFile::AddSamples(const int32_t* Samples, int Count) {
  while (Count > 0) {
    int Used = 0;
    if (Packer_.AddSamples(Samples, Count, Used)) WriteRecord();
    Samples += Used;
    Count -= Used;
  }
}

template <typename Field>
void TSEEDFile::AddDifferences(const uint8_t* Data, int Count) {
  while (Count > 0) {
    int Used = 0;
    if (Packer_.AddDifferences<Field>(Data, Count, Used)) WriteRecord();
    Data += sizeof(Field) * static_cast<std::size_t>(Used);
    Count -= Used;
  }
}

void TSEEDFile::AddBlockSamples(const YcfBlock& Block) {
  const int Code = CompressionCode(Block);
  if ((Code != 1 && Code != 2 && Code != 4) || RecordCount(Block) == 0) return;
  const int Count = Code * RecordCount(Block);
  const int Stored = Code * std::min<int>(RecordCount(Block), kMaxRecordCount);
  AddSample(FirstValue(Block));
  // Difference 0 is replaced by the first value; the rest follow it.
  const uint8_t* Data = Block.Bytes + kDataOffset;
  switch (Code) {
    case 1: AddDifferences<int32_t>(Data + 4, Stored - 1); break;
    case 2: AddDifferences<int16_t>(Data + 2, Stored - 1); break;
    default: AddDifferences<int8_t>(Data + 1, Stored - 1); break;
  }
  static constexpr uint8_t kNoChange[4 * 255]{};
  AddDifferences<int8_t>(kNoChange, Count - Stored);
}

void TSEEDFile::Flush() {
  if (Packer_.SampleCount() + Packer_.DiffCount() > 0) {
    while (Packer_.DiffCount() > 0)
      if (Packer_.PackOneQueued()) WriteRecord();
    WriteRecord();
  }
  WritePending();
  NeedHeader = true;
}

void TSEEDFile::WritePending() {
  if (PendingBytes_ == 0) return;
  const std::size_t Bytes = PendingBytes_;
  PendingBytes_ = 0;  // a failed write is not tried again
  WriteBuffer(Pending_, Bytes);
}

void TSEEDFile::WriteRecord() {
  if (Packer_.SampleCount() > 0) {
    Header_.SampleCount = static_cast<uint16_t>(Packer_.SampleCount());
    Packer_.CloseRecord();
    // Header and frames go to the buffer; frame words go out big-endian.
    if (PendingBytes_ == sizeof Pending_) WritePending();
    uint8_t* Record = Pending_ + PendingBytes_;
    SerializeHeader(Header_, *reinterpret_cast<uint8_t(*)[kRecordHeaderLength]>(Record));
    uint8_t* Out = Record + kRecordHeaderLength;
    for (const auto& Frame : Packer_.Frames())
      for (uint32_t Word : Frame) {
        if constexpr (std::endian::native == std::endian::little) Word = __builtin_bswap32(Word);
        std::memcpy(Out, &Word, sizeof Word);
        Out += sizeof Word;
      }
    PendingBytes_ += kRecordHeaderLength + kRecordDataLength;
    if (!Collect_) WritePending();
    AdvanceStartTime();
  }
  Packer_.StartNextRecord();
}

std::string TSEEDFile::GetNetwork() const { return std::string(Header_.Network, 2); }

void TSEEDFile::SetNetwork(const std::string& Text) {
  SetCodeField(Header_.Network, sizeof Header_.Network, Text, Keep::Last);
}
void TSEEDFile::SetStation(const std::string& Text) {
  SetCodeField(Header_.Station, sizeof Header_.Station, Text, Keep::Last);
}
void TSEEDFile::SetChannel(const std::string& Text) {
  SetCodeField(Header_.Channel, sizeof Header_.Channel, Text, Keep::First);
}
void TSEEDFile::SetLocation(const std::string& Text) {
  SetCodeField(Header_.Location, sizeof Header_.Location, Text, Keep::First);
}

}  // namespace drumlin
