#include <cstdio>
#include <cstring>

// tallivoranda-cli: scripted use of the schedule core without a display.
int main(int argc, char* argv[])
{
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("Usage: tallivoranda-cli COMMAND [ARGS]\n");
        return 0;
    }
    std::fprintf(stderr, "Usage: tallivoranda-cli COMMAND [ARGS]\n");
    return 2;
}
