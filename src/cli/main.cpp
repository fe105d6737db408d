// vemo-cli: batch work over the core for surveyors and scripts.
#include "ConvertCommand.h"
#include "TraverseCommand.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::puts("usage: vemo-cli <command> ...");
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "convert") == 0) {
        return vemo::cli::RunConvert(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "traverse") == 0) {
        return vemo::cli::RunTraverse(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "vemo-cli: unknown command '%s'\n", argv[1]);
    return 2;
}
