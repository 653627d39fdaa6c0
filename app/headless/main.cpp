#include "app/headless/ScriptRunner.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: picolam-headless [SCRIPT]\n";
        return 2;
    }
    if (argc == 2) {
        std::ifstream script(argv[1]);
        if (!script) {
            std::cerr << "cannot read " << argv[1] << "\n";
            return 2;
        }
        return RunScript(script, std::cout, std::cerr);
    }
    return RunScript(std::cin, std::cout, std::cerr);
}
