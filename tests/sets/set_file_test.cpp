// The set file: what the writer puts, what the reader takes (every kind of malformed line refused
// with its line number and nothing kept), names of any bytes round trip, the fingerprint.
#include <gtest/gtest.h>

#include "model/config_load.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "sets/param_set.h"
#include "sets/set_read.h"
#include "sets/set_support.h"

#include "sets/set_text.h"
#include "sets/set_write.h"
#include "support/temp_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const std::string kHeader = "# Pelox parameter set\ntool 1.0.0\nuid E002A1B2C3D4E5F6\nsaved 2026-12-08 23:13:20 UTC\n"
                            "configuration 27 parameters, fingerprint 5D1C09A2\n";

SetEntry entry(const char* name, int32_t address, ParamType type, bool valueSet, int32_t value)
{
    SetEntry e = {};
    snprintf(e.name, sizeof e.name, "%s", name);
    e.address = address;
    e.type = type;
    e.valueSet = valueSet;
    e.value = value;
    return e;
}

TEST(SetFile, WriterPutsTheHeaderAndOneExactValueALineAndTheReaderTakesItBack)
{
    auto set = std::make_unique<ParamSet>();
    snprintf(set->tool, sizeof set->tool, "1.0.0");
    set->uid = 0xE002A1B2C3D4E5F6ull;
    set->saved = 1796771600;
    set->configCount = 27;
    set->fingerprint = 0x5D1C09A2;
    std::string odd = "a \"b\" c\\d\te\nf\r\x01\x7F\xC3\xA9";
    std::string longest(255, '\x02');
    set->entries[0] = entry("Mode", 36, ParamType::int8, true, -3);
    set->entries[1] = entry("Made", 20, ParamType::time, true, 1700000000);
    set->entries[2] = entry("SW", 0, ParamType::swver, true, static_cast<int32_t>(0xFF020003u));
    set->entries[3] = entry("Vmin", 56, ParamType::int16, false, 0);
    set->entries[4] = entry(odd.c_str(), 1018, ParamType::int32, true, INT32_MIN);
    set->entries[5] = entry(longest.c_str(), 1021, ParamType::int8, true, 127);
    set->count = 6;
    std::string text = written(*set);
    std::string escaped;
    for (int i = 0; i < 255; ++i) escaped += "\\x02";
    EXPECT_EQ(text, kHeader +
                        "\"Mode\" 36 int8 -3\n"
                        "\"Made\" 20 time 1700000000   # 2023-11-14 22:13:20 UTC\n"
                        "\"SW\" 0 swver 4278321155   # 255.2.3\n"
                        "\"Vmin\" 56 int16 not-set\n"
                        "\"a \\\"b\\\" c\\\\d\\te\\nf\\r\\x01\\x7F\xC3\xA9\" 1018 int32 -2147483648\n"
                        "\"" +
                        escaped + "\" 1021 int8 127\nend 6 entries\n");

    auto back = std::make_unique<ParamSet>();
    read_set(text, back.get());
    EXPECT_EQ(written(*back), text);
    EXPECT_EQ(back->entries[4].name, odd);
    EXPECT_EQ(back->entries[4].line, 10);
    EXPECT_EQ(back->saved, 1796771600);
}

TEST(SetFile, ReaderTakesWhatAPersonMayDoToTheFile)
{
    // CR LF, blank and comment lines anywhere, tabs, trailing comments and blanks, keys in another
    // order, lower-case hexadecimal, no line end at the end.
    std::string text = "\xEF\xBB\xBF# Pelox parameter set\r\n\r\nuid e002a1b2c3d4e5f6\r\n# copied from the first "
                       "device\r\ntool 2.10.0\r\n"
                       "configuration 0 parameters, fingerprint 00000000\r\nsaved 2026-12-08 23:13:20 UTC\t \r\n"
                       "\t\"Mode\"\t36  int8\t 2   # auto\r\n   # \"Addr\" 40 int8 1\r\n\"Serv\" 280 time not-set #\r\n"
                       " end  2\tentries \r\n# a comment after the end\r\n";
    auto set = std::make_unique<ParamSet>();
    read_set(text, set.get());
    EXPECT_STREQ(set->tool, "2.10.0");
    EXPECT_EQ(set->uid, 0xE002A1B2C3D4E5F6ull);
    ASSERT_EQ(set->count, 2);
    EXPECT_STREQ(set->entries[0].name, "Mode");
    EXPECT_EQ(set->entries[0].value, 2);
    EXPECT_EQ(set->entries[0].line, 8);
    EXPECT_FALSE(set->entries[1].valueSet);
}

