// DRUMLIN: converts YCF digitiser files into miniSEED record files.
#include <clocale>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "driver/batch.h"
#include "driver/switches.h"
#include "records/stream_error.h"

namespace {

// An error that escaped a conversion ends the batch: what was written to
// standard output goes out first, then the message on standard error.
int EndBatch(const std::string& Message) {
  std::cout.flush();
  std::fflush(stdout);
  std::cerr << "DRUMLIN: " << Message << '\n';
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Dates and separators of the messages follow the user's locale.
  std::setlocale(LC_ALL, "");
  drumlin::SetParameters(argc, argv);
  try {
    return drumlin::RunBatch();
  } catch (const drumlin::StreamError& Error) {
    return EndBatch(Error.what() + Error.Context());
  } catch (const std::exception& Error) {
    return EndBatch(Error.what());
  }
}
