#include <unistd.h>

#include <iostream>

#include "cli.h"
#include "libpng_messages.h"

int main(int argc, char** argv) {
    velokrom::cli::dropLibpngMessages();
    return velokrom::cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, isatty(2) != 0);
}
