// Loading "Pelox.ini": the header, definition lines, the table limits and hostile files.
#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_module_path.h"
#include "model/config.h"
#include "model/config_load.h"
#include "model/config_path.h"

namespace {

const char kLine[] = "Name=\"P\" Description=\"D\" Address=0 Type=int8\n";

class Config : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_settings();
        entryCount = 0;
        lastPage = 0;
    }
    static void load(const std::string& content) { load_config_text(content.data(), content.size(), nullptr); }
};

// The executable's folder, given in the build machine's form, in the platform's form.
void executable_in(const std::string& folder)
{
    std::string path = folder + "/pelox.exe";
#ifdef _WIN32
    for (char& c : path)
        if (c == '/') c = '\\';
#endif
    fake_module_path_set(path.c_str());
}

std::string lines(const std::string& line, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i) s += line;
    return s;
}

TEST_F(Config, HeaderFields)
{
    load("Pwd=1A2B3C4D set=1\n");
    EXPECT_EQ(password, 0x1A2B3C4Du);
    EXPECT_EQ(Setsecurity, 1);
    EXPECT_EQ(scanEnabled, 0u);
    EXPECT_EQ(scanInterval, 1000);
    EXPECT_EQ(entryCount, 0u);
}

TEST_F(Config, ScanSwitchAndInterval)
{
    load("Pwd=0 set=0 scan 500\n");
    EXPECT_EQ(scanEnabled, 1u);
    EXPECT_EQ(scanInterval, 500);
    load("Pwd=0 set=0 scan\n");
    EXPECT_EQ(scanInterval, 1000);
    load("Pwd=0 set=0 scan 5\n");
    EXPECT_EQ(scanInterval, 10);
    load("Pwd=0 set=0 scan -20\n");
    EXPECT_EQ(scanInterval, 10);
    // A number that does not fit counts as none.
    load("Pwd=0 set=0 scan 99999999999\n");
    EXPECT_EQ(scanInterval, 1000);
    // "scan" anywhere in the line switches scanning on; the whole number counts.
    load("xscan250\n");
    EXPECT_EQ(scanInterval, 250);
    load("Pwd=0x4F52564C set=1 scan 15000\n");
    EXPECT_EQ(scanInterval, 15000);
}

TEST_F(Config, UnreadHeaderFieldsKeepTheirValues)
{
    password = 0x55;
    load("Pwd=zz set=1\n");  // the password does not match, so set= is not read
    EXPECT_EQ(password, 0x55u);
    EXPECT_EQ(Setsecurity, 0);      // reset by every load
    load("Pwd=123456789 set=1\n");  // more than 32 bits
    EXPECT_EQ(password, 0x55u);
    EXPECT_EQ(Setsecurity, 0);
    load("Pwd=0xABCDEF set=3000000000\n");
    EXPECT_EQ(password, 0x00ABCDEFu);
    EXPECT_EQ(Setsecurity, 0);
    load("Pwd=FFFFFFFF set= -2\n");
    EXPECT_EQ(password, 0xFFFFFFFFu);
    EXPECT_EQ(Setsecurity, -2);
    load("pwd=1 set=1\n");  // keywords are case-sensitive
    EXPECT_EQ(password, 0xFFFFFFFFu);
    EXPECT_EQ(Setsecurity, 0);
}

TEST_F(Config, TheHeaderIsTheWholeFirstLineAfterAByteOrderMark)
{
    // Nothing of a long header is read as a definition; beyond 254 characters it is passed over.
    std::string padding(40, ' ');
    for (size_t tail : {10u, 400u}) {
        load("Pwd=4F52564C set=1" + padding + "scan 1000" + std::string(tail, 'x') +
             "Name=\"A\" Description=\"B\" Address=4 Type=int16\n" + kLine);
        EXPECT_EQ(Setsecurity, 1) << tail;
        EXPECT_EQ(scanInterval, 1000) << tail;
        EXPECT_EQ(entryCount, 1u) << tail;
    }
    // Notepad's UTF-8 with BOM; a Ctrl-Z ends the file as text mode does.
    load("\xEF\xBB\xBFPwd=4F52564C set=1\n" + std::string(kLine) + "\x1A" + kLine);
    EXPECT_EQ(password, 0x4F52564Cu);
    EXPECT_EQ(entryCount, 1u);
    load("\xEF\xBBPwd=1 set=1\n");  // not a whole mark: the bytes stay the header's
    EXPECT_EQ(Setsecurity, 0);
}

