// The campaign's tables and tag contents; images come from the reference, texts are literal.
#include "fault/fault_scenes.h"

#include <stdio.h>

#include "model/config.h"
#include "sim/sim_tag.h"
#include "support/program_fixture.h"
#include "support/reference_image.h"

const char kTrueCaption[] = "ORVELTIDE      E002A1B2C3D4E5F6   ";
// An identification answered with the error flag carries no UID.
const char kFlaggedCaption[] = "ORVELTIDE      ????????????????   ";

namespace {

using PT = ParamType;
using EM = EditMode;

const SceneParam kPage[PAGE_ROWS] = {
    {PT::int8, 0, EM::Changeable, false, 5, "5"},
    {PT::int16, 5, EM::DisplayOnly, false, 300, "300"},
    {PT::int32, 10, EM::Default, false, 1000, "1000"},
    {PT::time, 16, EM::Changeable, false, 86400, "1970-01-02 00:00:00"},
    {PT::swver, 24, EM::DisplayOnly, false, 0x01020003, "1.2.3"},
    {PT::int8, 33, EM::Default, false, 0xFF, "-1"},
    {PT::int16, 38, EM::Changeable, false, 0x8000, "-32768"},
    {PT::int32, 43, EM::DisplayOnly, false, 0x80000000, "-2147483648"},
    {PT::time, 49, EM::Changeable, false, 0, "1970-01-01 00:00:00"},
    {PT::int16, 57, EM::Default, true, 0, "Not set"},
    {PT::swver, 62, EM::Changeable, false, 0x020A0100, "2.10.256"},
    {PT::int8, 71, EM::Changeable, false, 0x7F, "127"},
    {PT::int32, 74, EM::Changeable, false, 0x7FFFFFFF, "2147483647"},
    {PT::int8, 83, EM::DisplayOnly, true, 0, "Not set"},
    {PT::int16, 86, EM::Changeable, false, 0x7FFF, "32767"},
    {PT::time, 91, EM::Default, false, 1700000000, "2023-11-14 22:13:20"},
    {PT::int32, 98, EM::DisplayOnly, false, 0xFFFFFFF6, "-10"},
    {PT::int8, 106, EM::Default, false, 0x80, "-128"},
    {PT::int16, 110, EM::Changeable, false, 1, "1"},
    {PT::int32, 117, EM::Changeable, true, 0, "Not set"},
};

int width_of(ParamType type)
{
    return type == PT::int8 ? 1 : type == PT::int16 ? 2 : 4;
}

void put_image(ParamType type, int32_t address, uint32_t bits)
{
    std::vector<uint8_t> image = image_of(type, bits);
    sim_write_memory(address, image.data(), static_cast<int>(image.size()));
}

}  // namespace

std::vector<uint8_t> image_of(ParamType type, uint32_t bits)
{
    int width = width_of(type);
    return reference_image(width == 4 ? bits : bits & ((1u << (8 * width)) - 1), width);
}

SceneParam scene_param(int i)
{
    SceneParam p = kPage[i % PAGE_ROWS];
    p.address += SCENE_PAGE_STRIDE * (i / PAGE_ROWS);
    return p;
}

void put_pages(int count)
{
    clear_table();
    for (int i = 0; i < count; ++i) {
        SceneParam p = scene_param(i);
        char name[16];
        snprintf(name, sizeof name, "P%d", i);
        add_param(name, p.type, p.address, p.mode);
        if (!p.erased) put_image(p.type, p.address, p.bits);
    }
}

std::string scene_config(int count)
{
    static const char* const kTypes[] = {"", "int8", "int16", "int32", "time", "swver", "empty"};
    static const char* const kModes[] = {"", " Changeable", " Default"};
    char header[64];
    snprintf(header, sizeof header, "Pwd=%X set=1 scan 500\n", static_cast<unsigned>(SCENE_PASSWORD));
    std::string text = header;
    for (int i = 0; i < count; ++i) {
        SceneParam p = scene_param(i);
        char line[160];
        snprintf(line, sizeof line, "Name=\"P%d\" Description=\"P%d's description\" Address=%d Type=%s%s\n", i, i,
                 static_cast<int>(p.address), kTypes[static_cast<int>(p.type)], kModes[static_cast<int>(p.mode)]);
        text += line;
    }
    return text;
}

int WriteScene::size() const
{
    return width_of(type) + 2;
}

const WriteScene kWriteScenes[16] = {
    {PT::int8, 0, 5, "5", -7, "-7"},
    {PT::int8, 1, 5, "5", -7, "-7"},
    {PT::int8, 2, 5, "5", -7, "-7"},
    {PT::int8, 3, 5, "5", -7, "-7"},
    {PT::int16, 0, 300, "300", -12345, "-12345"},
    {PT::int16, 1, 300, "300", -12345, "-12345"},
    {PT::int16, 2, 300, "300", -12345, "-12345"},
    {PT::int16, 3, 300, "300", -12345, "-12345"},
    {PT::int32, 0, 1000, "1000", 123456789, "123456789"},
    {PT::int32, 1, 1000, "1000", 123456789, "123456789"},
    {PT::int32, 2, 1000, "1000", 123456789, "123456789"},
    {PT::int32, 3, 1000, "1000", 123456789, "123456789"},
    {PT::time, 0, 86400, "1970-01-02 00:00:00", 1700000000, "2023-11-14 22:13:20"},
    {PT::time, 1, 86400, "1970-01-02 00:00:00", 1700000000, "2023-11-14 22:13:20"},
    {PT::time, 2, 86400, "1970-01-02 00:00:00", 1700000000, "2023-11-14 22:13:20"},
    {PT::time, 3, 86400, "1970-01-02 00:00:00", 1700000000, "2023-11-14 22:13:20"},
};

void put_write_scene(const WriteScene& scene)
{
    clear_table();
    add_param("P0", kPage[0].type, kPage[0].address, kPage[0].mode);
    add_param("P1", kPage[1].type, kPage[1].address, kPage[1].mode);
    add_param("P2", kPage[2].type, kPage[2].address, kPage[2].mode);
    for (int i = 0; i < 3; ++i) put_image(kPage[i].type, kPage[i].address, kPage[i].bits);
    add_param("W", scene.type, scene.address(), EditMode::Changeable);
    put_image(scene.type, scene.address(), scene.oldBits);
    add_param("before", PT::int8, scene.address() - 3, EditMode::Changeable);
    put_image(PT::int8, scene.address() - 3, 9);
    add_param("after", PT::int16, scene.address() + scene.size(), EditMode::Default);
    put_image(PT::int16, scene.address() + scene.size(), 77);
    sim_set_password(1, SCENE_PASSWORD);
    sim_set_sector_status(0, 0x09);  // locked; writes need password 1
    password = SCENE_PASSWORD;
}

std::vector<std::string> write_scene_texts(const char* written)
{
    return {kPage[0].text, kPage[1].text, kPage[2].text, written, "9", "77"};
}
