#include "msd_plot/options.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace viewer {

namespace {

std::string Lower(std::string Text) {
  for (char& C : Text) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  return Text;
}

bool ReadSize(const std::string& Text, int Low, int High, int& Value) {
  const char* End = Text.data() + Text.size();
  const auto [Stop, Error] = std::from_chars(Text.data(), End, Value);
  return Error == std::errc() && Stop == End && Value >= Low && Value <= High;
}

}  // namespace

std::optional<PictureKind> PictureKindOf(const std::string& Name) {
  const std::size_t Dot = Name.rfind('.');
  if (Dot == std::string::npos || Name.find('/', Dot) != std::string::npos) return std::nullopt;
  const std::string Extension = Lower(Name.substr(Dot + 1));
  if (Extension == "png") return PictureKind::Png;
  if (Extension == "svg") return PictureKind::Svg;
  if (Extension == "pdf") return PictureKind::Pdf;
  return std::nullopt;
}

std::string UsageText() {
  return "usage: msd_plot [options] -o PICTURE FILE_OR_FOLDER...\n"
         "       msd_plot --availability [options] -o PICTURE FILE_OR_FOLDER...\n"
         "\n"
         "Draws miniSEED data: by default a quick look, one panel per stream with the\n"
         "waveform's minimum-maximum envelope per pixel column; with --availability a\n"
         "chart of where each stream has data. Gaps and overlaps are shaded in the\n"
         "picture and listed on standard output. Folders are searched for miniSEED\n"
         "files, an SDS archive as it is.\n"
         "\n"
         "  -o, --output PICTURE  the picture to write: .png, .svg or .pdf\n"
         "  --availability        draw the data availability chart\n"
         "  --start TIME          start of the window (UTC), e.g. 2024-05-01T12:00:00\n"
         "  --end TIME            end of the window (UTC); by default the data's span\n"
         "  --width PIXELS        width of the picture (default 1600)\n"
         "  --height PIXELS       height of the picture (default: from the streams)\n"
         "  --print-envelope      print each panel's minimum and maximum per pixel\n"
         "                        column on standard output (-o may then be left out)\n"
         "  --help                show this text\n"
         "  --version             show the version\n"
         "\n"
         "Exit status: 0 when every file was read and the picture written, 1 when a\n"
         "file could not be read or there was nothing to draw, 2 for a usage error.\n";
}

ParsedArguments ParseArguments(const std::vector<std::string>& Arguments) {
  ParsedArguments Result;
  Options& O = Result.Chosen;
  const auto Fail = [&Result](std::string Problem) {
    Result.What = ParsedArguments::UsageError;
    Result.Problem = std::move(Problem);
    return Result;
  };
  bool OptionsEnded = false;
  for (std::size_t I = 0; I < Arguments.size(); ++I) {
    const std::string& A = Arguments[I];
    if (OptionsEnded || A.empty() || A[0] != '-' || A == "-") {
      O.Inputs.push_back(A);
      continue;
    }
    if (A == "--") {
      OptionsEnded = true;
      continue;
    }
    // "--name=value" or "--name value"; "-o value" or "-ovalue".
    std::string Name = A, Value;
    bool HasValue = false;
    if (A.starts_with("--")) {
      const std::size_t Equals = A.find('=');
      if (Equals != std::string::npos) {
        Name = A.substr(0, Equals);
        Value = A.substr(Equals + 1);
        HasValue = true;
      }
    } else if (A.size() > 2) {
      Name = A.substr(0, 2);
      Value = A.substr(2);
      HasValue = true;
    }
    const bool TakesValue = Name == "-o" || Name == "--output" || Name == "--start" ||
                            Name == "--end" || Name == "--width" || Name == "--height";
    if (TakesValue && !HasValue) {
      if (I + 1 >= Arguments.size()) return Fail(Name + " needs a value");
      Value = Arguments[++I];
    } else if (!TakesValue && HasValue) {
      return Fail(Name.starts_with("--") ? Name + " takes no value" : "unknown option " + A);
    }
    if (Name == "--help") {
      Result.What = ParsedArguments::Help;
      return Result;
    }
    if (Name == "--version") {
      Result.What = ParsedArguments::Version;
      return Result;
    }
    if (Name == "-o" || Name == "--output") {
      const std::optional<PictureKind> Kind = PictureKindOf(Value);
      if (!Kind) return Fail("the picture's name must end in .png, .svg or .pdf: " + Value);
      O.Picture = Value;
      O.Format = *Kind;
    } else if (Name == "--start" || Name == "--end") {
      const std::optional<Instant> T = ParseIsoTime(Value);
      if (!T) return Fail(Name + ": not an ISO time (e.g. 2024-05-01T12:00:00): " + Value);
      (Name == "--start" ? O.Start : O.End) = *T;
    } else if (Name == "--width") {
      if (!ReadSize(Value, kMinWidth, kMaxWidth, O.Width))
        return Fail("--width: a whole number from " + std::to_string(kMinWidth) + " to " +
                    std::to_string(kMaxWidth) + ": " + Value);
    } else if (Name == "--height") {
      if (!ReadSize(Value, kMinHeight, kMaxHeight, O.Height))
        return Fail("--height: a whole number from " + std::to_string(kMinHeight) + " to " +
                    std::to_string(kMaxHeight) + ": " + Value);
    } else if (Name == "--availability") {
      O.Kind = Chart::Availability;
    } else if (Name == "--print-envelope") {
      O.PrintEnvelope = true;
    } else {
      return Fail("unknown option " + A);
    }
  }
  if (O.Inputs.empty()) return Fail("no file or folder to read");
  if (O.Start && O.End && *O.End <= *O.Start) return Fail("--end must lie after --start");
  if (O.PrintEnvelope && O.Kind == Chart::Availability)
    return Fail("--print-envelope belongs to the quick look, not to --availability");
  if (O.Picture.empty() && !O.PrintEnvelope) return Fail("no picture named (-o PICTURE)");
  return Result;
}

}  // namespace viewer