// UTF-8 when every byte of the file is, else the Windows code page; the bytes are kept as they stand.
TEST_F(Config, TheTextIsUtf8OnlyWhenAllOfItIs)
{
    const std::string line = "Name=\"T\" Description=\"Temperatur ";
    struct Row {
        std::string text;
        ConfigText expected;
    } rows[] = {
        {"Pwd=1 set=1\n" + line + "C\" Address=0 Type=int8\n", ConfigText::ascii},
        {"Pwd=1 set=1\n" + line +
             "\xC2\xB0"
             "C\" Address=0 Type=int8\n",
         ConfigText::utf8},
        {"Pwd=1 set=1\n" + line +
             "\xB0"
             "C\" Address=0 Type=int8\n",
         ConfigText::ansi},
        {"Pwd=1 set=1 \xC2\xB0\n" + line + "St\xF6rung\" Address=0 Type=int8\n", ConfigText::ansi},  // mixed
        {"Pwd=1 set=1\n" + line + "\xE0\x80\x80\" Address=0 Type=int8\n", ConfigText::ansi},         // overlong
        {"Pwd=1 set=1\n" + line + "\xED\xA0\x80\" Address=0 Type=int8\n", ConfigText::ansi},         // surrogate
        {"Pwd=1 set=1\n" + line + "\xF4\x90\x80\x80\" Address=0 Type=int8\n", ConfigText::ansi},     // > U+10FFFF
        {"Pwd=1 set=1\n" + line + "\xF0\x9F\x94\xA5\xED\x9F\xBF\" Address=0 Type=int8\n", ConfigText::utf8},
        {"Pwd=1 set=1\n" + line + "\xC0\xB0\" Address=0 Type=int8\n", ConfigText::ansi},  // overlong
        {"Pwd=1 set=1\n" + line + "\" Address=0 Type=int8 \xE2\x82", ConfigText::ansi},   // cut at the end
    };
    for (const Row& row : rows) {
        load(row.text);
        EXPECT_EQ(configText, row.expected) << row.text;
        EXPECT_EQ(entryCount, 1u) << row.text;
    }
    EXPECT_STREQ(ParamTable[0].description, "Temperatur ");
}

TEST_F(Config, DefinitionFieldsInAnyOrder)
{
    load("Pwd=0 set=0\n"
         "Type=int32 Address=  -0 Changeable Description=\"Speed limit\" Name=\"Vmax\"\n"
         "Name=\"Mode\" Description=\"Default mode\" Address=12 Type=int16\n"
         "Name=\"Cal\" Description=\"c\" Address=20 Type=int32 Changeable Default=-5\n"
         "Name=\"Id\" Description=\"d\" Address=30 Type=swver Default\n"
         "Name=\"T\" Description=\"t\" Address=40 Type=time\n"
         "Name=\"gap\" Description=\"\" Address=-7 Type=empty\n");
    ASSERT_EQ(entryCount, 6u);
    const ParamEntry& vmax = ParamTable[0];
    EXPECT_STREQ(vmax.name, "Vmax");
    EXPECT_STREQ(vmax.description, "Speed limit");
    EXPECT_EQ(vmax.address, 0);
    EXPECT_EQ(vmax.type, ParamType::int32);
    EXPECT_EQ(vmax.mode, EditMode::Changeable);
    // "Default" inside a quoted text is the text's, not the mode.
    EXPECT_EQ(ParamTable[1].mode, EditMode::DisplayOnly);
    EXPECT_EQ(ParamTable[1].defaultValue, 0);
    EXPECT_EQ(ParamTable[2].mode, EditMode::Default);
    EXPECT_EQ(ParamTable[2].defaultValue, -5);
    EXPECT_EQ(ParamTable[3].type, ParamType::swver);
    EXPECT_EQ(ParamTable[3].mode, EditMode::Default);
    EXPECT_EQ(ParamTable[4].mode, EditMode::DisplayOnly);
    EXPECT_EQ(ParamTable[4].type, ParamType::time);
    EXPECT_EQ(ParamTable[5].type, ParamType::empty);  // no stored bytes, so no address check
}

