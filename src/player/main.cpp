// The runtime: loads a project and runs it. Not written yet beyond its entry point.
#include <cstdio>

int main()
{
    std::puts("player: the runtime is not built yet");
    return 0;
}
