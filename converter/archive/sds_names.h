// Names in an SDS archive (the layout the field's archive readers expect):
// the day file of a stream and day is
//   YEAR/NET/STA/CHA.D/NET.STA.LOC.CHA.D.YEAR.DOY
// below the archive's folder, with the codes of the records' headers
// without their padding blanks (an empty location gives two dots in a row).
#pragma once

#include <string>

#include "records/record_header.h"

namespace drumlin {

struct StreamCodes {
  std::string Network, Station, Location, Channel;
  bool operator==(const StreamCodes&) const = default;
};

// The codes of a record header, the padding blanks at their ends removed.
StreamCodes CodesOf(const RecordHeader& Header);

// "NET.STA.LOC.CHA", as the stream is named to the user.
std::string StreamName(const StreamCodes& Codes);

// Why the codes cannot name a day file, empty when they can: a network,
// station and channel code are needed, and every code may hold letters,
// digits, '-' and '_' only, so that no code can leave the archive's folder
// or name an odd path ('/', "..", blanks, control or wildcard characters).
std::string CodeProblem(const StreamCodes& Codes);

// The day file's folder and name below the archive's folder.
std::string DayFolder(const StreamCodes& Codes, int Year);
std::string DayFileName(const StreamCodes& Codes, int Year, int DayOfYear);

}  // namespace drumlin
