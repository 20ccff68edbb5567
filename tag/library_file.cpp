// The headers and the export directory of a candidate reader library, read from its bytes.
#include "tag/library_file.h"

#include <string.h>

const uint16_t READER_ORDINALS[READER_FUNCTIONS] = {16, 13, 4, 5};

namespace {

enum : uint32_t {
    DOS_HEADER_SIZE = 64,
    NEW_HEADER_AT = 0x3C,   // e_lfanew
    FILE_HEADER_SIZE = 24,  // "PE\0\0" and the COFF file header
    SECTION_HEADER_SIZE = 40,
    MAX_SECTIONS = 96,  // the system loader refuses more
    EXPORT_DIRECTORY_SIZE = 40,
    HEADERS_SIZE_AT = 60,  // SizeOfHeaders, in both optional header formats
    EXECUTABLE_IMAGE = 0x0002,
    DLL = 0x2000,
    MAGIC_PE32 = 0x10B,
    MAGIC_PE32_PLUS = 0x20B,
    OPTIONAL_READ = 112 + 8,  // PE32+ up to the export directory's entry
    ALL_MISSING = (1u << READER_FUNCTIONS) - 1,
};

uint16_t le16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// Offsets are computed wide, so that a header's numbers cannot wrap a read back into the file.
bool read_at(const ByteSource& source, uint64_t offset, uint8_t* out, uint32_t count)
{
    return offset + count <= UINT32_MAX && source.read(source.context, static_cast<uint32_t>(offset), out, count);
}

struct Image {
    const ByteSource* source;
    uint64_t sectionTable;
    uint32_t sections;
    uint32_t headersSize;
};

// Reads count bytes at a relative virtual address; they must lie wholly in the headers or in
// the file bytes of one section (beyond those the loaded image holds zeros, no export).
bool read_rva(const Image& image, uint64_t rva, uint8_t* out, uint32_t count)
{
    uint64_t end = rva + count;
    if (end <= image.headersSize) return read_at(*image.source, rva, out, count);
    for (uint32_t i = 0; i < image.sections; ++i) {
        uint8_t section[SECTION_HEADER_SIZE];
        if (!read_at(*image.source, image.sectionTable + i * SECTION_HEADER_SIZE, section, sizeof section))
            return false;
        uint32_t start = le32(section + 12);
        uint32_t fileSize = le32(section + 16);
        uint32_t fileOffset = le32(section + 20);
        if (rva >= start && end <= static_cast<uint64_t>(start) + fileSize)
            return read_at(*image.source, fileOffset + (rva - start), out, count);
    }
    return false;
}

// Bit i set for each READER_ORDINALS[i] whose export address is absent or zero.
uint8_t missing_exports(const Image& image, uint32_t exportRva)
{
    uint8_t directory[EXPORT_DIRECTORY_SIZE];
    if (exportRva == 0 || !read_rva(image, exportRva, directory, sizeof directory)) return ALL_MISSING;
    uint32_t base = le32(directory + 16);
    uint32_t count = le32(directory + 20);
    uint32_t table = le32(directory + 28);
    uint8_t missing = 0;
    for (int i = 0; i < READER_FUNCTIONS; ++i) {
        uint32_t ordinal = READER_ORDINALS[i];
        uint8_t address[4] = {0, 0, 0, 0};
        bool present = ordinal >= base && ordinal - base < count &&
                       read_rva(image, table + 4ull * (ordinal - base), address, sizeof address) && le32(address) != 0;
        if (!present) missing |= static_cast<uint8_t>(1u << i);
    }
    return missing;
}

}  // namespace

void inspect_library(const ByteSource& source, uint16_t machine, LibraryReport* report)
{
    report->fault = LibraryFault::notPe;
    report->machine = 0;
    report->missing = 0;
    uint8_t dos[DOS_HEADER_SIZE];
    if (!read_at(source, 0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return;
    uint64_t header = le32(dos + NEW_HEADER_AT);
    uint8_t file[FILE_HEADER_SIZE];
    if (!read_at(source, header, file, sizeof file) || memcmp(file, "PE\0\0", 4) != 0) return;
    uint16_t fileMachine = le16(file + 4);
    uint16_t sections = le16(file + 6);
    uint16_t optionalSize = le16(file + 20);
    uint16_t characteristics = le16(file + 22);
    report->machine = fileMachine;
    if (sections > MAX_SECTIONS) return;
    if ((characteristics & DLL) == 0) {
        report->fault = LibraryFault::notDll;
        return;
    }
    if ((characteristics & EXECUTABLE_IMAGE) == 0) return;
    if (fileMachine != machine) {
        report->fault = LibraryFault::wrongMachine;
        return;
    }

    // The optional header's format follows the word size; the export directory is the first
    // of its data directories, which follow the count of directories.
    uint8_t optional[OPTIONAL_READ];
    uint64_t optionalAt = header + FILE_HEADER_SIZE;
    uint32_t wanted = machine == MACHINE_AMD64 ? MAGIC_PE32_PLUS : MAGIC_PE32;
    uint32_t directories = wanted == MAGIC_PE32_PLUS ? 112 : 96;
    if (optionalSize < HEADERS_SIZE_AT + 4 || !read_at(source, optionalAt, optional, HEADERS_SIZE_AT + 4) ||
        le16(optional) != wanted)
        return;
    Image image = {&source, optionalAt + optionalSize, sections, le32(optional + HEADERS_SIZE_AT)};
    uint32_t exportRva = 0;
    if (optionalSize >= directories + 8 && read_at(source, optionalAt, optional, directories + 8) &&
        le32(optional + directories - 4) >= 1)
        exportRva = le32(optional + directories);
    report->missing = missing_exports(image, exportRva);
    report->fault = report->missing != 0 ? LibraryFault::functionsMissing : LibraryFault::none;
}
