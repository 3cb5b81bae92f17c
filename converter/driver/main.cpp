// DRUMLIN: converts YCF digitiser files into miniSEED record files.
#include <clocale>
#include <cstdio>
#include <exception>
#include <iostream>

#include "driver/batch.h"
#include "driver/switches.h"

int main(int argc, char** argv) {
  // Dates and separators of the messages follow the user's locale.
  std::setlocale(LC_ALL, "");
  drumlin::SetParameters(argc, argv);
  try {
    return drumlin::RunBatch();
  } catch (const std::exception& Error) {
    std::cout.flush();
    std::fflush(stdout);
    std::cerr << "DRUMLIN: " << Error.what() << '\n';
    return 1;
  }
}
