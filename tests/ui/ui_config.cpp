// Pelox.ini texts and tag contents shared by the UI tests.
#include "ui/ui_config.h"

#include <stdio.h>

#include <fstream>
#include <sstream>

#include "sim/sim_tag.h"
#include "support/reference_image.h"
#include "ui/ui_session.h"

std::string ini_header(uint32_t password, int set, int scanMs)
{
    char line[64];
    snprintf(line, sizeof line, "Pwd=%08X set=%d", static_cast<unsigned>(password), set);
    std::string text = line;
    if (scanMs != 0) text += " scan " + std::to_string(scanMs);
    return text + "\r\n";
}

std::string int8_rows(int count)
{
    std::string text;
    for (int n = 0; n < count; ++n) {
        text += "Name=\"P" + std::to_string(n) + "\" Description=\"parameter " + std::to_string(n) +
                "\" Address=" + std::to_string(4 * n) + " Type=int8 Changeable\r\n";
    }
    return text;
}

void store_int8_rows(int count)
{
    for (int n = 0; n < count; ++n) store_value(4 * n, static_cast<uint32_t>(n), 1);
}

void store_value(int address, uint32_t value, int width)
{
    std::vector<uint8_t> image = reference_image(value, width);
    sim_write_memory(address, image.data(), static_cast<int>(image.size()));
}

std::string local_time_text(time_t seconds)
{
    char text[64];
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", localtime(&seconds));
    return text;
}

std::string example_file(const char* name)
{
    std::ifstream in(driver_folder() + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
