#include "msd_plot/envelope.h"

#include <algorithm>
#include <cmath>

namespace viewer {

Envelope::Envelope(Instant Start, Instant End, int Columns)
    : Start_(Start), End_(End), Columns_(static_cast<std::size_t>(std::max(Columns, 1))) {}

int Envelope::ColumnOf(Instant T) const {
  const __int128 Offset = T - Start_;
  return static_cast<int>(Offset * static_cast<__int128>(Columns_.size()) / (End_ - Start_));
}

Instant Envelope::ColumnStart(int C) const {
  const auto Width = static_cast<__int128>(Columns_.size());
  // The smallest instant whose column is C: ceil(C * span / columns).
  return Start_ +
         static_cast<Instant>((C * static_cast<__int128>(End_ - Start_) + Width - 1) / Width);
}

void Envelope::Fold(Instant RecordStart, double Rate, const int32_t* Samples, int64_t Count) {
  FoldSamples(RecordStart, Rate, Samples, Count);
}
void Envelope::Fold(Instant RecordStart, double Rate, const float* Samples, int64_t Count) {
  FoldSamples(RecordStart, Rate, Samples, Count);
}
void Envelope::Fold(Instant RecordStart, double Rate, const double* Samples, int64_t Count) {
  FoldSamples(RecordStart, Rate, Samples, Count);
}

template <typename Sample>
void Envelope::FoldSamples(Instant RecordStart, double Rate, const Sample* Samples, int64_t Count) {
  if (Count <= 0 || !(Rate > 0)) return;
  const double Period = 1e6 / Rate;
  const auto TimeOf = [&](int64_t I) {
    return RecordStart + static_cast<Instant>(std::llround(static_cast<double>(I) * Period));
  };
  // The first sample at or after the first instant S: an estimate, then set
  // right by the exact instants (sample instants never decrease with I).
  const auto FirstAtOrAfter = [&](Instant S) {
    const double Estimate = std::ceil(static_cast<double>(S - RecordStart) / Period);
    int64_t I = static_cast<int64_t>(std::clamp(Estimate, 0.0, static_cast<double>(Count)));
    while (I > 0 && TimeOf(I - 1) >= S) --I;
    while (I < Count && TimeOf(I) < S) ++I;
    return I;
  };
  int64_t I = FirstAtOrAfter(Start_);
  const int64_t Stop = FirstAtOrAfter(End_);
  while (I < Stop) {
    const Instant T = TimeOf(I);
    const int C = ColumnOf(T);
    const int64_t Next = std::min(Stop, FirstAtOrAfter(ColumnStart(C + 1)));
    // The smallest and largest of samples I..Next-1, one column's worth.
    Sample Low = Samples[I], High = Samples[I];
    for (int64_t K = I + 1; K < Next; ++K) {
      Low = std::min(Low, Samples[K]);
      High = std::max(High, Samples[K]);
    }
    ColumnRange& Column = Columns_[static_cast<std::size_t>(C)];
    const Instant LastTime = TimeOf(Next - 1);
    if (!Column.Filled) {
      Column = {static_cast<double>(Low),
                static_cast<double>(High),
                static_cast<double>(Samples[I]),
                static_cast<double>(Samples[Next - 1]),
                T,
                LastTime,
                true};
    } else {
      Column.Min = std::min(Column.Min, static_cast<double>(Low));
      Column.Max = std::max(Column.Max, static_cast<double>(High));
      // Records of a column may come in any order: first and last by time.
      if (T < Column.FirstTime) {
        Column.First = static_cast<double>(Samples[I]);
        Column.FirstTime = T;
      }
      if (LastTime >= Column.LastTime) {
        Column.Last = static_cast<double>(Samples[Next - 1]);
        Column.LastTime = LastTime;
      }
    }
    Samples_ += Next - I;
    I = Next;
  }
}

}  // namespace viewer
