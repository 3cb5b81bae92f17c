#include "msd_plot/plplot_page.h"

#include <plplot.h>

#include <algorithm>
#include <cstdio>

#include "msd_plot/picture_file.h"

namespace viewer {

namespace {

// PLplot ends the program on an error of its own after calling this; the
// unfinished picture must not stay behind.
int OnLibraryExit(PLCHAR_VECTOR) {
  RemoveTemporaryPicture();
  return 0;
}

// Millimetres of PLplot's character height for a capital of Size pixels at
// the page's 90 pixels per inch (capitals are about 0.6 of the set height
// with the cairo drivers' fonts).
double HeightMm(double Size) { return Size / 90.0 * 25.4 / 0.72; }

}  // namespace

PlplotPage::PlplotPage(PictureKind Kind, const std::string& File, int Width, int Height)
    : Width_(Width), Height_(Height) {
  plsexit(OnLibraryExit);
  plsdev(Kind == PictureKind::Png   ? "pngcairo"
         : Kind == PictureKind::Svg ? "svgcairo"
                                    : "pdfcairo");
  plsfnam(File.c_str());
  plspage(90, 90, Width, Height, 0, 0);
  plscolbg(255, 255, 255);
  plinit();
  plscol0(kPaper, 255, 255, 255);
  plscol0(kInk, 0, 0, 0);
  plscol0(kTrace, 20, 40, 120);
  plscol0(kGapShade, 255, 196, 196);
  plscol0(kOverlapShade, 196, 214, 255);
  plscol0(kGrid, 224, 224, 224);
  plscol0(kBar, 50, 140, 70);
  plscol0(kGapMark, 215, 35, 35);
  plscol0(kOverlapMark, 245, 150, 0);
  plscol0(kFaint, 90, 90, 90);
  pladv(0);
  plcol0(kInk);
}

PlplotPage::~PlplotPage() { plend(); }

void PlplotPage::Viewport(double Left, double Top, double Right, double Bottom) const {
  plvpor(Left / Width_, Right / Width_, 1.0 - Bottom / Height_, 1.0 - Top / Height_);
}

void PlplotPage::PageCoordinates() const {
  plvpor(0, 1, 0, 1);
  plwind(0, Width_, Height_, 0);
}

void PlplotPage::Text(double X, double Y, double Just, double Size, const std::string& Line) const {
  PageCoordinates();
  CharacterSize(Size);
  plptex(X, Y, 1, 0, Just, Line.c_str());
}

void PlplotPage::FittedText(double X, double Y, double Just, double Size,
                            const std::string& Line) const {
  const double Room = Width_ - 16.0;
  // Text of the cairo devices' sans font runs to about 0.85 of the capital
  // height per character.
  const double Needed = 0.85 * Size * static_cast<double>(Line.size());
  Text(X, Y, Just, Needed > Room ? std::max(6.0, Size * Room / Needed) : Size, Line);
}

void PlplotPage::CharacterSize(double Size) const { plschr(HeightMm(Size), 1.0); }

}  // namespace viewer
