// vesk: the command-line companion of Quelvo Tools.
#include "commands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return vesk::cli::RunVesk(arguments, {std::cout, std::cerr});
}
