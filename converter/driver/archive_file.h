// Conversion of one YCF file into an SDS archive ("/sds:"): the records the
// conversion makes go into the day files of their streams and days instead
// of a file of their own.
#pragma once

#include <string>

#include "archive/sds_archive.h"

namespace drumlin {

// Converts the file InputName into Archive and reports, after the
// conversion, the streams that could not be archived, overlaps with other
// records, and one line with the records archived, the day files they went
// to and the records the archive held already. Problems with the input are
// reported and skipped; a day file that cannot be written raises an
// exception, the day file left as it was.
void ArchiveFile(const std::string& InputName, SdsArchive& Archive);

}  // namespace drumlin