TEST_F(Config, ParseResultsAndRejectedLines)
{
    ParamEntry e = {};
    EXPECT_EQ(parse_param_line("Name=\"a\" Description=\"b\" Address=1 Type=int8", &e), 1);
    EXPECT_EQ(parse_param_line("Name=\"a\" Description=\"b\" Address=1 Type=int8 Changeable Default=5", &e), 2);
    EXPECT_EQ(e.mode, EditMode::Default);
    EXPECT_EQ(e.defaultValue, 5);
    EXPECT_EQ(parse_param_line("Name=\"a\" Description=\"b\" Address=\t7\tType=int8 Default=-3\r\n", &e), 2);
    EXPECT_EQ(e.address, 7);
    EXPECT_EQ(e.defaultValue, -3);

    struct Rejected {
        const char* line;
        LineVerdict why;
    } rejected[] = {
        {"   # Name=\"a\" Description=\"b\" Address=1 Type=int8", LineVerdict::comment},
        {"Name=a Description=\"b\" Address=1 Type=int8", LineVerdict::noName},
        {"Name=\"a\" Description=b Address=1 Type=int8", LineVerdict::noDescription},
        {"Name=\"a\" Description=\"b\" Type=int8", LineVerdict::noAddress},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int64", LineVerdict::noType},
        {"Name=\"a\" Description=\"b\" Address=1 type=int8", LineVerdict::noType},
        {"Name=\"a\" Description=\"b\" Address=4294967296 Type=int8", LineVerdict::addressTooLarge},
        {"Name=\"a\" Description=\"b\" Address=-1 Type=int8", LineVerdict::outsideMemory},
        {"Name=\"a\" Description=\"b\" Address=1021 Type=int16", LineVerdict::outsideMemory},
        {"Name=\"a\" Description=\"b\" Address=1019 Type=time", LineVerdict::outsideMemory},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Default=2147483648", LineVerdict::defaultTooLarge},
        // Read as atoi reads them these were 0, 16, 0 and 5, 0: another parameter's place, a
        // default nobody meant.
        {"Name=\"a\" Description=\"b\" Address=0x10 Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address=16x Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address= Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Default=5V", LineVerdict::defaultNotANumber},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Default=x", LineVerdict::defaultNotANumber},
        {"Name=\"a\" Description=\"b\" Address=16_ Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address=16.5 Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"Address=1 Type=int8\"", LineVerdict::noAddress},
        // Only a blank, a tab, a comma, a semicolon, the line end or a closing quote ends a number.
        {"Name=\"a\" Description=\"b\" Address=16+1 Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address=16-1 Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address=16/2 Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address=\"16 Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address=\"16\"x Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address=16\" Type=int8", LineVerdict::addressNotANumber},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Default=1+2", LineVerdict::defaultNotANumber},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Default=@5", LineVerdict::defaultNotANumber},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Default=\"\"", LineVerdict::defaultNotANumber},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Min=0x1", LineVerdict::limitNotANumber},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Max=", LineVerdict::limitNotANumber},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Max=128", LineVerdict::limitOutsideType},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int16 Min=-40000", LineVerdict::limitOutsideType},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int32 Min=2147483648", LineVerdict::limitOutsideType},
        {"Name=\"a\" Description=\"b\" Address=1 Type=int8 Min=3 Max=2", LineVerdict::minAboveMax},
    };
    for (const Rejected& r : rejected) {
        e.type = ParamType::int32;
        EXPECT_EQ(parse_param_line_verdict(r.line, &e), r.why) << r.line;
        EXPECT_EQ(parse_param_line(r.line, &e), 0) << r.line;
        EXPECT_EQ(e.type, r.why == LineVerdict::comment || r.why == LineVerdict::noName ||
                                  r.why == LineVerdict::noDescription || r.why == LineVerdict::noAddress
                              ? ParamType::int32
                              : ParamType::none)
            << r.line;
    }
    // A number ends at anything that cannot go on it; "Default=" alone is default 0. Keywords in
    // the quoted texts are the texts'.
    struct Accepted {
        const char* line;
        int32_t address, defaultValue;
        EditMode mode;
        int32_t minValue = -128, maxValue = 127;
    } accepted[] = {
        {"Name=\"V\" Description=\"b\" Address=\"16\" Type=int8 Default=\"33\"", 16, 33, EditMode::Default},
        {"Name=\"V\" Description=\"b\" Address=\" 16 \"; Type=int8 Default=\"-3\",", 16, -3, EditMode::Default},
        {"Name=\"M\" Description=\"0 to 2\" Address=4 Type=int8 Changeable Min=0 Max=\"2\"", 4, 0, EditMode::Changeable,
         0, 2},
        {"Name=\"M\" Description=\"b\" Address=4 Type=int8 Default=9 Max=2", 4, 9, EditMode::Default, -128, 2},
        {"Name=\"a\" Description=\"b\" Address=16, Type=int8 Default=5,", 16, 5, EditMode::Default},
        {"Name=\"a\" Description=\"b\" Address=16; Type=int8 Default=\x1A", 16, 0, EditMode::Default},
        {"Name=\"a\" Description=\"b\" Address=16\tType=int8 Default=", 16, 0, EditMode::Default},
        {"Name=\"SN\" Description=\"Serial, not Changeable\" Address=0 Type=int32", 0, 0, EditMode::DisplayOnly},
        {"Name=\"a\" Description=\"Default speed\" Address=0 Type=int8 Changeable", 0, 0, EditMode::Changeable},
    };
    for (const Accepted& a : accepted) {
        e.defaultValue = 99;
        EXPECT_NE(parse_param_line(a.line, &e), 0) << a.line;
        EXPECT_EQ(e.address, a.address) << a.line;
        EXPECT_EQ(e.mode, a.mode) << a.line;
        EXPECT_EQ(e.limited, strstr(a.line, "Max=") != nullptr) << a.line;
        if (e.limited) {
            EXPECT_EQ(e.minValue, a.minValue) << a.line;
            EXPECT_EQ(e.maxValue, a.maxValue) << a.line;
        }
        if (a.mode == EditMode::Default) {
            EXPECT_EQ(e.defaultValue, a.defaultValue) << a.line;
        }
    }

    // The last bytes of the memory are still reachable.
    EXPECT_EQ(parse_param_line("Name=\"a\" Description=\"b\" Address=1020 Type=int16", &e), 1);
    EXPECT_EQ(parse_param_line("Name=\"a\" Description=\"b\" Address=1018 Type=swver", &e), 1);
    EXPECT_EQ(parse_param_line("Name=\"a\" Description=\"b\" Address=-2147483648 Type=empty", &e), 1);
}

