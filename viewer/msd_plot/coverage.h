// Where a stream has data: the spans of its records merged into segments,
// with the gaps between them and the overlaps where records cover the same
// time twice. Records may come in any order (files named out of order, an
// archive's days); memory grows with the number of gaps and overlaps, not
// with the records.
#pragma once

#include <vector>

#include "msd_plot/instant.h"

namespace viewer {

// [Start, End): a record covers from its first sample to one sample period
// after its last, the time its successor's first sample is due.
struct Interval {
  Instant Start = 0;
  Instant End = 0;
  bool operator==(const Interval&) const = default;
};

class Coverage {
 public:
  // Adds a record's span. Tolerance (half a sample period) is how far a
  // record may start from the end of the data before it, either way, and
  // still continue it: further after is a gap, further before an overlap.
  void Add(Interval Span, Instant Tolerance);

  // The segments, in time order, each separated from the next by a gap.
  const std::vector<Interval>& Segments() const { return Segments_; }
  // The gaps between the segments, in time order.
  std::vector<Interval> Gaps() const;
  // Time covered more than once, in time order, touching pieces joined.
  const std::vector<Interval>& Overlaps() const { return Overlaps_; }

 private:
  void AddOverlap(Interval Piece);

  std::vector<Interval> Segments_;
  std::vector<Interval> Overlaps_;
};

// The parts of Intervals that lie in the window [Start, End).
std::vector<Interval> ClipTo(const std::vector<Interval>& Intervals, Interval Window);

}  // namespace viewer
