// Any bytes at all read as a configuration file: the reader must end, never crash, and a file it
// accepts must write back to records that read as the same configuration, whatever followed
// them in the old file.
#include <QByteArray>
#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

#include "configfile/configuration.h"

using ondalis::ConfigurationReading;
using ondalis::ConfigurationStatus;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ConfigurationReading reading = ondalis::parseConfiguration(bytes);
    if (reading.status != ConfigurationStatus::Read) return 0;
    // Texts read are at most 126 bytes, so they always write back.
    const auto written =
        ondalis::configurationFileBytes(reading.configuration, bytes.toByteArray());
    if (!written) __builtin_trap();
    const ConfigurationReading again = ondalis::parseConfiguration(*written);
    if (again.status != ConfigurationStatus::Read) __builtin_trap();
    // The texts of the four fields go through the code page and back unchanged, except
    // characters it cannot hold, which a file never contains once decoded.
    if (!(again.configuration == reading.configuration)) __builtin_trap();
    return 0;
}
