#include <unistd.h>

#include <iostream>

#include "cli.h"

int main(int argc, char** argv) {
    return velokrom::cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, isatty(2) != 0);
}