TEST_F(Config, CommentsTabsAndQuotes)
{
    load("Pwd=0 set=0\n"
         "  #Name=\"c\" Description=\"d\" Address=0 Type=int8\n"
         "\t#Name=\"tab\" Description=\"d\" Address=0 Type=int8\n"
         "Name=\"open Description=\"x\" Address=8 Type=int8\n"
         "Type=int8 Address=9 Description=\"y\" Name=\"runs to the end\n");
    ASSERT_EQ(entryCount, 2u);  // blanks and tabs before "#" make a comment
    EXPECT_STREQ(ParamTable[0].name, "open Description=");
    EXPECT_STREQ(ParamTable[0].description, "x");
    EXPECT_STREQ(ParamTable[1].name, "runs to the end\n");  // the line end stays in the last field
}

TEST_F(Config, RejectedLineLeavesOnlyTextsInTheNextSlot)
{
    load(std::string("Pwd=0 set=0\n") + kLine + "Name=\"bad\" Description=\"z\" Address=7 Changeable Type=nope\n");
    ASSERT_EQ(entryCount, 1u);
    EXPECT_STREQ(ParamTable[1].name, "bad");
    EXPECT_EQ(ParamTable[1].address, 7);
    EXPECT_EQ(ParamTable[1].mode, EditMode::Changeable);
    EXPECT_EQ(ParamTable[1].type, ParamType::none);
    EXPECT_EQ(ParamTable[2].name[0], '\0');
}