TEST(SetFile, EveryMalformedLineIsRefusedWithItsLineNumberAndNothingKept)
{
    std::string entries;
    for (int i = 0; i <= SET_MAX_ENTRIES; ++i) entries += "\"P" + std::to_string(i) + "\" 0 int8 1\n";
    std::string comments;  // lines of 1024 bytes; the limit falls inside line 1025
    for (int i = 0; i < 1030; ++i) comments += std::string(1023, '#') + "\n";
    const std::string cut = "value \"" + std::string(SET_DETAIL_SIZE - 1, '9') +
                            "\": not-set, or a whole decimal number that fits the type, expected";
    struct Row {
        std::string text;
        SetProblem problem;
        int line;
        const char* message;  // when worth stating
    } rows[] = {
        {"", SetProblem::notASetFile, 1, "not a parameter set: the first line must be \"# Pelox parameter set\""},
        {"Pwd=4F52564C set=1\n", SetProblem::notASetFile, 1, nullptr},
        {kHeader + "\"A\" 0 int8 1\n\"" + std::string(1200, 'x') + "\" 4 int8 1\n", SetProblem::lineTooLong, 7,
         "the line is longer than 1199 characters"},
        {kHeader + std::string("\"A\" 0 int8 1\0\n", 14), SetProblem::controlCharacter, 6, nullptr},
        {kHeader + "\"A\" 0 int8 1\rx\n", SetProblem::controlCharacter, 6, nullptr},
        {kHeader + "Name=\"A\" Address=0 Type=int8\n", SetProblem::unknownLine, 6, nullptr},
        {kHeader + "\n\nuid E002A1B2C3D4E5F7\n", SetProblem::headerTwice, 8, "\"uid\" given twice (first on line 3)"},
        {"# Pelox parameter set\ntool one\n", SetProblem::badTool, 2, nullptr},
        {"# Pelox parameter set\nuid E002A1B2C3D4E5F\n", SetProblem::badUid, 2,
         "uid: 16 hexadecimal digits expected, not \"E002A1B2C3D4E5F\""},
        {"# Pelox parameter set\nsaved 2026-02-29 10:00:00 UTC\n", SetProblem::badSaved, 2, nullptr},
        {"# Pelox parameter set\nconfiguration 101 parameters, fingerprint 5D1C09A2\n", SetProblem::badConfiguration, 2,
         nullptr},
        {"# Pelox parameter set\nconfiguration 27 parameters\n", SetProblem::badConfiguration, 2, nullptr},
        {"# Pelox parameter set\ntool 1.0.0\nuid E002A1B2C3D4E5F6\nconfiguration 27 parameters, fingerprint 5D1C09A2\n"
         "\"A\" 0 int8 1\n",
         SetProblem::headerMissing, 5, "the set has no \"saved\" line"},
        {kHeader + "\"A 0 int8 1\n", SetProblem::badName, 6, nullptr},
        {kHeader + "\"A\\q\" 0 int8 1\n", SetProblem::badName, 6, nullptr},
        {kHeader + "\"A\\x00\" 0 int8 1\n", SetProblem::badName, 6, nullptr},
        {kHeader + "\"A\"0 int8 1\n", SetProblem::badAddress, 6, nullptr},
        {kHeader + "\"A\" 0x10 int8 1\n", SetProblem::badAddress, 6, nullptr},
        {kHeader + "\"A\" -4 int8 1\n", SetProblem::badAddress, 6, nullptr},
        {kHeader + "\"A\" 1021 int16 1\n", SetProblem::badAddress, 6, nullptr},
        {kHeader + "\"A\" 0 empty 1\n", SetProblem::badType, 6,
         "type \"empty\": int8, int16, int32, time or swver expected"},
        {kHeader + "\"A\" 0 Int8 1\n", SetProblem::badType, 6, nullptr},
        {kHeader + "\"A\" 0 int8 128\n", SetProblem::badValue, 6,
         "value \"128\": not-set, or a whole decimal number that fits the type, expected"},
        {kHeader + "\"A\" 0 int16 -32769\n", SetProblem::badValue, 6, nullptr},
        {kHeader + "\"A\" 0 int8 " + std::string(60, '9') + "\n", SetProblem::badValue, 6, cut.c_str()},
        {kHeader + "\"A\" 0 int32 2147483648\n", SetProblem::badValue, 6, nullptr},
        {kHeader + "\"A\" 0 swver -1\n", SetProblem::badValue, 6, nullptr},
        {kHeader + "\"A\" 0 time 1.5e9\n", SetProblem::badValue, 6, nullptr},
        {kHeader + "\"A\" 0 int8\n", SetProblem::badValue, 6, nullptr},
        {kHeader + "\"A\" 0 int8 1 2\n", SetProblem::textAfterValue, 6, nullptr},
        {kHeader + "\"A\" 0 int8 1\n\"A\" 0 int16 1\n\"A\" 0 int8 2\n", SetProblem::entryTwice, 8,
         "the same name, address and type as line 6"},
        {kHeader + entries, SetProblem::tooManyEntries, 106, "more than 100 parameters"},
        {kHeader + "\"A\" 0 int8 1\n", SetProblem::noEnd, 6, nullptr},
        {kHeader + "\"A\" 0 int8 1\n\"B\" 4 int8 1\nend 1 entry\n", SetProblem::endCount, 8,
         "the end line counts 1 entries, the file holds 2: lines were lost or added (a file cut off, or an entry "
         "added or removed by hand without counting it)"},
        {kHeader + "\"A\" 0 int8 1\nend 1 entries\n", SetProblem::badEnd, 7, nullptr},
        {kHeader + "end 0 entries\n\"A\" 0 int8 1\n", SetProblem::afterEnd, 7, nullptr},
        {"# Pelox parameter set\n" + comments, SetProblem::fileTooLong, 1025,
         "longer than 1048576 bytes, far too long for a parameter set: stopped reading"},
    };
    for (const Row& row : rows) {
        auto set = std::make_unique<ParamSet>();
        SetReadError error;
        EXPECT_FALSE(read_param_set_text(row.text.data(), row.text.size(), set.get(), &error)) << row.text;
        EXPECT_EQ(error.problem, row.problem) << row.text;
        EXPECT_EQ(error.line, row.line) << row.text;
        EXPECT_EQ(set->count, 0) << row.text;
        if (row.message) {
            char message[200];
            format_set_read_error(error, message, sizeof message);
            EXPECT_STREQ(message, row.message);
        }
    }
}

