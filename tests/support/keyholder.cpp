// Another program that holds Ctrl+Alt+A (Windows): registers the key, writes "held" to the file
// named by its argument, and waits until it is ended.
#include <windows.h>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 2 || !RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'A'))
        return 1;
    if (FILE *file = std::fopen(argv[1], "w"))
        std::fputs("held", file), std::fclose(file);
    for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;) {
    }
}
