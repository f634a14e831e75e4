#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: spurwerk-gen BIN_DIR DEMO_CARD_DIR\n");
        return 2;
    }
    return 0;
}
