#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
  return valquor::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                         ::isatty(STDERR_FILENO) != 0);
}