// A file cut anywhere is refused, unless all that is lost is the final line end.
TEST(SetFile, EveryCutOfTheExampleSetIsRefused)
{
    std::string text = example_file("example.set");
    auto set = std::make_unique<ParamSet>();
    SetReadError error;
    for (size_t length = 0; length + 1 < text.size(); ++length) {
        EXPECT_FALSE(read_param_set_text(text.data(), length, set.get(), &error)) << length;
        EXPECT_EQ(set->count, 0) << length;
    }
    EXPECT_TRUE(read_param_set_text(text.data(), text.size() - 1, set.get(), &error));
    EXPECT_EQ(set->count, 26);
}

#ifndef _WIN32
// A disk that fills at any byte (a file size limit stands in for it): the file there before, a
// set or a log, stays byte for byte as it was, and nothing else is left beside it.
TEST(SetFile, AWriteThatCannotFinishLeavesTheOldFileAsItWas)
{
    TempFolder folder;
    std::string old = example_file("example.set"), path = folder.path() + "device.set";
    auto set = std::make_unique<ParamSet>();
    read_set(old, set.get());
    set->entries[0].value = 1;  // another file than the old one
    std::string full = written(*set), line = std::string(full.size(), 'x') + "\n";
    signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited, small;
    getrlimit(RLIMIT_FSIZE, &unlimited);
    for (size_t limit = 0; limit < full.size() && !HasFailure(); ++limit) {
        folder.write("device.set", old);
        FILE* log = fopen(folder.write("line.log", "one\n").c_str(), "a+b");
        small = unlimited;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_FALSE(write_param_set_file(path.c_str(), *set)) << limit;
        EXPECT_FALSE(append_line_whole(log, line.c_str())) << limit;
        setrlimit(RLIMIT_FSIZE, &unlimited);
        fclose(log);
        EXPECT_EQ(folder.read("device.set"), old) << limit;
        EXPECT_EQ(folder.read("line.log"), "one\n") << limit;
        EXPECT_EQ(folder.entries(), 2) << limit;
    }
    EXPECT_TRUE(write_param_set_file(path.c_str(), *set));
    EXPECT_EQ(folder.read("device.set"), full);
    EXPECT_EQ(folder.entries(), 2);
}
#endif

// The same where the file layer's own faults stand in for the disk, on Windows too: from its nth
// write on (a disk that fills there), from its flush on; and its move, which no log line takes.
TEST(SetFile, AWriteFlushOrMoveThatFailsLeavesTheOldFileAsItWas)
{
    TempFolder folder;
    std::string old = example_file("example.set"), path = folder.path() + "device.set";
    auto set = std::make_unique<ParamSet>();
    read_set(old, set.get());
    set->entries[0].value = 1;
    for (FileStep step : {FileStep::write, FileStep::flush, FileStep::move}) {
        int failed = 0;
        for (int nth = 1; !HasFailure(); ++nth, ++failed) {
            folder.write("device.set", old);
            FILE* log = fopen(folder.write("line.log", "one\n").c_str(), "a+b");
            fail_file_steps(step, nth);
            bool saved = write_param_set_file(path.c_str(), *set), appended = append_line_whole(log, "two\n");
            fail_file_steps(step, 0);
            fclose(log);
            if (saved) break;  // past the writer's last step of the kind
            EXPECT_EQ(appended, step == FileStep::move) << nth;
            EXPECT_EQ(folder.read("device.set"), old) << nth;
            EXPECT_EQ(folder.read("line.log"), appended ? "one\ntwo\n" : "one\n") << nth;
            EXPECT_EQ(folder.entries(), 2) << nth;
        }
        EXPECT_GE(failed, step == FileStep::write ? 2 : 1);
        EXPECT_EQ(folder.read("device.set"), written(*set));
    }
}

