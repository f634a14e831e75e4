// spurwerk-gen BIN_DIR DEMO_CARD_DIR: writes the template files into BIN_DIR
// and a fresh demo memory card into DEMO_CARD_DIR.

#include <cstdio>
#include <exception>
#include <filesystem>

#include "demo_card.h"
#include "template_files.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: spurwerk-gen BIN_DIR DEMO_CARD_DIR\n");
        return 2;
    }
    try {
        spurwerk::gen::WriteTemplateFiles(std::filesystem::path(argv[1]));
        spurwerk::gen::WriteDemoCard(std::filesystem::path(argv[2]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "spurwerk-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
