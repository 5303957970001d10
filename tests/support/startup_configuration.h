#pragma once

#include <QByteArray>
#include <cstring>

namespace ondalis::testing {

// The ".P19" file of a fresh window, byte by byte: 29 records of 128 bytes, each a 16-bit
// little-endian length (below: its low byte, the high byte is 0) and its characters, zeros after
// them, the last record not padded.
inline QByteArray startupConfigurationBytes() {
    static const struct {
        char length;
        const char* text;
    } records[29] = {
        {7, "ONDALIS"},   // 1 signature
        {1, "0"},         // 2 x0
        {3, "145"},       // 3 m
        {2, "10"},        // 4 k
        {3, "0,2"},       // 5 h
        {2, "\x20\x33"},  // 6 duration index " 3"
        {3, " 70"},       // 7 velocity scale
        {3, "-10"},       // 8 force scale
        {0, ""},          // 9
        {2, " 1"},        // 10 axis
        {0, ""},          // 11
        {2, " 0"},        // 12 bold trace
        {0, ""},          // 13
        {2, " 0"},        // 14 velocity
        {2, " 1"},        // 15 ruler
        {0, ""},          // 16
        {2, " 0"},        // 17 forces
        {2, " 0"},        // 18 slow motion
        {2, " 0"},        // 19 position plotted
        {6, " 33023"},    // 20 … 29 colours 0 … 9
        {9, " 12582912"}, {9, " 12582912"}, {4, " 192"},   {9, " 12582912"}, {4, " 192"},
        {6, " 49152"},    {6, " 16576"},    {6, " 32768"}, {8, " 8388608"},
    };
    QByteArray bytes;
    for (int r = 0; r < 29; ++r) {
        QByteArray data;
        data.append(records[r].length).append('\0').append(records[r].text);
        if (std::strlen(records[r].text) != std::size_t(records[r].length)) return {};
        if (r < 28) data.append(QByteArray(128 - data.size(), '\0'));
        bytes += data;
    }
    return bytes;
}

}  // namespace ondalis::testing