TEST_F(Config, TableLimitsAndLastPage)
{
    struct Case {
        int definitions;
        uint32_t count;
        uint32_t last;
    } cases[] = {{0, 0, 0},   {19, 19, 0}, {20, 20, 1},   {25, 25, 1},  {40, 40, 2},
                 {45, 45, 2}, {99, 99, 4}, {100, 100, 4}, {150, 100, 4}};
    for (const Case& c : cases) {
        load("Pwd=0 set=0\n" + lines(kLine, c.definitions));
        EXPECT_EQ(entryCount, c.count) << c.definitions;
        EXPECT_EQ(lastPage, c.last) << c.definitions;
    }
    EXPECT_EQ(compute_last_page(100), 4u);
    EXPECT_EQ(compute_last_page(1000), 4u);
}

// A source that counts what the loader takes from it.
struct CountedText {
    std::string bytes;
    size_t taken;
    std::string unread;
};

int next_counted(void* context)
{
    CountedText& text = *static_cast<CountedText*>(context);
    return text.taken < text.bytes.size() ? static_cast<unsigned char>(text.bytes[text.taken++]) : BYTE_STREAM_END;
}

void collect_unread(void* context, const char* line, int length)
{
    static_cast<CountedText*>(context)->unread.append(line, static_cast<size_t>(length)) += '|';
}

TEST_F(Config, ReadingStopsAtTheHundredthParameterUnlessATraceAsksForTheRest)
{
    const std::string head = "Pwd=0 set=0\n" + lines(kLine, 99) + "# c\n" + kLine;
    CountedText text = {head + "Name=\"late\"\r\n" + std::string(260, 'z'), 0, ""};
    load_config_from(ByteStream{&text, next_counted}, nullptr);
    EXPECT_EQ(entryCount, 100u);
    EXPECT_EQ(text.taken, head.size());

    text.taken = 0;
    ConfigTrace trace = {&text, nullptr, nullptr, collect_unread};
    load_config_from(ByteStream{&text, next_counted}, &trace);
    EXPECT_EQ(entryCount, 100u);
    EXPECT_EQ(text.taken, text.bytes.size());
    EXPECT_EQ(text.unread, "Name=\"late\"\n|" + std::string(254, 'z') + "|zzzzzz|");
}

TEST_F(Config, LoadingClearsTheTable)
{
    load("Pwd=0 set=0\n" + lines(kLine, 30));
    load("Pwd=0 set=0\n" + lines(kLine, 2));
    EXPECT_EQ(entryCount, 2u);
    EXPECT_EQ(ParamTable[2].type, ParamType::none);
    EXPECT_EQ(ParamTable[29].name[0], '\0');
}

TEST_F(Config, LineEndings)
{
    load("Pwd=AB set=1\r\nName=\"crlf\" Description=\"d\" Address=0 Type=int8\r\n"
         "Name=\"lone\r\" Description=\"cr\rx\" Address=4 Type=int8");
    EXPECT_EQ(password, 0xABu);
    EXPECT_EQ(Setsecurity, 1);
    ASSERT_EQ(entryCount, 2u);
    EXPECT_STREQ(ParamTable[0].name, "crlf");
    EXPECT_STREQ(ParamTable[0].description, "d");
    EXPECT_STREQ(ParamTable[1].name, "lone\r");  // only a carriage return before a line feed goes
    EXPECT_STREQ(ParamTable[1].description, "cr\rx");
}

TEST_F(Config, OverlongDefinitionLinesContinue)
{
    // 254 characters are read at a time; the rest is parsed as a line of its own.
    std::string first = "Name=\"long\" Description=\"" + std::string(200, 'x') + "\" Address=0 Type=int8";
    first += std::string(254 - first.size(), ' ');
    load("Pwd=0 set=0\n" + first + "Name=\"tail\" Description=\"t\" Address=4 Type=int16\n");
    ASSERT_EQ(entryCount, 2u);
    EXPECT_STREQ(ParamTable[1].name, "tail");
    EXPECT_EQ(strlen(ParamTable[0].description), 200u);
}

TEST_F(Config, HostileBytesNeverBreakTheLoad)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) & 0xFF);
    load(binary);
    EXPECT_LE(entryCount, 100u);

    // A NUL ends the text that the searches see; the rest of that line is skipped.
    load(std::string("Pwd=1 set=1\n") + "Name=\"a\"" + '\0' + " Description=\"b\" Address=0 Type=int8\n" + kLine);
    EXPECT_EQ(entryCount, 1u);
    load(std::string("Pwd=7") + '\0' + " set=1\n");
    EXPECT_EQ(password, 7u);
    EXPECT_EQ(Setsecurity, 0);

    load("");
    EXPECT_EQ(entryCount, 0u);
    load(std::string(100000, '\n'));
    EXPECT_EQ(entryCount, 0u);
    // One 300-character name: cut at the line buffer, the rest a line of its own.
    load("Pwd=0 set=0\nName=\"" + std::string(300, 'n') + "\" Description=\"d\" Address=0 Type=int8\n");
    EXPECT_EQ(entryCount, 0u);
}

