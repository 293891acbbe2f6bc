// Headless companion of the studio. Not written yet beyond its entry point.
#include <cstdio>

int main()
{
    std::puts("lmbtool: no commands yet");
    return 2;
}
