#include "records/record_run.h"

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

RecordRun::RecordRun(RecordOutput& Output) : Output_(Output) {}

void RecordRun::InitHeader(const YcfBlock& Block) {
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

void RecordRun::SetStartTime(UsTime Start) {
  const YearAndDay Date = UsYearAndDay(Start);
  Header_.Year = static_cast<uint16_t>(Date.Year);
  Header_.DayOfYear = static_cast<uint16_t>(Date.DayOfYear);
  Header_.Hour = static_cast<uint8_t>(UsHour(Start));
  Header_.Minute = static_cast<uint8_t>(UsMinute(Start));
  Header_.Second = static_cast<uint8_t>(UsSecond(Start));
  Header_.Fraction = static_cast<uint16_t>(UsFract(Start));
}

void RecordRun::AdvanceStartTime() {
  RunSamplesWritten_ += Header_.SampleCount;
  SetStartTime(RunStart_ + RunSamplesWritten_ * kUsPerSecond / Header_.RateFactor);
}

void RecordRun::AddSample(int32_t Value) {
  if (Packer_.AddSample(Value)) WriteRecord();
}

template <typename Field>
void RecordRun::AddDifferences(const uint8_t* Data, int Count) {
  while (Count > 0) {
    int Used = 0;
    if (Packer_.AddDifferences<Field>(Data, Count, Used)) WriteRecord();
    Data += sizeof(Field) * static_cast<std::size_t>(Used);
    Count -= Used;
  }
}

void RecordRun::AddBlockSamples(const YcfBlock& Block) {
  const StoredDifferences Differences = DifferencesAfterFirst(Block);
  if (SampleCountClaimed(Block) == 0) return;
  AddSample(FirstValue(Block));
  switch (Differences.Width) {
    case 4: AddDifferences<int32_t>(Differences.Data, Differences.Count); break;
    case 2: AddDifferences<int16_t>(Differences.Data, Differences.Count); break;
    default: AddDifferences<int8_t>(Differences.Data, Differences.Count); break;
  }
}

void RecordRun::Flush() {
  if (Packer_.SampleCount() + Packer_.DiffCount() > 0) {
    while (Packer_.DiffCount() > 0)
      if (Packer_.PackOneQueued()) WriteRecord();
    WriteRecord();
  }
  Output_.WritePending();
  NeedHeader = true;
}

void RecordRun::WriteRecord() {
  if (Packer_.SampleCount() > 0) {
    Header_.SampleCount = static_cast<uint16_t>(Packer_.SampleCount());
    Packer_.CloseRecord();
    Output_.PutRecord(Header_, Packer_.Frames());
    AdvanceStartTime();
  }
  Packer_.StartNextRecord();
}

std::string RecordRun::GetNetwork() const { return std::string(Header_.Network, 2); }

void RecordRun::SetNetwork(const std::string& Text) {
  SetCodeField(Header_.Network, sizeof Header_.Network, Text, Keep::Last);
}
void RecordRun::SetStation(const std::string& Text) {
  SetCodeField(Header_.Station, sizeof Header_.Station, Text, Keep::Last);
}
void RecordRun::SetChannel(const std::string& Text) {
  SetCodeField(Header_.Channel, sizeof Header_.Channel, Text, Keep::First);
}
void RecordRun::SetLocation(const std::string& Text) {
  SetCodeField(Header_.Location, sizeof Header_.Location, Text, Keep::First);
}

}  // namespace drumlin