// The next save to a target removes the temporary files that killed saves of it left, and no
// other file: one that a save in progress holds (the first kept), another target's, a name beside the pattern.
TEST(SetFile, ASaveRemovesTheTemporaryFilesThatKilledSavesOfItsTargetLeft)
{
    TempFolder folder;
#ifdef _WIN32
    const char *stale[] = {"a.set.~1A2B", "A.SET.~FFFF"},
               *kept[] = {"a.set.~0000", "a.set.~1A2G", "a.set.~1A2", "a.set.~1A2B3", "b.set.~1A2B", "a.set~1A2B"};
#else
    const char *stale[] = {"a.set.aZ09xY", "a.set.000000"}, *kept[] = {"a.set.Live00",  "a.set.aZ-9xY", "a.set.aZ09x",
                                                                       "a.set.aZ09xY7", "b.set.aZ09xY", "A.set.aZ09xY"};
#endif
    for (const char* name : stale) folder.write(name, "half a set");
    for (const char* name : kept) folder.write(name, "kept");
    FILE* held = fopen((folder.path() + kept[0]).c_str(), "rb");  // on Windows shared with nobody to delete
#ifndef _WIN32
    flock(fileno(held), LOCK_EX);
#endif
    EXPECT_TRUE(write_param_set_file((folder.path() + "a.set").c_str(), *std::make_unique<ParamSet>()));
    fclose(held);
    for (const char* name : stale) EXPECT_FALSE(file_exists((folder.path() + name).c_str())) << name;
    for (const char* name : kept) EXPECT_EQ(folder.read(name), "kept") << name;
}

// The production log's lock: another station is refused while one holds it, and takes it once it
// is released; the holder writes through its lock. Another station is another process (a process
// never conflicts with its own locks on POSIX), on Windows another handle, refused alike.
TEST(SetFile, ALockedFileIsRefusedToAnotherStationUntilReleased)
{
    TempFolder folder;
    std::string path = folder.path() + "production.csv";
    auto other = [&path]() {
        FileLock second;
#ifdef _WIN32
        FileLockOutcome outcome = lock_file_exclusive(&second, path.c_str(), false);
        unlock_file(&second);
        return outcome;
#else
        pid_t child = fork();
        if (child == 0) _exit(static_cast<int>(lock_file_exclusive(&second, path.c_str(), false)));
        int status = -1;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? static_cast<FileLockOutcome>(WEXITSTATUS(status)) : FileLockOutcome::failed;
#endif
    };
    FileLock first;
    ASSERT_EQ(lock_file_exclusive(&first, path.c_str(), true), FileLockOutcome::locked);
    EXPECT_EQ(other(), FileLockOutcome::busy);
    EXPECT_TRUE(append_line_whole(first.file, "one\n"));
    unlock_file(&first);
    EXPECT_EQ(other(), FileLockOutcome::locked);
    EXPECT_EQ(folder.read("production.csv"), "one\n");
    EXPECT_EQ(lock_file_exclusive(&first, folder.path().c_str(), false), FileLockOutcome::failed);
#ifdef _WIN32
    // Held open as a spreadsheet holds a file it shows: shared with nobody.
    HANDLE open = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other(), FileLockOutcome::sharingViolation);
    CloseHandle(open);
#endif
}

TEST(SetFile, FingerprintIsTheConfigurationsNamesAddressesAndTypes)
{
    clear_table();
    ASSERT_TRUE(load_config_file(PELOX_SOURCE_DIR "/examples/Pelox.ini", nullptr));
    EXPECT_EQ(config_fingerprint(), 0x71BC9A5Eu);  // CRC-32 worked out with Python's zlib
    ParamTable[5].mode = EditMode::DisplayOnly;    // a mode is no part of it
    EXPECT_EQ(config_fingerprint(), 0x71BC9A5Eu);
    ParamTable[5].address = 37;
    EXPECT_NE(config_fingerprint(), 0x71BC9A5Eu);
}

}  // namespace
