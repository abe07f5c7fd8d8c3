#include <windows.h>

// A Linux process starts here and runs the program's Win32 entry function.
// The command line is not passed on: the programs read none.
int main()
{
    return WinMain(nullptr, nullptr, const_cast<LPSTR>(""), 10 /* SW_SHOWDEFAULT */);
}
