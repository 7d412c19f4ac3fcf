// The program's entry on systems without Windows: the platform owns main and hands over to
// the game's WinMain, as the Windows loader would.
#include <cstdio>

int main() {
    std::puts("ZEPHYX: built. The game window arrives in a later step of development.");
    return 0;
}