TEST_F(Config, MissingFileFolderOrPathChangesNothing)
{
    password = 9;
    entryCount = 3;
    struct Row {
        std::string folder;
        ConfigLoad why;
    } rows[] = {
        {PELOX_SOURCE_DIR "/tests/checker/data", ConfigLoad::missing},  // a folder without Pelox.ini
        {PELOX_FOLDER_INI_DIR, ConfigLoad::notAFile},                   // Pelox.ini is a folder
        {"C:/" + std::string(800, 'f'), ConfigLoad::pathTooLong},
    };
    for (const Row& row : rows) {
        executable_in(row.folder);
        ConfigLoad why = ConfigLoad::read;
        EXPECT_FALSE(load_config(&why)) << row.folder;
        EXPECT_EQ(why, row.why) << row.folder;
        EXPECT_EQ(password, 9u);
        EXPECT_EQ(entryCount, 3u);
    }
    fake_module_path_set(nullptr);
    EXPECT_FALSE(load_config());
    fake_module_path_set("no-separator.exe");
    EXPECT_FALSE(load_config());
}

// What About and pelox-tag read tell: the definition lines dropped, and where the first stands.
TEST_F(Config, SkippedLinesAreCountedWithTheFirstOnesLine)
{
    std::string longLine = "Name=\"L\" Description=\"" + std::string(260, 'x') + "\" Address=8 Type=int8\n";
    load("Pwd=0 set=0\n" + std::string(kLine) + "\n  \t\n# comment\n" + longLine +
         "Name=\"T\" Description=\"d\" Address=16+1 Type=int8\n");
    EXPECT_EQ(entryCount, 1u);
    EXPECT_EQ(skippedLines.count, 3);  // both pieces of the long line, and the line after it
    EXPECT_EQ(skippedLines.firstLine, 6);
    load("Pwd=0 set=0\n" + std::string(kLine));
    EXPECT_EQ(skippedLines.count, 0);
    EXPECT_EQ(skippedLines.firstLine, 0);
}

TEST_F(Config, PathIsTheExecutablesFolder)
{
    char path[CONFIG_PATH_SIZE];
    fake_module_path_set("C:\\Program Files\\Pelox\\pelox.exe");
    ASSERT_TRUE(config_path(path, sizeof path));
    EXPECT_STREQ(path, "C:\\Program Files\\Pelox\\Pelox.ini");
    // Any folder Windows allows fits, also in UTF-8: 123 Cyrillic letters are 246 bytes. The
    // folder plus "Pelox.ini" must fit the 781 bytes.
    std::string cyrillic = "C:\\";
    for (int i = 0; i < 123; ++i) cyrillic += "\xD0\x96";
    fake_module_path_set((cyrillic + "\\pelox.exe").c_str());
    EXPECT_TRUE(config_path(path, sizeof path));
    std::string folder = "C:\\" + std::string(767, 'f') + "\\";
    ASSERT_EQ(folder.size(), 771u);
    fake_module_path_set((folder + "x.exe").c_str());
    EXPECT_TRUE(config_path(path, sizeof path));
    fake_module_path_set(("C:\\" + std::string(768, 'f') + "\\x.exe").c_str());
    EXPECT_FALSE(config_path(path, sizeof path));
}

TEST_F(Config, ReadOnlyFileLoads)
{
    // A copy of tests/checker/data/default/Pelox.ini without write permission, made by the build.
    // An account that may write any file (root, also under Wine) shows here only that it loads.
    executable_in(PELOX_READ_ONLY_DIR);
    EXPECT_TRUE(load_config());
    EXPECT_EQ(password, 1u);
    ASSERT_EQ(entryCount, 1u);
    EXPECT_STREQ(ParamTable[0].name, "Here");
}

}  // namespace
