#include <cstdio>

int main()
{
    std::fprintf(stderr, "usage: vornc stats FILE.map\n       vornc resave IN.map OUT.map\n");
    return 2;
}
