#include "driver/usage_text.h"

namespace drumlin {

std::string UsageText() {
  return "DRUMLIN - YCF to miniSEED converter v1.7\n"
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

}  // namespace drumlin
