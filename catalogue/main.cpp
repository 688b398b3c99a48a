// Entry point of one catalogue program; CATALOGUE_BUILD names its build.
#include "run_program.h"

int main(int argc, char** argv) {
    return catalogue::RunProgram(catalogue::Build::CATALOGUE_BUILD, argc, argv);
}
