#include "msd_plot/coverage.h"

#include <algorithm>

namespace viewer {

void Coverage::Add(Interval Span, Instant Tolerance) {
  if (Span.End < Span.Start) Span.End = Span.Start;
  // The usual case: the record continues the latest segment, or follows it
  // after a gap.
  if (!Segments_.empty() && Span.Start >= Segments_.back().End - Tolerance) {
    Interval& Last = Segments_.back();
    if (Span.Start <= Last.End + Tolerance) {
      Last.Start = std::min(Last.Start, Span.Start);
      Last.End = std::max(Last.End, Span.End);
    } else
      Segments_.push_back(Span);
    return;
  }
  // Elsewhere: every segment that the record overlaps or touches (within
  // the tolerance) is merged with it into one.
  const auto First =
      std::lower_bound(Segments_.begin(), Segments_.end(), Span.Start - Tolerance,
                       [](const Interval& Segment, Instant T) { return Segment.End < T; });
  auto Past = First;
  Interval Merged = Span;
  for (; Past != Segments_.end() && Past->Start <= Span.End + Tolerance; ++Past) {
    const Interval Shared{std::max(Past->Start, Span.Start), std::min(Past->End, Span.End)};
    if (Shared.End - Shared.Start > Tolerance) AddOverlap(Shared);
    Merged.Start = std::min(Merged.Start, Past->Start);
    Merged.End = std::max(Merged.End, Past->End);
  }
  const auto At = Segments_.erase(First, Past);
  Segments_.insert(At, Merged);
}

void Coverage::AddOverlap(Interval Piece) {
  const auto First =
      std::lower_bound(Overlaps_.begin(), Overlaps_.end(), Piece.Start,
                       [](const Interval& Known, Instant T) { return Known.End < T; });
  auto Past = First;
  for (; Past != Overlaps_.end() && Past->Start <= Piece.End; ++Past) {
    Piece.Start = std::min(Piece.Start, Past->Start);
    Piece.End = std::max(Piece.End, Past->End);
  }
  const auto At = Overlaps_.erase(First, Past);
  Overlaps_.insert(At, Piece);
}

std::vector<Interval> Coverage::Gaps() const {
  std::vector<Interval> Result;
  for (std::size_t I = 1; I < Segments_.size(); ++I)
    Result.push_back({Segments_[I - 1].End, Segments_[I].Start});
  return Result;
}

std::vector<Interval> ClipTo(const std::vector<Interval>& Intervals, Interval Window) {
  std::vector<Interval> Result;
  for (const Interval& I : Intervals) {
    const Interval Part{std::max(I.Start, Window.Start), std::min(I.End, Window.End)};
    if (Part.End > Part.Start) Result.push_back(Part);
  }
  return Result;
}

}  // namespace viewer
