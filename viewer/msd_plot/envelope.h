// The waveform of one stream folded into the pixel columns of a time window:
// per column the smallest and largest sample, and the first and last sample
// (in time) that fell into it, from which the drawing joins neighbouring
// columns. Memory is the picture's width, whatever the data's length, and a
// spike of one sample shows in its column.
//
// Sample i of a record starting at S with rate R lies at
// S + round(i * 1e6 / R) microseconds; column c of W columns over the window
// [Start, End) holds the instants t with floor((t - Start) * W / (End - Start))
// equal to c.
#pragma once

#include <cstdint>
#include <vector>

#include "msd_plot/instant.h"

namespace viewer {

struct ColumnRange {
  double Min = 0, Max = 0;
  double First = 0, Last = 0;
  Instant FirstTime = 0, LastTime = 0;  // instants of First and Last
  bool Filled = false;
};

class Envelope {
 public:
  Envelope(Instant Start, Instant End, int Columns);

  // Folds a record's samples in: those outside the window are passed over.
  void Fold(Instant RecordStart, double Rate, const int32_t* Samples, int64_t Count);
  void Fold(Instant RecordStart, double Rate, const float* Samples, int64_t Count);
  void Fold(Instant RecordStart, double Rate, const double* Samples, int64_t Count);

  int Columns() const { return static_cast<int>(Columns_.size()); }
  const ColumnRange& Column(int C) const { return Columns_[static_cast<std::size_t>(C)]; }
  Instant Start() const { return Start_; }
  Instant End() const { return End_; }
  // The column of instant T of the window.
  int ColumnOf(Instant T) const;
  // The first instant of column C (C == Columns(): the window's end).
  Instant ColumnStart(int C) const;
  // Samples folded in so far.
  int64_t Samples() const { return Samples_; }

 private:
  template <typename Sample>
  void FoldSamples(Instant RecordStart, double Rate, const Sample* Samples, int64_t Count);

  Instant Start_, End_;
  std::vector<ColumnRange> Columns_;
  int64_t Samples_ = 0;
};

}  // namespace viewer
