// Ostrel-Vane Studio - the command-line tool. Argument parsing and wiring only.
#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage =
    "Ostrel-Vane Studio - change-point analysis from the command line\n"
    "\n"
    "Usage:\n"
    "  ovs --help       show this help\n"
    "  ovs --version    show the program's version\n";

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::puts("Ostrel-Vane Studio");
        std::puts("Version 2.0");
        return 0;
    }
    std::fprintf(stderr, "ovs: unknown command '%s'\n\n%s", argv[1], kUsage);
    return 2;
}
