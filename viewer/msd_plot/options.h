// The command line of msd_plot: what to draw, from which files, into which
// picture, over which window and at which size.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "msd_plot/instant.h"

namespace viewer {

enum class Chart { QuickLook, Availability };
enum class PictureKind { Png, Svg, Pdf };

struct Options {
  Chart Kind = Chart::QuickLook;
  std::string Picture;  // empty only with PrintEnvelope
  PictureKind Format = PictureKind::Png;
  std::vector<std::string> Inputs;  // files, and folders searched for files
  std::optional<Instant> Start, End;
  int Width = 1600;
  int Height = 0;  // 0: chosen from the number of streams
  bool PrintEnvelope = false;
};

struct ParsedArguments {
  enum { Run, Help, Version, UsageError } What = Run;
  Options Chosen;
  std::string Problem;  // for UsageError
};

ParsedArguments ParseArguments(const std::vector<std::string>& Arguments);

// The picture's kind from its name's extension (.png, .svg, .pdf in any
// letter case).
std::optional<PictureKind> PictureKindOf(const std::string& Name);

std::string UsageText();

// Picture sizes accepted, in pixels (points for SVG and PDF).
constexpr int kMinWidth = 320, kMaxWidth = 20000;
constexpr int kMinHeight = 200, kMaxHeight = 20000;

}  // namespace viewer
