// Start-up of the program's core for benchmarks, on the fake surface and the simulated tag.
#include "bench/bench_program.h"

#include "bench/bench_table.h"
#include "dialog/actions.h"
#include "fakes/fake_module_path.h"
#include "fakes/fake_surface.h"
#include "model/config.h"
#include "model/config_path.h"
#include "model/param_table.h"
#include "sim/sim_tag.h"

BenchProgram::BenchProgram()
{
    sim_reset();
    fake_surface_reset();
    folder_.write("Pelox.ini", bench_config_text());
    fake_module_path_set((folder_.path() + "pelox.exe").c_str());
    clear_table();
    if (load_config()) bench_fill_tag();
    dialog_start();
}
