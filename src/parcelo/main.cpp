// Hands a project file to the user's mail client. Not written yet beyond its entry point.
#include <cstdio>

int main()
{
    std::puts("parcelo: not built yet");
    return 0;
}
