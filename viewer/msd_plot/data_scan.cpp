#include "msd_plot/data_scan.h"

#include <cmath>

#include "msd_plot/record_reader.h"

namespace viewer {

namespace {

std::string StreamIdOf(const MSRecord& R) {
  return std::string(R.network) + "." + R.station + "." + R.location + "." + R.channel;
}

// Records without samples to draw: ASCII text, logs, timing and other
// records with no sample rate or no samples.
bool HoldsSamples(const MSRecord& R) {
  return R.samplecnt > 0 && R.samprate > 0 && R.encoding != DE_ASCII;
}

Instant PeriodsOf(int64_t Count, double Rate) {
  return static_cast<Instant>(std::llround(static_cast<double>(Count) * 1e6 / Rate));
}

Interval SpanOf(const MSRecord& R) {
  return {R.starttime, R.starttime + PeriodsOf(R.samplecnt, R.samprate)};
}

bool Reaches(Interval Span, Interval Window) {
  return Span.End > Window.Start && Span.Start < Window.End;
}

}  // namespace

Scan ScanHeaders(const std::vector<std::string>& Files, std::optional<Interval> Window,
                 const ProblemReport& Report) {
  Scan Result;
  std::unordered_map<std::string, std::size_t> Index;
  for (const std::string& Path : Files) {
    RecordReader Reader(Path);
    RecordReader::Step Step;
    while ((Step = Reader.Next()) == RecordReader::Step::Record) {
      const MSRecord& R = Reader.Header();
      if (!HoldsSamples(R)) continue;
      const auto [Found, New] = Index.try_emplace(StreamIdOf(R), Result.Streams.size());
      if (New) {
        Result.Streams.emplace_back();
        Result.Streams.back().Id = Found->first;
      }
      StreamData& Stream = Result.Streams[Found->second];
      const Interval Span = SpanOf(R);
      Stream.Covered.Add(Span, PeriodsOf(1, R.samprate) / 2);
      if (Stream.Records == 0) {
        Stream.Span = Span;
      } else {
        Stream.Span.Start = std::min(Stream.Span.Start, Span.Start);
        Stream.Span.End = std::max(Stream.Span.End, Span.End);
      }
      ++Stream.Records;
      Stream.Samples += R.samplecnt;
      if (!Window || Reaches(Span, *Window)) {
        ++Stream.RecordsInWindow;
        Stream.SamplesInWindow += R.samplecnt;
      }
      if (!Result.Span) {
        Result.Span = Span;
      } else {
        Result.Span->Start = std::min(Result.Span->Start, Span.Start);
        Result.Span->End = std::max(Result.Span->End, Span.End);
      }
    }
    if (Step == RecordReader::Step::Problem) Report(Path, Reader.Problem());
    if (Reader.BytesRead() > 0) Result.Files.push_back({Path, Reader.BytesRead()});
  }
  return Result;
}

int64_t FoldSamples(const Scan& Read, std::vector<Envelope>& Envelopes,
                    const ProblemReport& Report) {
  std::unordered_map<std::string, std::size_t> Index;
  for (std::size_t I = 0; I < Read.Streams.size(); ++I) Index.emplace(Read.Streams[I].Id, I);
  int64_t Folded = 0;
  for (const ReadFile& File : Read.Files) {
    RecordReader Reader(File.Path, File.Bytes);
    while (Reader.Next() == RecordReader::Step::Record) {
      const MSRecord& R = Reader.Header();
      if (!HoldsSamples(R)) continue;
      const auto Found = Index.find(StreamIdOf(R));
      if (Found == Index.end()) continue;
      Envelope& Into = Envelopes[Found->second];
      if (!Reaches(SpanOf(R), {Into.Start(), Into.End()})) continue;
      const MSRecord* Decoded = Reader.Decode();
      if (!Decoded) break;
      const int64_t Count = Decoded->numsamples;
      switch (Decoded->sampletype) {
        case 'i':
          Into.Fold(R.starttime, R.samprate, static_cast<const int32_t*>(Decoded->datasamples),
                    Count);
          break;
        case 'f':
          Into.Fold(R.starttime, R.samprate, static_cast<const float*>(Decoded->datasamples),
                    Count);
          break;
        case 'd':
          Into.Fold(R.starttime, R.samprate, static_cast<const double*>(Decoded->datasamples),
                    Count);
          break;
        default: continue;
      }
      ++Folded;
    }
    // The first pass read no further than here, so what goes wrong now is
    // new: a record that does not decode, or a file changed in between.
    if (!Reader.Problem().empty()) Report(File.Path, Reader.Problem());
  }
  return Folded;
}

}  // namespace viewer
