#pragma once
// The configuration file: three items naming the parcel layer, the street
// name field and the address number field. Each line the writer makes is
// one item: a double quote, the value (inner quotes doubled), a double
// quote, CR LF. Every operation goes through file slot 1 and leaves it
// closed, on success and on error alike.
//
// None of these routines reports an error to the user: they raise
// host::HostError and the caller's own trap reports it (the command's
// click, the search dialog's loading, the configuration dialog's Continue
// button as "Command1_Click " in "frmConfig").

#include <cstdint>
#include <string>

namespace CorvaneGIS_Config {

// Number of items in the file at `path`. Raises when it cannot be read
// (53 when there is no such file).
std::int32_t CountConfigurationItems(const std::string& path);

// Reads the first three items into ParcelLayerName, StreetNameField and
// AddressNumberField. Raises 62 when the file holds fewer than three; the
// variables then keep their former values.
void ReadConfiguration(const std::string& path);

// Replaces the file at ConfigFilePath with the three values, then sets the
// three variables to them. The new content is written completely to a new
// file of its own beside it and then put in place in one step, so a failure
// at any point raises and leaves the previous file and the three variables
// as they were. The pending file is created new, never opened through a
// link or over another file, so nothing but ConfigFilePath itself is ever
// replaced; two processes saving at once each write their own pending file,
// and the one put in place last is the configuration.
void WriteConfiguration(const std::string& parcelLayerName, const std::string& streetNameField,
                        const std::string& addressNumberField);

// A name beside the configuration file for WriteConfiguration to write
// before putting the file in place: the file's name, ".new-" and a random
// part, different on each call.
[[nodiscard]] std::string PendingConfigurationPath(const std::string& configFilePath);

} // namespace CorvaneGIS_Config
