// The tags and tables the campaign runs on: a full page of every type and mode with the texts
// their stored images must show, repeated on later pages, and the scene of one parameter write.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "model/param_table.h"

struct SceneParam {
    ParamType type;
    int32_t address;  // on page 0; page p lies 256 * p bytes further
    EditMode mode;
    bool erased;       // never written: no valid image
    uint32_t bits;     // the stored value
    const char* text;  // what its value box shows
};

enum { SCENE_PAGE_STRIDE = 256, SCENE_PASSWORD = 0x0BADCAFE };

extern const char kTrueCaption[];     // the simulated tag's UID
extern const char kFlaggedCaption[];  // an identification answered with the error flag

// Record i of the scenes' tables (page i / 20, row i % 20).
SceneParam scene_param(int i);
// The stored image of a value of this type (the bits beyond its width ignored).
std::vector<uint8_t> image_of(ParamType type, uint32_t bits);
// Fills the table with the first `count` records and puts their images into the tag.
void put_pages(int count);
// "Pelox.ini" for the first `count` records.
std::string scene_config(int count);

// One write: a parameter of `type` at block offset `offset` with neighbours sharing its blocks.
struct WriteScene {
    ParamType type;
    int offset;
    int32_t address() const { return 40 + offset; }
    int size() const;
    uint32_t oldBits;
    const char* oldText;
    int32_t newValue;
    const char* newText;
};
enum { WRITE_ROW = 3 };  // rows 0 to 2 are other parameters, 4 and 5 the neighbours
extern const WriteScene kWriteScenes[16];
// Table and tag of a write scene: sector 0 locked under password 1, which is the configured one.
void put_write_scene(const WriteScene& scene);
// What its value boxes show: rows 0 to 5, the written row as given.
std::vector<std::string> write_scene_texts(const char* written);
