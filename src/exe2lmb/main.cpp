// Takes the project back out of a single executable. Not written yet beyond its entry point.
#include <cstdio>

int main()
{
    std::puts("EXE2LMB: not built yet");
    return 0;
}
