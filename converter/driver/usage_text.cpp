#include "driver/usage_text.h"

namespace drumlin {

std::string Banner() { return "DRUMLIN - YCF to miniSEED converter v1.7"; }

std::string UsageText() {
  return Banner() +
         "\n"
         "\n"
         "Usage: DRUMLIN filespec [/o:output_dir] [/net:nn] [/sys] [/i:inifile]\n"
         "\n"
         "  where 'filespec'   must be the first parameter.\n"
         "                     specifies a YCF file or files to convert.\n"
         "                     Wildcards are supported\n"
         "        'output_dir' specifies a directory for converted files.\n"
         "                     if not specified, the directory of the input file is used\n"
         "        'nn'         specifies a two-digit network code\n"
         "                     to be included in the miniSEED header\n"
         "        '/sys'       Specifies that the YCF System ID field is used in the\n"
         "                     MiniSeed Station-ID field instead of the serial number\n"
         "        'inifile'    is a text file where additional miniSEED-specific\n"
         "                     parameters are stored (optional)\n";
}

std::string HelpText() {
  return UsageText() +
         "\n"
         "        '/streams'   converts every stream of a file (the components of a\n"
         "                     three-component digitiser) in runs of its own\n"
         "        '/sds:dir'   puts every record into the SDS archive below dir, in\n"
         "                     the day file of its stream and day, instead of a file\n"
         "                     per input (not with /o:)\n"
         "\n"
         "  Further file names after the first are converted too, in their order, so\n"
         "  an unquoted DRUMLIN *.YCF converts every file the shell names. A later\n"
         "  parameter that is neither a file nor a switch stops DRUMLIN before it\n"
         "  converts anything.\n"
         "  Exit status: 0 the batch ran to its end (problems of inputs are reported\n"
         "  on standard output), 1 an output could not be written, 2 a usage error.\n"
         "  See man DRUMLIN.\n";
}

}  // namespace drumlin
