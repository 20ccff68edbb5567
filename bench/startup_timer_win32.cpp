// Times start-up under the window system: from the creation of the process until its dialog is
// visible with the wanted caption, for pelox.exe (caption with the tag's UID: the first page has
// been read) and for the bare dialog program, alternately, on the benchmark's 100 parameters.
// Usage: startup_timer.exe [repetitions]; prints "key value" lines, times in milliseconds.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/bench_table.h"
#include "model/config.h"
#include "model/config_load.h"
#include "sim/sim_state_write.h"
#include "sim/sim_tag.h"

namespace {

const char kUidCaption[] = "E002A1B2C3D4E5F6";  // the simulated tag's UID as the caption shows it

struct Program {
    const char* name;
    const char* file;
    const char* captionPart;
};

const Program kTool = {"pelox", "pelox.exe", kUidCaption};
const Program kBaseline = {"baseline", "baseline_dialog.exe", "ORVELTIDE"};

std::string own_folder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return "";
    char* cut = strrchr(path, '\\');
    if (cut == nullptr) return "";
    cut[1] = '\0';
    return path;
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool write_file(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

double now_ms()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD process;
    const char* captionPart;
    HWND found;
};

BOOL CALLBACK check_window(HWND window, LPARAM context)
{
    Search* search = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    char caption[256];
    GetWindowTextA(window, caption, sizeof caption);
    if (strstr(caption, search->captionPart) == nullptr) return TRUE;
    search->found = window;
    return FALSE;
}

// Milliseconds from process creation to the wanted window; negative when it never came.
// The time until the window shows, or -1 with the reason in why.
double time_start(const std::string& folder, const Program& program, std::string* why)
{
    std::string command = "\"" + folder + program.file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    double start = now_ms();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        *why = std::string(program.file) + " did not start (error " + std::to_string(GetLastError()) + ")";
        return -1;
    }
    Search search = {process.dwProcessId, program.captionPart, nullptr};
    double shown = -1;
    while (now_ms() - start < 30000) {
        EnumWindows(check_window, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            shown = now_ms() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    DWORD code = 0;
    if (search.found == nullptr && WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process.hProcess, &code))
        *why =
            std::string(program.file) + " ended with exit code " + std::to_string(code) + " before its window showed";
    else if (search.found == nullptr)
        *why =
            std::string(program.file) + ": no window with \"" + program.captionPart + "\" in its caption within 30 s";
    if (search.found != nullptr) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void print_samples(const char* name, const std::vector<double>& samples)
{
    printf("%s_samples", name);
    for (double s : samples) printf(" %.1f", s);
    printf("\n");
}

// A folder with the tool, the stand-in reader library, the benchmark's Pelox.ini, a tag holding
// its values, and the bare dialog program.
bool prepare(const std::string& from, const std::string& folder)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string library = exists(from + "CR95HF.dll") ? from + "CR95HF.dll" : from + "sim\\CR95HF.dll";
    const std::string ini = folder + "Pelox.ini";
    if (!CopyFileA((from + kTool.file).c_str(), (folder + kTool.file).c_str(), FALSE) ||
        !CopyFileA((from + kBaseline.file).c_str(), (folder + kBaseline.file).c_str(), FALSE) ||
        !CopyFileA(library.c_str(), (folder + "CR95HF.dll").c_str(), FALSE) || !write_file(ini, bench_config_text()))
        return false;
    sim_reset();
    if (!load_config_file(ini.c_str(), nullptr)) return false;
    bench_fill_tag();
    return sim_state_save((folder + "cr95hf-sim.txt").c_str());
}

void remove_folder(const std::string& folder)
{
    const char* files[] = {kTool.file, kBaseline.file, "CR95HF.dll", "Pelox.ini", "cr95hf-sim.txt"};
    for (const char* file : files) DeleteFileA((folder + file).c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    int repetitions = argc > 1 ? atoi(argv[1]) : 11;
    if (repetitions < 1) repetitions = 1;
    std::string from = own_folder();
    char temp[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, temp);
    if (from.empty() || n == 0 || n >= MAX_PATH) return 2;
    char name[64];
    snprintf(name, sizeof name, "pelox-startup-%lu\\", static_cast<unsigned long>(GetCurrentProcessId()));
    std::string folder = std::string(temp) + name;
    if (!prepare(from, folder)) {
        fprintf(stderr, "startup_timer: cannot prepare %s from %s\n", folder.c_str(), from.c_str());
        remove_folder(folder);
        return 2;
    }

    // One start of each first: the window system's first-use costs are not start-up costs. A
    // start that fails is said with its reason and tried again, up to three times a sample.
    std::string why;
    auto sample = [&](const Program& program) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            double t = time_start(folder, program, &why);
            if (t >= 0) return t;
            fprintf(stderr, "startup_timer: %s\n", why.c_str());
        }
        return -1.0;
    };
    bool ok = sample(kTool) >= 0 && sample(kBaseline) >= 0;
    std::vector<double> tool, baseline;
    for (int i = 0; ok && i < repetitions; ++i) {
        double t = sample(kTool);
        double b = sample(kBaseline);
        ok = t >= 0 && b >= 0;
        tool.push_back(t);
        baseline.push_back(b);
    }
    remove_folder(folder);
    if (!ok) {
        fprintf(stderr, "startup_timer: not measured: %s, three times in a row\n", why.c_str());
        return 1;
    }
    double toolMedian = median(tool);
    double baselineMedian = median(baseline);
    // The least time as well: other work on the machine only ever adds to a start.
    double toolLeast = *std::min_element(tool.begin(), tool.end());
    double baselineLeast = *std::min_element(baseline.begin(), baseline.end());
    printf("repetitions %d\n", repetitions);
    printf("pelox_ms %.1f\n", toolMedian);
    printf("baseline_ms %.1f\n", baselineMedian);
    printf("ratio %.2f\n", toolMedian / baselineMedian);
    printf("pelox_least_ms %.1f\n", toolLeast);
    printf("baseline_least_ms %.1f\n", baselineLeast);
    printf("least_ratio %.2f\n", toolLeast / baselineLeast);
    print_samples("pelox", tool);
    print_samples("baseline", baseline);
    return 0;
}
