#include "records/seed_file.h"

#include <cstring>

#include "blocks/byte_order.h"
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

TSEEDFile::TSEEDFile(const std::string& FileName)
    : FileStream(FileName), Pending_(new uint8_t[kPendingSize]) {}

void TSEEDFile::InitHeader(const YcfBlock& Block) {
  Header_ = RecordHeader{};
  // A block without samples has no first sample to give X0.
  Packer_.StartRun(FirstValue(Block), RecordCount(Block) > 0);
  RunSamplesWritten_ = 0;

  std::memcpy(Header_.SequenceNumber, kSequenceNumber, sizeof Header_.SequenceNumber);
  Header_.Quality = kQualityIndicator;
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
  Header_.BlocketteCount = kBlocketteCount;
  Header_.DataOffset = kBeginningOfData;
  Header_.BlocketteOffset = kFirstBlocketteOffset;
  Header_.BlockByte12 = Byte12(Block);
  const uint32_t System = SystemId(Block);
  Header_.SystemIdHighByte = BitIsSet(System, 31) ? static_cast<uint8_t>((System >> 24) & 0xFC) : 0;
  Header_.BlocketteType = kBlockette1000;
  Header_.NextBlockette = 0;
  Header_.Encoding = kEncodingSteim1;
  Header_.WordOrder = kWordOrderBigEndian;
  Header_.RecordLengthPower = kRecordLengthPower;
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
  const StoredDifferences Differences = DifferencesAfterFirst(Block);
  if (SampleCountClaimed(Block) == 0) return;
  AddSample(FirstValue(Block));
  switch (Differences.Width) {
    case 4: AddDifferences<int32_t>(Differences.Data, Differences.Count); break;
    case 2: AddDifferences<int16_t>(Differences.Data, Differences.Count); break;
    default: AddDifferences<int8_t>(Differences.Data, Differences.Count); break;
  }
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
  WriteBuffer(Pending_.get(), Bytes);
}

void TSEEDFile::WriteRecord() {
  if (Packer_.SampleCount() > 0) {
    Header_.SampleCount = static_cast<uint16_t>(Packer_.SampleCount());
    Packer_.CloseRecord();
    // Header and frames go to the buffer; frame words go out big-endian.
    if (PendingBytes_ == kPendingSize) WritePending();
    uint8_t* Record = Pending_.get() + PendingBytes_;
    SerializeHeader(Header_, *reinterpret_cast<uint8_t(*)[kRecordHeaderLength]>(Record));
    uint8_t* Out = Record + kRecordHeaderLength;
    for (const auto& Frame : Packer_.Frames())
      for (const uint32_t Word : Frame) {
        StoreBe32(Out, Word);
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
