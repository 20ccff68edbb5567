// Independent expectations for value box texts: the image is judged with the reference CRC, time
// stamps are turned into dates with calendar arithmetic of our own (the targets run in UTC).
#pragma once
#include <stdint.h>
#include <stdio.h>

#include <algorithm>
#include <string>

#include "model/param_table.h"
#include "support/reference_image.h"

// Value bytes of a type's image; 0 for types without one.
inline int reference_width(ParamType type)
{
    switch (type) {
    case ParamType::int8: return 1;
    case ParamType::int16: return 2;
    case ParamType::int32:
    case ParamType::time:
    case ParamType::swver: return 4;
    default: return 0;
    }
}

// Bytes of a type's stored image (value and CRC); 0 for types without one.
inline int reference_stored_size(ParamType type)
{
    int width = reference_width(type);
    return width ? width + 2 : 0;
}

// Seconds since 1970-01-01 00:00:00 as "YYYY-MM-DD hh:mm:ss" in UTC (days to civil date after
// Howard Hinnant's civil_from_days).
inline std::string reference_utc_text(int64_t seconds)
{
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int64_t day = doy - (153 * mp + 2) / 5 + 1;
    int64_t month = mp < 10 ? mp + 3 : mp - 9;
    int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    char text[64];
    snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", static_cast<long long>(year),
             static_cast<long long>(month), static_cast<long long>(day), static_cast<long long>(rest / 3600),
             static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

// "YYYY-MM-DD hh:mm:ss" in UTC back to seconds (days from civil date after Howard Hinnant's
// days_from_civil); false unless the text names that very second (no 2024-02-30, no 25:00).
inline bool reference_utc_seconds(const std::string& text, int64_t* seconds)
{
    static const char kLayout[] = "dddd-dd-dd dd:dd:dd";
    if (text.size() != sizeof kLayout - 1) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (kLayout[i] == 'd' ? !digit : text[i] != kLayout[i]) return false;
    }
    auto field = [&](size_t at, size_t n) { return std::stoll(text.substr(at, n)); };
    int64_t year = field(0, 4), month = field(5, 2), day = field(8, 2);
    int64_t y = month <= 2 ? year - 1 : year;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    int64_t days = era * 146097 + doe - 719468;
    *seconds = days * 86400 + field(11, 2) * 3600 + field(14, 2) * 60 + field(17, 2);
    return reference_utc_text(*seconds) == text;
}

// The text a value box must show for these stored bytes (at least the type's image size).
inline std::string reference_decode(ParamType type, const uint8_t* bytes)
{
    int width = reference_width(type);
    if (width == 0) return "Unknown Type";
    uint32_t value = 0;
    for (int i = 0; i < width; ++i) value = (value << 8) | bytes[i];
    std::vector<uint8_t> image = reference_image(value, width);
    if (!std::equal(image.begin(), image.end(), bytes)) return "Not set";
    int64_t span = int64_t{1} << (8 * width);
    int64_t signed_value = value >= span / 2 ? int64_t{value} - span : int64_t{value};
    char text[64];
    switch (type) {
    case ParamType::time: return reference_utc_text(signed_value);
    case ParamType::swver:
        snprintf(text, sizeof text, "%u.%u.%u", bytes[0], bytes[1], (bytes[2] << 8) | bytes[3]);
        return text;
    default: return std::to_string(static_cast<long long>(signed_value));
    }
}
