// Entry point of one inventory program; INVENTORY_BUILD names its build.
#include "run_program.h"

int main(int argc, char** argv) {
    return inventory::RunProgram(inventory::Build::INVENTORY_BUILD, argc, argv);
}
