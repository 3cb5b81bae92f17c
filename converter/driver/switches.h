// The command-line parameters and the switch queries over them. Switches are
// case-insensitive prefixes of any parameter (the filespec parameter
// included), with '-' accepted in place of a leading '/'.
#pragma once

#include <string>
#include <vector>

namespace drumlin {

// The switches of DRUMLIN, each named by the prefix that selects it.
inline constexpr char kOutputDirectorySwitch[] = "/o:";
inline constexpr char kNetworkSwitch[] = "/net:";
inline constexpr char kSystemAsStationSwitch[] = "/sys";
inline constexpr char kExportFileSwitch[] = "/i:";
inline constexpr char kStreamsSwitch[] = "/streams";
inline constexpr char kArchiveSwitch[] = "/sds:";
inline constexpr const char* kSwitches[] = {kOutputDirectorySwitch, kNetworkSwitch,
                                            kSystemAsStationSwitch, kExportFileSwitch,
                                            kStreamsSwitch,         kArchiveSwitch};

// Stores the parameters 1..argc-1 (the program name is not one of them).
void SetParameters(int argc, char** argv);
void SetParameters(std::vector<std::string> Parameters);
const std::vector<std::string>& Parameters();

// True when some parameter begins with Switch (or its '-' form).
bool FindSwitch(const std::string& Switch);
// What follows Prefix in the first parameter that begins with it (or with
// its '-' form), possibly empty; Default when none does.
std::string SwitchValue(const std::string& Prefix, const std::string& Default);

// Whether Parameter selects one of DRUMLIN's switches, matched as the
// queries above match them.
bool IsSwitch(const std::string& Parameter);

}  // namespace drumlin
