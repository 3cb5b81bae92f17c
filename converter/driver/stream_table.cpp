#include "driver/stream_table.h"

#include <algorithm>

#include "blocks/stream_id.h"

namespace drumlin {

StreamTable::StreamTable(RecordOutput& Output) : Output_(Output) {
  for (std::size_t I = 0; I < kOpenStreams; ++I)
    Streams_.push_back(std::make_unique<Stream>(Output));
}

StreamTable::Stream& StreamTable::StreamOf(const YcfBlock& Block) {
  const uint32_t System = SystemId(Block);
  const uint32_t Id = StreamId(Block);
  if (Last_ && Last_->System == System && Last_->StreamId == Id) return *Last_;
  Stream* Free = nullptr;
  for (const auto& S : Streams_) {
    if (S->Open && S->System == System && S->StreamId == Id) return *S;
    // A slot never used, else the stream whose last block is oldest.
    if (!Free || (Free->Open && (!S->Open || S->LastBlock < Free->LastBlock))) Free = S.get();
  }
  if (Free->Open) Free->Run.Flush();
  Free->Open = true;
  Free->System = System;
  Free->StreamId = Id;
  Free->Name = Base36Id(System) + "-" + Base36Id(Id);
  Free->Appeared = Blocks_;
  Free->Series = Continuity{};
  return *Free;
}

void StreamTable::TakeBlock(const YcfBlock& Block, const RunSwitches& Switches) {
  Stream& S = StreamOf(Block);
  S.LastBlock = Blocks_++;
  Last_ = &S;
  drumlin::TakeBlock(Block, S.Series, S.Run, Output_, Switches, S.Name);
}

void StreamTable::CloseAll() {
  std::vector<Stream*> Open;
  for (const auto& S : Streams_)
    if (S->Open) Open.push_back(S.get());
  std::sort(Open.begin(), Open.end(),
            [](const Stream* A, const Stream* B) { return A->Appeared < B->Appeared; });
  for (Stream* S : Open) {
    S->Run.Flush();
    S->Open = false;
  }
  Last_ = nullptr;
}

}  // namespace drumlin
