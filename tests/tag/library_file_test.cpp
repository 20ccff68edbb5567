// Judging a candidate CR95HF.dll from its bytes: crafted images, each damaged or varied in one
// place, and the search beside the program and in the system folder.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "support/temp_files.h"
#include "tag/library_search.h"
#include "tag/library_text.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Where the crafted image keeps what the cases change.
enum : uint32_t {
    NEW_HEADER = 0x80,
    MACHINE = NEW_HEADER + 4,
    SECTIONS = NEW_HEADER + 6,
    CHARACTERISTICS = NEW_HEADER + 22,
    OPTIONAL = NEW_HEADER + 24,
    SECTION_VA = 0x1000,
    SECTION_FILE = 0x200,
    EXPORTS = SECTION_FILE,  // the export directory opens the section
    FUNCTIONS_RVA = SECTION_VA + 40,
};

void put16(Bytes& b, uint32_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(Bytes& b, uint32_t at, uint32_t v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// A library as a linker lays it out: DOS header, PE headers, and one section of 0x200 file
// bytes holding the export directory and its address table.
Bytes library_image(uint16_t machine, uint32_t base, const std::vector<uint32_t>& functions)
{
    bool wide = machine != MACHINE_I386;
    uint32_t optionalSize = wide ? 0xF0 : 0xE0;
    uint32_t directories = OPTIONAL + (wide ? 112 : 96);
    Bytes b(0x400, 0);
    b[0] = 'M';
    b[1] = 'Z';
    put32(b, 0x3C, NEW_HEADER);
    memcpy(&b[NEW_HEADER], "PE\0\0", 4);
    put16(b, MACHINE, machine);
    put16(b, SECTIONS, 1);
    put16(b, NEW_HEADER + 20, optionalSize);
    put16(b, CHARACTERISTICS, 0x2022);  // DLL, executable, large-address aware
    put16(b, OPTIONAL, wide ? 0x20B : 0x10B);
    put32(b, OPTIONAL + 60, 0x200);  // SizeOfHeaders
    put32(b, directories - 4, 16);
    put32(b, directories, SECTION_VA);
    put32(b, directories + 4, 40 + 4 * static_cast<uint32_t>(functions.size()));
    uint32_t section = OPTIONAL + optionalSize;
    memcpy(&b[section], ".edata", 6);
    put32(b, section + 8, 0x200);
    put32(b, section + 12, SECTION_VA);
    put32(b, section + 16, 0x200);
    put32(b, section + 20, SECTION_FILE);
    put32(b, EXPORTS + 16, base);
    put32(b, EXPORTS + 20, static_cast<uint32_t>(functions.size()));
    put32(b, EXPORTS + 28, FUNCTIONS_RVA);
    for (size_t i = 0; i < functions.size(); ++i) put32(b, EXPORTS + 40 + 4 * static_cast<uint32_t>(i), functions[i]);
    return b;
}

// Ordinals 4 to 16 as the stand-in's linker numbers them: 4, 5, 13 and 16 present.
const std::vector<uint32_t> kStandIn = {0x1100, 0x1110, 0, 0, 0, 0, 0, 0, 0, 0x1120, 0, 0, 0x1130};

Bytes amd64()
{
    return library_image(MACHINE_AMD64, 4, kStandIn);
}

Bytes with32(Bytes b, uint32_t at, uint32_t v)
{
    put32(b, at, v);
    return b;
}

Bytes with16(Bytes b, uint32_t at, uint32_t v)
{
    put16(b, at, v);
    return b;
}

Bytes cut(Bytes b, size_t size)
{
    b.resize(size);
    return b;
}

bool read_bytes(void* context, uint32_t offset, uint8_t* out, uint32_t count)
{
    const Bytes& b = *static_cast<const Bytes*>(context);
    if (offset > b.size() || count > b.size() - offset) return false;
    memcpy(out, b.data() + offset, count);
    return true;
}

struct Case {
    const char* name;
    Bytes image;
    uint16_t program;
    LibraryFault fault;
    uint16_t machine;
    uint8_t missing;  // bits: 16, 13, 4, 5
};

TEST(LibraryFile, CraftedImages)
{
    const uint32_t section = OPTIONAL + 0xF0;
    const uint32_t exportEntry = OPTIONAL + 112;
    const std::string text = "Name=\"a\" Description=\"b\" Address=0 Type=int8\r\n";
    const LibraryFault notPe = LibraryFault::notPe, none = LibraryFault::none, gone = LibraryFault::functionsMissing;
    const Case cases[] = {
        {"text file", Bytes(text.begin(), text.end()), MACHINE_AMD64, notPe, 0, 0},
        {"cut inside the DOS header", cut(amd64(), 63), MACHINE_AMD64, notPe, 0, 0},
        {"no MZ", with16(amd64(), 0, 0x4D5A), MACHINE_AMD64, notPe, 0, 0},
        {"PE header beyond the end", with32(amd64(), 0x3C, 0x400), MACHINE_AMD64, notPe, 0, 0},
        {"PE header offset wraps", with32(amd64(), 0x3C, 0xFFFFFFF0), MACHINE_AMD64, notPe, 0, 0},
        {"no PE signature", with16(amd64(), NEW_HEADER, 0x5850), MACHINE_AMD64, notPe, 0, 0},
        {"cut inside the optional header", cut(amd64(), OPTIONAL + 20), MACHINE_AMD64, notPe, MACHINE_AMD64, 0},
        {"97 sections", with16(amd64(), SECTIONS, 97), MACHINE_AMD64, notPe, MACHINE_AMD64, 0},
        {"a program", with16(amd64(), CHARACTERISTICS, 0x0022), MACHINE_AMD64, LibraryFault::notDll, MACHINE_AMD64, 0},
        {"32-bit for the 64-bit program", library_image(MACHINE_I386, 4, kStandIn), MACHINE_AMD64,
         LibraryFault::wrongMachine, MACHINE_I386, 0},
        {"64-bit for the 32-bit program", amd64(), MACHINE_I386, LibraryFault::wrongMachine, MACHINE_AMD64, 0},
        {"ARM64", library_image(0xAA64, 4, kStandIn), MACHINE_AMD64, LibraryFault::wrongMachine, 0xAA64, 0},
        {"32-bit header format in a 64-bit file", with16(amd64(), OPTIONAL, 0x10B), MACHINE_AMD64, notPe, MACHINE_AMD64,
         0},
        {"the stand-in's exports", amd64(), MACHINE_AMD64, none, MACHINE_AMD64, 0},
        {"32-bit for the 32-bit program", library_image(MACHINE_I386, 4, kStandIn), MACHINE_I386, none, MACHINE_I386,
         0},
        {"ordinals 1 to 16", library_image(MACHINE_AMD64, 1, std::vector<uint32_t>(16, 0x1100)), MACHINE_AMD64, none,
         MACHINE_AMD64, 0},
        {"base 5 leaves out 4", library_image(MACHINE_AMD64, 5, std::vector<uint32_t>(12, 0x1100)), MACHINE_AMD64, gone,
         MACHINE_AMD64, 0x04},
        {"a count of 12 from 4 leaves out 16", with32(amd64(), EXPORTS + 20, 12), MACHINE_AMD64, gone, MACHINE_AMD64,
         0x01},
        {"ordinal 5 has no address", with32(amd64(), EXPORTS + 44, 0), MACHINE_AMD64, gone, MACHINE_AMD64, 0x08},
        {"base above every ordinal", with32(amd64(), EXPORTS + 16, 17), MACHINE_AMD64, gone, MACHINE_AMD64, 0x0F},
        {"no data directories", with32(amd64(), exportEntry - 4, 0), MACHINE_AMD64, gone, MACHINE_AMD64, 0x0F},
        {"export directory in no section", with32(amd64(), exportEntry, 0x5000), MACHINE_AMD64, gone, MACHINE_AMD64,
         0x0F},
        {"export directory past the section's file bytes", with32(amd64(), exportEntry, SECTION_VA + 0x1F0),
         MACHINE_AMD64, gone, MACHINE_AMD64, 0x0F},
        {"section's file bytes beyond the end", with32(amd64(), section + 20, 0x10000), MACHINE_AMD64, gone,
         MACHINE_AMD64, 0x0F},
        {"address table far away", with32(amd64(), EXPORTS + 28, 0xFFFFFFF0), MACHINE_AMD64, gone, MACHINE_AMD64, 0x0F},
        {"file offsets past 4 GiB do not wrap back into the file",
         with32(with32(with32(with32(with32(amd64(), section + 16, 0x1000), section + 20, 0xFFFFFE00), exportEntry,
                              SECTION_VA + 0x400),
                       EXPORTS + 28, SECTION_VA + 0x428),
                section + 8, 0x1000),
         MACHINE_AMD64, gone, MACHINE_AMD64, 0x0F},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LibraryReport report = {};
        ByteSource source = {read_bytes, const_cast<Bytes*>(&c.image)};
        inspect_library(source, c.program, &report);
        EXPECT_EQ(static_cast<int>(c.fault), static_cast<int>(report.fault));
        EXPECT_EQ(c.machine, report.machine);
        EXPECT_EQ(c.missing, report.missing);
    }
}

// What a library writes into a text buffer reaches the tool as whole UTF-8 characters without
// control characters, cut to the tool's buffer, whether or not the library ended it with a NUL.
TEST(LibraryFile, TextsItWritesAreTakenBoundedAndPrintable)
{
    const struct Case {
        std::string raw;
        size_t room;
        const char* taken;
    } cases[] = {{std::string("1.2\0xy", 6), 8, "1.2"}, {"1.2\r\n\x7F", 8, "1.2???"}, {"A\xFF\xC3", 8, "A??"},
                 {"\xD0\x96\xD0\x96", 4, "\xD0\x96"},   {"12345", 4, "123"},          {"", 1, ""}};
    for (const Case& c : cases) {
        char out[8];
        std::vector<char> raw(c.raw.begin(), c.raw.end());  // no NUL after it: the sanitizers see a read past it
        reader_text_take(raw.data(), raw.size(), out, c.room);
        EXPECT_STREQ(c.taken, out) << c.raw;
    }
}

TEST(LibraryFile, TakenBesideTheProgramFirstThenFromTheSystemFolder)
{
    TempFolder program, system, empty;
    const Bytes good = amd64();
    const std::string goodBytes(good.begin(), good.end());
    LibraryReport r = {};

    find_reader_library(program.path().c_str(), system.path().c_str(), MACHINE_AMD64, &r);
    EXPECT_EQ(static_cast<int>(LibraryFault::notFound), static_cast<int>(r.fault));
    EXPECT_EQ(program.path(), r.path);
    find_reader_library(nullptr, nullptr, MACHINE_AMD64, &r);
    EXPECT_EQ(static_cast<int>(LibraryFault::notFound), static_cast<int>(r.fault));
    EXPECT_STREQ("", r.path);

    system.write("CR95HF.dll", goodBytes);
    find_reader_library(program.path().c_str(), system.path().c_str(), MACHINE_AMD64, &r);
    EXPECT_EQ(static_cast<int>(LibraryFault::none), static_cast<int>(r.fault));
    EXPECT_EQ(system.path() + "CR95HF.dll", r.path);

    // A broken file beside the program does not hide a usable one in the system folder...
    program.write("CR95HF.dll", "not a library");
    find_reader_library(program.path().c_str(), system.path().c_str(), MACHINE_AMD64, &r);
    EXPECT_EQ(static_cast<int>(LibraryFault::none), static_cast<int>(r.fault));
    EXPECT_EQ(system.path() + "CR95HF.dll", r.path);
    // ... and without one it is the file to mend.
    find_reader_library(program.path().c_str(), empty.path().c_str(), MACHINE_AMD64, &r);
    EXPECT_EQ(static_cast<int>(LibraryFault::notPe), static_cast<int>(r.fault));
    EXPECT_EQ(program.path() + "CR95HF.dll", r.path);

    program.write("CR95HF.dll", goodBytes);
    find_reader_library(program.path().c_str(), system.path().c_str(), MACHINE_AMD64, &r);
    EXPECT_EQ(static_cast<int>(LibraryFault::none), static_cast<int>(r.fault));
    EXPECT_EQ(program.path() + "CR95HF.dll", r.path);
}

}  // namespace
