// One page of PLplot drawn into a file: the device chosen by the picture's
// kind (pngcairo, svgcairo, pdfcairo: no display needed), the size in
// pixels (points for SVG and PDF), white paper and the viewer's colours.
// Positions on the page are given in pixels from the top left corner.
#pragma once

#include <string>

#include "msd_plot/options.h"

namespace viewer {

// Colours of the map 0 palette, set by the page.
enum Colour : int {
  kPaper = 0,
  kInk = 1,       // axes, labels, titles
  kTrace = 2,     // the waveform
  kGapShade = 3,  // behind a gap in a panel
  kOverlapShade = 4,
  kGrid = 5,
  kBar = 6,      // availability: data
  kGapMark = 7,  // availability: a gap
  kOverlapMark = 8,
  kFaint = 9,  // secondary text
};

class PlplotPage {
 public:
  PlplotPage(PictureKind Kind, const std::string& File, int Width, int Height);
  ~PlplotPage();  // finishes the picture (plend)
  PlplotPage(const PlplotPage&) = delete;
  PlplotPage& operator=(const PlplotPage&) = delete;

  int Width() const { return Width_; }
  int Height() const { return Height_; }

  // The viewport of a panel, its corners in pixels, and the world
  // coordinates it shows.
  void Viewport(double Left, double Top, double Right, double Bottom) const;
  // The whole page with pixel coordinates (y from the top), for text and
  // marks outside the panels.
  void PageCoordinates() const;
  // Text on the page at a pixel position (y of the middle of capitals);
  // Just 0 is left-aligned, 0.5 centred, 1 right-aligned. Size in pixels of
  // a capital letter's height.
  void Text(double X, double Y, double Just, double Size, const std::string& Line) const;
  // The same, made smaller where needed so that the line fits into the
  // page's width less a margin at each side (titles on narrow pictures).
  void FittedText(double X, double Y, double Just, double Size, const std::string& Line) const;
  // Sets the character size for axis labels (capital height in pixels).
  void CharacterSize(double Size) const;
  // Width of one character of that size, roughly (for layout).
  static double CharacterWidth(double Size) { return Size * 0.95; }

 private:
  int Width_, Height_;
};

}  // namespace viewer
